// libFuzzer entry: nx3cli's command line. Arguments are the input split at NUL bytes. They parse to
// options or to a usage error (exit code 64); a subcommand's own arguments are then checked by its
// handler, against the emulated printer. A usage error comes before anything is sent; besides it,
// only the link's and nx3cli's own errors may end a run.
//
// Subcommands whose arguments name files (they would read or write any path) are left to their tests.
#include <cstdint>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "DeviceLine.h"
#include "FuzzArgs.h"
#include "FuzzCheck.h"
#include "NubraError.h"
#include "TNX3Class.h"

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

void RunHandler(const CliCommand& command, const CliOptions& options) {
    nubra::sim::Nx3Device device;
    device.SetHostClock([] { return std::int64_t{1796760000}; });
    auto owned = std::make_unique<nubra::fuzz::DeviceLine>(device);
    nubra::fuzz::DeviceLine& line = *owned;
    std::ostringstream err;
    ConsoleLinkUi ui(err);
    nubra::TNX3Class link("/nubra5/", ui, std::move(owned));
    ui.SetLink(&link);
    line.OnIdle = [&link] { link.AbortRequested = true; };
    link.Sleep = [](int) {};
    link.PrinterType = 2;
    CliResult result;
    CliContext context{link, ui, options, result, "/nonexistent/", 1};
    try {
        if (command.opensPort)
            context.OpenPort();
        command.run(context, options.args);
    } catch (const UsageError&) {
        Require(line.Writes() == 0, "a usage error comes before anything is sent");
    } catch (const CliFailure&) {
    } catch (const PortNotOpened&) {
    } catch (const nubra::Error&) {
    }
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
        RunHandler(*command, options);
    return 0;
}
