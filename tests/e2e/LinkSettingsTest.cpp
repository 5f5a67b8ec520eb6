// The link's settings and service methods against the emulator's state.
#include "SimLinkFixture.h"

namespace {

using nubra::TNX3Class;
using nubra::sim::Nx3Device;
using nubra::testing::SimLinkFixture;
using LinkSettings = SimLinkFixture;

TEST_F(LinkSettings, RatesReadAsSentAndNonNumbersAreInactive) {
    Device([](Nx3Device& d) { d.State().vatRates = {2200, 700, 0, 9999, 9998, 9999, 9999}; });
    nubra::PtuRates rates;
    ASSERT_TRUE(link->GetPtu(rates));
    EXPECT_EQ(rates, (nubra::PtuRates{"2200", " 700", "   0", "9999", "9998", "9999", "9999"}));

    struct Case {
        const char* field;
        int value;
    };
    for (const Case& c : {Case{"2200", 2200}, Case{" 700", 700}, Case{"   0", 0}, Case{"9998", 9998},
                          Case{"ab12", 9999}, Case{"7 0", 9999}, Case{"    ", 9999}, Case{"", 9999}})
        EXPECT_EQ(TNX3Class::PtuRateValue(c.field), c.value) << '"' << c.field << '"';
}

TEST_F(LinkSettings, ControlPrintoutLandsOnThePaperRoll) {
    ASSERT_TRUE(link->TestPrint());
    EXPECT_EQ(link->LastReply(), "D1");
    Device([](Nx3Device& d) {
        ASSERT_FALSE(d.State().paperRoll.empty());
        EXPECT_EQ(d.State().paperRoll.front(), "WYDRUK KONTROLNY");
        EXPECT_EQ(d.State().paperRoll.at(1), "PTU A  23,00 %");
    });
}

} // namespace
