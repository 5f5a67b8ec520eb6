#pragma once
// A file of this process's own for fuzz targets whose input is a file: written from the input and
// removed when the run of that input ends. Fuzzers running side by side never share one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace nubra::fuzz {

class ScratchFile {
public:
    // stem: a short name of the target; extension with its dot (".tbl", ".ini").
    ScratchFile(const std::string& stem, const std::string& extension)
        : base_((std::filesystem::temp_directory_path() / ("nubra_fuzz_" + stem + "_" + ProcessTag()))
                    .string()),
          path_(base_ + extension) {}
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Without the extension, for readers that add it themselves.
    const std::string& Base() const { return base_; }
    const std::string& Path() const { return path_; }

    void Write(const std::uint8_t* data, std::size_t size) const {
        if (std::FILE* f = std::fopen(path_.c_str(), "wb")) {
            if (size > 0)
                std::fwrite(data, 1, size, f);
            std::fclose(f);
        }
    }
    void Write(const std::string& bytes) const {
        Write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }

private:
    // Drawn once per process: fuzzers running side by side do not share a file.
    static const std::string& ProcessTag() {
        static const std::string tag = std::to_string(std::random_device{}());
        return tag;
    }

    std::string base_;
    std::string path_;
};

} // namespace nubra::fuzz
