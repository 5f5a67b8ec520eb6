#pragma once
// A serial line that goes silent once a time limit from its opening has passed: every read after it
// reports nothing, so one exchange with whatever is on the line ends within the limit however the
// device trickles its bytes.
#include <chrono>
#include <memory>

#include "SerialLine.h"

namespace nubra {

class DeadlineLine : public SerialLine {
public:
    DeadlineLine(std::unique_ptr<SerialLine> line, std::chrono::milliseconds limit)
        : line_(std::move(line)), limit_(limit) {}

    OpenResult Open(int portNumber) override {
        deadline_ = Clock::now() + limit_;
        return line_->Open(portNumber);
    }
    std::string OpenFailureDetail() const override { return line_->OpenFailureDetail(); }
    bool IsOpen() const override { return line_->IsOpen(); }
    bool SetReadTimeout(int milliseconds) override {
        timeoutMs_ = milliseconds;
        return line_->SetReadTimeout(milliseconds);
    }
    bool Purge() override { return line_->Purge(); }
    bool Write(const std::string& bytes) override { return Clock::now() < deadline_ && line_->Write(bytes); }
    int ReadByte() override {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        if (left <= 0)
            return kNoByte;
        line_->SetReadTimeout(static_cast<int>(std::min<long long>(timeoutMs_, left)));
        return line_->ReadByte();
    }
    bool Close() override { return line_->Close(); }
    bool Gone() const override { return line_->Gone(); }
    std::string DevicePath(int portNumber) const override { return line_->DevicePath(portNumber); }

private:
    using Clock = std::chrono::steady_clock;
    std::unique_ptr<SerialLine> line_;
    std::chrono::milliseconds limit_;
    Clock::time_point deadline_{};
    int timeoutMs_ = 2000;
};

} // namespace nubra
