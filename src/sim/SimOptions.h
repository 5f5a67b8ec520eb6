#pragma once
// Command line of nx3sim: where to put the line, the device's starting state and the faults to arm.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "Nx3Device.h"

namespace nubra::sim {

struct SimOptions {
    bool help = false;
    bool version = false;
    std::string linkPath;
    std::string rollFile;
    std::string stateFile;
    // The operator's control socket; none when empty.
    std::string controlPath;
    // Answers paced at 9600 baud, as a real line carries them, and reports printed at a printer's pace.
    bool lineRate = false;

    std::optional<std::string> uniqueNumber;
    std::optional<std::string> nip;
    bool latin = false;
    std::optional<int> errorNumber;
    std::optional<std::string> infoW;
    bool readOnly = false;
    // Seconds an open transaction lasts before the device cancels it ("D4" to its next sale).
    std::optional<int> transactionTimeout;

    bool noise = false;
    bool badChecksum = false;
    bool silence = false;
    std::optional<int> delayMs;
    std::optional<std::string> errorCode;
    std::optional<std::string> closingErrorCode;
    std::optional<int> hangUpAfter;
    bool stream = false;
};

// Returns the options, or nullopt with a message in `error`. "--opt=value" is read as "--opt value".
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);
std::string SimHelp();
// A reply code the device may be made to give: two characters, or "X2" and four upper-case hex digits.
bool IsReplyCode(const std::string& code);

inline constexpr int kPrintLineMs = 50;

// The starting state the options ask for.
void ApplyState(const SimOptions& options, DeviceState& state);
// Arms the chosen faults for the next command (again on every call).
void ArmFaults(const SimOptions& options, Nx3Device& device);

} // namespace nubra::sim
