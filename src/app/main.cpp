// nx3serwis: the service program for the NX-3 E fiscal printer.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdio>

#include "ButtonIcons.h"
#include "CommandLine.h"
#include "DataFolder.h"
#include "MessageBox.h"
#include "QtLinkUi.h"
#include "StartupWindows.h"
#include "TFormMain.h"
#include "TerminationSignals.h"

namespace {

int Print(const nubra::app::CommandLine& options) {
    std::fputs(options.message.toLocal8Bit().constData(), options.exitCode == 0 ? stdout : stderr);
    return options.exitCode;
}

// Whether the window system's application object can come up. Without a display it aborts the
// program, so an option it might have taken is reported as wrong instead.
bool WindowSystemReachable(const QStringList& arguments) {
#ifdef Q_OS_UNIX
    if (arguments.contains(QStringLiteral("-platform")) || arguments.contains(QStringLiteral("--platform")))
        return true;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    return false;
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    // Help, version and a wrong option need no display: they are answered before the window
    // system is asked for one.
    {
        QCoreApplication probe(argc, argv);
        nubra::app::InstallPolishTranslation(probe);
        const nubra::app::CommandLine early = nubra::app::ParseCommandLine(QCoreApplication::arguments());
        if (early.exitCode >= 0 &&
            (!early.unknownOption || !WindowSystemReachable(QCoreApplication::arguments())))
            return Print(early);
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the main window's close ends the program
    QApplication::setWindowIcon(nubra::app::ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("nubra5-serwis"));
    nubra::app::InstallPolishTranslation(app);
    const nubra::app::CommandLine options = nubra::app::ParseCommandLine(QCoreApplication::arguments());
    if (options.exitCode >= 0)
        return Print(options);
    const QString dataFolder =
        nubra::app::ChooseDataFolder(QCoreApplication::applicationDirPath(), options.dataFolder);
    if (!nubra::app::MakeDataFolder(dataFolder)) {
        nubra::app::ShowMessageBox(
            nullptr, QMessageBox::Critical,
            QStringLiteral("Nie można utworzyć folderu danych %1 ani w nim zapisywać.").arg(dataFolder));
        return 1;
    }

    // Before the main window: a signal that comes while the windows are being made is kept for later.
    nubra::app::TerminationSignals termination;
    nubra::app::TFormMain mainForm(dataFolder.toStdString());
    if (options.port > 0)
        mainForm.SetRunPort(options.port);
    QObject::connect(&mainForm, &nubra::app::TFormMain::closed, &app, &QCoreApplication::quit);
    bool terminating = false;
    QObject::connect(&termination, &nubra::app::TerminationSignals::terminationRequested, &mainForm,
                     [&mainForm, &terminating] {
                         terminating = true;
                         // A wait for the printer ends first (as if its window were closed), and a box
                         // waiting for an answer is dismissed; then the window closes.
                         mainForm.LinkUiImpl().HideWait();
                         // Nested boxes go too: before the event loop runs, nothing else would end them.
                         while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                             modal->reject();
                             if (QApplication::activeModalWidget() == modal)
                                 break;
                         }
                         QTimer::singleShot(0, &mainForm, &QWidget::close);
                     });
    nubra::app::CreateStartupWindows(mainForm);
    // Ended while a start-up box (the port warning) was up: the event loop has not run yet.
    if (terminating) {
        mainForm.close();
        return 0;
    }
    mainForm.show();
    return app.exec();
}
