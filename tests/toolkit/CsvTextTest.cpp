#include "CsvText.h"

#include <gtest/gtest.h>

namespace nubra::toolkit {
namespace {

TEST(CsvText, QuotesOnlyCellsThatNeedIt) {
    EXPECT_EQ(CsvLine({"MLEKO", "A", "3,5"}), "MLEKO;A;3,5\r\n");
    EXPECT_EQ(CsvLine({"A;B", "\"X\"", "a\nb", ""}), "\"A;B\";\"\"\"X\"\"\";\"a\nb\";\r\n");
}

TEST(CsvText, ReadsWhatSpreadsheetsWrite) {
    const auto rows = ParseCsv("\xEF\xBB\xBFNAZWA;PTU\r\n\r\n\"A;\"\"B\"\"\nC\";x\nlast;");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].line, 1);
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{"NAZWA", "PTU"}));
    EXPECT_EQ(rows[1].line, 3);
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"A;\"B\"\nC", "x"}));
    EXPECT_EQ(rows[2].line, 5);
    EXPECT_EQ(rows[2].cells, (std::vector<std::string>{"last", ""}));
    EXPECT_FALSE(rows[2].unterminatedQuote);
    EXPECT_TRUE(ParseCsv("a;\"open\r\nrest").back().unterminatedQuote);
}

TEST(CsvText, RecognisesUtf8) {
    EXPECT_TRUE(IsUtf8("Zażółć gęślą jaźń ✓"));
    EXPECT_FALSE(IsUtf8("\xB9"));         // Windows-1250 "ą"
    EXPECT_FALSE(IsUtf8("\xC4"));         // cut sequence
    EXPECT_FALSE(IsUtf8("\xC0\x80"));     // overlong
    EXPECT_FALSE(IsUtf8("\xED\xA0\x80")); // surrogate
}

} // namespace
} // namespace nubra::toolkit
