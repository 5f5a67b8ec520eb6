// nx3serwis: the service program for the NX-3 E fiscal printer.
#include <QApplication>
#include <QDialog>
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
