// Settings commands on a scripted line: the replies the emulator never gives.
#include <gtest/gtest.h>

#include "LinkFixture.h"

namespace nubra::testing {
namespace {

const std::string I1 = TNX3Class::Frame("I1");
const std::string D1 = TNX3Class::Frame("D1");

class SettingsTest : public LinkFixture {
protected:
    void SetUp() override { Open(); }
    void After(int writes, const std::string& bytes) { line->Feed(bytes, {.writes = writes}); }
};

TEST_F(SettingsTest, EmptyHeaderLineIsFalseWithoutTheErrorWindow) {
    After(1, I1);
    After(2, D1 + Frame(""));
    std::string text = "old";
    bool wide = true, high = true;
    EXPECT_FALSE(link->ReadHeaderLineCmd(2, text, wide, high));
    EXPECT_EQ(text, "old");
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_EQ(line->Written(), Frame("EA") + Frame("2"));
}

TEST_F(SettingsTest, HeaderLineFlagsAreOnlyTheDigitOne) {
    After(1, I1);
    After(2, D1 + Frame("1xABC"));
    std::string text;
    bool wide = false, high = true;
    EXPECT_TRUE(link->ReadHeaderLineCmd(1, text, wide, high));
    EXPECT_TRUE(wide);
    EXPECT_FALSE(high);
    EXPECT_EQ(text, "ABC");
}

TEST_F(SettingsTest, WaitingTimeThatIsNotANumberIsMinusOneWhateverTheClosingCode) {
    After(1, I1 + Frame("5m") + Frame("D2"));
    int minutes = 0;
    EXPECT_FALSE(link->GetWaitingTime(minutes));
    EXPECT_EQ(minutes, -1);
}

TEST_F(SettingsTest, FooterLinesGoPaddedAndCut) {
    After(1, I1);
    After(2, D1);
    EXPECT_TRUE(link->WriteFooter({"A", std::string(41, 'B'), ""}));
    EXPECT_EQ(line->Written(),
              Frame("N2") + Frame("A" + std::string(39, ' ') + std::string(40, 'B') + std::string(40, ' ')));
}

} // namespace
} // namespace nubra::testing
