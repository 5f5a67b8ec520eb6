#include <gtest/gtest.h>

#include "LinkError.h"
#include "LinkFixture.h"

namespace nubra::testing {
namespace {

std::string Data(const std::string& payload) {
    return TNX3Class::Frame(payload);
}
const std::string I1 = TNX3Class::Frame("I1");
const std::string D1 = TNX3Class::Frame("D1");

class StatusTest : public LinkFixture {
protected:
    void SetUp() override { Open(); }
    // What the printer sends once the program has made `writes` writes.
    void After(int writes, const std::string& bytes) { line->Feed(bytes, {.writes = writes}); }
    std::string Sent(std::size_t i) const { return line->Writes().at(i); }
};

TEST_F(StatusTest, DayReportNumber) {
    After(1, I1 + Data("25013100042") + D1);
    std::string date, number;
    EXPECT_TRUE(link->GetDayReportNo(date, number));
    EXPECT_EQ(date, "2025-01-31");
    EXPECT_EQ(number, "00042");
    EXPECT_EQ(line->Written(), Data("B2"));
    EXPECT_EQ(link->LastReply(), "D1");
    EXPECT_EQ(ui.LogLines, (std::vector<std::string>{"- - - - - - - - - - - - - - - -", "<- " + Data("B2"),
                                                     "-> " + I1, "-> " + Data("25013100042"), "-> " + D1}));
}

TEST_F(StatusTest, RefusedCommandKeepsOutputsAndShowsTheError) {
    After(1, Data("I4"));
    std::string date = "d", number = "n";
    EXPECT_FALSE(link->GetDayReportNo(date, number));
    EXPECT_EQ(date, "d");
    EXPECT_EQ(number, "n");
    EXPECT_EQ(link->LastReply(), "I4");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"W rejestrze znajduje się niewydrukowany dokument."});
}

