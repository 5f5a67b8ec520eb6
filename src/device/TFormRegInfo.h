#pragma once
// "Status": the register window, the only child of the main window's client area. It shows the
// eight transaction registers of the printer (transaction number, status, currency, a stored
// document, the last sale and the sale limit) and five lamps. The device work is in the main
// window's actions AGetExtStatusExecute and AGetRegInfoExecute, which fill it in; the sale actions
// write the tags of the transaction-number and limit labels and the currency labels.
//
// Lamps are buttons whose enabled state is their light; a lamp with tag 1 blinks with the timer.
#include <QMdiSubWindow>
#include <QPixmap>
#include <array>
#include <vector>

class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace nubra {
class ProfileFile;
}

namespace nubra::app {

class TFormMain;

class TFormRegInfo : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int RegisterCount = 8;
    static constexpr int DesignLeft = 8;
    static constexpr int DesignTop = 8;
    static constexpr int TimerInterval = 300;

    explicit TFormRegInfo(TFormMain& main, QWidget* parent = nullptr);
    ~TFormRegInfo() override;

    // Position from [FORM REGINF] Left, Top; the design position for a missing key.
    void FormCreate();
    // Writes the position back to [FORM REGINF] (run by the main window at close): the place the
    // window has when not minimised, so a window closed to an icon comes back where it was.
    void WriteConfig(ProfileFile& ini) const;

    // Controls of register n (1..8).
    QLabel* TranNoLabel(int n) const { return Row(n).tranNo; }
    QToolButton* TranButton(int n) const { return Row(n).tran; }
    QLabel* CurrencyLabel(int n) const { return Row(n).currency; }
    QToolButton* PrintButton(int n) const { return Row(n).print; }
    QLabel* SaleLabel(int n) const { return Row(n).sale; }
    QLabel* LimitLabel(int n) const { return Row(n).limit; }
    // The glyph (index into the image list) shown by register n's status button; -1 for none.
    int StatusGlyph(int n) const;
    void ClearStatusGlyph(int n);
    void SetStatusGlyph(int n, int index);
    const std::vector<QPixmap>& ImageList() const { return imageList_; }

    QToolButton* LedOfl() const { return ledOfl_; }
    QToolButton* LedPre() const { return ledPre_; }
    QToolButton* LedNep() const { return ledNep_; }
    QToolButton* LedMop() const { return ledMop_; }
    QToolButton* LedServ() const { return ledServ_; }
    QPushButton* RefreshButton() const { return sbRefresh_; }
    QTimer* Timer() const { return timer_; }

    // --- handlers ---
    // "Odśwież status": the lamps, then the register rows unless the printer reports an error.
    void AGetExtStatusExecute();
    // Every 300 ms: the paper lamp blinks or stays lit, the service lamp blinks or stays dark.
    void TimerTimer();
    // A status button: register (tag bits 8-15) becomes the current one; an open transaction is
    // finished, otherwise one is started.
    void SB_RegClick(QObject* sender);
    // A print button: register (tag) becomes the current one and its stored document is printed.
    void SB_WydrClick(QObject* sender);

protected:
    // Like every window of the program it lives for the whole run: closing only minimises it.
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    struct RowControls {
        QLabel* tranNo = nullptr;
        QToolButton* tran = nullptr;
        QLabel* currency = nullptr;
        QToolButton* print = nullptr;
        QLabel* sale = nullptr;
        QLabel* limit = nullptr;
    };
    const RowControls& Row(int n) const { return rows_.at(static_cast<std::size_t>(n - 1)); }
    void BuildRows(QWidget* content);
    QToolButton* MakeLamp(QWidget* parent, const char* name, const QString& caption, const QColor& lit);
    void RunMainAction(const char* name);

    TFormMain& main_;
    std::vector<QPixmap> imageList_;
    std::array<RowControls, RegisterCount> rows_{};
    QToolButton* ledOfl_ = nullptr;
    QToolButton* ledPre_ = nullptr;
    QToolButton* ledNep_ = nullptr;
    QToolButton* ledMop_ = nullptr;
    QToolButton* ledServ_ = nullptr;
    QPushButton* sbRefresh_ = nullptr;
    QTimer* timer_ = nullptr;
    QPoint normalPos_;
};

// The start-up factory: creates the window as a visible child of the main window's client area,
// reads its position and hands the main window the writer of its position.
QWidget* CreateFormRegInfo(TFormMain& main);

// The register window of the main window; nullptr before it is created.
TFormRegInfo* FormRegInfo(const TFormMain& main);

} // namespace nubra::app
