// libFuzzer entry: any bytes as a header file (.hdr), read line by line as the header panel reads it,
// up to the first line that is not of the layout. What was read is written as the panel writes it
// (lines not read keep empty edits) and must read back the same.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "HeaderFile.h"

namespace {

using nubra::fuzz::Require;
using nubra::settings::HeaderFileLineCount;
using nubra::settings::HeaderFileLines;
using nubra::settings::ParseHeaderFileLine;

// The panel's file reading: at most 1023 bytes or through LF, then the line end taken off.
std::string_view NextLine(std::string_view& bytes) {
    constexpr std::size_t kMaxLine = 1023;
    std::size_t length = std::min(bytes.find('\n'), bytes.size());
    length = std::min(length == bytes.size() ? length : length + 1, kMaxLine);
    std::string_view line = bytes.substr(0, length);
    bytes.remove_prefix(length);
    if (line.ends_with('\n'))
        line.remove_suffix(1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

// Lines read; the others left as they were (empty).
int Read(std::string_view bytes, HeaderFileLines& lines) {
    for (int i = 0; i < HeaderFileLineCount; ++i) {
        const auto parsed = ParseHeaderFileLine(NextLine(bytes));
        if (!parsed)
            return i;
        Require(parsed->text.size() <= 40, "a header text is at most 40 characters");
        Require(parsed->text.empty() || parsed->text.back() != ' ', "a header text has no blanks behind");
        lines[static_cast<std::size_t>(i)] = *parsed;
    }
    return HeaderFileLineCount;
}

bool OneLine(const std::string& text) {
    return text.find_first_of("\r\n") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HeaderFileLines read;
    Read(std::string_view(reinterpret_cast<const char*>(data), size), read);

    const std::string written = nubra::settings::FormatHeaderFile(read);
    HeaderFileLines again;
    const int count = Read(written, again);
    // A line end inside a text would cut the line in two: the lines from there on are not compared.
    for (std::size_t i = 0; i < read.size() && OneLine(read[i].text); ++i) {
        Require(static_cast<int>(i) < count, "a written header line reads back");
        Require(again[i].text == read[i].text && again[i].wide == read[i].wide &&
                    again[i].high == read[i].high,
                "a header line read survives a write and a re-read");
    }
    return 0;
}
