#include "ProfileFile.h"

#include "AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace nubra {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// ASCII only, as the profile functions compare names case-insensitively in the system locale and
// our section and key names are ASCII.
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::string Unquote(const std::string& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

} // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
    Load();
}

bool ProfileFile::Load() {
    lines_.clear();
    crlf_ = false;
    bom_ = false;
    loadError_.clear();
    // A FIFO would block the start and a link to a device would be read without end.
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    if (!std::filesystem::exists(status))
        return true;
    if (!std::filesystem::is_regular_file(status)) {
        loadError_ =
            "Plik ustawień " + path_ + " nie jest zwykłym plikiem. Program używa ustawień domyślnych.";
        return false;
    }
    const auto size = std::filesystem::file_size(path_, ec);
    if (ec || size > static_cast<std::uintmax_t>(kMaxSize)) {
        loadError_ =
            "Plik ustawień " + path_ + " jest zbyt duży (ponad 1 MB). Program używa ustawień domyślnych.";
        return false;
    }
    std::ifstream in(path_, std::ios::binary);
    if (!in)
        return true;
    std::string content(kMaxSize + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    if (content.size() > static_cast<std::size_t>(kMaxSize)) {
        loadError_ =
            "Plik ustawień " + path_ + " jest zbyt duży (ponad 1 MB). Program używa ustawień domyślnych.";
        return false;
    }
    // Editors that save with a byte-order mark would otherwise hide the first section.
    static const std::string kBom = "\xEF\xBB\xBF";
    bom_ = content.compare(0, kBom.size(), kBom) == 0;
    size_t start = bom_ ? kBom.size() : 0;
    bool firstLine = true;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string text = content.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
            if (firstLine)
                crlf_ = true;
        }
        firstLine = false;
        lines_.push_back(ParseLine(text));
        start = end + 1;
    }
    return true;
}

ProfileFile::~ProfileFile() {
    Flush();
}

ProfileFile::Line ProfileFile::ParseLine(const std::string& text) {
    Line line;
    line.text = text;
    const std::string t = Trim(text);
    if (t.empty() || t[0] == ';' || t[0] == '#')
        return line;
    if (t[0] == '[') {
        const size_t close = t.find(']');
        line.isSection = true;
        line.section = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return line;
    }
    const size_t eq = t.find('=');
    if (eq != std::string::npos)
        line.key = Trim(t.substr(0, eq));
    return line;
}

int ProfileFile::FindSection(const std::string& section) const {
    const std::string name = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].isSection && SameName(lines_[i].section, name))
            return static_cast<int>(i);
    }
    return -1;
}

int ProfileFile::SectionEnd(int sectionLine) const {
    size_t i = static_cast<size_t>(sectionLine) + 1;
    while (i < lines_.size() && !lines_[i].isSection)
        ++i;
    return static_cast<int>(i);
}

int ProfileFile::FindKey(int sectionLine, const std::string& key) const {
    const std::string name = Trim(key);
    const int end = SectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (!lines_[static_cast<size_t>(i)].key.empty() && SameName(lines_[static_cast<size_t>(i)].key, name))
            return i;
    }
    return -1;
}

bool ProfileFile::HasKey(const std::string& section, const std::string& key) const {
    const int s = FindSection(section);
    return s >= 0 && FindKey(s, key) >= 0;
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const {
    const int s = FindSection(section);
    if (s < 0)
        return defaultValue;
    const int k = FindKey(s, key);
    if (k < 0)
        return defaultValue;
    const std::string& text = lines_[static_cast<size_t>(k)].text;
    return Unquote(Trim(text.substr(text.find('=') + 1)));
}

int ProfileFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
    const std::string value = ReadString(section, key, "");
    if (value.empty())
        return defaultValue;
    int base = 10;
    std::string digits = value;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits = digits.substr(2);
    }
    if (digits.empty() || IsBlank(digits[0]))
        return defaultValue;
    errno = 0;
    char* end = nullptr;
    const long long n = std::strtoll(digits.c_str(), &end, base);
    if (errno != 0 || *end != '\0' || n < INT_MIN || n > INT_MAX)
        return defaultValue;
    return static_cast<int>(n);
}

void ProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    Write write{Trim(section), Trim(key), value};
    if (!Apply(write))
        return;
    for (Write& w : pending_) {
        if (SameName(w.section, write.section) && SameName(w.key, write.key)) {
            w.value = value;
            return;
        }
    }
    pending_.push_back(std::move(write));
}

bool ProfileFile::Apply(const Write& write) {
    const std::string text = write.key + "=" + write.value;
    int s = FindSection(write.section);
    if (s < 0) {
        lines_.push_back(ParseLine("[" + write.section + "]"));
        lines_.push_back(ParseLine(text));
        return true;
    }
    const int k = FindKey(s, write.key);
    if (k >= 0) {
        Line& line = lines_[static_cast<size_t>(k)];
        if (line.text == text)
            return false;
        line = ParseLine(text);
        return true;
    }
    // After the section's last non-blank line, so blank lines keep separating it from the next.
    int insertAt = SectionEnd(s);
    while (insertAt - 1 > s && Trim(lines_[static_cast<size_t>(insertAt - 1)].text).empty())
        --insertAt;
    lines_.insert(lines_.begin() + insertAt, ParseLine(text));
    return true;
}

void ProfileFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

std::string ProfileFile::Text() const {
    const char* eol = crlf_ ? "\r\n" : "\n";
    std::string text = bom_ ? "\xEF\xBB\xBF" : "";
    for (const Line& line : lines_)
        text += line.text + eol;
    return text;
}

bool ProfileFile::Flush() {
    if (pending_.empty())
        return true;
    // What the file holds now, hand edits made while the program ran included; a file that cannot
    // be read back is not overwritten.
    const std::vector<Line> mine = lines_;
    if (!Load()) {
        lines_ = mine;
        return false;
    }
    const std::string before = Text();
    for (const Write& write : pending_)
        Apply(write);
    if (Text() != before && !WriteFileAtomically(path_, Text()))
        return false;
    pending_.clear();
    return true;
}

} // namespace nubra
