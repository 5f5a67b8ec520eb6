// probe: the shared probe run over every serial device, one row each.
#include "CliCommands.h"
#include "DataFolderChoice.h"
#include "ProbeOps.h"
#include "ProfileFile.h"
#include "SystemPlaces.h"

namespace nubra::cli {

bool RunProbe(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    const ProfileFile config(c.dataFolder + kConfigFileName);
    std::vector<CliResult> rows;
    // A script asking "is there a printer" reads the exit code.
    c.exit = ExitRefused;
    for (const ops::ProbeTarget& target : ops::ProbeTargets(config, SystemDeviceFolder())) {
        const ops::ProbeOutcome o = ops::ProbeDevice(target.path, c.dataFolder);
        CliResult row;
        row.Add("name", "", target.name);
        row.Add("device", "", target.path);
        row.Add("state", "", ops::ProbeStateKey(o.state));
        if (o.state == ops::ProbeOutcome::State::Nx3) {
            row.Add("uniqueNumber", "", o.uniqueNumber);
            row.Add("codePage", "", o.codePage);
        }
        row.AddLine(ops::ProbeLine(target, o));
        rows.push_back(row);
        if (o.state == ops::ProbeOutcome::State::Nx3)
            c.exit = ExitOk;
    }
    c.result.AddList("devices", rows);
    return true;
}

} // namespace nubra::cli
