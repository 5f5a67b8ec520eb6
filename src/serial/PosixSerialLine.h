#pragma once
// A tty device as the printer's serial line: a real port or the slave side of a pseudo-terminal.
// COM1..COM4 map to device paths (default /dev/ttyS0../dev/ttyS3). The device is held exclusively
// (flock, which also holds for root, plus TIOCEXCL) and runs raw at 9600 8N1 with XON/XOFF off, so
// the status bytes 0x11 and 0x13 pass through; hardware flow control stays as the driver had it.
#include <map>
#include <string>

#include "SerialLine.h"

namespace nubra {

class PosixSerialLine : public SerialLine {
public:
    // Why the last Open failed; Busy when another program holds the device.
    enum class OpenFailure { None, Missing, Busy, NotTerminal, Other };

    PosixSerialLine();
    ~PosixSerialLine() override;
    PosixSerialLine(const PosixSerialLine&) = delete;
    PosixSerialLine& operator=(const PosixSerialLine&) = delete;

    void SetDevicePath(int portNumber, std::string path);
    // Empty for a port number without a path.
    std::string DevicePath(int portNumber) const;

    OpenResult Open(int portNumber) override;
    OpenFailure LastOpenFailure() const { return failure_; }
    bool IsOpen() const override { return fd_ >= 0; }
    bool SetReadTimeout(int milliseconds) override;
    bool Purge() override;
    bool Write(const std::string& bytes) override;
    int ReadByte() override;
    bool Close() override;

private:
    std::map<int, std::string> paths_;
    int fd_ = -1;
    int timeoutMs_ = 2000;
    OpenFailure failure_ = OpenFailure::None;
};

} // namespace nubra
