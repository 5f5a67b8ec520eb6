// libFuzzer entry: any bytes as the profile file. It is read, one key is written, and the file read
// back must give every value read before unchanged and the written one as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "ProfileFile.h"
#include "ScratchFile.h"

namespace {

using nubra::fuzz::Require;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The program writes names of letters, digits and spaces and one-line values; anything else could
// make a line of another kind, which is the caller's fault and not the file's.
bool PlainName(const std::string& name) {
    if (Trim(name).empty())
        return false;
    for (char c : name)
        if (c < ' ' || c > '~' || c == '[' || c == ']' || c == '=' || c == ';' || c == '#')
            return false;
    return true;
}

bool OneLine(const std::string& value) {
    return value.find_first_of("\r\n") == std::string::npos;
}

// Section and key names that occur in the text, as the reader would find them.
std::vector<std::pair<std::string, std::string>> NamesIn(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    std::size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    while (start <= text.size() && names.size() < 64) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        if (!line.empty() && line[0] == '[')
            section = Trim(
                line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1));
        else if (line.find('=') != std::string::npos)
            names.emplace_back(section, Trim(line.substr(0, line.find('='))));
        start = end + 1;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(24);
    const std::string key = in.ConsumeRandomLengthString(24);
    const std::string value = in.ConsumeRandomLengthString(48);
    const std::string text = in.ConsumeRemainingBytesAsString();
    nubra::fuzz::ScratchFile file("profile", ".ini");
    file.Write(text);

    // Each value read, or nothing for a key that is not there.
    const auto names = NamesIn(text);
    auto read = [&names](const nubra::ProfileFile& profile, std::size_t i) -> std::optional<std::string> {
        const auto& [s, k] = names[i];
        if (!profile.HasKey(s, k)) {
            Require(profile.ReadString(s, k, "?") == "?", "a missing key reads as the default");
            return std::nullopt;
        }
        return profile.ReadString(s, k, "");
    };
    std::vector<std::optional<std::string>> before;
    std::vector<int> numbers;
    {
        nubra::ProfileFile profile(file.Path());
        for (std::size_t i = 0; i < names.size(); ++i) {
            before.push_back(read(profile, i));
            numbers.push_back(profile.ReadInteger(names[i].first, names[i].second, -7));
        }
        if (!PlainName(section) || !PlainName(key) || !OneLine(value))
            return 0;
        profile.WriteString(section, key, value);
        Require(profile.Flush(), "the file is written");
    }

    nubra::ProfileFile again(file.Path());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto& [s, k] = names[i];
        if (Upper(Trim(s)) == Upper(Trim(section)) && Upper(k) == Upper(Trim(key)))
            continue;
        Require(read(again, i) == before[i], "a value read survives a write");
        Require(again.ReadInteger(s, k, -7) == numbers[i], "a number read survives a write");
    }
    std::string expected = Trim(value);
    if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
        expected.back() == expected.front())
        expected = expected.substr(1, expected.size() - 2);
    Require(again.HasKey(section, key) && again.ReadString(section, key, "") == expected,
            "the written value reads back");
    return 0;
}
