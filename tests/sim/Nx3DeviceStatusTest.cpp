// The status queries answered byte by byte from the device state.
#include "DeviceTalk.h"

#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;

TEST(Nx3DeviceStatus, B2AnswersDateAndNumberOfTheLastDailyReport) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "B2"), kI1 +
                                     "\x02"
                                     "25013100042\x03"
                                     "CD" +
                                     kD1);
    device.State().lastDailyReportDate = "240229";
    device.State().lastDailyReportNumber = 7;
    EXPECT_EQ(Ask(device, "B2"), kI1 + F("24022900007") + kD1);
}

TEST(Nx3DeviceStatus, B3AnswersResetCounters) {
    Nx3Device device;
    device.State().ramResets = 12;
    device.State().rateSets = 3;
    EXPECT_EQ(Ask(device, "B3"), kI1 + F("01203") + kD1);
}

struct StatusBlockCase {
    const char* command;
    std::size_t count; // bytes the program takes after STX
    const char* uniqueField;
};

class StatusBlock : public ::testing::TestWithParam<StatusBlockCase> {};

TEST_P(StatusBlock, FixedBlockHoldsNumberNipAndRawStatusBytes) {
    const StatusBlockCase c = GetParam();
    Nx3Device device;
    // Status bytes that look like frame bytes must still come out raw at their positions.
    device.State().status1 = 0x03;
    device.State().status2 = 0x02;
    const std::string out = Ask(device, c.command);
    ASSERT_EQ(out.substr(0, 6), kI1);
    ASSERT_EQ(out[6], '\x02');
    const std::string block = out.substr(7, c.count);
    const std::size_t u = std::string(c.uniqueField).size();
    EXPECT_EQ(block.substr(0, u), c.uniqueField);
    EXPECT_EQ(block.substr(u, 14), "526-025-02-74 ");
    EXPECT_EQ(block[u + 14], '\x03');
    EXPECT_EQ(block[u + 15], '\x02');
    // The frame's own ETX closes the block; beyond it only a checksum digit precedes "D1".
    EXPECT_EQ(block[u + 16], '\x03');
    const std::string rest = out.substr(7 + c.count);
    ASSERT_EQ(rest.size(), 7u);
    EXPECT_NE(rest[0], '\x02');
    EXPECT_NE(rest[0], '\x03');
    EXPECT_EQ(rest.substr(1), kD1);
    EXPECT_EQ(out.substr(6, out.size() - 12), F(std::string(c.uniqueField) + "526-025-02-74 \x03\x02"));
}

INSTANTIATE_TEST_SUITE_P(B4B5, StatusBlock,
                         ::testing::Values(StatusBlockCase{"B4", 28, "AB12345678"},
                                           StatusBlockCase{"B5", 30, "ABC12345678 "}));

TEST(Nx3DeviceStatus, DeviceInfoAnswersAfterTheSelector) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "ES"), kI1);
    EXPECT_TRUE(device.InExchange());
    EXPECT_EQ(Ask(device, "W"), kD1 + F("NX3E003 01.07"));
    EXPECT_FALSE(device.InExchange());

    EXPECT_EQ(Ask(device, "ES"), kI1);
    const std::string s = Ask(device, "S");
    EXPECT_EQ(s, kD1 + F("NX-3 E DRUKARKA FISKALNA                00000008"));

    EXPECT_EQ(Ask(device, "ES"), kI1);
    EXPECT_EQ(Ask(device, "Q"), F("D2"));
}

// Positions 5-7 read as the program reads them: whenever it asks for "PI", the answer comes.
TEST(Nx3DeviceStatus, PiAnswersOnlyWhenInfoWAnnouncesIt) {
    const struct {
        const char* infoW;
        bool answers;
    } cases[] = {{"NX3E003 01.07", true}, {"NX3E002 01.07", false}, {"NX3E03", true}, {"NX3E 4x", false},
                 {"NX3E  5 01", true},    {"NX3E+07", true},        {"NX3E", false},  {"NX3E-03", false}};
    for (const auto& c : cases) {
        Nx3Device device;
        device.State().infoW = c.infoW;
        EXPECT_EQ(Ask(device, "PI"), c.answers ? kI1 + F("ABC12345678") + kD1 : F("I2")) << c.infoW;
    }
}

TEST(Nx3DeviceStatus, I3AnswersTheErrorNumber) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "I3"), kI1 + F("0") + kD1);
    device.State().errorNumber = 8;
    EXPECT_EQ(Ask(device, "I3"), kI1 + F("8") + kD1);
}

TEST(Nx3DeviceStatus, I6AnswersUnprintedReportsAndFlags) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "I6"), kI1 + F("0000TNNN") + kD1);
    ExtendedStatus& s = device.State().extended;
    s = {3, false, true, true, false};
    EXPECT_EQ(Ask(device, "I6"), kI1 + F("0003NTTT") + kD1);
}

TEST(Nx3DeviceStatus, I7AnswersEachRegisterAfterD1) {
    Nx3Device device;
    for (int n = 1; n <= 8; ++n)
        device.State().registers[n - 1] = {100 + n, 'P', n % 2 == 0, 1234L * n, 230L * n};
    device.State().registers[2] = {42, 'T', true, 5, 0};
    device.State().status2 = 0; // dot separator
    const std::vector<std::string> expected = {
        "00101PN    12.34     2.30", "00102PT    24.68     4.60", "00042TT     0.05     0.00",
        "00104PT    49.36     9.20", "00105PN    61.70    11.50", "00106PT    74.04    13.80",
        "00107PN    86.38    16.10", "00108PT    98.72    18.40",
    };
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Ask(device, "I7"), kI1);
        const std::string data = expected[n - 1].substr(0, 16) + " " + expected[n - 1].substr(16);
        EXPECT_EQ(Ask(device, std::to_string(n)), kD1 + F(data));
        EXPECT_EQ(data.size(), 26u);
    }
}

