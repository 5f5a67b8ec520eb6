#pragma once
// A Windows COM port as the printer's serial line. COM1..COM4 are the devices "COM1".."COM4" unless
// the configuration names others (e.g. "\\.\COM12"). The port is opened without sharing, so no other
// program uses it meanwhile, and runs at 9600 8N1; the rest of the driver's settings stay as they
// were, except software flow control, which is switched off so the status bytes 0x11 and 0x13 pass.
#include <string>

#include "PortSerialLine.h"

namespace nubra {

class Win32SerialLine : public PortSerialLine {
public:
    Win32SerialLine() = default;
    ~Win32SerialLine() override;
    Win32SerialLine(const Win32SerialLine&) = delete;
    Win32SerialLine& operator=(const Win32SerialLine&) = delete;

    OpenResult Open(int portNumber) override;
    bool IsOpen() const override { return handle_ != nullptr; }
    // Read interval and total constant both this many milliseconds, no write time-out.
    bool SetReadTimeout(int milliseconds) override;
    bool Purge() override;
    bool Write(const std::string& bytes) override;
    int ReadByte() override;
    bool Close() override;
    bool Gone() const override { return gone_; }

private:
    void* handle_ = nullptr; // HANDLE, kept out of the header so <windows.h> stays in one file
    unsigned long timeoutMs_ = 2000;
    bool gone_ = false;
};

} // namespace nubra
