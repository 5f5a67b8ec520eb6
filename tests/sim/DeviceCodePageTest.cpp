#include "DeviceCodePage.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

using nubra::sim::DeviceCodePage;
using nubra::sim::FromDeviceText;
using nubra::sim::ToDeviceText;

// "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ" in Windows-1250.
const std::string kPolish = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";

std::string Iconv(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    std::string out(in.size() * 4, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

TEST(DeviceCodePage, MazoviaBytesOfThePolishLetters) {
    EXPECT_EQ(ToDeviceText(kPolish, DeviceCodePage::Mazovia),
              "\x86\x8D\x91\x92\xA4\xA2\x9E\xA6\xA7 \x8F\x95\x90\x9C\xA5\xA3\x98\xA0\xA1");
}

TEST(DeviceCodePage, Latin2MatchesTheSystemConverter) {
    EXPECT_EQ(ToDeviceText(kPolish, DeviceCodePage::Latin2), Iconv("CP852", "CP1250", kPolish));
}

TEST(DeviceCodePage, RoundTripsAndLeavesOtherBytes) {
    const std::string text = kPolish + " ABC xyz 0123";
    for (DeviceCodePage page : {DeviceCodePage::Mazovia, DeviceCodePage::Latin2})
        EXPECT_EQ(FromDeviceText(ToDeviceText(text, page), page), text);
    EXPECT_EQ(ToDeviceText("ABC xyz", DeviceCodePage::Mazovia), "ABC xyz");
}

TEST(DeviceCodePage, OneSubstitutionPerByte) {
    // Windows "Ą" (0xA5) becomes 0x8F, which is Windows "Ź" but must not be converted again.
    EXPECT_EQ(ToDeviceText("\xA5", DeviceCodePage::Mazovia), "\x8F");
    EXPECT_EQ(FromDeviceText("\xA5", DeviceCodePage::Mazovia), "\xD1");
}

} // namespace
