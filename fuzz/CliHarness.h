#pragma once
// One nx3cli subcommand run as nx3cli runs it, against the emulated printer in this process (a new one
// for each run): the handler first checks its arguments and files, then talks to the printer.
//
// A usage error must come before anything is sent; besides it, only the link's and nx3cli's own
// errors may end a run. Any other exception is a crash.
#include <cstdint>
#include <memory>
#include <sstream>

#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "DeviceLine.h"
#include "FuzzCheck.h"
#include "NubraError.h"
#include "TNX3Class.h"

namespace nubra::fuzz {

inline void RunCliHandler(const cli::CliCommand& command, const cli::CliOptions& options) {
    sim::Nx3Device device;
    device.SetHostClock([] { return std::int64_t{1796760000}; });
    auto owned = std::make_unique<DeviceLine>(device);
    DeviceLine& line = *owned;
    std::ostringstream err;
    cli::ConsoleLinkUi ui(err);
    TNX3Class link("/nubra5/", ui, std::move(owned));
    ui.SetLink(&link);
    line.OnIdle = [&link] { link.AbortRequested = true; };
    link.Sleep = [](int) {};
    link.PrinterType = 2;
    cli::CliResult result;
    cli::CliContext context{link, ui, options, result, "/nonexistent/", 1};
    try {
        if (command.opensPort)
            context.OpenPort();
        command.run(context, options.args);
    } catch (const cli::UsageError&) {
        Require(line.Writes() == 0, "a usage error comes before anything is sent");
    } catch (const cli::CliFailure&) {
    } catch (const cli::PortNotOpened&) {
    } catch (const Error&) {
    }
}

} // namespace nubra::fuzz
