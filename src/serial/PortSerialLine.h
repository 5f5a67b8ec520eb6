#pragma once
// What the system serial lines share: COM1..COM4 mapped to device names, and why the last open
// failed. PosixSerialLine and Win32SerialLine derive from it; SystemSerialLine names the one of the
// system the program is built for.
#include <map>
#include <string>

#include "SerialLine.h"

namespace nubra {

class PortSerialLine : public SerialLine {
public:
    // Why the last Open failed, for a program that tells a busy device from others (probe).
    enum class OpenFailure { None, Missing, Busy, NotTerminal, Denied, Other };

    // The device of COM<portNumber> until the configuration names another: /dev/ttyS0../dev/ttyS3
    // on POSIX systems, COM1..COM4 on Windows.
    static std::string DefaultDevicePath(int portNumber);

    PortSerialLine();

    void SetDevicePath(int portNumber, std::string path);
    // Empty for a port number without a path.
    std::string DevicePath(int portNumber) const override;

    std::string OpenFailureDetail() const override { return failure_; }
    // The reasons both systems share, in the words of the failure detail.
    static const char* const kMissingReason;
    static const char* const kBusyReason;
    // POSIX only: the device is the dialout group's.
    static const char* const kPermissionReason;
    OpenFailure LastOpenFailure() const { return failureKind_; }

protected:
    // The device of portNumber, or empty after recording the failure "no device for this port".
    std::string DeviceToOpen(int portNumber);
    void Failed(OpenFailure kind, const std::string& path, const std::string& reason);
    void Succeeded() { failureKind_ = OpenFailure::None; }

private:
    std::map<int, std::string> paths_;
    std::string failure_;
    OpenFailure failureKind_ = OpenFailure::None;
};

} // namespace nubra
