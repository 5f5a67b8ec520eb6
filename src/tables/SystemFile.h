#pragma once
// The system calls under the table engine: a file opened for positioned reads and writes, with an
// exclusive lock. One implementation per system (PosixSystemFile.cpp, Win32SystemFile.cpp), so the
// table file's own logic (journal, block moves) is written once.
#include <cstddef>
#include <cstdint>
#include <string>

namespace nubra {

class SystemFile {
public:
    enum class Mode { ReadWrite, CreateReadWrite, ReadOnly };
    enum class Opened { Ok, Missing, Failed };

    SystemFile() = default;
    ~SystemFile() { Close(); }
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    Opened Open(const std::string& path, Mode mode);
    bool IsOpen() const { return handle_ != kClosed; }
    void Close();
    // Exclusive and non-blocking; false only when another holder has the file (a file system
    // without locks counts as locked by us).
    bool TryLock();

    // Reads up to n bytes at offset, fewer only at the end of the file; -1 when the read fails.
    std::int64_t ReadAt(std::int64_t offset, void* data, std::size_t n) const;
    // Writes up to n bytes at offset and says how many went out: fewer when the disk is full or a
    // size limit is reached; -1 when the write fails for another reason.
    std::int64_t WriteAt(std::int64_t offset, const void* data, std::size_t n);
    // -1 when it cannot be known.
    std::int64_t Size() const;
    bool Truncate(std::int64_t size);
    // Waits until what was written is on the disk, so that it survives a power cut.
    bool Sync();

    // True when the file is gone (or was not there).
    static bool Remove(const std::string& path);
    // Fault injection for tests: the process ends at once, as a kill would end it.
    [[noreturn]] static void KillProcess();

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed; // a descriptor or a HANDLE
};

} // namespace nubra
