#pragma once
// A private temporary folder per test, and whole-file helpers.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace nubra::test {

class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name =
            "nubra_tables_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        // Every change of a table waits for the disk; a memory file system makes that free, where
        // there is one, so thousands of changes stay quick.
        std::error_code ec;
        const std::filesystem::path memory = "/dev/shm";
        path_ =
            (std::filesystem::is_directory(memory, ec) ? memory : std::filesystem::temp_directory_path()) /
            name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::int64_t LoadLe(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint64_t>(b.at(at + i)) << (8 * i);
    if (bytes == 4)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return static_cast<std::int64_t>(v);
}

inline void StoreLe(std::vector<std::uint8_t>& b, std::size_t at, std::int64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.at(at + i) = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
}

} // namespace nubra::test
