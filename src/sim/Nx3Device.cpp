#include "Nx3Device.h"

#include "Frame.h"

#include <algorithm>
#include <utility>

namespace nubra::sim {

Nx3Device::Nx3Device(DeviceState state) : state_(std::move(state)) {}

DeviceCodePage Nx3Device::CodePage() const {
    return (state_.status1 & status1::kLatin) ? DeviceCodePage::Latin2 : DeviceCodePage::Mazovia;
}

void Nx3Device::Receive(std::string_view bytes) {
    // While streaming the line belongs to something else that does not listen.
    if (faults_.streaming || hand_.powerOff)
        return;
    for (char byte : bytes) {
        bool handled = false;
        if (auto frame = parser_.Feed(byte)) {
            OnFrame(*frame);
            handled = true;
        }
        if (auto queued = parser_.TakeQueued()) {
            OnFrame(*queued);
            handled = true;
        }
        if (handled && observer_)
            observer_(state_);
    }
}

std::string Nx3Device::TakeOutput() {
    std::string all;
    for (const OutputChunk& chunk : output_)
        all += chunk.bytes;
    output_.clear();
    return all;
}

std::vector<OutputChunk> Nx3Device::TakeChunks() {
    return std::exchange(output_, {});
}

void Nx3Device::ResetLine() {
    parser_.Reset();
    EndExchange();
}

void Nx3Device::OnFrame(const ReceivedFrame& frame) {
    if (frame.kind != ReceivedFrame::Kind::Frame) {
        PrintRaw(frame);
        return;
    }
    if (dataHandler_ != nullptr) {
        // A program that gave up half-way starts over with a new command; the half-done exchange is
        // dropped. Data of the commands here never reads as a command code (the "K4" status byte 1
        // always has bit 5 set, which no upper-case letter has).
        if (frame.checksumOk && Commands().count(frame.payload) > 0) {
            EndExchange();
            StartCommand(frame.payload);
            return;
        }
        const DataHandler handler = dataHandler_;
        EndExchange();
        if (!frame.checksumOk) {
            SendCode("D0");
            return;
        }
        (this->*handler)(frame.payload);
        return;
    }
    if (!frame.checksumOk) {
        SendCode("I5");
        return;
    }
    StartCommand(frame.payload);
}

void Nx3Device::StartCommand(const std::string& code) {
    if (std::exchange(faults_.silence, false))
        return;
    ApplyDueClockEvents();
    command_ = code;
    if (faults_.hangUpOn == code && faults_.hangUpAt == FailAt::Command) {
        faults_.hangUpOn.reset();
        HangUpInFrame(0);
    }
    if (faults_.failCode && faults_.failAt == FailAt::Command) {
        SendCode(*std::exchange(faults_.failCode, std::nullopt));
        return;
    }
    if (RefusedByHand(code))
        return;
    const auto& commands = Commands();
    const auto found = commands.find(code);
    if (found == commands.end()) {
        SendCode("I2");
        return;
    }
    (this->*(found->second))();
}

void Nx3Device::EndExchange() {
    dataHandler_ = nullptr;
    parser_.ExpectFixedPayload(0);
}

void Nx3Device::Accept() {
    SendCode("I1");
}

void Nx3Device::ExpectData(DataHandler handler, std::size_t fixedLength) {
    if (LineDown())
        return;
    dataHandler_ = handler;
    parser_.ExpectFixedPayload(fixedLength);
}

bool Nx3Device::Finish(const char* closing) {
    if (faults_.hangUpOn == command_ && faults_.hangUpAt == FailAt::Closing) {
        faults_.hangUpOn.reset();
        HangUpInFrame(0);
    }
    if (faults_.failCode && faults_.failAt == FailAt::Closing) {
        SendCode(*std::exchange(faults_.failCode, std::nullopt));
        return false;
    }
    SendCode(closing);
    return true;
}

void Nx3Device::SendCode(const std::string& code) {
    if (code.size() == 6 && code.starts_with("X2")) {
        SendFrame("X2");
        SendFrame(code.substr(2));
        return;
    }
    SendFrame(code);
}

void Nx3Device::SendText(const std::string& cp1250) {
    SendFrame(ToDeviceText(cp1250, CodePage()));
}

bool Nx3Device::LineDown() const {
    return !output_.empty() && output_.back().hangUp;
}

void Nx3Device::SendFrame(const std::string& payload) {
    if (LineDown())
        return;
    const std::size_t index = framesSent_++;
    auto hits = [index](std::optional<FrameFault>& fault) {
        if (!fault || fault->frame != index)
            return false;
        fault.reset();
        return true;
    };
    OutputChunk chunk;
    if (hits(faults_.delay))
        chunk.delay = faults_.delayLength;
    chunk.delay += std::exchange(nextFrameDelay_, {});
    if (hits(faults_.noise))
        chunk.bytes = faults_.noiseBytes;
    std::string frame = MakeFrame(payload);
    if (hits(faults_.badChecksum)) {
        // Still two upper-case hex digits, just not the right ones.
        frame[frame.size() - 1] = frame.back() == '0' ? '1' : '0';
    }
    chunk.bytes += frame;
    if (hits(faults_.hangUp)) {
        chunk.bytes.resize(std::min(chunk.bytes.size(), faults_.hangUpAfterBytes));
        chunk.hangUp = true;
        ResetLine();
    }
    if (chunk.delay.count() == 0 && !chunk.hangUp && !output_.empty())
        output_.back().bytes += chunk.bytes;
    else
        output_.push_back(std::move(chunk));
}

std::string Nx3Device::DefaultNoise() {
    // XON and XOFF among them: the line must pass them through as data.
    return std::string("\x00\x11\x13\xFF\x7F#noise", 11);
}

void Nx3Device::InjectNoise(std::string bytes, std::size_t frame) {
    faults_.noise = FrameFault{framesSent_ + frame};
    faults_.noiseBytes = std::move(bytes);
}

void Nx3Device::CorruptChecksum(std::size_t frame) {
    faults_.badChecksum = FrameFault{framesSent_ + frame};
}

void Nx3Device::DelayFrame(std::chrono::milliseconds delay, std::size_t frame) {
    faults_.delay = FrameFault{framesSent_ + frame};
    faults_.delayLength = delay;
}

void Nx3Device::HangUpInFrame(std::size_t bytes, std::size_t frame) {
    faults_.hangUp = FrameFault{framesSent_ + frame};
    faults_.hangUpAfterBytes = bytes;
}

void Nx3Device::HangUpOn(std::string code, FailAt at) {
    faults_.hangUpOn = std::move(code);
    faults_.hangUpAt = at;
}

void Nx3Device::SilenceNextCommand() {
    faults_.silence = true;
}

void Nx3Device::FailNextCommand(std::string code, FailAt at) {
    faults_.failCode = std::move(code);
    faults_.failAt = at;
}

void Nx3Device::StartEndlessStream() {
    faults_.streaming = true;
    ResetLine();
}

void Nx3Device::StopEndlessStream() {
    faults_.streaming = false;
}

std::string Nx3Device::StreamBytes(std::size_t count) {
    // What a scale left on the port would send: readings, never a frame byte.
    static constexpr std::string_view kPattern = "ST,GS,+  0.000kg\r\n";
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        out += kPattern[streamPosition_++ % kPattern.size()];
    return out;
}

} // namespace nubra::sim
