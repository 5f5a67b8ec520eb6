// Code-page filters of Polish letters and the fixed-width field helpers.
#include <array>

#include "TNX3Class.h"

namespace nubra {
namespace {

struct Letter {
    unsigned char windows;
    unsigned char mazovia;
    unsigned char latin2; // 0: the IBM 852 pair carries only the capitals
};

constexpr std::array<Letter, 18> kLetters = {{
    {0xB9, 0x86, 0},    // ą
    {0xE6, 0x8D, 0},    // ć
    {0xEA, 0x91, 0},    // ę
    {0xB3, 0x92, 0},    // ł
    {0xF1, 0xA4, 0},    // ń
    {0xF3, 0xA2, 0},    // ó
    {0x9C, 0x9E, 0},    // ś
    {0x9F, 0xA6, 0},    // ź
    {0xBF, 0xA7, 0},    // ż
    {0xA5, 0x8F, 0xA4}, // Ą
    {0xC6, 0x95, 0x8F}, // Ć
    {0xCA, 0x90, 0xA8}, // Ę
    {0xA3, 0x9C, 0x9D}, // Ł
    {0xD1, 0xA5, 0xE3}, // Ń
    {0xD3, 0xA3, 0xE0}, // Ó
    {0x8C, 0x98, 0x97}, // Ś
    {0x8F, 0xA0, 0x8D}, // Ź
    {0xAF, 0xA1, 0xBD}, // Ż
}};

using Map = std::array<unsigned char, 256>;

Map Identity() {
    Map m{};
    for (int i = 0; i < 256; ++i)
        m[i] = static_cast<unsigned char>(i);
    return m;
}

enum class Column { Mazovia, Latin2 };

// One substitution table per direction: applied once per byte, so a byte produced by one row is
// never looked up again.
Map Build(Column column, bool fromWindows) {
    Map m = Identity();
    for (const Letter& l : kLetters) {
        const unsigned char other = column == Column::Mazovia ? l.mazovia : l.latin2;
        if (other == 0)
            continue;
        if (fromWindows)
            m[l.windows] = other;
        else
            m[other] = l.windows;
    }
    return m;
}

std::string Apply(const Map& map, const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(map[static_cast<unsigned char>(c)]);
    return out;
}

std::string Pad(const std::string& text, int width, char fill, bool front) {
    const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (text.size() >= w)
        return text.substr(0, w);
    const std::string padding(w - text.size(), fill);
    return front ? padding + text : text + padding;
}

// Digits of |value| with zeros in front up to decimals + 1, a comma before the last decimals digits.
std::string FixedPoint(std::int64_t value, std::size_t decimals) {
    const bool negative = value < 0;
    // Unsigned so the most negative value has a magnitude too.
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < decimals + 1)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    digits.insert(digits.size() - decimals, 1, ',');
    return negative ? "-" + digits : digits;
}

} // namespace

std::string TNX3Class::WindowsToMazovia(const std::string& text) {
    static const Map map = Build(Column::Mazovia, true);
    return Apply(map, text);
}

std::string TNX3Class::MazoviaToWindows(const std::string& text) {
    static const Map map = Build(Column::Mazovia, false);
    return Apply(map, text);
}

std::string TNX3Class::WindowsToLatin2(const std::string& text) {
    static const Map map = Build(Column::Latin2, true);
    return Apply(map, text);
}

std::string TNX3Class::Latin2ToWindows(const std::string& text) {
    static const Map map = Build(Column::Latin2, false);
    return Apply(map, text);
}

void TNX3Class::SelectCodePage(bool mazovia) {
    if (mazovia) {
        OnSendConvert = &TNX3Class::WindowsToMazovia;
        OnReceiveConvert = &TNX3Class::MazoviaToWindows;
    } else {
        OnSendConvert = &TNX3Class::WindowsToLatin2;
        OnReceiveConvert = &TNX3Class::Latin2ToWindows;
    }
}

std::string TNX3Class::PadLeft(const std::string& text, int width) {
    return Pad(text, width, ' ', true);
}

std::string TNX3Class::PadRight(const std::string& text, int width) {
    return Pad(text, width, ' ', false);
}

std::string TNX3Class::PadZeros(const std::string& text, int width) {
    return Pad(text, width, '0', true);
}

std::string TNX3Class::FormatAmount(std::int64_t value) {
    return FixedPoint(value, 2);
}

std::string TNX3Class::FormatRate(std::int64_t value) {
    return FixedPoint(value, 4);
}

} // namespace nubra
