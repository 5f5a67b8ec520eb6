#include "FrameParser.h"

#include "Frame.h"

#include <utility>

namespace nubra::sim {
namespace {

constexpr char kEot = '\x04';
constexpr char kEnq = '\x05';

} // namespace

void FrameParser::ExpectFixedPayload(std::size_t length) {
    fixedLength_ = length;
}

void FrameParser::Reset() {
    state_ = State::Outside;
    payload_.clear();
    checksum_.clear();
    broken_ = false;
}

std::optional<ReceivedFrame> FrameParser::TakeQueued() {
    return std::exchange(queued_, std::nullopt);
}

std::optional<ReceivedFrame> FrameParser::Outside(char byte) {
    if (byte == kStx) {
        Reset();
        state_ = State::Payload;
    } else if (byte == kEot) {
        return ReceivedFrame{{}, true, ReceivedFrame::Kind::Feed};
    } else if (byte == kEnq) {
        return ReceivedFrame{{}, true, ReceivedFrame::Kind::Cut};
    }
    return std::nullopt;
}

std::optional<ReceivedFrame> FrameParser::Feed(char byte) {
    switch (state_) {
    case State::Outside:
        return Outside(byte);
    case State::Payload:
        if (fixedLength_ > 0) {
            payload_ += byte;
            if (payload_.size() == fixedLength_)
                state_ = State::Etx;
            return std::nullopt;
        }
        if (byte == kStx) {
            Reset();
            state_ = State::Payload;
        } else if (byte == kEtx) {
            state_ = State::Checksum;
        } else if (payload_.size() < kMaxPayload) {
            payload_ += byte;
        } else {
            Reset();
        }
        return std::nullopt;
    case State::Etx:
        // A fixed payload not closed by ETX is a damaged frame; its checksum is still read so the
        // rest of it is not taken for a new frame.
        broken_ = byte != kEtx;
        state_ = State::Checksum;
        if (broken_)
            checksum_ += byte;
        return std::nullopt;
    case State::Checksum:
        if (checksum_.empty() && fixedLength_ == 0 && (byte == kStx || byte == kEot || byte == kEnq)) {
            ReceivedFrame line{payload_, true, ReceivedFrame::Kind::PrintLine};
            Reset();
            queued_ = Outside(byte);
            return line;
        }
        checksum_ += byte;
        if (checksum_.size() == 2)
            return Finish();
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<ReceivedFrame> FrameParser::Finish() {
    ReceivedFrame frame{payload_, !broken_ && checksum_ == ChecksumOf(payload_)};
    Reset();
    return frame;
}

} // namespace nubra::sim
