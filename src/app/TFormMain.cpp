#include "TFormMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>
#include <iostream>

#include "Constants.h"
#include "LinkError.h"
#include "MessageBox.h"
#include "NubraError.h"
#include "ProfileFile.h"
#include "QtLinkUi.h"
#include "ScreenFit.h"
#include "SystemSerialLine.h"
#include "TControlBar.h"
#include "TFormAbout.h"
#include "TFormError.h"
#include "TFormLogWindow.h"
#include "TFormSetPort.h"
#include "TFormWait.h"
#include "TNX3Class.h"
#include "TerminationSignals.h"

namespace nubra::app {
namespace {

QString PrinterTypeText(int printerType) {
    switch (printerType) {
    case 0:
        return QStringLiteral("NX-2 (v2.x)");
    case 1:
        return QStringLiteral("NX-2 (v3.x)");
    case 2:
        return QStringLiteral("NX-3 E");
    default:
        return QStringLiteral("nieustawiony");
    }
}

std::string ToolBarSection(int n) {
    return "TOOL BAR " + std::to_string(n);
}

} // namespace

TFormMain::TFormMain(std::string programDirectory, std::unique_ptr<SerialLine> line, QWidget* parent)
    : QMainWindow(parent), programDirectory_(std::move(programDirectory)) {
    setObjectName(QStringLiteral("FormMain"));
    move(527, 135);
    resize(896, 574);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    controlBar_ = new TControlBar(central);
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("ClientArea"));
    mdiArea_->setBackground(QColor(0x80, 0x80, 0x80));
    layout->addWidget(controlBar_);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    linkUi_ = std::make_unique<QtLinkUi>(this);
    BuildActions();
    BuildMenus();
    BuildToolBars();
    BuildStatusBar();
    FormCreate(std::move(line));
}

TFormMain::~TFormMain() = default;

void TFormMain::FormCreate(std::unique_ptr<SerialLine> line) {
    // 1. Program and tables directory.
    if (programDirectory_.empty() || programDirectory_.back() != '/')
        programDirectory_ += '/';
    tablesDirectory_ = programDirectory_ + TablesDirectoryName;
    // 2. Every number shown or typed uses a decimal comma, and nothing else changes: no thousands
    // separator creeps into a number.
    QLocale decimalComma(QLocale::Polish, QLocale::Poland);
    decimalComma.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(decimalComma);
    // 3. One level, failure ignored.
    std::error_code ignored;
    std::filesystem::create_directory(tablesDirectory_, ignored);
    // 4.
    OpenCatalogueTables();
    // 5.-6.
    config_ = std::make_unique<ProfileFile>(programDirectory_ + ConfigFileName);
    // Told once the program runs, not from inside its construction, where a termination signal
    // could not yet end the box.
    if (!config_->LoadError().empty()) {
        QTimer::singleShot(0, this, [this, message = QString::fromStdString(config_->LoadError())] {
            if (!TerminationSignals::Requested())
                ShowMessageBox(this, QMessageBox::Warning, message);
        });
    }
    portNumber_ = config_->ReadInteger("PORT", "com", 0);
    // 7.
    const int left = config_->ReadInteger("FORM MAIN", "Left", x());
    const int top = config_->ReadInteger("FORM MAIN", "Top", y());
    const int width = config_->ReadInteger("FORM MAIN", "Width", this->width());
    const int height = config_->ReadInteger("FORM MAIN", "Height", this->height());
    move(left, top);
    resize(width, height);
    // A place from a larger screen, or the default on a small one, would leave the window out of reach.
    KeepOnScreen(*this);
    // 8.
    controlBar_->SetAutoSize(false);
    controlBar_->SetAreaHeight(config_->ReadInteger("CONTROL BAR", "Height", controlBar_->height()));
    for (int n = 1; n <= 6; ++n) {
        const int band = controlBar_->BandIndex(QStringLiteral("ToolBar%1").arg(n));
        if (band < 0)
            continue;
        controlBar_->SetBandTop(band,
                                config_->ReadInteger(ToolBarSection(n), "Top", controlBar_->BandTop(band)));
        controlBar_->SetBandLeft(
            band, config_->ReadInteger(ToolBarSection(n), "Left", controlBar_->BandLeft(band)));
    }
    controlBar_->SetAutoSize(true);
    // 9.
    nativeCurrency_ = config_->ReadString("CURRENCY", "Native", "PLN");
    // 10.
    for (int n = 1; n <= 4; ++n) {
        devicePaths_ << QString::fromStdString(
            config_->ReadString("PORT", "COM" + std::to_string(n), PortSerialLine::DefaultDevicePath(n)));
    }
    if (!line) {
        auto tty = std::make_unique<SystemSerialLine>();
        for (int n = 1; n <= 4; ++n)
            tty->SetDevicePath(n, devicePaths_.at(n - 1).toStdString());
        portLine_ = tty.get();
        line = std::move(tty);
    }
    nx3_ = std::make_unique<TNX3Class>(programDirectory_, *linkUi_, std::move(line));
    nx3_->PrinterType = 2;
    statusPanel1_->setText(QStringLiteral("Typ drukarki: ") + PrinterTypeText(nx3_->PrinterType));
    // 11. Hints reach panel 2 through event().
    // 12.
    setWindowTitle(QString::fromUtf8(MainCaption));
    statusBar()->setFont(QFont(QStringLiteral("Tahoma")));
}