TEST(Nx3DeviceStatus, I7RefusesRegistersOutsideOneToEight) {
    Nx3Device device;
    for (const char* reg : {"9", "0", "12", "", "A"}) {
        SCOPED_TRACE(reg);
        EXPECT_EQ(Ask(device, "I7"), kI1);
        EXPECT_EQ(Ask(device, reg), F("D2"));
        EXPECT_FALSE(device.InExchange());
    }
}

TEST(Nx3DeviceStatus, T2AnswersTheTotalizerIn104Characters) {
    Nx3Device device;
    Totalizers& t = device.State().totalizers;
    t.cancelledReceipts = 2;
    t.goodsBaseChanges = 5;
    t.grossSales = {123456, 0, 1, 99, 0, 0, 1000000000};
    t.cancelledAmount = 1550;
    t.receiptCount = 314;
    const std::string out = Ask(device, "T2");
    const std::string data = "0002"
                             "05"
                             "00043"
                             "    1234,56"
                             "       0,00"
                             "       0,01"
                             "       0,99"
                             "       0,00"
                             "       0,00"
                             "10000000,00"
                             "      15,50"
                             "00314";
    ASSERT_EQ(data.size(), 104u);
    EXPECT_EQ(out, kI1 + F(data) + kD1);
}

TEST(Nx3DeviceStatus, K4SetsBothStatusBytesAndTheCodePage) {
    Nx3Device device;
    EXPECT_EQ(device.CodePage(), DeviceCodePage::Mazovia);
    device.State().infoSText = "\xAF\xD3\xA3W"; // "ŻÓŁW"
    EXPECT_EQ(Ask(device, "K4"), kI1);
    EXPECT_EQ(Ask(device, std::string("\xA0\x21", 2)), kD1);
    EXPECT_EQ(device.State().status1, 0xA0);
    EXPECT_EQ(device.State().status2, 0x21);
    EXPECT_EQ(device.CodePage(), DeviceCodePage::Latin2);
    Ask(device, "ES");
    EXPECT_EQ(Ask(device, "S").substr(6, 5), "\x02\xBD\xE0\x9DW");

    Ask(device, "K4");
    EXPECT_EQ(Ask(device, std::string("\x60\x21", 2)), kD1);
    EXPECT_EQ(device.CodePage(), DeviceCodePage::Mazovia);
    Ask(device, "ES");
    EXPECT_EQ(Ask(device, "S").substr(6, 5), "\x02\xA1\xA3\x9CW");
}

TEST(Nx3DeviceStatus, K4LeavesTheCurrencyBitToTheCurrencyChange) {
    struct Case {
        const char* change; // "EJ" data reached before the write; none when empty
        char written;       // status byte 1 sent with "K4"
        char reported;      // status byte 1 of "B4" afterwards
    };
    const Case cases[] = {
        {"2501311300EUR", '\x60', '\x61'},
        {"2501311300EUR", '\xA1', '\xA1'},
        {"", '\x61', '\x60'},
        {"", '\xA0', '\xA0'},
    };
    for (const Case& c : cases) {
        std::int64_t host = (20119 * 24 + 12) * 3600LL + 59 * 60 + 59; // 2025-01-31 12:59:59
        Nx3Device device;
        device.SetHostClock([&host] { return host; });
        if (*c.change) {
            Ask(device, "EJ");
            EXPECT_EQ(Ask(device, c.change), kD1);
            host += 1;
        }
        EXPECT_EQ(Ask(device, "K4"), kI1) << c.change;
        EXPECT_EQ(Ask(device, std::string{c.written, '\x21'}), kD1);
        const std::string out = Ask(device, "B4");
        ASSERT_GT(out.size(), 6u + 1 + 24);
        EXPECT_EQ(out[6 + 1 + 24], c.reported) << c.change << " " << int(c.written);
        EXPECT_EQ(device.State().currentCurrency, *c.change ? "EUR" : "PLN");
    }
}

TEST(Nx3DeviceStatus, K4TakesFrameByteValuesAsStatusBytes) {
    Nx3Device device;
    Ask(device, "K4");
    EXPECT_EQ(Ask(device, std::string("\x02\x03", 2)), kD1);
    EXPECT_EQ(device.State().status1, 0x02);
    EXPECT_EQ(device.State().status2, 0x03);
    EXPECT_EQ(Ask(device, "B2").substr(0, 6), kI1);
}

TEST(Nx3DeviceStatus, AmountsFollowTheDecimalSeparatorOfStatusByte2) {
    Nx3Device device;
    device.State().registers[0].lastSale = 250;
    Ask(device, "I7");
    EXPECT_EQ(Ask(device, "1").substr(6 + 1 + 7, 9), "     2,50");
    device.State().status2 = 0x21;
    Ask(device, "I7");
    EXPECT_EQ(Ask(device, "1").substr(6 + 1 + 7, 9), "     2.50");
}

} // namespace
