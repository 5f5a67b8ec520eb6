#pragma once
// Gathers the frames the program writes, one byte at a time. Bytes outside a frame are line noise and
// are dropped; a new STX inside a frame starts the frame again, so a program that gave up half-way
// and starts over is understood.
#include <cstddef>
#include <optional>
#include <string>

namespace nubra::sim {

struct ReceivedFrame {
    std::string payload;
    bool checksumOk = false;
};

class FrameParser {
public:
    // Longer payloads are taken as garbage and dropped.
    static constexpr std::size_t kMaxPayload = 1024;

    // The next frame carries exactly this many raw payload bytes (STX and ETX values included), as the
    // status bytes of "K4" do. Zero returns to ordinary frames.
    void ExpectFixedPayload(std::size_t length);
    std::optional<ReceivedFrame> Feed(char byte);
    void Reset();

private:
    enum class State { Outside, Payload, Etx, Checksum };

    std::optional<ReceivedFrame> Finish();

    State state_ = State::Outside;
    std::size_t fixedLength_ = 0;
    std::string payload_;
    std::string checksum_;
    bool broken_ = false;
};

} // namespace nubra::sim
