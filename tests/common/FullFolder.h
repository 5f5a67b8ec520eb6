#pragma once
// A folder on a small tmpfs of its own, filled to the last byte: a real full disk for the writers'
// tests. Mounting needs root (or a namespace that allows it); elsewhere Ready() is false and Why() says
// why, for the test's skip.
#include <string>

#ifdef _WIN32
namespace nubra::testing {

// Windows has no tmpfs to mount: the full-disk cases skip there and run on Linux.
class FullFolder {
public:
    bool Ready() const { return false; }
    const std::string& Why() const { return why_; }
    std::string Path() const { return {}; }
    bool Put(const std::string&, const std::string&) const { return false; }
    bool Fill(std::size_t = 0) const { return false; }

private:
    std::string why_ = "no tmpfs of its own on Windows";
};

} // namespace nubra::testing
#else
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace nubra::testing {

class FullFolder {
public:
    FullFolder() {
        char pattern[] = "/tmp/nubra-full-XXXXXX";
        if (!::mkdtemp(pattern)) {
            why_ = std::string("mkdtemp: ") + std::strerror(errno);
            return;
        }
        path_ = pattern;
        if (::geteuid() != 0) {
            why_ = "a tmpfs of its own needs root";
            return;
        }
        if (::mount("nubra-full", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0777") != 0) {
            why_ = std::string("mount tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~FullFolder() {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
        if (!path_.empty())
            ::rmdir(path_.c_str());
    }
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    bool Ready() const { return mounted_; }
    const std::string& Why() const { return why_; }
    // With a trailing "/".
    std::string Path() const { return path_ + "/"; }

    // A file written while there is room: what the test expects to survive.
    bool Put(const std::string& name, const std::string& bytes) const {
        const int fd = ::open((Path() + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const bool ok =
            fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        return ::close(fd) == 0 && ok;
    }
    // Takes every byte left but `room`; with none left, the next write of any file fails with ENOSPC.
    bool Fill(std::size_t room = 0) const {
        const std::string filler = Path() + ".filler";
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0)
            return false;
        const std::string block(4096, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        while (::write(fd, "x", 1) > 0) {
        }
        const bool full = errno == ENOSPC;
        const off_t size = ::lseek(fd, 0, SEEK_END);
        const bool left = room == 0 || ::ftruncate(fd, size - static_cast<off_t>(room)) == 0;
        ::close(fd);
        return full && left;
    }

private:
    std::string path_;
    std::string why_;
    bool mounted_ = false;
};

} // namespace nubra::testing
#endif
