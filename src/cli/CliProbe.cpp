#include "CliProbe.h"

#include <algorithm>
#include <sstream>

#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "Cp1250.h"
#include "DataFolderChoice.h"
#include "DeadlineLine.h"
#include "LinkError.h"
#include "ProfileFile.h"
#include "SystemPlaces.h"
#include "SystemSerialLine.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {

constexpr std::chrono::milliseconds kProbeLimit{2000};
constexpr const char* kDevicePrefixes[] = {"ttyS", "ttyUSB", "ttyACM"};
// Without a device folder (Windows) the ports are tried by name.
constexpr int kNamedPorts = 9;

// ttyS2 before ttyS10.
bool NaturalLess(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string Words(const ProbeOutcome& o) {
    switch (o.state) {
    case ProbeOutcome::State::Nx3:
        return "NX-3, numer unikatowy " + o.uniqueNumber + ", strona kodowa " + o.codePage;
    case ProbeOutcome::State::Busy:
        return "zajęte";
    case ProbeOutcome::State::NoAnswer:
        return "brak odpowiedzi";
    case ProbeOutcome::State::Refused:
        return "odpowiedź " + o.reply;
    case ProbeOutcome::State::Unavailable:
        break;
    }
    return "nie można otworzyć";
}

const char* Key(ProbeOutcome::State state) {
    switch (state) {
    case ProbeOutcome::State::Nx3:
        return "nx3";
    case ProbeOutcome::State::Busy:
        return "busy";
    case ProbeOutcome::State::NoAnswer:
        return "no-answer";
    case ProbeOutcome::State::Refused:
        return "refused";
    case ProbeOutcome::State::Unavailable:
        break;
    }
    return "unavailable";
}

} // namespace

std::vector<ProbeTarget> ProbeTargets(const ProfileFile& config, const std::filesystem::path& devFolder) {
    std::vector<ProbeTarget> targets;
    for (int n = 1; n <= 4; ++n) {
        const std::string key = "COM" + std::to_string(n);
        if (config.HasKey("PORT", key))
            targets.push_back({key, config.ReadString("PORT", key, "")});
    }
    std::vector<std::string> names;
    std::error_code ec;
    if (devFolder.empty()) {
        for (int n = 1; n <= kNamedPorts; ++n)
            names.push_back("COM" + std::to_string(n));
    }
    for (const auto& entry : std::filesystem::directory_iterator(devFolder, ec)) {
        const std::string name = entry.path().filename().string();
        for (const char* prefix : kDevicePrefixes)
            if (name.starts_with(prefix) && name.size() > std::string(prefix).size())
                names.push_back(name);
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    for (const std::string& name : names) {
        const std::string path = devFolder.empty() ? name : (devFolder / name).string();
        const bool listed = std::any_of(targets.begin(), targets.end(), [&](const ProbeTarget& t) {
            std::error_code same;
            return t.path == path || std::filesystem::equivalent(t.path, path, same);
        });
        if (!listed)
            targets.push_back({path, path});
    }
    return targets;
}

ProbeOutcome ProbeDevice(const std::string& path, const std::string& dataFolder) {
    auto tty = std::make_unique<SystemSerialLine>();
    tty->SetDevicePath(1, path);
    SystemSerialLine* device = tty.get();
    std::ostringstream quiet;
    ConsoleLinkUi ui(quiet);
    TNX3Class link(dataFolder, ui, std::make_unique<DeadlineLine>(std::move(tty), kProbeLimit));
    ui.SetLink(&link);
    ProbeOutcome outcome;
    if (!link.OpenPort(1)) {
        outcome.state = device->LastOpenFailure() == PortSerialLine::OpenFailure::Busy
                            ? ProbeOutcome::State::Busy
                            : ProbeOutcome::State::Unavailable;
        return outcome;
    }
    try {
        std::string uniqueNo, nip;
        unsigned char status1 = 0, status2 = 0;
        if (link.GetStatus3LetterPI(uniqueNo, nip, status1, status2)) {
            outcome.state = ProbeOutcome::State::Nx3;
            outcome.uniqueNumber = cp1250::ToUtf8(uniqueNo);
            outcome.codePage = (status1 & 0x80) ? "Latin" : "Mazovia";
        } else {
            outcome.state = ProbeOutcome::State::Refused;
            outcome.reply = ui.LastReply();
        }
    } catch (const LinkError&) {
        outcome.state = ProbeOutcome::State::NoAnswer;
    }
    link.ClosePort();
    return outcome;
}

bool RunProbe(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    const ProfileFile config(c.dataFolder + kConfigFileName);
    std::vector<CliResult> rows;
    // A script asking "is there a printer" reads the exit code.
    c.exit = ExitRefused;
    for (const ProbeTarget& target : ProbeTargets(config, SystemDeviceFolder())) {
        const ProbeOutcome o = ProbeDevice(target.path, c.dataFolder);
        CliResult row;
        row.Add("name", "", target.name);
        row.Add("device", "", target.path);
        row.Add("state", "", Key(o.state));
        if (o.state == ProbeOutcome::State::Nx3) {
            row.Add("uniqueNumber", "", o.uniqueNumber);
            row.Add("codePage", "", o.codePage);
        }
        const std::string where =
            target.name == target.path ? target.path : target.name + " (" + target.path + ")";
        row.AddLine(where + ": " + Words(o));
        rows.push_back(row);
        if (o.state == ProbeOutcome::State::Nx3)
            c.exit = ExitOk;
    }
    c.result.AddList("devices", rows);
    return true;
}

} // namespace nubra::cli
