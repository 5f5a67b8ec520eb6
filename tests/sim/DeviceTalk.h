#pragma once
// Talking to the device model in tests: frames as the program writes them.
#include "Frame.h"
#include "Nx3Device.h"

#include <string>
#include <string_view>

namespace nubra::sim::test {

inline std::string F(std::string_view payload) {
    return MakeFrame(payload);
}

// Sends one frame and returns everything the device answers to it.
inline std::string Ask(Nx3Device& device, std::string_view payload) {
    device.Receive(F(payload));
    return device.TakeOutput();
}

inline const std::string kI1 = "\x02I1\x03"
                               "87";
inline const std::string kD1 = "\x02"
                               "D1\x03"
                               "8A";

} // namespace nubra::sim::test
