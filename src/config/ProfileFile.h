#pragma once
// A profile (INI) file with the semantics of the Windows profile functions: section and key names
// match case-insensitively and ignoring surrounding blanks, values are trimmed (one pair of matching
// quotes around a value is removed), the first of duplicate sections or keys wins, and every line
// the file held that is not touched by a write is kept as it was (a leading UTF-8 byte-order mark
// included). The file is read when the object is created; writes change the memory image and mark
// their keys as the program's own. Flush() (also run by the destructor) reads the file again, changes
// only those keys, so lines edited by hand meanwhile survive, and replaces the file whole through a
// temporary file. Only a regular file of sane size is read. Not thread-safe.
#include <string>
#include <vector>

namespace nubra {

class ProfileFile {
public:
    static constexpr long long kMaxSize = 1 << 20;

    // Reads the file if it exists; a missing or unreadable file is an empty profile.
    explicit ProfileFile(std::string path);
    ~ProfileFile();
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    const std::string& Path() const { return path_; }
    // Why an existing file was not read (it is not a regular file, or too large); empty otherwise.
    const std::string& LoadError() const { return loadError_; }

    bool HasKey(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal with an optional sign, or hexadecimal after "0x"; anything else gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

    // A missing section is appended at the end, a missing key after the last entry of its section,
    // an existing key keeps its place.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);

    // Writes the file when something changed since it was read or last flushed. False when the
    // file cannot be read back or written; the changes stay pending then.
    bool Flush();

private:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
    };
    struct Line {
        std::string text;    // as read, without the line end
        std::string section; // for a section line: the trimmed name; empty otherwise
        std::string key;     // for a key line: the trimmed key; empty otherwise
        bool isSection = false;
    };

    // Index of the section line, or -1.
    int FindSection(const std::string& section) const;
    // Index of the key line inside the section that starts at sectionLine, or -1.
    int FindKey(int sectionLine, const std::string& key) const;
    // Index one past the section's last line.
    int SectionEnd(int sectionLine) const;
    static Line ParseLine(const std::string& text);
    // False when the file exists but is not one this class reads; loadError_ says why.
    bool Load();
    bool Apply(const Write& write);
    std::string Text() const;

    std::string path_;
    std::string loadError_;
    std::vector<Line> lines_;
    std::vector<Write> pending_;
    bool crlf_ = false;
    bool bom_ = false;
};

} // namespace nubra
