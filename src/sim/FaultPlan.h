#pragma once
// Faults armed for what the device sends or answers next. Each one fires once and is then disarmed.
// Frame faults count the frames the device sends from the moment they were armed: 0 is the next one.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace nubra::sim {

enum class FailAt {
    Command, // in place of "I1" to the command code
    Closing  // in place of the closing "D1"
};

struct FrameFault {
    // Absolute index of the frame it hits, counted by the device from power-on.
    std::size_t frame = 0;
};

struct FaultPlan {
    std::optional<FrameFault> noise;
    std::string noiseBytes;
    std::optional<FrameFault> badChecksum;
    std::optional<FrameFault> delay;
    std::chrono::milliseconds delayLength{0};
    std::optional<FrameFault> hangUp;
    std::size_t hangUpAfterBytes = 0;
    // The line closes in place of this command's answer ("I1" or a refusal) or closing code.
    std::optional<std::string> hangUpOn;
    FailAt hangUpAt = FailAt::Closing;

    bool silence = false;
    std::optional<std::string> failCode;
    FailAt failAt = FailAt::Command;

    bool streaming = false;
};

} // namespace nubra::sim
