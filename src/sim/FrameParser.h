#pragma once
// Gathers the frames the program writes, one byte at a time. Bytes outside a frame are line noise and
// are dropped; a new STX inside a frame starts the frame again, so a program that gave up half-way
// and starts over is understood.
//
// Raw printing shares the line: a printed line is STX, text, ETX with no checksum (the next byte is
// a control byte, never a hex digit), EOT outside a frame feeds the paper and ENQ cuts it.
#include <cstddef>
#include <optional>
#include <string>

namespace nubra::sim {

struct ReceivedFrame {
    enum class Kind { Frame, PrintLine, Feed, Cut };

    std::string payload;
    bool checksumOk = false;
    Kind kind = Kind::Frame;
};

class FrameParser {
public:
    // Longer payloads are taken as garbage and dropped.
    static constexpr std::size_t kMaxPayload = 1024;

    // The next frame carries exactly this many raw payload bytes (STX and ETX values included), as the
    // status bytes of "K4" do. Zero returns to ordinary frames.
    void ExpectFixedPayload(std::size_t length);
    std::optional<ReceivedFrame> Feed(char byte);
    // A byte that ended a printed line and is itself a feed or a cut leaves that second result here.
    std::optional<ReceivedFrame> TakeQueued();
    void Reset();

private:
    enum class State { Outside, Payload, Etx, Checksum };

    std::optional<ReceivedFrame> Finish();
    std::optional<ReceivedFrame> Outside(char byte);

    State state_ = State::Outside;
    std::size_t fixedLength_ = 0;
    std::string payload_;
    std::string checksum_;
    bool broken_ = false;
    std::optional<ReceivedFrame> queued_;
};

} // namespace nubra::sim
