#pragma once
// The header file (".hdr"): four lines, header lines 1-3 and the tax-number line, each the text padded
// to 40 characters, TAB, the wide flag, TAB, the high flag ("0"/"1"), with CR LF line ends.
// Windows-1250 bytes.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nubra::settings {

struct HeaderFileLine {
    std::string text; // trailing spaces stripped when read
    bool wide = false;
    bool high = false;
};

inline constexpr int HeaderFileLineCount = 4;
using HeaderFileLines = std::array<HeaderFileLine, HeaderFileLineCount>;

std::string FormatHeaderFile(const HeaderFileLines& lines);
// One line without its line end; nothing when it is not exactly 44 characters of that layout.
std::optional<HeaderFileLine> ParseHeaderFileLine(std::string_view line);

} // namespace nubra::settings
