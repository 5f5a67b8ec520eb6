#include "Cp1250.h"

#include <array>
#include <cstdint>
#include <unordered_map>

#include "Utf8.h"

namespace nubra::cp1250 {
namespace {

// Code points of 0x80..0xFF; 0xFFFD marks the unassigned bytes.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const std::unordered_map<char32_t, unsigned char>& Reverse() {
    static const auto map = [] {
        std::unordered_map<char32_t, unsigned char> m;
        for (int i = 0; i < 128; ++i)
            if (kHigh[i] != 0xFFFD)
                m.emplace(kHigh[i], static_cast<unsigned char>(0x80 + i));
        return m;
    }();
    return map;
}

} // namespace

std::string ToUtf8(std::string_view cp1250) {
    std::string out;
    out.reserve(cp1250.size() * 2);
    for (char ch : cp1250) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, CodePoint(b));
    }
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        if (!NextUtf8(utf8, i, cp))
            cp = static_cast<unsigned char>(utf8[i++]);
        unsigned char b = 0;
        out += ByteOf(cp, b) ? static_cast<char>(b) : '?';
    }
    return out;
}

char32_t CodePoint(unsigned char byte) {
    return byte < 0x80 ? char32_t{byte} : char32_t{kHigh[byte - 0x80]};
}

bool ByteOf(char32_t codePoint, unsigned char& byte) {
    if (codePoint < 0x80) {
        byte = static_cast<unsigned char>(codePoint);
        return true;
    }
    const auto& reverse = Reverse();
    const auto it = reverse.find(codePoint);
    if (it == reverse.end())
        return false;
    byte = it->second;
    return true;
}

unsigned char ToUpper(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    switch (c) {
    case 0x9A:
        return 0x8A; // š
    case 0x9C:
        return 0x8C; // ś
    case 0x9D:
        return 0x8D; // ť
    case 0x9E:
        return 0x8E; // ž
    case 0x9F:
        return 0x8F; // ź
    case 0xB3:
        return 0xA3; // ł
    case 0xB9:
        return 0xA5; // ą
    case 0xBA:
        return 0xAA; // ş
    case 0xBE:
        return 0xBC; // ľ
    case 0xBF:
        return 0xAF; // ż
    default:
        break;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    return c;
}

std::string ToUpper(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        ch = static_cast<char>(ToUpper(static_cast<unsigned char>(ch)));
    return out;
}

} // namespace nubra::cp1250
