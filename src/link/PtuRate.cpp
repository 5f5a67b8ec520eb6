#include "PtuRate.h"

#include <cstdio>

namespace nubra::ptu {
namespace {

constexpr int kMaximum = 9999;

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

} // namespace

std::optional<int> ParseTyped(const std::string& text) {
    std::size_t end = text.find_last_not_of(' ');
    if (end != std::string::npos && text[end] == '%')
        end = text.find_last_not_of(' ', end == 0 ? std::string::npos : end - 1);
    const std::size_t begin = text.find_first_not_of(' ');
    if (end == std::string::npos || begin == std::string::npos || begin > end)
        return std::nullopt;
    const std::string t = text.substr(begin, end - begin + 1);
    const std::size_t sep = t.find_first_of(",.");
    const std::string whole = t.substr(0, sep);
    const std::string fraction = sep == std::string::npos ? std::string() : t.substr(sep + 1);
    if ((whole.empty() && fraction.empty()) || fraction.size() > 2)
        return std::nullopt;
    int value = 0;
    for (char ch : whole) {
        if (!IsDigit(ch))
            return std::nullopt;
        value = value * 10 + (ch - '0');
        if (value > kMaximum)
            return std::nullopt;
    }
    for (std::size_t i = 0; i < 2; ++i) {
        const char ch = i < fraction.size() ? fraction[i] : '0';
        if (!IsDigit(ch))
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return value <= kMaximum ? std::optional<int>(value) : std::nullopt;
}

std::string Refusal(char letter, const std::string& typed) {
    return "Stawka PTU " + std::string(1, letter) +
           " musi być liczbą od 0,00 do 99,99, z najwyżej dwoma cyframi po przecinku" +
           (typed.empty() ? std::string() : ": " + typed) + ".";
}

std::string DisplayText(int hundredths) {
    const int magnitude = hundredths < 0 ? -hundredths : hundredths;
    char text[32];
    std::snprintf(text, sizeof text, "%s%d,%02d %%", hundredths < 0 ? "-" : "", magnitude / 100,
                  magnitude % 100);
    return text;
}

} // namespace nubra::ptu
