#pragma once
// The main window: the frame with the menu, the tool-bar area, the client area for the register
// window and the status bar; the program-wide values; and every action of the program.
//
// Each action is a QAction named as the action (object name "AStartTrans"), with a "category"
// property, triggering its handler (AStartTransExecute) through RunAction, the one place where an
// error raised by an action is shown, and which refuses device actions while the link waits for the
// printer. Handlers live beside the subsystem they serve.
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QToolButton;

#include "SerialLine.h"

namespace nubra {
class ProfileFile;
class PortSerialLine;
class TNX3Class;
} // namespace nubra

namespace nubra::app {

class QtLinkUi;
class TControlBar;
class TFormAbout;
class TFormError;
class TFormLogWindow;
class TFormSetPort;
class TFormWait;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // programDirectory: where nx3config.ini and "Tabele/" live, with a trailing '/'. line: the
    // printer's line; by default a tty whose COM1..COM4 paths come from [PORT] of nx3config.ini.
    explicit TFormMain(std::string programDirectory, std::unique_ptr<SerialLine> line = nullptr,
                       QWidget* parent = nullptr);
    ~TFormMain() override;

    // --- program-wide values ---
    const std::string& ProgramDirectory() const { return programDirectory_; }
    const std::string& TablesDirectory() const { return tablesDirectory_; }
    int PortNumber() const { return portNumber_; }
    // The port of this run (--port), before the port window opens it; [PORT] com keeps its value
    // unless the user chooses a port in the dialog.
    void SetRunPort(int port);
    const std::string& NativeCurrency() const { return nativeCurrency_; }
    void SetNativeCurrency(const std::string& currency) { nativeCurrency_ = currency; }
    TNX3Class& Nx3() { return *nx3_; }
    ProfileFile& Config() { return *config_; }
    // Where the port dialog looks for serial devices ("/" stands for the machine; tests give a tree).
    void SetDeviceRoot(std::string root) { deviceRoot_ = std::move(root); }
    QtLinkUi& LinkUiImpl() { return *linkUi_; }

    // --- parts of the frame ---
    QMdiArea* MdiArea() const { return mdiArea_; }
    TControlBar* ControlBar() const { return controlBar_; }
    QToolButton* PortSwitch() const { return sbCloseOpenPort_; }
    QAction* Action(const QString& name) const;
    // Status-bar panels 0 (port), 1 (printer type), 2 (hint of the control under the mouse).
    QString StatusPanelText(int panel) const;

    // --- the program's windows (StartupWindows.cpp) ---
    void RegisterWindow(const QString& name, QWidget* window);
    // Makes a window not yet registered when it is first asked for.
    void SetWindowFactory(std::function<QWidget*(TFormMain&, const QString&)> factory) {
        windowFactory_ = std::move(factory);
    }
    // The window of this name, made now if it has not been; nullptr for a name without a window.
    QWidget* Window(const QString& name) const;
    template <class T> T* WindowAs(const QString& name) const { return qobject_cast<T*>(Window(name)); }
    TFormWait* FormWait() const;
    TFormError* FormError() const;
    TFormLogWindow* FormLogWindow() const;
    TFormSetPort* FormSetPort() const;
    TFormAbout* FormAbout() const;

    // Runs a user action: a nubra::Error (or any std::exception) it raises is shown in a "nubra5"
    // error box and the program goes on. A device action does not start while a wait runs. A line lost
    // (a USB adapter pulled) is told once, naming the port; commands while it is still away only note
    // it in the status bar, and the first one after it is back reopens it.
    void RunAction(const std::function<void()>& body, bool deviceAction = true);
    bool WaitRunning() const { return waitRunning_; }
    // Told by the wait window: while it is shown the device actions are disabled.
    void WaitStateChanged(bool running);

    // The register window keeps its position in [FORM REGINF]; it gives the writer run at close.
    void SetRegInfoConfigWriter(std::function<void(ProfileFile&)> writer) {
        regInfoWriter_ = std::move(writer);
    }

    // --- handlers: shell ---
    // sender == the port window: the stored port is opened without asking (start-up).
    void ASetPortExecute(QObject* sender);
    void SB(); // click of the port switch SB_CloseOpenPort (down = closed)
    void ALogWinowExecute();
    void Wyjcie1Click();
    void Oprogramie1Click();

