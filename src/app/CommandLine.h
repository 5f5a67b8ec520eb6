#pragma once
// The program's command line: --data DIR, --port N, --help and --version.
#include <QString>
#include <QStringList>

namespace nubra::app {

struct CommandLine {
    QString dataFolder; // empty: chosen by ChooseDataFolder
    int port = 0;       // 1..4 for this run only; 0: [PORT] com of nx3config.ini
    // exitCode >= 0: the program prints message (to stderr when exitCode is not 0) and ends.
    int exitCode = -1;
    QString message;
    // The failure is an option unknown here: it may be one of Qt's own (-style, -platform), which
    // only the window system's application object takes away.
    bool unknownOption = false;
};

// arguments as QCoreApplication::arguments(), the program's name first. Needs an application object.
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace nubra::app
