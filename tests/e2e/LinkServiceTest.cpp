// The fiscal and service methods against the emulator over a pseudo-terminal.
#include "SimLinkFixture.h"

namespace {

using nubra::sim::Nx3Device;
using nubra::testing::SimLinkFixture;
using LinkService = SimLinkFixture;

TEST_F(LinkService, FiscalizesAFreshPrinterOnceOnly) {
    ASSERT_TRUE(link->Fiscalize("2200", "700", "300", "0", "9998", "9999", "9999"));
    Device([](Nx3Device& d) {
        EXPECT_TRUE(d.State().fiscal);
        EXPECT_EQ(d.State().vatRates, (std::array<int, 7>{2200, 700, 300, 0, 9998, 9999, 9999}));
    });
    EXPECT_FALSE(link->Fiscalize("2300", "800", "500", "0", "9998", "9999", "9999"));
    EXPECT_EQ(link->LastReply(), "X20133");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Kasa jest już sfiskalizowana."});
}

TEST_F(LinkService, SdCardIsInitialisedThenClosed) {
    EXPECT_TRUE(link->InitSdCard());
    EXPECT_TRUE(link->CloseSdCard());
    EXPECT_FALSE(link->InitSdCard());
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Karta w trybie tylko odczyt."});
}

TEST_F(LinkService, RawPrintoutLandsOnThePaperRoll) {
    for (const std::string& write :
         {std::string("\x02LINIA 1\x03"), std::string("\x04"), std::string("\x05")})
        link->SendRaw(write);
    // Any command after the stream shows the device has read it all.
    ASSERT_TRUE(link->ResetRam());
    Device([](Nx3Device& d) {
        EXPECT_EQ(d.State().paperRoll,
                  (std::vector<std::string>{"LINIA 1", "", nubra::sim::kPaperCut, "ZEROWANIE RAM"}));
    });
}

} // namespace
