#include "SystemFile.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nubra {

SystemFile::Opened SystemFile::Open(const std::string& path, Mode mode) {
    Close();
    const int flags = mode == Mode::ReadOnly          ? O_RDONLY
                      : mode == Mode::CreateReadWrite ? O_RDWR | O_CREAT
                                                      : O_RDWR;
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == ENOENT ? Opened::Missing : Opened::Failed;
    handle_ = fd;
    return Opened::Ok;
}

void SystemFile::Close() {
    if (handle_ != kClosed)
        ::close(static_cast<int>(handle_));
    handle_ = kClosed;
}

bool SystemFile::TryLock() {
    return ::flock(static_cast<int>(handle_), LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

std::int64_t SystemFile::ReadAt(std::int64_t offset, void* data, std::size_t n) const {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r =
            ::pread(static_cast<int>(handle_), p + done, n - done, offset + static_cast<std::int64_t>(done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t SystemFile::WriteAt(std::int64_t offset, const void* data, std::size_t n) {
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w =
            ::pwrite(static_cast<int>(handle_), p + done, n - done, offset + static_cast<std::int64_t>(done));
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno != ENOSPC && errno != EFBIG && errno != EDQUOT)
            return -1;
        if (w <= 0)
            break;
        done += static_cast<std::size_t>(w);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t SystemFile::Size() const {
    struct stat st {};
    return ::fstat(static_cast<int>(handle_), &st) == 0 ? st.st_size : -1;
}

bool SystemFile::Truncate(std::int64_t size) {
    return ::ftruncate(static_cast<int>(handle_), size) == 0;
}

bool SystemFile::Sync() {
    return ::fsync(static_cast<int>(handle_)) == 0;
}

bool SystemFile::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

void SystemFile::KillProcess() {
    ::raise(SIGKILL);
    _exit(137);
}

} // namespace nubra
