// Code-page filters of Polish letters and the fixed-width field helpers.
#include <array>

#include "PolishLetters.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

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
    for (const PolishLetter& l : kPolishLetters) {
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
