#pragma once
// probe: which of the machine's serial devices holds an NX-3.
#include <filesystem>
#include <string>
#include <vector>

namespace nubra {
class ProfileFile;
}

namespace nubra::cli {

struct ProbeTarget {
    std::string name; // "COM1" for a key of nx3config.ini, else the path
    std::string path;
};

struct ProbeOutcome {
    enum class State { Nx3, Busy, NoAnswer, Refused, Unavailable };
    State state = State::Unavailable;
    std::string uniqueNumber; // UTF-8
    std::string codePage;     // "Mazovia" or "Latin"
    std::string reply;        // the refusing code
};

// The COM keys of the configuration first, then every ttyS*, ttyUSB*, ttyACM* of devFolder; with no
// devFolder, the ports COM1..COM9 by name.
std::vector<ProbeTarget> ProbeTargets(const ProfileFile& config, const std::filesystem::path& devFolder);
// One device, for at most the time limit: its status as the program reads it.
ProbeOutcome ProbeDevice(const std::string& path, const std::string& dataFolder);

} // namespace nubra::cli
