#include "Win32SerialLine.h"

#include "WindowsApi.h"

#include <algorithm>

#include "WideText.h"

namespace nubra {
namespace {

HANDLE Handle(void* handle) {
    return static_cast<HANDLE>(handle);
}

PortSerialLine::OpenFailure Kind(DWORD error) {
    using F = PortSerialLine::OpenFailure;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return F::Missing;
    case ERROR_ACCESS_DENIED: // what another program's open port gives
    case ERROR_SHARING_VIOLATION:
        return F::Busy;
    default:
        return F::Other;
    }
}

std::string Reason(DWORD error) {
    switch (Kind(error)) {
    case PortSerialLine::OpenFailure::Missing:
        return PortSerialLine::kMissingReason;
    case PortSerialLine::OpenFailure::Busy:
        return PortSerialLine::kBusyReason;
    default:
        return "błąd systemowy nr " + std::to_string(error);
    }
}

// Whether a failed ReadFile means the port is gone (a USB adapter pulled, the driver stopped).
bool LineGone(HANDLE handle, DWORD error) {
    switch (error) {
    case ERROR_BAD_COMMAND:
    case ERROR_DEVICE_REMOVED:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_GEN_FAILURE: // what several USB serial drivers give once unplugged
    case ERROR_INVALID_HANDLE:
    case ERROR_ACCESS_DENIED:
        return true;
    case ERROR_OPERATION_ABORTED: {
        // Also a line error on a driver that aborts reads on errors: clearing it shows whether the
        // port is still there.
        DWORD errors = 0;
        COMSTAT status{};
        return !::ClearCommError(handle, &errors, &status);
    }
    default:
        return false;
    }
}

} // namespace

std::string PortSerialLine::DefaultDevicePath(int portNumber) {
    return "COM" + std::to_string(portNumber);
}

Win32SerialLine::~Win32SerialLine() {
    Close();
}

SerialLine::OpenResult Win32SerialLine::Open(int portNumber) {
    Close();
    const std::string path = DeviceToOpen(portNumber);
    if (path.empty())
        return OpenResult::OpenFailed;
    // No sharing: the port is this program's until it closes it or ends.
    const HANDLE h = ::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        Failed(Kind(error), path, Reason(error));
        return OpenResult::OpenFailed;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(h, &dcb)) {
        ::CloseHandle(h);
        return OpenResult::GetStateFailed;
    }
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    if (!::SetCommState(h, &dcb)) {
        ::CloseHandle(h);
        return OpenResult::SetStateFailed;
    }
    handle_ = h;
    gone_ = false;
    Succeeded();
    return OpenResult::Ok;
}

bool Win32SerialLine::SetReadTimeout(int milliseconds) {
    if (!handle_ || milliseconds < 0)
        return false;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = static_cast<DWORD>(milliseconds);
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(milliseconds);
    if (!::SetCommTimeouts(Handle(handle_), &timeouts))
        return false;
    timeoutMs_ = static_cast<DWORD>(milliseconds);
    return true;
}

bool Win32SerialLine::Purge() {
    // Only what the printer sent: a raw printout's tail may still be on its way out, as on POSIX.
    return handle_ && ::PurgeComm(Handle(handle_), PURGE_RXCLEAR);
}

bool Win32SerialLine::Write(const std::string& bytes) {
    if (!handle_)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!::WriteFile(Handle(handle_), bytes.data() + done, chunk, &written, nullptr)) {
            gone_ = LineGone(Handle(handle_), ::GetLastError());
            return false;
        }
        if (written == 0)
            return false;
        done += written;
    }
    return true;
}

int Win32SerialLine::ReadByte() {
    if (!handle_)
        return kNoByte;
    unsigned char byte = 0;
    DWORD got = 0;
    if (::ReadFile(Handle(handle_), &byte, 1, &got, nullptr))
        return got == 1 ? byte : kNoByte;
    if (LineGone(Handle(handle_), ::GetLastError())) {
        gone_ = true;
        return kLineGone;
    }
    // Any other failure comes at once too; wait the time-out out so callers that poll do not spin.
    ::Sleep(timeoutMs_);
    return kNoByte;
}

bool Win32SerialLine::Close() {
    if (!handle_)
        return true;
    const HANDLE h = Handle(handle_);
    handle_ = nullptr;
    return ::CloseHandle(h) != 0;
}

} // namespace nubra
