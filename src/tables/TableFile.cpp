#include "TableFile.h"

#include "AtomicFile.h"
#include "LittleEndian.h"
#include "TableError.h"

#include <algorithm>
#include <cstring>

namespace nubra {
namespace {

constexpr std::int64_t kBlockSize = 1 << 20;

// The journal: a magic, the table's size before the change, the offset and length of the saved
// bytes, then the bytes. The magic is written last, so a journal cut short is never applied; the bytes
// reach the disk before the magic, and the whole journal before the table is touched, so a power cut
// does no worse than a kill.
constexpr char kMagic[8] = {'N', 'B', 'U', 'N', 'D', 'O', '0', '1'};
constexpr int kJournalHeader = 32;

std::int64_t killBudget = -1;

[[noreturn]] void ReadFailed() {
    throw TableError("Błąd odczytu z pliku..");
}
[[noreturn]] void WriteFailed() {
    throw TableError("Błąd zapisu do pliku..");
}

std::size_t Read(const SystemFile& file, std::int64_t offset, void* data, std::size_t n) {
    const std::int64_t got = file.ReadAt(offset, data, n);
    if (got < 0)
        ReadFailed();
    return static_cast<std::size_t>(got);
}

// A full disk, a quota or a file size limit: the caller learns how much was written.
std::size_t Write(SystemFile& file, std::int64_t offset, const void* data, std::size_t n) {
    bool killed = false;
    if (killBudget >= 0 && static_cast<std::int64_t>(n) > killBudget) {
        n = static_cast<std::size_t>(killBudget);
        killed = true;
    }
    const std::int64_t done = file.WriteAt(offset, data, n);
    if (done < 0)
        WriteFailed();
    if (killed)
        SystemFile::KillProcess();
    if (killBudget >= 0)
        killBudget -= done;
    return static_cast<std::size_t>(done);
}

void WriteAll(SystemFile& file, std::int64_t offset, const void* data, std::size_t n) {
    if (Write(file, offset, data, n) != n)
        WriteFailed();
}

void SyncOrFail(SystemFile& file) {
    if (!file.Sync())
        WriteFailed();
}

std::int64_t SizeOf(const SystemFile& file) {
    const std::int64_t size = file.Size();
    if (size < 0)
        ReadFailed();
    return size;
}

} // namespace

TableFile::~TableFile() {
    Close();
}

TableFile::OpenResult TableFile::OpenLocked(const std::string& path, SystemFile::Mode mode) {
    Close();
    if (file_.Open(path, mode) != SystemFile::Opened::Ok)
        return OpenResult::Failed;
    if (!file_.TryLock()) {
        file_.Close();
        return OpenResult::Locked;
    }
    journalPath_ = path + ".undo";
    return OpenResult::Ok;
}

TableFile::OpenResult TableFile::Open(const std::string& path) {
    const OpenResult opened = OpenLocked(path, SystemFile::Mode::ReadWrite);
    if (opened == OpenResult::Ok && !Recover()) {
        Close();
        return OpenResult::Failed;
    }
    return opened;
}

TableFile::OpenResult TableFile::Create(const std::string& path) {
    const OpenResult opened = OpenLocked(path, SystemFile::Mode::CreateReadWrite);
    if (opened != OpenResult::Ok)
        return opened;
    // The old table is given up on purpose: an old journal must not bring it back.
    SystemFile::Remove(journalPath_);
    if (!file_.Truncate(0)) {
        Close();
        return OpenResult::Failed;
    }
    return OpenResult::Ok;
}

void TableFile::Close() {
    if (journal_.IsOpen()) {
        // Empty unless a change failed half-way; then it stays for the next opening to undo.
        const bool empty = journal_.Size() == 0;
        journal_.Close();
        if (empty)
            SystemFile::Remove(journalPath_);
    }
    file_.Close();
    block_.clear();
    block_.shrink_to_fit();
}

std::int64_t TableFile::Size() const {
    return SizeOf(file_);
}

std::size_t TableFile::ReadAt(std::int64_t offset, void* data, std::size_t n) const {
    return Read(file_, offset, data, n);
}

std::size_t TableFile::WriteAt(std::int64_t offset, const void* data, std::size_t n) {
    return Write(file_, offset, data, n);
}

void TableFile::Truncate(std::int64_t size) {
    if (!file_.Truncate(size))
        WriteFailed();
}

void TableFile::Sync() {
    SyncOrFail(file_);
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
        WriteAll(file_, to + at, block_.data(), static_cast<std::size_t>(n));
        done += n;
    }
}

void TableFile::OpenJournal() {
    if (journal_.IsOpen())
        return;
    if (journal_.Open(journalPath_, SystemFile::Mode::CreateReadWrite) != SystemFile::Opened::Ok)
        WriteFailed();
    // A journal whose name a power cut takes away could not undo anything.
    if (!SyncFolderOf(journalPath_))
        WriteFailed();
}

void TableFile::Guard(std::int64_t offset, std::int64_t length) {
    OpenJournal();
    if (!journal_.Truncate(0))
        WriteFailed();
    const std::int64_t size = Size();
    length = std::clamp<std::int64_t>(size - offset, 0, std::max<std::int64_t>(length, 0));
    block_.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(length, 1, kBlockSize)));
    for (std::int64_t done = 0; done < length;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kBlockSize, length - done));
        if (ReadAt(offset + done, block_.data(), n) != n)
            ReadFailed();
        WriteAll(journal_, kJournalHeader + done, block_.data(), n);
        done += static_cast<std::int64_t>(n);
    }
    SyncOrFail(journal_);
    std::uint8_t header[kJournalHeader];
    std::memcpy(header, kMagic, sizeof kMagic);
    le::Store(&header[8], static_cast<std::uint64_t>(size), 8);
    le::Store(&header[16], static_cast<std::uint64_t>(offset), 8);
    le::Store(&header[24], static_cast<std::uint64_t>(length), 8);
    WriteAll(journal_, 0, header, sizeof header);
    SyncOrFail(journal_);
}

void TableFile::Commit() {
    if (!journal_.IsOpen())
        return;
    // The change on the disk first: a journal emptied before it would leave a torn table.
    SyncOrFail(file_);
    if (!journal_.Truncate(0))
        WriteFailed();
    SyncOrFail(journal_);
}

void TableFile::ApplyJournal(SystemFile& journal) {
    std::uint8_t header[kJournalHeader] = {};
    const std::int64_t journalSize = SizeOf(journal);
    const bool whole = Read(journal, 0, header, sizeof header) == sizeof header &&
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
        if (Read(journal, kJournalHeader + done, block_.data(), n) != n)
            ReadFailed();
        WriteAll(file_, offset + done, block_.data(), n);
        done += static_cast<std::int64_t>(n);
    }
    Truncate(size);
    // Undone on the disk before the journal may go.
    SyncOrFail(file_);
}

bool TableFile::Recover() {
    SystemFile journal;
    const SystemFile::Opened opened = journal.Open(journalPath_, SystemFile::Mode::ReadOnly);
    if (opened != SystemFile::Opened::Ok)
        return opened == SystemFile::Opened::Missing;
    bool ok = true;
    try {
        ApplyJournal(journal);
    } catch (const TableError&) {
        ok = false;
    }
    journal.Close();
    return ok && SystemFile::Remove(journalPath_);
}

void TableFile::Undo() noexcept {
    if (!journal_.IsOpen())
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
