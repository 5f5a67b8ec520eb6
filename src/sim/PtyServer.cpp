#include "PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace nubra::sim {
namespace {

// An endless stream goes out in small portions (about 12 kB/s): fast enough for tests, slow enough
// that only a few bytes slip in between the program clearing its buffers and sending a command.
constexpr std::size_t kStreamPortion = 64;
constexpr auto kStreamPause = std::chrono::milliseconds(5);
// A hang-up waits until the program has read the bytes before it: closing the line throws away what
// is still queued on the program's side. They count as read once the queue has stayed empty this
// long (the kernel moves written bytes into it a moment later); a program that reads nothing gets
// the hang-up after the longer limit.
constexpr auto kReadQuiet = std::chrono::milliseconds(100);
constexpr auto kUnreadLimit = std::chrono::seconds(5);

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Writes what the line takes now, at most `most` bytes; returns the number of bytes written.
std::size_t WriteSome(int fd, const std::string& bytes, std::size_t most = std::string::npos) {
    const ssize_t n = ::write(fd, bytes.data(), std::min(bytes.size(), most));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

constexpr std::int64_t kBitsPerByte = 10; // start, eight data bits, stop
constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

} // namespace

PtyServer::PtyServer(Nx3Device device, std::string linkPath)
    : device_(std::move(device)), linkPath_(std::move(linkPath)) {}

PtyServer::~PtyServer() {
    Stop();
}

void PtyServer::Start() {
    if (thread_.joinable())
        return;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        ThrowErrno("pipe2");
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    try {
        OpenPty();
        MakeLink();
    } catch (...) {
        ClosePty();
        CloseFd(wakeRead_);
        CloseFd(wakeWrite_);
        throw;
    }
    stopping_ = false;
    thread_ = std::thread(&PtyServer::Run, this);
}

void PtyServer::Stop() {
    if (thread_.joinable()) {
        stopping_ = true;
        Wake();
        thread_.join();
    }
    RemoveLink();
    ClosePty();
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
}

std::string PtyServer::SlavePath() const {
    std::lock_guard lock(mutex_);
    return slavePath_;
}

std::chrono::nanoseconds PtyServer::ServingCpuTime() {
    clockid_t clock{};
    timespec used{};
    if (!thread_.joinable() || ::pthread_getcpuclockid(thread_.native_handle(), &clock) != 0 ||
        ::clock_gettime(clock, &used) != 0)
        return {};
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

void PtyServer::OpenPty() {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        ThrowErrno("posix_openpt");
    char name[PATH_MAX];
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
        const int saved = errno;
        ::close(master);
        throw std::system_error(saved, std::generic_category(), "pseudo-terminal");
    }
    // Held open for the whole life of the line: without it the pseudo-terminal hangs up whenever the
    // program closes its port.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slave < 0 || ::tcgetattr(slave, &tio) != 0) {
        const int saved = errno;
        ::close(master);
        if (slave >= 0)
            ::close(slave);
        throw std::system_error(saved, std::generic_category(), "pseudo-terminal slave");
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(slave, TCSANOW, &tio);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    std::lock_guard lock(mutex_);
    master_ = master;
    slave_ = slave;
    slavePath_ = name;
}

void PtyServer::ClosePty() {
    CloseFd(master_);
    CloseFd(slave_);
}

void PtyServer::MakeLink() {
    if (linkPath_.empty())
        return;
    RemoveLink();
    if (::symlink(SlavePath().c_str(), linkPath_.c_str()) != 0)
        ThrowErrno("symlink");
}

void PtyServer::RemoveLink() {
    struct stat st {};
    // Only a symbolic link is ours to remove; never a file someone put there.
    if (!linkPath_.empty() && ::lstat(linkPath_.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(linkPath_.c_str());
}

void PtyServer::Wake() {
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
    }
}

void PtyServer::Run() {
    while (!stopping_) {
        bool wantWrite = !streamLeft_.empty();
        if (!pending_.empty())
            wantWrite = (!headTimed_ || Clock::now() >= headDue_) && PacedAllowance(Clock::now()) > 0;
        pollfd fds[2] = {{master_, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0},
                         {wakeRead_, POLLIN, 0}};
        const int r = ::poll(fds, 2, PollTimeoutMs());
        if (r < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            char drain[64];
            while (::read(wakeRead_, drain, sizeof drain) > 0) {
            }
        }
        if (stopping_)
            break;
        if (fds[0].revents & POLLIN)
            ReadInput();
        WritePending();
        WriteStream();
        HangUpOnceRead();
    }
}

int PtyServer::PollTimeoutMs() const {
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const auto now = Clock::now();
    auto next = now + milliseconds(hangUpDue_ ? 10 : 200);
    // A head already due waits on the line (its next paced byte, or room to write), never on its due
    // time: that is past, and polling for it would spin.
    const bool headWaiting = !pending_.empty() && headTimed_ && headDue_ > now;
    if (headWaiting && headDue_ < next)
        next = headDue_;
    if (!pending_.empty() && !headWaiting && PacedAllowance(now) == 0 && NextPacedByte() < next)
        next = NextPacedByte();
    if (pending_.empty() && streamOn_ && nextStreamAt_ < next)
        next = nextStreamAt_;
    if (next <= now)
        return 0;
    return static_cast<int>(duration_cast<milliseconds>(next - now).count()) + 1;
}

std::size_t PtyServer::PacedAllowance(Clock::time_point now) const {
    if (lineRate_ <= 0)
        return std::numeric_limits<std::size_t>::max();
    if (!paceRunning_)
        return 1;
    // Credit since the line began to carry this answer: waking up late loses no throughput.
    const std::int64_t elapsed =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now - paceStart_).count();
    const auto due = static_cast<std::size_t>(elapsed * lineRate_ / kBitsPerByte / kNanosPerSecond) + 1;
    return due > pacedSent_ ? due - pacedSent_ : 0;
}

PtyServer::Clock::time_point PtyServer::NextPacedByte() const {
    const auto sent = static_cast<std::int64_t>(pacedSent_);
    return paceStart_ + std::chrono::nanoseconds(sent * kBitsPerByte * kNanosPerSecond / lineRate_);
}

void PtyServer::ReadInput() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0)
        return;
    // What the device has still to say goes out first, as on a real line: the program's new command
    // does not silence a report on its way, and the answers to the command follow it.
    std::lock_guard lock(mutex_);
    device_.Receive(std::string_view(buffer, static_cast<std::size_t>(n)));
    for (OutputChunk& chunk : device_.TakeChunks())
        pending_.push_back(std::move(chunk));
}

