#pragma once
// nx3cli's command line: the options that hold for every subcommand, the subcommand and its own
// arguments.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace nubra::cli {

// Exit codes. 2 promises that nothing was done (a script may try again); 3 that the printer may have
// done it (a sale, a printout, a report: check before trying again).
enum Exit : int {
    ExitOk = 0,
    ExitRefused = 1,
    ExitNoCommunication = 2,
    ExitOutcomeUnknown = 3,
    ExitUsage = 64,
    ExitInterrupted = 130
};

// A command line that cannot be run; what() says why (Polish). Raised before anything is sent.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A local failure (a file that cannot be written): exit 1 with what() on stderr.
class CliFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Ctrl+C ended the run: exit 130 with what() on stderr. outcomeUnknown when it cut the wait for the
// printer's answer.
class Interrupted : public std::runtime_error {
public:
    Interrupted(const std::string& message, bool outcomeUnknown)
        : std::runtime_error(message), outcomeUnknown(outcomeUnknown) {}
    bool outcomeUnknown;
};

struct CliOptions {
    std::optional<std::string> device;
    std::optional<int> port;
    std::optional<std::string> data;
    std::optional<std::string> trace;
    bool json = false;
    bool yes = false;
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> args;
};

// Options before the subcommand; "--json", "--yes" and "--help" also after it ("COMMAND --help" asks
// for that command's usage). "--opt=value" is read as "--opt value" everywhere. Raises UsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& args);
std::string CliUsage();
// One command's usage line with the options that hold for every command.
std::string CliCommandUsage(const std::string& command);
// The second line of every usage error.
inline constexpr const char* kHelpHint = "nx3cli --help";

} // namespace nubra::cli
