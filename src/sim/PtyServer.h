#pragma once
// Serves an Nx3Device on a pseudo-terminal: the program opens the slave path as its serial port.
// A background thread reads what the program writes, feeds the device and writes its answers,
// honouring the device's delays and hang-ups (the program reads the bytes before a hang-up first);
// an endless stream is written while the device wants one.
//
// The server keeps the slave open itself, so the program may close and reopen the port at will. A
// hang-up closes both sides; the server then opens a fresh pseudo-terminal (a new slave path, the
// symbolic link moved to it) so the program can reopen the port and go on.
//
// Thread-safe: the device is reached only through WithDevice(). Whatever the device has not yet sent
// (a late answer waiting for its delay, the rest of a long report) still goes out when the program
// writes again, before the answers to what it wrote.
//
// Paced at a line rate, the answers leave no faster than a serial line of that many baud would carry
// them (10 bits a byte); otherwise as fast as the pseudo-terminal takes them.
//
// On Windows, which has no pseudo-terminals, the server serves a COM port (NUBRA_SIM_DEVICE_PORT,
// COM2 by default) crossed over to the one the program opens (NUBRA_SIM_PROGRAM_PORT, COM1), which
// SlavePath() and LinkPath() then name: under wine, scripts/test-windows joins the two. A hang-up
// there only drops what was still to go, as the program's side of the line stays.
#include "Nx3Device.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace nubra::sim {

class PtyServer {
public:
    // linkPath: where to make a symbolic link to the slave (none when empty); removed by Stop().
    explicit PtyServer(Nx3Device device = Nx3Device(), std::string linkPath = {});
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Bits per second the answers are paced at; 0 (the default) does not pace. Set before Start().
    void SetLineRate(int baud) { lineRate_ = baud; }
    static constexpr int kLineRate = 9600;

    // Opens the pseudo-terminal and starts serving; throws std::system_error when that fails.
    void Start();
    void Stop();

    std::string SlavePath() const;
    const std::string& LinkPath() const { return linkPath_; }
    // How many times the line was closed by a hang-up fault and a fresh one opened (or not: Broken).
    int HangUps() const { return hangUps_; }
    // True once serving ended on its own: no fresh pseudo-terminal could be opened after a hang-up.
    bool Broken() const { return broken_; }
    // Processor time the serving thread has used so far; zero when it is not serving.
    std::chrono::nanoseconds ServingCpuTime();

    // Runs fn(Nx3Device&) under the device lock and returns its result.
    template <typename Fn> decltype(auto) WithDevice(Fn&& fn) {
        struct Wake {
            PtyServer* server;
            ~Wake() { server->Wake(); }
        } wake{this};
        std::lock_guard lock(mutex_);
        return std::forward<Fn>(fn)(device_);
    }

private:
    using Clock = std::chrono::steady_clock;

    // The platform's side of the line.
    void OpenLine();
    void CloseLine();
    std::size_t WriteSome(const std::string& bytes, std::size_t most = std::string::npos);
    bool ProgramHasUnread();
    void MakeLink();
    void RemoveLink();
    void Wake();
    void Run();
    void ReadInput();
    void Feed(std::string_view bytes);
    void WritePending();
    void WriteStream();
    void HangUpOnceRead();
    void HangUp();
    int PollTimeoutMs() const;
    // Bytes the line may carry now (unlimited when not paced), and when the next one may go.
    std::size_t PacedAllowance(Clock::time_point now) const;
    Clock::time_point NextPacedByte() const;

    Nx3Device device_;
    mutable std::mutex mutex_;
    std::string linkPath_;
    std::string slavePath_;
    void* port_ = nullptr; // Windows: the HANDLE of the server's COM port
    int master_ = -1;
    int slave_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> hangUps_{0};
    std::atomic<bool> broken_{false};

    // Serving thread only.
    std::deque<OutputChunk> pending_;
    Clock::time_point headDue_{};
    bool headTimed_ = false;
    std::string streamLeft_;
    bool streamOn_ = false;
    Clock::time_point nextStreamAt_{};
    int lineRate_ = 0;
    bool paceRunning_ = false;
    Clock::time_point paceStart_{};
    std::size_t pacedSent_ = 0;
    bool hangUpDue_ = false;
    Clock::time_point quietSince_{};
    Clock::time_point unreadLimit_{};
};

} // namespace nubra::sim
