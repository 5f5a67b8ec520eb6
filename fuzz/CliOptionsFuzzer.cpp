// libFuzzer entry: nx3cli's command line. Arguments are the input split at NUL bytes. They parse to
// options or to a usage error (exit code 64); a subcommand's own arguments are then checked by its
// handler, run against the emulated printer (CliHarness.h).
//
// Subcommands whose arguments name files (they would read or write any path) are left out: the sale
// files of "sell" and "exchange" have a target of their own (sale_file).
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "CliHarness.h"
#include "FuzzArgs.h"
#include "FuzzCheck.h"

namespace {

using namespace nubra::cli;
using nubra::fuzz::Require;

const std::set<std::string> kFileCommands = {"sell",     "exchange",  "transfer", "print",
                                             "snapshot", "catalogue", "probe"};

void CheckOptions(const CliOptions& o) {
    Require(!(o.device && o.port), "--device and --port are not both taken");
    Require(!o.port || (*o.port >= 1 && *o.port <= 4), "a port is COM1 to COM4");
    Require(o.help || !o.command.empty(), "a command line without help names a command");
    Require(o.command.empty() || o.command[0] != '-', "an option is not taken for the command");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = nubra::fuzz::Arguments(data, size);
    CliOptions options;
    try {
        options = ParseCliOptions(args);
    } catch (const UsageError&) {
        return 0;
    }
    CheckOptions(options);
    if (options.help)
        return 0;
    const CliCommand* command = FindCliCommand(options.command);
    if (command && !kFileCommands.count(command->name))
        nubra::fuzz::RunCliHandler(*command, options);
    return 0;
}