    // --- handlers: device information and settings ---
    void AGetSetParamsExecute();
    void AGetDayReportNoExecute();
    void AGetZeroRamExecute();
    void AGetSetPTUExecute();
    void AGetSetPostNumbersExecute();
    void AGetErrorNumberExecute();
    void AMoveTimeExecute();
    void AGetSetTimeExecute();
    void AGetCommodInfoExecute();
    void AGetSetHeaderExecute();
    void AGetSetFooterExecute();
    void AGetDateTimeExecute();
    void AGetTotalizerExecute();
    void AGetSetWaitingTimeExecute();
    void AGetNuNipExecute();
    void AGetExtStatusExecute();
    void AGetRegInfoExecute();
    void AShowFormTowarInfoExecute();
    void AShowFormDateTimeExecute();
    // The "Ustaw" button of the date window.
    void ASetDateTimeExecute();
    // Reads one header line into the header window; false when the printer refused it.
    bool ReadHeaderLine(int lineNumber, QLineEdit* edit, QCheckBox* wideBox, QCheckBox* highBox);
    // Centres a header edit's text in 20 (wide) or 40 characters.
    void CenterHeaderLine(QLineEdit* edit, bool wide);
    // --- handlers: catalogues ---
    void ATowaryExecute();
    void AKontrahExecute();
    void AKartyExecute();
    // --- handlers: sales ---
    void AStartTransExecute();
    void ARegisterSellExecute();
    void APrintDocExecute();
    void AExchangeExecute();
    // --- handlers: reports ---
    void ADayReportExecute();
    void APeriodReportsExecute();
    void ACommodityListExecute();
    void AConstantRepExecute();
    void AShowTemplateFormExecute();
    void AReadTemplateExecute();
    void APrintTemplateExecute();
    // --- handlers: fiscal and service ---
    void AFiscalizingExecute();
    void APrepareFiscalizingExecute();
    void AResetRAMExecute();
    void AChangeToEuroExecute();
    void ARozliczeniowyExecute();
    void AChooseCurrencyExecute();
    void InicjowaniePustejKartyClick();
    void ZamknicieKartyClick();
    void MI_DrukowanieClick();

signals:
    // The window was closed and the configuration written: the program ends.
    void closed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    using Handler = void (TFormMain::*)();
    struct ActionDef {
        const char* name;
        const char* category;
        const char* caption;
        Handler handler;
        bool device;
    };
    static const std::vector<ActionDef>& ActionDefs();

    void BuildActions();
    void BuildMenus();
    // The menu "Narzędzia" (src/toolkit/qt), placed before "Pomoc".
    void BuildToolsMenu();
    void BuildToolBars();
    void BuildStatusBar();
    void FormCreate(std::unique_ptr<SerialLine> line);
    void FormClose();
    // Opens the catalogue tables; the catalogue windows fill it in.
    void OpenCatalogueTables();
    void StatusBarDrawPanel(QWidget* panel);
    void SetPortPanel(const QString& text);
    void ASetPortFromAction();

    std::string programDirectory_;
    std::string tablesDirectory_;
    int portNumber_ = 0;
    std::optional<int> storedPortNumber_; // [PORT] com while a run port is in use
    std::string nativeCurrency_ = "PLN";
    std::unique_ptr<ProfileFile> config_;
    QStringList devicePaths_; // of COM1..COM4
    std::string deviceRoot_ = "/";
    // The line the program made itself (none when one was given): a device given to a COM number
    // in the port dialog takes effect on it at once.
    PortSerialLine* portLine_ = nullptr;
    bool fitWithFrame_ = false;
    std::unique_ptr<QtLinkUi> linkUi_;
    std::unique_ptr<TNX3Class> nx3_;
    std::function<void(ProfileFile&)> regInfoWriter_;

    QMdiArea* mdiArea_ = nullptr;
    TControlBar* controlBar_ = nullptr;
    QToolButton* sbCloseOpenPort_ = nullptr;
    QWidget* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QLabel* statusPanel2_ = nullptr;
    QString panel0Text_;
    QMap<QString, QAction*> actions_;
    // Filled as windows are made, also by the const Window().
    mutable QMap<QString, QPointer<QWidget>> windows_;
    std::function<QWidget*(TFormMain&, const QString&)> windowFactory_;
    QMap<QObject*, bool> enabledBeforeWait_;
    bool waitRunning_ = false;
    bool configWritten_ = false;
};

} // namespace nubra::app
