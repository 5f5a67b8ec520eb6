// libFuzzer entry: the program's command line. Arguments are the input split at NUL bytes, after the
// program's name, as the system hands them over (UTF-8). Any of them ends in options to run with, or
// in a text to print and an exit code: 0 for help and version, 1 for a mistake, which then says where
// the options are described.
#include <QCoreApplication>
#include <QStringList>

#include <cstdint>

#include "CommandLine.h"
#include "FuzzArgs.h"
#include "FuzzCheck.h"

namespace {

using nubra::fuzz::Require;

// The parser's help text asks the application object for the program's name.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "nx3serwis";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EnsureApplication();
    QStringList arguments{QStringLiteral("nx3serwis")};
    for (const std::string& argument : nubra::fuzz::Arguments(data, size))
        arguments << QString::fromStdString(argument);
    const nubra::app::CommandLine c = nubra::app::ParseCommandLine(arguments);
    Require(c.exitCode >= -1 && c.exitCode <= 1, "the program runs, or ends with 0 or 1");
    Require(!c.unknownOption || c.exitCode == 1, "an unknown option is a mistake");
    if (c.exitCode == -1) {
        Require(c.message.isEmpty(), "a command line to run with prints nothing");
        Require(c.port >= 0 && c.port <= 4, "a port is COM1 to COM4, or none");
    } else if (c.exitCode == 0) {
        Require(!c.message.isEmpty(), "help and version print a text");
    } else {
        Require(c.message.endsWith(QStringLiteral("\nOpis opcji: nx3serwis --help\n")),
                "a mistake says where the options are described");
    }
    return 0;
}
