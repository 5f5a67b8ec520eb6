// The COM port side of the server: Windows (in practice wine, whose two COM ports a null-modem pair
// of pseudo-terminals joins).
#include "PtyServer.h"

#include "WindowsApi.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "WideText.h"

namespace nubra::sim {
namespace {

std::string PortFromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// The loop has no way to be woken by WithDevice(): it looks again after at most this long.
constexpr DWORD kLongestWaitMs = 20;

HANDLE Handle(void* port) {
    return static_cast<HANDLE>(port);
}

} // namespace

void PtyServer::Start() {
    if (thread_.joinable())
        return;
    OpenLine();
    MakeLink();
    stopping_ = false;
    thread_ = std::thread(&PtyServer::Run, this);
}

void PtyServer::Stop() {
    if (thread_.joinable()) {
        stopping_ = true;
        thread_.join();
    }
    CloseLine();
}

std::chrono::nanoseconds PtyServer::ServingCpuTime() {
    // A posix-threads std::thread has no Win32 handle to ask.
    return {};
}

void PtyServer::OpenLine() {
    const std::string port = PortFromEnvironment("NUBRA_SIM_DEVICE_PORT", "COM2");
    const HANDLE h = ::CreateFileW(WideFromUtf8(port).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), port);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ::GetCommState(h, &dcb);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    ::SetCommState(h, &dcb);
    // What an earlier server left on the line is not this device's business.
    ::PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    std::lock_guard lock(mutex_);
    port_ = h;
    slavePath_ = PortFromEnvironment("NUBRA_SIM_PROGRAM_PORT", "COM1");
}

void PtyServer::CloseLine() {
    if (port_)
        ::CloseHandle(Handle(port_));
    port_ = nullptr;
}

void PtyServer::MakeLink() {
    // The program's port is where it always is; the link names it (written once: a hang-up runs this
    // again on the serving thread while tests may read it).
    const std::string port = SlavePath();
    if (linkPath_ != port)
        linkPath_ = port;
}

void PtyServer::RemoveLink() {}

void PtyServer::Wake() {}

void PtyServer::Run() {
    DWORD waitMs = MAXDWORD;
    while (!stopping_ && port_) {
        const DWORD wanted = std::min<DWORD>(static_cast<DWORD>(PollTimeoutMs()), kLongestWaitMs);
        if (wanted != waitMs) {
            // Back at once with what has come, or with the first byte to come within the wait.
            COMMTIMEOUTS timeouts{};
            timeouts.ReadIntervalTimeout = MAXDWORD;
            timeouts.ReadTotalTimeoutMultiplier = wanted ? MAXDWORD : 0;
            timeouts.ReadTotalTimeoutConstant = wanted;
            ::SetCommTimeouts(Handle(port_), &timeouts);
            waitMs = wanted;
        }
        ReadInput();
        WritePending();
        WriteStream();
        HangUpOnceRead();
    }
}

void PtyServer::ReadInput() {
    char buffer[4096];
    DWORD got = 0;
    if (::ReadFile(Handle(port_), buffer, sizeof buffer, &got, nullptr) && got > 0)
        Feed(std::string_view(buffer, got));
}

std::size_t PtyServer::WriteSome(const std::string& bytes, std::size_t most) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(std::min(bytes.size(), most));
    if (size == 0 || !::WriteFile(Handle(port_), bytes.data(), size, &written, nullptr))
        return 0;
    return written;
}

bool PtyServer::ProgramHasUnread() {
    // The program's queue is on the far side of the pair: nothing to wait for here.
    return false;
}

} // namespace nubra::sim