TEST_F(StatusTest, LostLineInTheDataPhaseRaisesAndKeepsTheAcceptedCode) {
    After(1, I1);
    std::string date, number;
    EXPECT_THROW(link->GetDayReportNo(date, number), LinkError);
    EXPECT_EQ(link->LastReply(), "I1");
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(StatusTest, DayReportAndErrorNumberAreTakenBeforeTheClosingCode) {
    // Unlike the other queries, these two hand their data over whatever the closing code says.
    After(1, I1 + Data("24123000007") + Data("D2"));
    std::string date, number;
    EXPECT_FALSE(link->GetDayReportNo(date, number));
    EXPECT_EQ(date, "2024-12-30");
    EXPECT_EQ(number, "00007");

    After(2, I1 + Data("5") + Data("D6"));
    std::string error = "old";
    EXPECT_FALSE(link->GetErrorNumber(error));
    EXPECT_EQ(error, "5");
    EXPECT_EQ(link->LastReply(), "D6");
}

TEST_F(StatusTest, ShortDataGiveEmptyFields) {
    After(1, I1 + Data("0001T") + D1);
    std::string unprinted, f5, f6 = "x", f7 = "x", f8 = "x";
    EXPECT_TRUE(link->GetExtStatus(unprinted, f5, f6, f7, f8));
    EXPECT_EQ(unprinted, "0001");
    EXPECT_EQ(f5, "T");
    EXPECT_EQ(f6 + f7 + f8, "");

    After(2, I1);
    After(3, D1 + Data("00012T"));
    std::string tranNo, status, print = "x", sale = "x", ptu = "x";
    EXPECT_TRUE(link->GetRegInfo(1, tranNo, status, print, sale, ptu));
    EXPECT_EQ(tranNo + "|" + status, "00012|T");
    EXPECT_EQ(print + sale + ptu, "");
}

TEST_F(StatusTest, ZeroRamOnlyOnD1) {
    After(1, I1 + Data("01203") + D1);
    std::string ram = "r", sets = "s";
    EXPECT_TRUE(link->GetZeroRam(ram, sets));
    EXPECT_EQ(ram, "012");
    EXPECT_EQ(sets, "03");

    After(2, I1 + Data("99988") + Data("D2"));
    EXPECT_FALSE(link->GetZeroRam(ram, sets));
    EXPECT_EQ(ram, "012");
    EXPECT_EQ(sets, "03");
    EXPECT_EQ(link->LastReply(), "D2");
}

struct StatusBytes {
    unsigned char s1, s2;
};
const StatusBytes kAnyBytes[] = {{0x02, 0x03}, {0xFF, 0x11}, {0x13, 0x80}, {0x03, 0x02}};

TEST_F(StatusTest, TwoLetterStatusBlockWithAnyStatusBytes) {
    int writes = 0;
    for (const auto& b : kAnyBytes) {
        SCOPED_TRACE(int(b.s1));
        const std::string payload = std::string("AB12345678") + "PL123-456-78-9" + char(b.s1) + char(b.s2);
        // A frame whose checksum the program does not look at; its last byte is left behind.
        After(++writes, "\x01" + I1 + Data(payload) + D1);
        std::string unique, nip;
        unsigned char s1 = 0, s2 = 0;
        EXPECT_TRUE(link->GetStatus2Letter(unique, nip, s1, s2));
        EXPECT_EQ(Sent(writes - 1), Data("B4"));
        EXPECT_EQ(unique, "AB12345678");
        EXPECT_EQ(nip, "PL123-456-78-9");
        EXPECT_EQ(s1, b.s1);
        EXPECT_EQ(s2, b.s2);
        EXPECT_EQ(link->LastReply(), "D1");
    }
    EXPECT_EQ(sleeps, (std::vector<int>{25, 30, 25, 30, 25, 30, 25, 30}));
}

TEST_F(StatusTest, ThreeLetterStatusBlock) {
    for (const auto& b : kAnyBytes) {
        line->Purge();
        const std::string payload = std::string("ABC123456789") + "12345678901234" + char(b.s1) + char(b.s2);
        After(static_cast<int>(line->Writes().size()) + 1, I1 + Data(payload) + D1);
        std::string unique, nip;
        unsigned char s1 = 0, s2 = 0;
        EXPECT_TRUE(link->GetStatus3Letter(unique, nip, s1, s2));
        EXPECT_EQ(line->Writes().back(), Data("B5"));
        EXPECT_EQ(unique, "ABC123456789");
        EXPECT_EQ(nip, "12345678901234");
        EXPECT_EQ(s1, b.s1);
        EXPECT_EQ(s2, b.s2);
    }
}

TEST_F(StatusTest, StatusBlockRefusedAtTheEndKeepsOutputs) {
    After(1, I1 + Data(std::string(26, 'Z')) + Data("D6"));
    std::string unique = "u", nip = "n";
    unsigned char s1 = 7, s2 = 8;
    EXPECT_FALSE(link->GetStatus2Letter(unique, nip, s1, s2));
    EXPECT_EQ(unique, "u");
    EXPECT_EQ(nip, "n");
    EXPECT_EQ(s1, 7);
    EXPECT_EQ(s2, 8);
}

TEST_F(StatusTest, UniqueNumberFromPiWhenTheDeviceReportsThreeOrMore) {
    struct Case {
        const char* level;
        bool asksPi;
        const char* unique;
    };
    const Case cases[] = {
        {"002", false, "ABC123456789"}, {"003", true, "ABC12345678901"}, {"x03", false, "ABC123456789"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        const int base = static_cast<int>(line->Writes().size());
        line->Purge();
        After(base + 1, I1 +
                            Data("ABC123456789"
                                 "12345678901234\x80\x20") +
                            D1);                                              // B5
        After(base + 2, I1);                                                  // ES
        After(base + 3, D1 + Data(std::string("1.07") + c.level + "NX-3 E")); // "W"
        if (c.asksPi)
            After(base + 4, I1 + Data("ABC12345678901") + D1); // PI
        std::string unique, nip;
        unsigned char s1 = 0, s2 = 0;
        EXPECT_TRUE(link->GetStatus3LetterPI(unique, nip, s1, s2));
        EXPECT_EQ(unique, c.unique);
        EXPECT_EQ(s1, 0x80);
        std::vector<std::string> sent(line->Writes().begin() + base, line->Writes().end());
        std::vector<std::string> expected{Data("B5"), Data("ES"), Data("W")};
        if (c.asksPi)
            expected.push_back(Data("PI"));
        EXPECT_EQ(sent, expected);
    }
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(StatusTest, DeviceInfoKeepsLastReplyToItself) {
    After(1, Data("I2"));
    std::string data = "old";
    EXPECT_FALSE(link->GetDeviceInfo("W", data));
    EXPECT_EQ(link->LastReply(), "");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Zły kod rozkazu."});

    After(2, I1);
    After(3, D1 + Data("0000003"));
    EXPECT_TRUE(link->GetDeviceInfo("S", data));
    EXPECT_EQ(data, "0000003");
    EXPECT_EQ(Sent(2), Data("S"));
    EXPECT_EQ(link->LastReply(), "");
    EXPECT_EQ(ui.WaitCalls, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(StatusTest, EmptyDeviceInfoFailsSilently) {
    After(1, I1);
    After(2, D1 + Data(""));
    std::string data = "old";
    EXPECT_FALSE(link->GetDeviceInfo("W", data));
    EXPECT_EQ(data, "old");
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(StatusTest, ErrorNumberAndExtendedStatus) {
    After(1, I1 + Data("0") + D1);
    std::string number;
    EXPECT_TRUE(link->GetErrorNumber(number));
    EXPECT_EQ(number, "0");
    EXPECT_EQ(Sent(0), Data("I3"));

    After(2, I1 + Data("0002TNTN") + D1);
    std::string unprinted, f5, f6, f7, f8;
    EXPECT_TRUE(link->GetExtStatus(unprinted, f5, f6, f7, f8));
    EXPECT_EQ(Sent(1), Data("I6"));
    EXPECT_EQ(unprinted, "0002");
    EXPECT_EQ(f5 + f6 + f7 + f8, "TNTN");
}

TEST_F(StatusTest, RegisterInformationFollowsTheClosingCode) {
    After(1, I1);
    After(2, D1 + Data("00012TT000012,50X000002,34"));
    std::string tranNo, status, print, sale, ptu;
    EXPECT_TRUE(link->GetRegInfo(5, tranNo, status, print, sale, ptu));
    EXPECT_EQ(line->Writes(), (std::vector<std::string>{Data("I7"), Data("5")}));
    EXPECT_EQ(tranNo, "00012");
    EXPECT_EQ(status, "T");
    EXPECT_EQ(print, "T");
    EXPECT_EQ(sale, "000012,50");
    EXPECT_EQ(ptu, "000002,34");
}

TEST_F(StatusTest, RegisterRefusedKeepsTheRow) {
    After(1, I1);
    After(2, Data("D2"));
    std::string tranNo = "a", status = "b", print = "c", sale = "d", ptu = "e";
    EXPECT_FALSE(link->GetRegInfo(3, tranNo, status, print, sale, ptu));
    EXPECT_EQ(Sent(1), Data("3"));
    EXPECT_EQ(tranNo + status + print + sale + ptu, "abcde");
    EXPECT_EQ(link->LastReply(), "D2");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Nieprawidłowy numer rejestru."});
}

TEST_F(StatusTest, TotalizerFields) {
    const std::string data = "0001"
                             "02"
                             "00042"
                             "00000001,00"
                             "00000002,00"
                             "00000003,00"
                             "00000004,00"
                             "00000005,00"
                             "00000006,00"
                             "00000007,00"
                             "00000008,00"
                             "00123";
    ASSERT_EQ(data.size(), 104u);
    After(1, I1 + Data(data) + D1);
    Totalizer t;
    EXPECT_TRUE(link->GetTotalizer(t));
    EXPECT_EQ(Sent(0), Data("T2"));
    const std::vector<std::string> got{t.CancelledReceipts,
                                       t.GoodsBaseChanges,
                                       t.DayReportNumber,
                                       t.GrossA,
                                       t.GrossB,
                                       t.GrossC,
                                       t.GrossD,
                                       t.GrossE,
                                       t.GrossF,
                                       t.GrossG,
                                       t.CancelledAmount,
                                       t.ReceiptCount};
    EXPECT_EQ(got, (std::vector<std::string>{"0001", "02", "00042", "00000001,00", "00000002,00",
                                             "00000003,00", "00000004,00", "00000005,00", "00000006,00",
                                             "00000007,00", "00000008,00", "00123"}));

    After(2, I1 + Data(std::string(104, '9')) + Data("D2"));
    EXPECT_FALSE(link->GetTotalizer(t));
    EXPECT_EQ(t.ReceiptCount, "00123");
}

TEST_F(StatusTest, SetStatusSendsTheTwoBytesAsOneFrame) {
    After(1, I1);
    After(2, D1);
    EXPECT_TRUE(link->SetStatus(0xA0, 0x21));
    EXPECT_EQ(line->Writes(), (std::vector<std::string>{Data("K4"), Data("\xA0\x21")}));
    EXPECT_EQ(link->LastReply(), "D1");
}

TEST_F(StatusTest, SetStatusBytesGoAsGivenWhateverTheCodePage) {
    link->SelectCodePage(true);
    struct Case {
        unsigned char s1, s2;
        const char* sent;
    };
    // Bit fields: 0x61 and 0xE1 keep bit 5 (upper-casing would clear it), 0xB9 is not turned to Mazovia.
    const Case cases[] = {{0xA0, 0x21, "\xA0\x21"}, {0x61, 0xE0, "\x61\xE0"}, {0xE1, 0xB9, "\xE1\xB9"}};
    int writes = 0;
    for (const auto& c : cases) {
        After(writes + 1, I1);
        After(writes + 2, D1);
        EXPECT_TRUE(link->SetStatus(c.s1, c.s2));
        EXPECT_EQ(Sent(writes + 1), Data(c.sent));
        writes += 2;
    }
}

TEST_F(StatusTest, SetStatusRefusedByExtendedCode) {
    After(1, I1);
    After(2, Data("X2") + Data("0133"));
    EXPECT_FALSE(link->SetStatus(0x20, 0x20));
    EXPECT_EQ(link->LastReply(), "X20133");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Kasa jest już sfiskalizowana."});
}

TEST_F(StatusTest, DetectCodePageFollowsBitSevenOfStatusByteOne) {
    struct Case {
        int printerType;
        unsigned char s1;
        const char* query;
        std::string converted; // what the send filter makes of 'Ą'
    };
    const Case cases[] = {
        {2, 0x80, "B5", "\xA4"}, {2, 0x7F, "B5", "\x8F"}, {0, 0xE1, "B4", "\xA4"}, {0, 0x21, "B4", "\x8F"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.s1));
        link->PrinterType = c.printerType;
        line->Purge();
        const std::string block = std::string(c.printerType >= 1 ? 26 : 24, 'N') + char(c.s1) + '\x20';
        After(static_cast<int>(line->Writes().size()) + 1, I1 + Data(block) + D1);
        EXPECT_TRUE(link->DetectCodePage());
        EXPECT_EQ(line->Writes().back(), Data(c.query));
        ASSERT_TRUE(link->OnSendConvert);
        EXPECT_EQ(link->OnSendConvert("\xA5"), c.converted);
    }
}

TEST_F(StatusTest, FailedDetectionLeavesTheFilters) {
    After(1, Data("I3"));
    EXPECT_FALSE(link->DetectCodePage());
    EXPECT_FALSE(link->OnSendConvert);
    EXPECT_FALSE(link->OnReceiveConvert);
}

} // namespace
} // namespace nubra::testing
