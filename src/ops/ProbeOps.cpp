#include "ProbeOps.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "Cp1250.h"
#include "DeadlineLine.h"
#include "LinkError.h"
#include "LinkUi.h"
#include "ProfileFile.h"
#include "ProtocolLog.h"
#include "SystemSerialLine.h"
#include "TNX3Class.h"

namespace nubra::ops {
namespace {

constexpr std::chrono::milliseconds kProbeLimit{2000};
constexpr const char* kDevicePrefixes[] = {"ttyS", "ttyUSB", "ttyACM"};
// Without a device folder (Windows) the ports are tried by name.
constexpr int kNamedPorts = 9;

// ttyS2 before ttyS10.
bool NaturalLess(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// Nobody to tell: only the refusing code is kept.
class ProbeLinkUi : public SilentLinkUi {
public:
    void AddLogLine(const std::string& bytes) override { annotator_.Note(bytes); }
    const std::string& LastReply() const { return annotator_.LastReply(); }

private:
    LogAnnotator annotator_;
};

std::string Words(const ProbeOutcome& o) {
    switch (o.state) {
    case ProbeOutcome::State::Nx3:
        return "NX-3, numer unikatowy " + o.uniqueNumber + ", strona kodowa " + o.codePage;
    case ProbeOutcome::State::Busy:
        return "zajęte";
    case ProbeOutcome::State::Denied:
        return PortSerialLine::kPermissionReason;
    case ProbeOutcome::State::NoAnswer:
        return "brak odpowiedzi";
    case ProbeOutcome::State::Refused:
        return "odpowiedź " + o.reply;
    case ProbeOutcome::State::Unavailable:
        break;
    }
    return "nie można otworzyć";
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
    ProbeLinkUi ui;
    TNX3Class link(dataFolder, ui, std::make_unique<DeadlineLine>(std::move(tty), kProbeLimit));
    ProbeOutcome outcome;
    if (!link.OpenPort(1)) {
        const PortSerialLine::OpenFailure why = device->LastOpenFailure();
        outcome.state = why == PortSerialLine::OpenFailure::Busy     ? ProbeOutcome::State::Busy
                        : why == PortSerialLine::OpenFailure::Denied ? ProbeOutcome::State::Denied
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
    try {
        link.ClosePort();
    } catch (const LinkError&) {
        // The line goes with the link in any case.
    }
    return outcome;
}

std::string ProbePlace(const ProbeTarget& target) {
    return target.name == target.path ? target.path : target.name + " (" + target.path + ")";
}

std::string ProbeLine(const ProbeTarget& target, const ProbeOutcome& outcome) {
    return ProbePlace(target) + ": " + Words(outcome);
}

const char* ProbeStateKey(ProbeOutcome::State state) {
    switch (state) {
    case ProbeOutcome::State::Nx3:
        return "nx3";
    case ProbeOutcome::State::Busy:
        return "busy";
    case ProbeOutcome::State::Denied:
        return "denied";
    case ProbeOutcome::State::NoAnswer:
        return "no-answer";
    case ProbeOutcome::State::Refused:
        return "refused";
    case ProbeOutcome::State::Unavailable:
        break;
    }
    return "unavailable";
}

} // namespace nubra::ops
