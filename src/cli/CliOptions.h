#pragma once
// nx3cli's command line: the options that hold for every subcommand, the subcommand and its own
// arguments.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace nubra::cli {

// Exit codes.
enum Exit : int { ExitOk = 0, ExitRefused = 1, ExitNoCommunication = 2, ExitUsage = 64 };

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

struct CliOptions {
    std::optional<std::string> device;
    std::optional<int> port;
    std::optional<std::string> data;
    std::optional<std::string> trace;
    bool json = false;
    bool yes = false;
    bool help = false;
    std::string command;
    std::vector<std::string> args;
};

// Options before the subcommand; "--json" and "--yes" also after it. Raises UsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& args);
std::string CliUsage();

} // namespace nubra::cli
