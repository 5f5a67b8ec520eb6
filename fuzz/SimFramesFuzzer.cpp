// libFuzzer entry: any bytes on the line into the emulator's frame parser and into the emulated device.
// However the bytes are cut into reads, the device answers the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "FrameParser.h"
#include "FuzzCheck.h"
#include "Nx3Device.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using nubra::fuzz::Require;
    if (size < 1)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    nubra::sim::FrameParser parser;
    parser.ExpectFixedPayload(data[0] % 8);
    for (char byte : bytes)
        if (auto frame = parser.Feed(byte))
            Require(frame->payload.size() <= nubra::sim::FrameParser::kMaxPayload,
                    "a payload fits the limit");

    // One fixed clock for both: the device's own clock ("E1") would otherwise tell them apart whenever
    // the second runs into the next second.
    const auto clock = [] { return std::int64_t{1738327509}; }; // 2025-01-31 12:45:09
    nubra::sim::Nx3Device whole;
    whole.SetHostClock(clock);
    whole.Receive(bytes);
    nubra::sim::Nx3Device piecewise;
    piecewise.SetHostClock(clock);
    // Reads of 1..8 bytes, the length taken from the first byte's bits.
    const std::size_t step = 1 + (data[0] >> 5);
    std::string answered;
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        piecewise.Receive(bytes.substr(at, step));
        answered += piecewise.TakeOutput();
    }
    Require(whole.TakeOutput() == answered, "the answer does not depend on how the line was read");
    return 0;
}
