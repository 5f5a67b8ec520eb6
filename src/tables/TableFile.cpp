#include "TableFile.h"

#include "TableError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nubra {
namespace {

constexpr std::int64_t kBlockSize = 1 << 20;

[[noreturn]] void ReadFailed() {
    throw TableError("Błąd odczytu z pliku..");
}
[[noreturn]] void WriteFailed() {
    throw TableError("Błąd zapisu do pliku..");
}

} // namespace

TableFile::~TableFile() {
    Close();
}

bool TableFile::Open(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    return fd_ >= 0;
}

bool TableFile::Create(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd_ >= 0;
}

void TableFile::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    block_.clear();
    block_.shrink_to_fit();
}

std::int64_t TableFile::Size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        ReadFailed();
    return st.st_size;
}

std::size_t TableFile::ReadAt(std::int64_t offset, void* data, std::size_t n) const {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::pread(fd_, p + done, n - done, offset + static_cast<std::int64_t>(done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            ReadFailed();
        if (r == 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    return done;
}

std::size_t TableFile::WriteAt(std::int64_t offset, const void* data, std::size_t n) {
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::pwrite(fd_, p + done, n - done, offset + static_cast<std::int64_t>(done));
        if (w < 0 && errno == EINTR)
            continue;
        // A full disk, a quota or a file size limit: the caller learns how much was written.
        if (w < 0 && errno != ENOSPC && errno != EFBIG && errno != EDQUOT)
            WriteFailed();
        if (w <= 0)
            break;
        done += static_cast<std::size_t>(w);
    }
    return done;
}

void TableFile::Truncate(std::int64_t size) {
    if (::ftruncate(fd_, size) != 0)
        WriteFailed();
}

void TableFile::Move(std::int64_t from, std::int64_t to, std::int64_t length) {
    if (length <= 0 || from == to)
        return;
    block_.resize(static_cast<std::size_t>(std::min(length, kBlockSize)));
    const auto chunk = static_cast<std::int64_t>(block_.size());
    // Towards the end of the file the tail goes first, so no byte is overwritten before it is copied.
    const bool backwards = to > from;
    for (std::int64_t done = 0; done < length;) {
        const std::int64_t n = std::min(chunk, length - done);
        const std::int64_t at = backwards ? length - done - n : done;
        const std::size_t got = ReadAt(from + at, block_.data(), static_cast<std::size_t>(n));
        std::memset(block_.data() + got, 0, static_cast<std::size_t>(n) - got);
        if (WriteAt(to + at, block_.data(), static_cast<std::size_t>(n)) != static_cast<std::size_t>(n))
            WriteFailed();
        done += n;
    }
}

} // namespace nubra
