#include "TableFile.h"

#include "LittleEndian.h"
#include "TableError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nubra {
namespace {

constexpr std::int64_t kBlockSize = 1 << 20;

// The journal: a magic, the table's size before the change, the offset and length of the saved
// bytes, then the bytes. The magic is written last, so a journal cut short is never applied.
constexpr char kMagic[8] = {'N', 'B', 'U', 'N', 'D', 'O', '0', '1'};
constexpr int kJournalHeader = 32;

std::int64_t killBudget = -1;

[[noreturn]] void ReadFailed() {
    throw TableError("Błąd odczytu z pliku..");
}
[[noreturn]] void WriteFailed() {
    throw TableError("Błąd zapisu do pliku..");
}

std::size_t ReadFd(int fd, std::int64_t offset, void* data, std::size_t n) {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::pread(fd, p + done, n - done, offset + static_cast<std::int64_t>(done));
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

std::size_t WriteFd(int fd, std::int64_t offset, const void* data, std::size_t n) {
    bool killed = false;
    if (killBudget >= 0 && static_cast<std::int64_t>(n) > killBudget) {
        n = static_cast<std::size_t>(killBudget);
        killed = true;
    }
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::pwrite(fd, p + done, n - done, offset + static_cast<std::int64_t>(done));
        if (w < 0 && errno == EINTR)
            continue;
        // A full disk, a quota or a file size limit: the caller learns how much was written.
        if (w < 0 && errno != ENOSPC && errno != EFBIG && errno != EDQUOT)
            WriteFailed();
        if (w <= 0)
            break;
        done += static_cast<std::size_t>(w);
    }
    if (killed)
        ::raise(SIGKILL);
    if (killBudget >= 0)
        killBudget -= static_cast<std::int64_t>(done);
    return done;
}

void WriteAllFd(int fd, std::int64_t offset, const void* data, std::size_t n) {
    if (WriteFd(fd, offset, data, n) != n)
        WriteFailed();
}

std::int64_t FdSize(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        ReadFailed();
    return st.st_size;
}

// Taken by another program when false; a file system without locks is used unlocked.
bool Lock(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

} // namespace

TableFile::~TableFile() {
    Close();
}

TableFile::OpenResult TableFile::OpenLocked(const std::string& path, int flags) {
    Close();
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | flags, 0666);
    if (fd < 0)
        return OpenResult::Failed;
    if (!Lock(fd)) {
        ::close(fd);
        return OpenResult::Locked;
    }
    fd_ = fd;
    journalPath_ = path + ".undo";
    return OpenResult::Ok;
}

TableFile::OpenResult TableFile::Open(const std::string& path) {
    const OpenResult opened = OpenLocked(path, 0);
    if (opened == OpenResult::Ok && !Recover()) {
        Close();
        return OpenResult::Failed;
    }
    return opened;
}

TableFile::OpenResult TableFile::Create(const std::string& path) {
    const OpenResult opened = OpenLocked(path, O_CREAT);
    if (opened != OpenResult::Ok)
        return opened;
    // The old table is given up on purpose: an old journal must not bring it back.
    ::unlink(journalPath_.c_str());
    if (::ftruncate(fd_, 0) != 0) {
        Close();
        return OpenResult::Failed;
    }
    return OpenResult::Ok;
}

void TableFile::Close() {
    if (journal_ >= 0) {
        // Empty unless a change failed half-way; then it stays for the next opening to undo.
        struct stat st {};
        if (::fstat(journal_, &st) == 0 && st.st_size == 0)
            ::unlink(journalPath_.c_str());
        ::close(journal_);
        journal_ = -1;
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    block_.clear();
    block_.shrink_to_fit();
}

std::int64_t TableFile::Size() const {
    return FdSize(fd_);
}

std::size_t TableFile::ReadAt(std::int64_t offset, void* data, std::size_t n) const {
    return ReadFd(fd_, offset, data, n);
}

std::size_t TableFile::WriteAt(std::int64_t offset, const void* data, std::size_t n) {
    return WriteFd(fd_, offset, data, n);
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
        WriteAllFd(fd_, to + at, block_.data(), static_cast<std::size_t>(n));
        done += n;
    }
}

void TableFile::OpenJournal() {
    if (journal_ >= 0)
        return;
    journal_ = ::open(journalPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (journal_ < 0)
        WriteFailed();
}

void TableFile::Guard(std::int64_t offset, std::int64_t length) {
    OpenJournal();
    if (::ftruncate(journal_, 0) != 0)
        WriteFailed();
    const std::int64_t size = Size();
    length = std::clamp<std::int64_t>(size - offset, 0, std::max<std::int64_t>(length, 0));
    block_.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(length, 1, kBlockSize)));
    for (std::int64_t done = 0; done < length;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kBlockSize, length - done));
        if (ReadAt(offset + done, block_.data(), n) != n)
            ReadFailed();
        WriteAllFd(journal_, kJournalHeader + done, block_.data(), n);
        done += static_cast<std::int64_t>(n);
    }
    std::uint8_t header[kJournalHeader];
    std::memcpy(header, kMagic, sizeof kMagic);
    le::Store(&header[8], static_cast<std::uint64_t>(size), 8);
    le::Store(&header[16], static_cast<std::uint64_t>(offset), 8);
    le::Store(&header[24], static_cast<std::uint64_t>(length), 8);
    WriteAllFd(journal_, 0, header, sizeof header);
}

void TableFile::Commit() {
    if (journal_ >= 0 && ::ftruncate(journal_, 0) != 0)
        WriteFailed();
}

void TableFile::ApplyJournal(int journal) {
    std::uint8_t header[kJournalHeader] = {};
    const std::int64_t journalSize = FdSize(journal);
    const bool whole = ReadFd(journal, 0, header, sizeof header) == sizeof header &&
                       std::memcmp(header, kMagic, sizeof kMagic) == 0;
    const auto size = static_cast<std::int64_t>(le::Load(&header[8], 8));
    const auto offset = static_cast<std::int64_t>(le::Load(&header[16], 8));
    const auto length = static_cast<std::int64_t>(le::Load(&header[24], 8));
    // A journal cut short was written before the table was touched: nothing to undo.
    if (!whole || size < 0 || offset < 0 || length < 0 || journalSize != kJournalHeader + length)
        return;
    block_.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(length, 1, kBlockSize)));
    for (std::int64_t done = 0; done < length;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kBlockSize, length - done));
        if (ReadFd(journal, kJournalHeader + done, block_.data(), n) != n)
            ReadFailed();
        WriteAllFd(fd_, offset + done, block_.data(), n);
        done += static_cast<std::int64_t>(n);
    }
    Truncate(size);
}

bool TableFile::Recover() {
    const int journal = ::open(journalPath_.c_str(), O_RDONLY | O_CLOEXEC);
    if (journal < 0)
        return errno == ENOENT;
    bool ok = true;
    try {
        ApplyJournal(journal);
    } catch (const TableError&) {
        ok = false;
    }
    ::close(journal);
    return ok && ::unlink(journalPath_.c_str()) == 0;
}

void TableFile::Undo() noexcept {
    if (journal_ < 0)
        return;
    try {
        ApplyJournal(journal_);
        Commit();
    } catch (const TableError&) {
        // The journal stays; the next opening tries again.
    }
}

void TableFile::KillAfterWriting(std::int64_t bytes) {
    killBudget = bytes;
}

} // namespace nubra
