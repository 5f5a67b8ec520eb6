// nx3serwis: the service program for the NX-3 E fiscal printer.
#include <QApplication>
#include <QTimer>

#include "QtLinkUi.h"
#include "StartupWindows.h"
#include "TFormMain.h"
#include "TerminationSignals.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the main window's close ends the program
    nubra::app::InstallPolishTranslation(app);

    nubra::app::TFormMain mainForm(QCoreApplication::applicationDirPath().toStdString() + "/");
    QObject::connect(&mainForm, &nubra::app::TFormMain::closed, &app, &QCoreApplication::quit);
    nubra::app::TerminationSignals termination;
    QObject::connect(&termination, &nubra::app::TerminationSignals::terminationRequested, &mainForm,
                     [&mainForm] {
                         // A wait for the printer ends first (as if its window were closed), then the window
                         // closes.
                         mainForm.LinkUiImpl().HideWait();
                         QTimer::singleShot(0, &mainForm, &QWidget::close);
                     });
    nubra::app::CreateStartupWindows(mainForm);
    mainForm.show();
    return app.exec();
}
