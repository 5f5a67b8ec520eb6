#include "PosixSerialLine.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace nubra {
namespace {

// A write that cannot go out within this time counts as a lost line rather than freezing the program.
constexpr int kWriteStallMs = 5000;

bool ConfigureRaw(termios& tio) {
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    return cfsetispeed(&tio, B9600) == 0 && cfsetospeed(&tio, B9600) == 0;
}

PosixSerialLine::OpenFailure Kind(int error) {
    using F = PosixSerialLine::OpenFailure;
    return error == ENOENT                          ? F::Missing
           : error == EWOULDBLOCK || error == EBUSY ? F::Busy
           : error == ENOTTY                        ? F::NotTerminal
           : error == EACCES || error == EPERM      ? F::Denied
                                                    : F::Other;
}

// Why a device could not be opened, with the usual remedy.
std::string Reason(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return PortSerialLine::kMissingReason;
    case EACCES:
    case EPERM:
        return PortSerialLine::kPermissionReason;
    case EWOULDBLOCK:
    case EBUSY:
        return PortSerialLine::kBusyReason;
    case ENOTTY:
        return "to nie jest port szeregowy";
    default:
        return "błąd systemowy nr " + std::to_string(error);
    }
}

} // namespace

std::string PortSerialLine::DefaultDevicePath(int portNumber) {
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

PosixSerialLine::~PosixSerialLine() {
    Close();
}

SerialLine::OpenResult PosixSerialLine::Open(int portNumber) {
    Close();
    const std::string path = DeviceToOpen(portNumber);
    if (path.empty())
        return OpenResult::OpenFailed;
    // Non-blocking so a modem line without carrier cannot hang the open; reads and writes poll.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        Failed(Kind(error), path, Reason(error));
        return OpenResult::OpenFailed;
    }
    // Only a lock: it ends with the process that holds it. An exclusive-use flag on the tty would
    // outlive a killed program wherever the other side stays open (nx3sim's pseudo-terminal).
    const int refused = ::isatty(fd) == 0 ? ENOTTY : ::flock(fd, LOCK_EX | LOCK_NB) != 0 ? errno : 0;
    if (refused != 0) {
        ::close(fd);
        Failed(Kind(refused), path, Reason(refused));
        return OpenResult::OpenFailed;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        ::close(fd);
        return OpenResult::GetStateFailed;
    }
    if (!ConfigureRaw(tio) || ::tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::close(fd);
        return OpenResult::SetStateFailed;
    }
    fd_ = fd;
    gone_ = false;
    Succeeded();
    return OpenResult::Ok;
}

bool PosixSerialLine::SetReadTimeout(int milliseconds) {
    if (fd_ < 0 || milliseconds < 0)
        return false;
    timeoutMs_ = milliseconds;
    return true;
}

bool PosixSerialLine::Purge() {
    // Only what the printer sent is dropped. Bytes written are still on their way at 9600 baud (a
    // write here returns once the kernel holds them, not once they are out): a raw printout must not
    // lose its tail to the next command.
    return fd_ >= 0 && ::tcflush(fd_, TCIFLUSH) == 0;
}

bool PosixSerialLine::Write(const std::string& bytes) {
    if (fd_ < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV)) {
            gone_ = true;
            return false;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        pollfd p{fd_, POLLOUT, 0};
        const int r = ::poll(&p, 1, kWriteStallMs);
        if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            gone_ = true;
            return false;
        }
        if (r == 0 || (r < 0 && errno != EINTR))
            return false;
    }
    return true;
}

int PosixSerialLine::ReadByte() {
    if (fd_ < 0)
        return kNoByte;
    const auto deadline = Now() + std::chrono::milliseconds(timeoutMs_);
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Now()).count();
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, left > 0 ? static_cast<int>(left) : 0);
        if (r < 0 && errno == EINTR)
            continue;
        if (r == 0)
            return kNoByte;
        if (r > 0 && (p.revents & POLLIN)) {
            unsigned char byte = 0;
            const ssize_t n = ::read(fd_, &byte, 1);
            if (n == 1)
                return byte;
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            // End of file or EIO: the other side hung up (a pseudo-terminal's master, a tty's
            // hang-up); ENXIO, ENODEV: the adapter was pulled.
            if (n == 0 || errno == EIO || errno == ENXIO || errno == ENODEV) {
                gone_ = true;
                return kLineGone;
            }
        } else if (r > 0) {
            // POLLHUP, POLLERR or POLLNVAL without a byte to read: CLOCAL is set, so no carrier
            // change causes it; the line is gone.
            gone_ = true;
            return kLineGone;
        }
        // Any other failure: keep the time-out so callers that poll do not spin, but only what is
        // left of it after the poll.
        const auto rest = deadline - Now();
        if (rest > Clock::duration::zero())
            Pause(rest);
        return kNoByte;
    }
}

bool PosixSerialLine::Close() {
    if (fd_ < 0)
        return true;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
}

} // namespace nubra
