#pragma once
// The open table file: positioned block reads and writes, truncation and block moves.
// Failures of the system calls raise TableError with the read or write message.
//
// The file is locked (exclusive, non-blocking) while open, so one program at a time uses a
// table. Every change is bracketed by Guard and Commit: Guard saves the bytes the change may touch
// and the file's size in an undo journal beside the table ("<file>.undo"), Commit empties it. Opening
// a table whose journal is complete puts the saved bytes back, so a process killed at any moment of a
// change leaves the table as it was before that change.
#include <cstdint>
#include <string>
#include <vector>

#include "SystemFile.h"

namespace nubra {

class TableFile {
public:
    enum class OpenResult { Ok, Failed, Locked };

    TableFile() = default;
    ~TableFile();
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    // An existing file, read and write; an interrupted change is undone first.
    OpenResult Open(const std::string& path);
    // Created, or emptied once the lock is held.
    OpenResult Create(const std::string& path);
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }

    std::int64_t Size() const;
    // Reads up to n bytes; fewer only at the end of the file.
    std::size_t ReadAt(std::int64_t offset, void* data, std::size_t n) const;
    // Writes n bytes; returns how many were written before the disk refused more.
    std::size_t WriteAt(std::int64_t offset, const void* data, std::size_t n);
    void Truncate(std::int64_t size);
    // Waits until the writes so far are on the disk.
    void Sync();
    // Copies length bytes from one offset to another like memmove, in large blocks; bytes beyond the
    // end of the file read as zero.
    void Move(std::int64_t from, std::int64_t to, std::int64_t length);

    // Saves the file's size and its bytes from offset on (at most length of them) before a change.
    void Guard(std::int64_t offset, std::int64_t length);
    // The change is whole: the journal no longer applies.
    void Commit();
    // The change failed half-way: the saved bytes go back at once.
    void Undo() noexcept;

    // Fault injection for tests: the process is killed in the middle of the write that exceeds this
    // many more bytes, after writing the part that fits (as a kill between two pages would leave it).
    static void KillAfterWriting(std::int64_t bytes);

private:
    OpenResult OpenLocked(const std::string& path, SystemFile::Mode mode);
    void ApplyJournal(SystemFile& journal);
    bool Recover();
    void OpenJournal();

    SystemFile file_;
    SystemFile journal_;
    std::string journalPath_;
    std::vector<char> block_;
};

} // namespace nubra
