// nx3serwis: the service program for the NX-3 E fiscal printer.
#include <QApplication>

#include "StartupWindows.h"
#include "TFormMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the main window's close ends the program
    nubra::app::InstallPolishTranslation(app);

    nubra::app::TFormMain mainForm(QCoreApplication::applicationDirPath().toStdString() + "/");
    QObject::connect(&mainForm, &nubra::app::TFormMain::closed, &app, &QCoreApplication::quit);
    nubra::app::CreateStartupWindows(mainForm);
    mainForm.show();
    return app.exec();
}