void PtyServer::WritePending() {
    if (hangUpDue_)
        return;
    {
        // Answers produced by WithDevice() calls: the hang-up of a power cut, which takes with it
        // whatever was still waiting to go.
        std::lock_guard lock(mutex_);
        if (device_.TakePowerCut()) {
            pending_.clear();
            headTimed_ = false;
            paceRunning_ = false;
            streamLeft_.clear();
        }
        for (OutputChunk& chunk : device_.TakeChunks())
            pending_.push_back(std::move(chunk));
    }
    while (!pending_.empty()) {
        OutputChunk& head = pending_.front();
        if (!headTimed_) {
            headDue_ = Clock::now() + head.delay;
            headTimed_ = true;
        }
        if (Clock::now() < headDue_)
            return;
        const auto now = Clock::now();
        const std::size_t allowed = PacedAllowance(now);
        if (allowed == 0)
            return;
        if (lineRate_ > 0 && !paceRunning_) {
            paceRunning_ = true;
            paceStart_ = now;
            pacedSent_ = 0;
        }
        const std::size_t written = WriteSome(master_, head.bytes, allowed);
        pacedSent_ += written;
        head.bytes.erase(0, written);
        if (!head.bytes.empty())
            return;
        const bool hangUp = head.hangUp;
        pending_.pop_front();
        headTimed_ = false;
        if (pending_.empty())
            paceRunning_ = false;
        if (hangUp) {
            hangUpDue_ = true;
            quietSince_ = Clock::now();
            unreadLimit_ = quietSince_ + kUnreadLimit;
            return;
        }
    }
}

void PtyServer::WriteStream() {
    if (!pending_.empty())
        return;
    {
        std::lock_guard lock(mutex_);
        streamOn_ = device_.Streaming();
        if (!streamOn_) {
            streamLeft_.clear();
            return;
        }
        if (Clock::now() < nextStreamAt_)
            return;
        if (streamLeft_.empty())
            streamLeft_ = device_.StreamBytes(kStreamPortion);
    }
    streamLeft_.erase(0, WriteSome(master_, streamLeft_));
    nextStreamAt_ = Clock::now() + kStreamPause;
}

void PtyServer::HangUpOnceRead() {
    if (!hangUpDue_)
        return;
    const auto now = Clock::now();
    int queued = 0;
    if (::ioctl(slave_, TIOCINQ, &queued) == 0 && queued > 0)
        quietSince_ = now;
    if (now - quietSince_ < kReadQuiet && now < unreadLimit_)
        return;
    hangUpDue_ = false;
    HangUp();
}

void PtyServer::HangUp() {
    pending_.clear();
    headTimed_ = false;
    streamLeft_.clear();
    ClosePty();
    try {
        OpenPty();
        MakeLink();
    } catch (const std::system_error&) {
        broken_ = true;
        stopping_ = true;
    }
    // Counted once the fresh line is in place: a program that waits for the count must not find the
    // old line (or a new one under a reused number) half made.
    ++hangUps_;
}

} // namespace nubra::sim
