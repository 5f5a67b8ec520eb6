#include "Cp1250.h"
#include "TextCheck.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include "WideText.h"
#include "WindowsApi.h"
#else
#include <iconv.h>
#endif

namespace {

using namespace nubra;

// The system's own converter is the reference for the whole upper half of the code page.
#ifdef _WIN32
std::string SystemToUtf8(const std::string& in) {
    wchar_t wide[8] = {};
    const int n =
        ::MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), wide, 8);
    // Windows maps the unassigned bytes to the control characters of the same number.
    if (n <= 0 || (n == 1 && wide[0] >= 0x80 && wide[0] < 0xA0))
        return {};
    return Utf8FromWide(std::wstring(wide, static_cast<std::size_t>(n)));
}
#else
std::string SystemToUtf8(const std::string& in) {
    iconv_t cd = iconv_open("UTF-8", "CP1250");
    std::string out(in.size() * 4, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        return {};
    out.resize(out.size() - dstLeft);
    return out;
}
#endif

TEST(Cp1250, EveryAssignedByteMatchesTheSystemConverterBothWays) {
    for (int b = 0x20; b <= 0xFF; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string reference = SystemToUtf8(one);
        if (reference.empty())
            continue; // unassigned in this code page
        EXPECT_EQ(cp1250::ToUtf8(one), reference) << "byte " << b;
        EXPECT_EQ(cp1250::FromUtf8(reference), one) << "byte " << b;
    }
}

TEST(Cp1250, PolishTextRoundTripsAndForeignCharactersBecomeQuestionMarks) {
    const std::string text = "Zażółć gęślą jaźń ŁÓDŹ";
    EXPECT_EQ(cp1250::ToUtf8(cp1250::FromUtf8(text)), text);
    EXPECT_EQ(cp1250::FromUtf8("ą"), "\xB9");
    EXPECT_EQ(cp1250::FromUtf8("a€b"), "a\x80"
                                       "b");
    EXPECT_EQ(cp1250::FromUtf8("日本"), "??");
    EXPECT_EQ(cp1250::FromUtf8("x\xFFy"), "x?y"); // stray byte: taken as Latin-1 ÿ, not in the page
    EXPECT_EQ(cp1250::ToUtf8("\x81"), "\xEF\xBF\xBD");
}

TEST(Cp1250, UpperCasingFollowsTheWindowsLocale) {
    EXPECT_EQ(cp1250::ToUpper(cp1250::FromUtf8("zażółć gęślą jaźń")), cp1250::FromUtf8("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"));
    EXPECT_EQ(cp1250::ToUpper(0x61), 0x41);
    EXPECT_EQ(cp1250::ToUpper(0xE0), 0xC0);
    EXPECT_EQ(cp1250::ToUpper(0xE1), 0xC1);
    EXPECT_EQ(cp1250::ToUpper(0xF7), 0xF7); // division sign has no case
    EXPECT_EQ(cp1250::ToUpper(0xDF), 0xDF); // sharp s stays
    EXPECT_EQ(cp1250::ToUpper(0x21), 0x21);
    EXPECT_EQ(cp1250::ToUpper(0xA0), 0xA0);
}

// Forms a lax decoder reads as ASCII: never a control byte, and refused by the text check.
TEST(Cp1250, MalformedUtf8NeverBecomesAControlByte) {
    const struct {
        std::string utf8;
        std::string fault;
    } cases[] = {
        {"\xC0\x83", "niepoprawny zapis UTF-8 (bajt 0xC0)"},         // overlong ETX
        {"a\xE0\x80\x82", "niepoprawny zapis UTF-8 (bajt 0xE0)"},    // overlong STX
        {"\xF0\x80\x80\x8A", "niepoprawny zapis UTF-8 (bajt 0xF0)"}, // overlong LF
        {"\xED\xA0\x80", "niepoprawny zapis UTF-8 (bajt 0xED)"},     // a surrogate
        {"\xF4\x90\x80\x80", "niepoprawny zapis UTF-8 (bajt 0xF4)"}, // past U+10FFFF
        {"\xC5", "niepoprawny zapis UTF-8 (bajt 0xC5)"},             // cut short
        {"\x7F", ""},
    };
    for (const auto& c : cases) {
        for (char b : cp1250::FromUtf8(c.utf8))
            EXPECT_GE(static_cast<unsigned char>(b), 0x20) << c.fault;
        EXPECT_EQ(TextFault(c.utf8, true), c.fault);
    }
    // Bytes: the unassigned ones are no character; Mazovia takes ASCII and the Polish letters only.
    EXPECT_EQ(TextFault("\x81", false), "bajt 0x81 nie jest znakiem strony kodowej Windows-1250");
    EXPECT_EQ(TextFault(cp1250::FromUtf8("ZAŻÓŁĆ gęślą jaźń 12,50 zł"), false, DeviceCharset::Mazovia), "");
    EXPECT_EQ(TextFault("\xE4", false, DeviceCharset::Mazovia),
              "znaku 'ä' (U+00E4) nie ma w stronie kodowej nagłówka i stopki (Mazovia)");
    EXPECT_EQ(TextFault("\xE4", false), "");
}

} // namespace
