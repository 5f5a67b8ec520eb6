// Status exchanges of the link answered by the emulator over a pseudo-terminal.
#include "SimLinkFixture.h"

namespace {

using nubra::testing::SimLinkFixture;
using LinkExchange = SimLinkFixture;

TEST_F(LinkExchange, B2IsAnsweredAndLoggedFrameByFrame) {
    ui.LogLines.clear();
    EXPECT_EQ(AskB2(), "25013100042");
    const std::vector<std::string> expected = {
        "- - - - - - - - - - - - - - - -",
        "<- \x02"
        "B2\x03"
        "8F",
        "-> \x02I1\x03"
        "87",
        "-> \x02"
        "25013100042\x03"
        "CD",
        "-> \x02"
        "D1\x03"
        "8A",
    };
    EXPECT_EQ(ui.LogLines, expected);
}

TEST_F(LinkExchange, TheRestOfAReportGivenUpIsNotTakenForTheNextAnswer) {
    // At a real line's pace the printer is still sending the report when the program has stopped
    // reading it; the purge before the next command cannot catch what has not yet arrived.
    PaceTheLine();
    ASSERT_TRUE(link->SendPeriodReport("NR0001", "NR0008"));
    std::string line;
    for (const char* expected : {"        RAPORT FISKALNY OKRESOWY", "        OD NR: 0001 DO NR: 0008"}) {
        ASSERT_TRUE(link->ReceiveReportLine(line));
        EXPECT_EQ(line, expected);
    }
    ui.LogLines.clear();
    ui.Errors.clear();
    link->SkipReportRest();
    ASSERT_FALSE(ui.LogLines.empty());
    EXPECT_EQ(ui.LogLines.back(), "-> \x02"
                                  "D1\x03"
                                  "8A");
    EXPECT_EQ(AskB2(), "25013100042");
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(LinkExchange, StatusBlockPassesAnyStatusByteValue) {
    // XON, XOFF and STX as status bytes: the line must carry them untouched.
    for (auto [s1, s2] : {std::pair<unsigned char, unsigned char>{0x11, 0x13}, {0x02, 0x03}, {0xE0, 0xA1}}) {
        SCOPED_TRACE(static_cast<int>(s1));
        Device([&](nubra::sim::Nx3Device& d) {
            d.State().status1 = s1;
            d.State().status2 = s2;
        });
        std::string reply;
        link->SendCommand("B5", reply);
        ASSERT_EQ(reply, "I1");
        std::string block;
        link->ReceiveFixed(30, block);
        ASSERT_EQ(block.size(), 30u);
        EXPECT_EQ(block.substr(0, 26), "ABC12345678 526-025-02-74 ");
        EXPECT_EQ(static_cast<unsigned char>(block[26]), s1);
        EXPECT_EQ(static_cast<unsigned char>(block[27]), s2);
        link->ReceiveReply(reply);
        EXPECT_EQ(reply, "D1");
    }
}

TEST_F(LinkExchange, K4ChangesTheStatusBytesTheDeviceReportsNext) {
    std::string reply;
    link->SendCommand("K4", reply);
    ASSERT_EQ(reply, "I1");
    link->SendFrame(std::string("\xA0\x21", 2));
    link->WaitForReply(reply);
    EXPECT_EQ(reply, "D1");
    EXPECT_EQ(Device([](nubra::sim::Nx3Device& d) { return d.CodePage(); }),
              nubra::sim::DeviceCodePage::Latin2);

    link->SendCommand("B4", reply);
    std::string block;
    link->ReceiveFixed(28, block);
    EXPECT_EQ(block.substr(0, 26), std::string("AB12345678526-025-02-74 \xA0\x21"));
    link->ReceiveReply(reply);
    EXPECT_EQ(reply, "D1");
}

TEST_F(LinkExchange, RegisterOutsideOneToEightIsRefusedWithD2) {
    std::string reply;
    link->SendCommand("I7", reply);
    ASSERT_EQ(reply, "I1");
    link->SendFrame("9");
    link->ReceiveReply(reply);
    EXPECT_EQ(reply, "D2");
    EXPECT_FALSE(link->CheckReply("I7", reply));
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_EQ(ui.Errors[0], "Nieprawidłowy numer rejestru.");
}

TEST_F(LinkExchange, RegisterDataFollowTheClosingCode) {
    Device([](nubra::sim::Nx3Device& d) { d.State().registers[3] = {17, 'T', true, 1999, 374}; });
    std::string reply;
    link->SendCommand("I7", reply);
    link->SendFrame("4");
    link->ReceiveReply(reply);
    ASSERT_EQ(reply, "D1");
    std::string data;
    link->ReceiveFrame(data);
    EXPECT_EQ(data, "00017TT    19,99      3,74");
}

TEST_F(LinkExchange, DeviceInfoWAndFullUniqueNumber) {
    std::string reply;
    link->SendCommand("ES", reply);
    link->SendFrame("W");
    link->WaitForReply(reply);
    ASSERT_EQ(reply, "D1");
    std::string data;
    link->ReceiveFrame(data);
    EXPECT_EQ(data.substr(4, 3), "003");
    link->SendCommand("PI", reply);
    ASSERT_EQ(reply, "I1");
    link->ReceiveFrame(data);
    EXPECT_EQ(data, "ABC12345678");
    link->ReceiveReply(reply);
    EXPECT_EQ(reply, "D1");
}

TEST_F(LinkExchange, UnknownCommandIsExplainedAsABadCode) {
    std::string reply;
    link->SendCommand("ZZ", reply);
    EXPECT_EQ(reply, "I2");
    EXPECT_FALSE(link->CheckReply("B2", reply));
    EXPECT_EQ(ui.Errors.at(0), "Zły kod rozkazu.");
}

} // namespace
