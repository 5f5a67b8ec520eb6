// The program's number format: decimal comma in, decimal comma out.
#include "FieldValue.h"

#include <gtest/gtest.h>

namespace nubra {
namespace {

TEST(FieldValueParse, Integers) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger(" -7 "), -7);
    EXPECT_EQ(ParseInteger("+2147483647"), 2147483647);
    for (const char* bad : {"", " ", "2147483648", "1,0", "12a", "--1", "0x10"})
        EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
}

TEST(FieldValueParse, DoublesTakeOnlyTheComma) {
    EXPECT_EQ(ParseDouble("12,5"), 12.5);
    EXPECT_EQ(ParseDouble("-0,25"), -0.25);
    EXPECT_EQ(ParseDouble(",5"), 0.5);
    EXPECT_EQ(ParseDouble("15E-1"), 1.5);
    for (const char* bad : {"", "12.5", ",", "1e", "inf", "nan", "1e999", "1 2"})
        EXPECT_EQ(ParseDouble(bad), std::nullopt) << bad;
}

TEST(FieldValueParse, CurrencyIsExactAndRoundsTheFifthDecimal) {
    struct Case {
        const char* text;
        std::int64_t scaled;
    };
    for (const Case& c :
         {Case{"12,34", 123400}, Case{"12,50", 125000}, Case{"0,00005", 1}, Case{"0,00004", 0},
          Case{"-1,23456", -12346}, Case{"922337203685477,5807", INT64_MAX}, Case{"1,5E2", 1500000},
          Case{"000", 0}, Case{"0,1e-10", 0}})
        EXPECT_EQ(ParseCurrency(c.text), Currency{c.scaled}) << c.text;
    for (const char* bad : {"", "12.34", "922337203685477,5808", "1e20", "x"})
        EXPECT_EQ(ParseCurrency(bad), std::nullopt) << bad;
}

TEST(FieldValueFormat, NumbersAsTheGridShowsThem) {
    EXPECT_EQ(FormatCurrency(Currency{125000}), "12,5");
    EXPECT_EQ(FormatCurrency(Currency{120000}), "12");
    EXPECT_EQ(FormatCurrency(Currency{-1}), "-0,0001");
    EXPECT_EQ(FormatCurrency(Currency{INT64_MIN}), "-922337203685477,5808");
    EXPECT_EQ(FormatDouble(0.1), "0,1");
    EXPECT_EQ(FormatDouble(1234.5), "1234,5");
    EXPECT_EQ(FormatDouble(-2), "-2");
    EXPECT_EQ(FormatDouble(1e20), "1E20");
    EXPECT_EQ(FormatDouble(1.5e-7), "1,5E-7");
    EXPECT_EQ(FormatDouble(0.00012), "0,00012");
    EXPECT_EQ(ToText(FieldValue{std::int32_t{-5}}), "-5");
    EXPECT_EQ(ToText(FieldValue{}), "");
}

} // namespace
} // namespace nubra
