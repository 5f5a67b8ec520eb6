#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace nubra {
namespace {

// The file a path names, through any symbolic links; the path itself when it does not exist yet.
std::string Target(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

// Short writes are retried; a full disk shows as a write of ENOSPC.
bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool Fail(std::error_code* reason, int error = errno) {
    if (reason)
        *reason = std::error_code(error, std::generic_category());
    return false;
}

bool WriteInPlace(const std::string& target, const std::string& bytes, std::error_code* reason) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Fail(reason);
    const bool written = WriteAll(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 && written)
        return Fail(reason);
    return written || Fail(reason, error);
}

} // namespace

bool SyncFolderOf(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot flush a folder (EINVAL); what they keep is all there is.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::error_code* reason) {
    static std::atomic<int> serial{0};
    const std::string target = Target(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode))
        return WriteInPlace(target, bytes, reason);
    const std::string temporary =
        target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(serial++);
    // Created as a new file would be (the umask applies), then given the old file's permissions.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail(reason);
    bool ok = WriteAll(fd, bytes);
    if (ok && exists)
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    // Delayed allocation may report the full disk only here.
    ok = ok && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Fail(reason, error);
    }
    // The new file is in place and whole; a folder that cannot be flushed leaves the rename to the
    // file system's own schedule, which is no reason to report a failed save.
    SyncFolderOf(target);
    return true;
}

bool ReplaceDurably(const std::string& from, const std::string& to, std::error_code* reason) {
    const int fd = ::open(from.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return Fail(reason);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced)
        return Fail(reason, error);
    if (::rename(from.c_str(), to.c_str()) != 0)
        return Fail(reason);
    SyncFolderOf(to);
    return true;
}

} // namespace nubra
