#pragma once
// The Polish letters in the three code pages the printer's text travels in. Mazovia holds these and
// ASCII only; the IBM 852 pair of the Latin filters carries only the capitals.
#include <array>

namespace nubra {

struct PolishLetter {
    unsigned char windows;
    unsigned char mazovia;
    unsigned char latin2; // 0: the IBM 852 pair carries only the capitals
};

inline constexpr std::array<PolishLetter, 18> kPolishLetters = {{
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

} // namespace nubra
