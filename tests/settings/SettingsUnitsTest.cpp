// The pieces of the settings windows that need no printer: rate texts, header file lines and the
// placing of a line's text.
#include <gtest/gtest.h>

#include "HeaderFile.h"
#include "LineAlign.h"
#include "PtuRate.h"
#include "TNX3Class.h"

namespace {

using namespace nubra::settings;

TEST(PtuRate, ReadRatesAreShownAndGoBackAsTheSameFields) {
    struct Case {
        const char* read;
        const char* shown;
        const char* sent;
    };
    for (const Case& c : {Case{"2200", "22,00 %", "2200"}, Case{" 700", "7,00 %", " 700"},
                          Case{"   0", "0,00 %", "   0"}, Case{"9999", "99,99 %", "9999"},
                          Case{"9998", "99,98 %", "9998"}, Case{"ab12", "99,99 %", "9999"}}) {
        const std::string shown = nubra::ptu::DisplayText(nubra::TNX3Class::PtuRateValue(c.read));
        EXPECT_EQ(shown, c.shown) << c.read;
        EXPECT_EQ(nubra::TNX3Class::PadLeft(std::to_string(nubra::ptu::ParseTyped(shown).value_or(-1)), 4),
                  c.sent)
            << c.read;
    }
}

// What a user types is the rate, or it is refused: never a digit dropped or a fraction rounded.
TEST(PtuRate, TypedTextIsTheRateOrNothing) {
    const std::optional<int> refused;
    for (const auto& [typed, rate] :
         std::vector<std::pair<std::string, std::optional<int>>>{{"7.5", 750},
                                                                 {"7,5", 750},
                                                                 {"7,50 %", 750},
                                                                 {" 23 ", 2300},
                                                                 {"0,29", 29},
                                                                 {"8.2", 820},
                                                                 {"99,99", 9999},
                                                                 {"0099", 9900},
                                                                 {",5", 50},
                                                                 {"7.", 700},
                                                                 {"100", refused},
                                                                 {"99,991", refused},
                                                                 {"7,125", refused},
                                                                 {"7,5,0", refused},
                                                                 {"", refused},
                                                                 {"%", refused},
                                                                 {"-1", refused},
                                                                 {"1e1", refused},
                                                                 {"12345678901", refused}})
        EXPECT_EQ(nubra::ptu::ParseTyped(typed), rate) << typed;
}

TEST(HeaderFile, FourLinesOf44CharactersWithCrLf) {
    HeaderFileLines lines{{{"SKLEP", false, true},
                           {"", true, false},
                           {std::string(45, 'X'), false, false},
                           {"NIP 123", true, true}}};
    const std::string file = FormatHeaderFile(lines);
    EXPECT_EQ(file, "SKLEP" + std::string(35, ' ') + "\t0\t1\r\n" + std::string(40, ' ') + "\t1\t0\r\n" +
                        std::string(40, 'X') + "\t0\t0\r\n" + "NIP 123" + std::string(33, ' ') +
                        "\t1\t1\r\n");
    const auto parsed = ParseHeaderFileLine(file.substr(0, 44));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->text, "SKLEP");
    EXPECT_FALSE(parsed->wide);
    EXPECT_TRUE(parsed->high);
}

TEST(HeaderFile, LinesThatBreakTheLayoutAreRefused) {
    const std::string text(40, 'A');
    for (const std::string& line :
         {std::string(text.substr(0, 39) + "\t0\t0"), text + "\t0\t0 ", text + "\t2\t0", text + "\t0\t2",
          text + " 0\t0", text + "\t0 0", std::string()})
        EXPECT_FALSE(ParseHeaderFileLine(line)) << '"' << line << '"';
    EXPECT_TRUE(ParseHeaderFileLine(text + "\t1\t1"));
}

TEST(LineAlign, CentreAndRightInTheLineWidth) {
    struct Case {
        const char* text;
        int width;
        const char* centred;
        const char* right;
    };
    for (const Case& c :
         {Case{"", 40, "                    ", "                                        "},
          Case{"  ABC  ", 40, "                  ABC", "                                     ABC"},
          Case{"ABCD", 20, "        ABCD", "                ABCD"},
          Case{"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 20, "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
               "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}}) {
        EXPECT_EQ(Centered(QString::fromLatin1(c.text), c.width).toStdString(), c.centred) << c.text;
        EXPECT_EQ(RightAligned(QString::fromLatin1(c.text), c.width).toStdString(), c.right) << c.text;
    }
    EXPECT_EQ(TrimLeft(QStringLiteral("  A B ")), QStringLiteral("A B "));
    EXPECT_EQ(TrimRight(QStringLiteral("  A B ")), QStringLiteral("  A B"));
}

} // namespace
