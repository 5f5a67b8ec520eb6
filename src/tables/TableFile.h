#pragma once
// The open table file: positioned block reads and writes, truncation and block moves.
// Failures of the system calls raise TableError with the read or write message.
#include <cstdint>
#include <string>
#include <vector>

namespace nubra {

class TableFile {
public:
    TableFile() = default;
    ~TableFile();
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    bool Open(const std::string& path);   // existing file, read and write
    bool Create(const std::string& path); // created or emptied
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    std::int64_t Size() const;
    // Reads up to n bytes; fewer only at the end of the file.
    std::size_t ReadAt(std::int64_t offset, void* data, std::size_t n) const;
    // Writes n bytes; returns how many were written before the disk refused more.
    std::size_t WriteAt(std::int64_t offset, const void* data, std::size_t n);
    void Truncate(std::int64_t size);
    // Copies length bytes from one offset to another like memmove, in large blocks; bytes beyond the
    // end of the file read as zero.
    void Move(std::int64_t from, std::int64_t to, std::int64_t length);

private:
    int fd_ = -1;
    std::vector<char> block_;
};

} // namespace nubra
