#pragma once
// Which of the machine's serial devices holds an NX-3: nx3cli's probe and the port dialog's "Wykryj".
#include <filesystem>
#include <string>
#include <vector>

namespace nubra {
class ProfileFile;
}

namespace nubra::ops {

struct ProbeTarget {
    std::string name; // "COM1" for a key of nx3config.ini, else the path
    std::string path;
};

struct ProbeOutcome {
    enum class State { Nx3, Busy, Denied, NoAnswer, Refused, Unavailable };
    State state = State::Unavailable;
    std::string uniqueNumber; // UTF-8
    std::string codePage;     // "Mazovia" or "Latin"
    std::string reply;        // the refusing code
};

// The COM keys of the configuration first, then every ttyS*, ttyUSB*, ttyACM* of devFolder; with no
// devFolder, the ports COM1..COM9 by name.
std::vector<ProbeTarget> ProbeTargets(const ProfileFile& config, const std::filesystem::path& devFolder);
// One device, for at most the time limit: its status as the program reads it. The device is closed
// again before it returns. Safe to run on another thread than the windows'.
ProbeOutcome ProbeDevice(const std::string& path, const std::string& dataFolder);
// "COM1 (/dev/ttyUSB0)", or the path alone for a device no COM key names.
std::string ProbePlace(const ProbeTarget& target);
// "COM1 (/dev/ttyUSB0): NX-3, numer unikatowy ABC12345678, strona kodowa Mazovia"
std::string ProbeLine(const ProbeTarget& target, const ProbeOutcome& outcome);
// "nx3", "busy", "denied", "no-answer", "refused", "unavailable"
const char* ProbeStateKey(ProbeOutcome::State state);

} // namespace nubra::ops
