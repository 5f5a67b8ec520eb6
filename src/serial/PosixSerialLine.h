#pragma once
// A tty device as the printer's serial line: a real port or the slave side of a pseudo-terminal.
// COM1..COM4 map to device paths (default /dev/ttyS0../dev/ttyS3). The device is held exclusively
// by an flock, which also holds for root and ends with the process, and runs raw at 9600 8N1 with XON/XOFF
// off, so the status bytes 0x11 and 0x13 pass through; hardware flow control stays as the driver had it.
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "PortSerialLine.h"

namespace nubra {

class PosixSerialLine : public PortSerialLine {
public:
    using Clock = std::chrono::steady_clock;

    PosixSerialLine() = default;
    ~PosixSerialLine() override;
    PosixSerialLine(const PosixSerialLine&) = delete;
    PosixSerialLine& operator=(const PosixSerialLine&) = delete;

    OpenResult Open(int portNumber) override;
    bool IsOpen() const override { return fd_ >= 0; }
    bool SetReadTimeout(int milliseconds) override;
    bool Purge() override;
    bool Write(const std::string& bytes) override;
    int ReadByte() override;
    bool Close() override;
    bool Gone() const override { return gone_; }

    // The clock a read's time-out is measured by and the pause a failed read waits out; tests
    // replace them.
    std::function<Clock::time_point()> Now = [] { return Clock::now(); };
    std::function<void(Clock::duration)> Pause = [](Clock::duration d) { std::this_thread::sleep_for(d); };

private:
    int fd_ = -1;
    bool gone_ = false;
    int timeoutMs_ = 2000;
};

} // namespace nubra