void TFormMain::FormClose() {
    if (configWritten_)
        return;
    configWritten_ = true;
    ProfileFile& ini = *config_;
    ini.WriteInteger("PORT", "com", storedPortNumber_.value_or(portNumber_));
    ini.WriteInteger("FORM MAIN", "Left", x());
    ini.WriteInteger("FORM MAIN", "Top", y());
    ini.WriteInteger("FORM MAIN", "Width", width());
    ini.WriteInteger("FORM MAIN", "Height", height());
    if (regInfoWriter_)
        regInfoWriter_(ini);
    ini.WriteInteger("CONTROL BAR", "Height", controlBar_->height());
    for (int n = 1; n <= 6; ++n) {
        const int band = controlBar_->BandIndex(QStringLiteral("ToolBar%1").arg(n));
        if (band < 0)
            continue;
        ini.WriteInteger(ToolBarSection(n), "Top", controlBar_->BandTop(band));
        ini.WriteInteger(ToolBarSection(n), "Left", controlBar_->BandLeft(band));
    }
    ini.WriteString("CURRENCY", "Native", nativeCurrency_);
    // Otherwise the next start would ask for the port again with no word why. A program ending on a
    // signal may not wait for anyone: the word goes to the terminal.
    if (!ini.Flush()) {
        const QString message = QStringLiteral("Nie udało się zapisać ustawień programu w pliku %1.")
                                    .arg(QString::fromStdString(ini.Path()));
        if (TerminationSignals::Requested())
            std::cerr << message.toStdString() << std::endl;
        else
            ShowMessageBox(this, QMessageBox::Critical, message);
    }
}

void TFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window manager adds its frame a moment later; the window is fitted again once it is known.
    fitWithFrame_ = frameGeometry() == geometry();
    KeepOnScreen(*this);
}

void TFormMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (fitWithFrame_ && frameGeometry() != geometry()) {
        fitWithFrame_ = false;
        KeepOnScreen(*this);
    }
}

void TFormMain::closeEvent(QCloseEvent* event) {
    // The link is inside a wait; it ends when the user closes the wait window.
    if (waitRunning_) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit closed();
}

void TFormMain::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setFont(QFont(QStringLiteral("Tahoma")));
    statusPanel0_ = new QWidget(bar);
    statusPanel0_->setObjectName(QStringLiteral("StatusPanel0"));
    statusPanel0_->setFixedWidth(75);
    statusPanel0_->setMinimumHeight(bar->fontMetrics().height() + 4);
    statusPanel0_->installEventFilter(this);
    statusPanel1_ = new QLabel(QStringLiteral("Typ drukarki: nieustawiony"), bar);
    statusPanel1_->setObjectName(QStringLiteral("StatusPanel1"));
    statusPanel1_->setFixedWidth(150);
    statusPanel1_->setAlignment(Qt::AlignCenter);
    statusPanel2_ = new QLabel(bar);
    statusPanel2_->setObjectName(QStringLiteral("StatusPanel2"));
    bar->addWidget(statusPanel0_);
    bar->addWidget(statusPanel1_);
    bar->addWidget(statusPanel2_, 1);
    SetPortPanel({});
}

