// The pseudo-terminal side of the server: POSIX.
#include "PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace nubra::sim {
namespace {

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

void PtyServer::Start() {
    if (thread_.joinable())
        return;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        ThrowErrno("pipe2");
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    try {
        OpenLine();
        MakeLink();
    } catch (...) {
        CloseLine();
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
    CloseLine();
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
}

std::chrono::nanoseconds PtyServer::ServingCpuTime() {
    clockid_t clock{};
    timespec used{};
    if (!thread_.joinable() || ::pthread_getcpuclockid(thread_.native_handle(), &clock) != 0 ||
        ::clock_gettime(clock, &used) != 0)
        return {};
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

void PtyServer::OpenLine() {
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

void PtyServer::CloseLine() {
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

void PtyServer::ReadInput() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0)
        Feed(std::string_view(buffer, static_cast<std::size_t>(n)));
}

// Writes what the line takes now, at most `most` bytes; returns the number of bytes written.
std::size_t PtyServer::WriteSome(const std::string& bytes, std::size_t most) {
    const ssize_t n = ::write(master_, bytes.data(), std::min(bytes.size(), most));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool PtyServer::ProgramHasUnread() {
    int queued = 0;
    return ::ioctl(slave_, TIOCINQ, &queued) == 0 && queued > 0;
}

} // namespace nubra::sim
