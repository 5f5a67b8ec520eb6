#include "HeaderFile.h"

namespace nubra::settings {
namespace {

constexpr std::size_t kText = 40, kLine = 44;

std::optional<bool> Flag(char c) {
    if (c == '0' || c == '1')
        return c == '1';
    return std::nullopt;
}

} // namespace

std::string FormatHeaderFile(const HeaderFileLines& lines) {
    std::string file;
    for (const HeaderFileLine& line : lines) {
        std::string text = line.text.substr(0, kText);
        text.resize(kText, ' ');
        file += text + '\t' + (line.wide ? '1' : '0') + '\t' + (line.high ? '1' : '0') + "\r\n";
    }
    return file;
}

std::optional<HeaderFileLine> ParseHeaderFileLine(std::string_view line) {
    if (line.size() != kLine || line[kText] != '\t' || line[kText + 2] != '\t')
        return std::nullopt;
    const auto wide = Flag(line[kText + 1]);
    const auto high = Flag(line[kText + 3]);
    if (!wide || !high)
        return std::nullopt;
    std::string text(line.substr(0, kText));
    text.erase(text.find_last_not_of(' ') + 1);
    return HeaderFileLine{text, *wide, *high};
}

} // namespace nubra::settings
