// The link's status and information methods against the emulator's state.
#include "SimLinkFixture.h"

namespace {

using nubra::sim::Nx3Device;
using nubra::testing::SimLinkFixture;
using LinkStatus = SimLinkFixture;

TEST_F(LinkStatus, DayReportAndResetCounters) {
    Device([](Nx3Device& d) {
        d.State().lastDailyReportDate = "250131";
        d.State().lastDailyReportNumber = 42;
        d.State().ramResets = 4;
        d.State().rateSets = 12;
    });
    std::string date, number, resets, sets;
    ASSERT_TRUE(link->GetDayReportNo(date, number));
    EXPECT_EQ(date, "2025-01-31");
    EXPECT_EQ(number, "00042");
    ASSERT_TRUE(link->GetZeroRam(resets, sets));
    EXPECT_EQ(resets, "004");
    EXPECT_EQ(sets, "12");
    EXPECT_EQ(link->LastReply(), "D1");
}

TEST_F(LinkStatus, StatusBlocksWithTwoAndThreeLetterNumbers) {
    Device([](Nx3Device& d) {
        d.State().status1 = 0x13;
        d.State().status2 = 0x02;
    });
    std::string unique, nip;
    unsigned char s1 = 0, s2 = 0;
    ASSERT_TRUE(link->GetStatus2Letter(unique, nip, s1, s2));
    EXPECT_EQ(unique, "AB12345678");
    EXPECT_EQ(nip, "526-025-02-74 ");
    EXPECT_EQ(s1, 0x13);
    EXPECT_EQ(s2, 0x02);
    ASSERT_TRUE(link->GetStatus3Letter(unique, nip, s1, s2));
    EXPECT_EQ(unique, "ABC12345678 ");
}

TEST_F(LinkStatus, FullUniqueNumberComesFromPiOnlyWhenAnnounced) {
    std::string unique, nip;
    unsigned char s1 = 0, s2 = 0;
    ASSERT_TRUE(link->GetStatus3LetterPI(unique, nip, s1, s2));
    EXPECT_EQ(unique, "ABC12345678");
    EXPECT_EQ(link->LastReply(), "D1");

    Device([](Nx3Device& d) { d.State().infoW = "NX3E002 01.07"; });
    ASSERT_TRUE(link->GetStatus3LetterPI(unique, nip, s1, s2));
    EXPECT_EQ(unique, "ABC12345678 ");
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(LinkStatus, ErrorNumberAndExtendedStatus) {
    Device([](Nx3Device& d) {
        d.State().errorNumber = 5;
        d.State().extended = {2, true, false, true, false};
    });
    std::string number, unprinted, f5, f6, f7, f8;
    ASSERT_TRUE(link->GetErrorNumber(number));
    EXPECT_EQ(number, "5");
    ASSERT_TRUE(link->GetExtStatus(unprinted, f5, f6, f7, f8));
    EXPECT_EQ(unprinted + f5 + f6 + f7 + f8, "0002TNTT");
}

TEST_F(LinkStatus, EveryRegisterAndARefusedNinth) {
    Device([](Nx3Device& d) {
        for (int n = 0; n < 8; ++n)
            d.State().registers[n] = {n + 1, "NTPFWXDN"[n], n == 2, 100 * n + 1, 23 * n};
    });
    for (int reg = 1; reg <= 8; ++reg) {
        SCOPED_TRACE(reg);
        std::string tranNo, status, printFlag, sale, ptu;
        ASSERT_TRUE(link->GetRegInfo(reg, tranNo, status, printFlag, sale, ptu));
        EXPECT_EQ(tranNo, "0000" + std::to_string(reg));
        EXPECT_EQ(status, std::string(1, "NTPFWXDN"[reg - 1]));
        EXPECT_EQ(printFlag, reg == 3 ? "T" : "N");
        EXPECT_EQ(sale, nubra::TNX3Class::PadLeft(nubra::TNX3Class::FormatAmount(100 * (reg - 1) + 1), 9));
        EXPECT_EQ(ptu, nubra::TNX3Class::PadLeft(nubra::TNX3Class::FormatAmount(23 * (reg - 1)), 9));
    }
    std::string tranNo = "keep", status, printFlag, sale, ptu;
    EXPECT_FALSE(link->GetRegInfo(9, tranNo, status, printFlag, sale, ptu));
    EXPECT_EQ(tranNo, "keep");
    EXPECT_EQ(link->LastReply(), "D2");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Nieprawidłowy numer rejestru."});
}

TEST_F(LinkStatus, TotalizerFields) {
    Device([](Nx3Device& d) {
        auto& t = d.State().totalizers;
        t.cancelledReceipts = 1;
        t.goodsBaseChanges = 2;
        t.grossSales = {100, 200, 300, 400, 500, 600, 700};
        t.cancelledAmount = 999;
        t.receiptCount = 77;
    });
    nubra::Totalizer t;
    ASSERT_TRUE(link->GetTotalizer(t));
    EXPECT_EQ(t.CancelledReceipts, "0001");
    EXPECT_EQ(t.GoodsBaseChanges, "02");
    EXPECT_EQ(t.DayReportNumber, "00043");
    EXPECT_EQ(t.GrossA, "       1,00");
    EXPECT_EQ(t.GrossG, "       7,00");
    EXPECT_EQ(t.CancelledAmount, "       9,99");
    EXPECT_EQ(t.ReceiptCount, "00077");
}

TEST_F(LinkStatus, SetStatusSwitchesTheCodePageTheLinkDetects) {
    Device([](Nx3Device& d) { d.State().infoSText = "\xAF\xD3\xA3W"; }); // "ŻÓŁW"
    ASSERT_TRUE(link->SetStatus(0xA0, 0x21));
    ASSERT_TRUE(link->DetectCodePage());
    std::string info;
    ASSERT_TRUE(link->GetDeviceInfo("S", info));
    EXPECT_EQ(info.substr(0, 4), "\xAF\xD3\xA3W");
    EXPECT_EQ(info.substr(40), "00000008");

    // With a filter installed the status bytes still go as given: bit 5 of 0xE1 and 0x61 stays set
    // (bit 0 of status byte 1, the currency, is the device's own and stays clear).
    ASSERT_TRUE(link->SetStatus(0xE1, 0x61));
    EXPECT_EQ(Device([](Nx3Device& d) { return d.State().status1; }), 0xE0);
    EXPECT_EQ(Device([](Nx3Device& d) { return d.State().status2; }), 0x61);

    ASSERT_TRUE(link->SetStatus(0x60, 0x21));
    ASSERT_TRUE(link->DetectCodePage());
    EXPECT_EQ(Device([](Nx3Device& d) { return d.CodePage(); }), nubra::sim::DeviceCodePage::Mazovia);
    ASSERT_TRUE(link->GetDeviceInfo("S", info));
    EXPECT_EQ(info.substr(0, 4), "\xAF\xD3\xA3W");
}

} // namespace
