#include <gtest/gtest.h>

#include <string>

#include "TNX3Class.h"

namespace nubra {
namespace {

TEST(Checksum, KnownPayloads) {
    EXPECT_EQ(TNX3Class::Checksum("B2"), "8F");
    EXPECT_EQ(TNX3Class::Checksum("I1"), "87");
    EXPECT_EQ(TNX3Class::Checksum("D1"), "8A");
    EXPECT_EQ(TNX3Class::Checksum("X2"), "95");
    EXPECT_EQ(TNX3Class::Checksum(""), "FF");
    EXPECT_EQ(TNX3Class::Checksum(std::string("\xF0", 1)), "0F"); // leading zero kept
}

TEST(Checksum, FrameBytes) {
    EXPECT_EQ(TNX3Class::Frame("B2"), std::string("\x02"
                                                  "B2"
                                                  "\x03"
                                                  "8F"));
    EXPECT_EQ(TNX3Class::Frame("I1"), std::string("\x02\x49\x31\x03\x38\x37"));
}

struct FilterRow {
    unsigned char windows;
    unsigned char mazovia;
    int latin2; // -1: not in the IBM 852 pair
};

const FilterRow kRows[] = {
    {0xB9, 0x86, -1},   {0xE6, 0x8D, -1},   {0xEA, 0x91, -1},   {0xB3, 0x92, -1},   {0xF1, 0xA4, -1},
    {0xF3, 0xA2, -1},   {0x9C, 0x9E, -1},   {0x9F, 0xA6, -1},   {0xBF, 0xA7, -1},   {0xA5, 0x8F, 0xA4},
    {0xC6, 0x95, 0x8F}, {0xCA, 0x90, 0xA8}, {0xA3, 0x9C, 0x9D}, {0xD1, 0xA5, 0xE3}, {0xD3, 0xA3, 0xE0},
    {0x8C, 0x98, 0x97}, {0x8F, 0xA0, 0x8D}, {0xAF, 0xA1, 0xBD},
};

std::string Byte(int b) {
    return std::string(1, static_cast<char>(b));
}

TEST(Filters, EveryLetterBothDirections) {
    for (const auto& r : kRows) {
        SCOPED_TRACE(r.windows);
        EXPECT_EQ(TNX3Class::WindowsToMazovia(Byte(r.windows)), Byte(r.mazovia));
        EXPECT_EQ(TNX3Class::MazoviaToWindows(Byte(r.mazovia)), Byte(r.windows));
        if (r.latin2 >= 0) {
            EXPECT_EQ(TNX3Class::WindowsToLatin2(Byte(r.windows)), Byte(r.latin2));
            EXPECT_EQ(TNX3Class::Latin2ToWindows(Byte(r.latin2)), Byte(r.windows));
        } else {
            // The IBM 852 pair has no lower-case rows: the letter passes unchanged.
            EXPECT_EQ(TNX3Class::WindowsToLatin2(Byte(r.windows)), Byte(r.windows));
        }
    }
}

TEST(Filters, OtherBytesPass) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string toMaz = TNX3Class::WindowsToMazovia(all);
    int changed = 0;
    for (int b = 0; b < 256; ++b)
        changed += toMaz[b] != all[b];
    EXPECT_EQ(changed, 18);
    EXPECT_EQ(TNX3Class::WindowsToMazovia("Ala ma kota 12,50"), "Ala ma kota 12,50");
}

TEST(Filters, SinglePass) {
    // Ź (0x8F) becomes 0xA0 and Ą (0xA5) becomes 0x8F; the produced 0x8F is not turned again.
    EXPECT_EQ(TNX3Class::WindowsToMazovia("\xA5\x8F"), "\x8F\xA0");
    // Mazovia 0xA5 (Ń) -> 0xD1; Mazovia 0x8F (Ą) -> 0xA5, which is not looked up as Ń again.
    EXPECT_EQ(TNX3Class::MazoviaToWindows("\x8F\xA5"), "\xA5\xD1");
    // Latin 2: Ą 0xA5 -> 0xA4; Ź 0x8F -> 0x8D; Ć 0xC6 -> 0x8F stays 0x8F.
    EXPECT_EQ(TNX3Class::WindowsToLatin2("\xA5\x8F\xC6"), "\xA4\x8D\x8F");
    EXPECT_EQ(TNX3Class::Latin2ToWindows("\x8F\x8D"), "\xC6\x8F");
}

struct PadCase {
    const char* text;
    int width;
    const char* left;
    const char* right;
    const char* zeros;
};

TEST(FieldHelpers, PadCutAndFill) {
    const PadCase cases[] = {
        {"12345", 3, "123", "123", "123"}, {"7", 3, "  7", "7  ", "007"},
        {"abc", 3, "abc", "abc", "abc"},   {"abc", 0, "", "", ""},
        {"", 2, "  ", "  ", "00"},         {"x", -1, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + "/" + std::to_string(c.width));
        EXPECT_EQ(TNX3Class::PadLeft(c.text, c.width), c.left);
        EXPECT_EQ(TNX3Class::PadRight(c.text, c.width), c.right);
        EXPECT_EQ(TNX3Class::PadZeros(c.text, c.width), c.zeros);
    }
}

TEST(FieldHelpers, FormatAmount) {
    EXPECT_EQ(TNX3Class::FormatAmount(0), "0,00");
    EXPECT_EQ(TNX3Class::FormatAmount(5), "0,05");
    EXPECT_EQ(TNX3Class::FormatAmount(29), "0,29");
    EXPECT_EQ(TNX3Class::FormatAmount(100), "1,00");
    EXPECT_EQ(TNX3Class::FormatAmount(1234), "12,34");
    EXPECT_EQ(TNX3Class::FormatAmount(99999999999), "999999999,99");
    EXPECT_EQ(TNX3Class::FormatAmount(-5), "-0,05");
}

TEST(FieldHelpers, FormatRate) {
    EXPECT_EQ(TNX3Class::FormatRate(0), "0,0000");
    EXPECT_EQ(TNX3Class::FormatRate(5), "0,0005");
    EXPECT_EQ(TNX3Class::FormatRate(41234), "4,1234");
    EXPECT_EQ(TNX3Class::FormatRate(123456), "12,3456");
}

} // namespace
} // namespace nubra