QString TFormMain::StatusPanelText(int panel) const {
    switch (panel) {
    case 0:
        return panel0Text_;
    case 1:
        return statusPanel1_->text();
    case 2:
        return statusPanel2_->text();
    default:
        return {};
    }
}

void TFormMain::SetPortPanel(const QString& text) {
    panel0Text_ = text;
    statusPanel0_->setAccessibleName(text.isEmpty() ? QStringLiteral("Port zamknięty") : text);
    statusPanel0_->update();
}

void TFormMain::StatusBarDrawPanel(QWidget* panel) {
    QPainter p(panel);
    QFont bold = statusBar()->font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(panel->palette().color(QPalette::WindowText));
    p.drawText(QRect(6, 1, panel->width() - 6, panel->height() - 1), Qt::AlignLeft | Qt::AlignTop,
               panel0Text_);
    statusPanel1_->setText(QStringLiteral("Typ drukarki: ") + PrinterTypeText(nx3_ ? nx3_->PrinterType : -1));
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == statusPanel0_ && event->type() == QEvent::Paint) {
        StatusBarDrawPanel(statusPanel0_);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TFormMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        statusPanel2_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

QAction* TFormMain::Action(const QString& name) const {
    return actions_.value(name, nullptr);
}

void TFormMain::RegisterWindow(const QString& name, QWidget* window) {
    windows_.insert(name, window);
}

QWidget* TFormMain::Window(const QString& name) const {
    const auto it = windows_.constFind(name);
    if (it != windows_.constEnd())
        return it->data();
    if (!windowFactory_)
        return nullptr;
    return windowFactory_(const_cast<TFormMain&>(*this), name);
}

TFormWait* TFormMain::FormWait() const {
    return WindowAs<TFormWait>(QStringLiteral("TFormWait"));
}
TFormError* TFormMain::FormError() const {
    return WindowAs<TFormError>(QStringLiteral("TFormError"));
}
TFormLogWindow* TFormMain::FormLogWindow() const {
    return WindowAs<TFormLogWindow>(QStringLiteral("TFormLogWindow"));
}
TFormSetPort* TFormMain::FormSetPort() const {
    return WindowAs<TFormSetPort>(QStringLiteral("TFormSetPort"));
}
TFormAbout* TFormMain::FormAbout() const {
    return WindowAs<TFormAbout>(QStringLiteral("TFormAbout"));
}

void TFormMain::RunAction(const std::function<void()>& body, bool deviceAction) {
    if (deviceAction && waitRunning_) {
        QApplication::beep();
        return;
    }
    QString message;
    try {
        body();
        return;
    } catch (const LinkError& e) {
        if (e.PortStillLost()) {
            // The box that said the port went was shown once; every later command only notes it.
            linkUi_->SetBusyCursor(false);
            statusPanel2_->setText(ProgramText(std::string(e.what())));
            return;
        }
        message =
            ProgramText(e.LineLost() ? nx3_->LostPortMessage(e.OutcomeUnknown()) : std::string(e.what()));
    } catch (const nubra::Error& e) {
        message = ProgramText(std::string(e.what()));
    } catch (const std::exception& e) {
        message = ProgramText(std::string(e.what()));
    }
    linkUi_->SetBusyCursor(false);
    ShowMessageBox(this, QMessageBox::Critical, message);
}

void TFormMain::WaitStateChanged(bool running) {
    if (running == waitRunning_)
        return;
    waitRunning_ = running;
    // Another command now would mix its frames with the awaited reply.
    QList<QObject*> guarded;
    for (QAction* action : findChildren<QAction*>()) {
        if (action->property("device").toBool())
            guarded.append(action);
    }
    guarded.append(sbCloseOpenPort_);
    for (QObject* object : guarded) {
        if (running) {
            const bool enabled = object->property("enabled").toBool();
            enabledBeforeWait_.insert(object, enabled);
            object->setProperty("enabled", false);
        } else {
            object->setProperty("enabled", enabledBeforeWait_.value(object, true));
        }
    }
    if (!running)
        enabledBeforeWait_.clear();
}

} // namespace nubra::app
