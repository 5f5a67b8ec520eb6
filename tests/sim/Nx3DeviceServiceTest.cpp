// Fiscal and service operations of the device model: the exchanges, the state they change and what
// lands on the paper roll.
#include "DeviceTalk.h"

#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;

// Command code, then its one data frame: everything the device answered to both.
std::string Order(Nx3Device& device, std::string_view code, std::string_view data) {
    std::string out = Ask(device, code);
    if (out == kI1)
        out += Ask(device, data);
    return out;
}

std::string X2(std::string_view digits) {
    return F("X2") + F(digits);
}

TEST(Nx3DeviceService, FiscalizesOnceWithTheRatesSent) {
    Nx3Device device;
    EXPECT_EQ(Order(device, "EF", "2200 700 300   0999899999999"), kI1 + kD1);
    EXPECT_TRUE(device.State().fiscal);
    EXPECT_EQ(device.State().vatRates, (std::array<int, 7>{2200, 700, 300, 0, 9998, 9999, 9999}));
    EXPECT_EQ(Order(device, "EF", "2300 800 500   0999899999999"), kI1 + X2("0133"));
    EXPECT_EQ(device.State().vatRates[0], 2200);

    Nx3Device fresh;
    EXPECT_EQ(Order(fresh, "EF", "9999999999999999999999999999"), kI1 + X2("0132"));
    EXPECT_EQ(Order(fresh, "EF", "22,0 700 300   0999899999999"), kI1 + F("D2"));
    EXPECT_FALSE(fresh.State().fiscal);
}

TEST(Nx3DeviceService, NipIsPreparedOnlyWhenValidAndNotYetFiscal) {
    Nx3Device device;
    EXPECT_EQ(Order(device, "U2", "123-456-78-90 "), kI1 + kD1);
    EXPECT_EQ(device.State().nip, "123-456-78-90");
    EXPECT_EQ(Order(device, "U2", "12-34         "), kI1 + X2("0136"));
    device.State().fiscal = true;
    EXPECT_EQ(Order(device, "U2", "1234567890    "), kI1 + F("DA"));
}

TEST(Nx3DeviceService, FiscalMemoryStatesRefuseWhatTheyMust) {
    enum State { ReadOnly, Full, Free29, Free30, RamError, Fiscal, NoRates };
    struct Case {
        State state;
        std::vector<std::string> frames;
        std::string answer;
        bool readOnlyAfter;
        std::size_t recordsAdded;
    };
    const std::string nip = "123-456-78-90 ";
    const Case cases[] = {
        {ReadOnly, {"X1"}, F("DD"), true, 0},
        {Full, {"X1"}, F("DD"), false, 0},
        {ReadOnly, {"S3", "2200 800 500   0999899999999"}, kI1 + F("DD"), true, 0},
        {Full, {"Z1"}, F("DD"), true, 0}, // the last record written: read-only from now on
        {Free29, {"Z1"}, kI1 + F("D3"), false, 1},
        {Free30, {"Z1"}, kI1 + kD1, false, 1},
        {RamError, {"Z1"}, F("D6"), false, 0},
        {Fiscal, {"U2", nip}, kI1 + F("DA"), false, 0}, // the NIP is already set
        {NoRates, {"U2", nip}, kI1 + F("A5"), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames.front() + " in state " + std::to_string(c.state));
        Nx3Device device;
        DeviceState& s = device.State();
        const std::size_t records = s.fiscalMemory.size();
        const int resets = s.ramResets;
        s.dayGross[0] = 100; // something for a daily report
        s.dayReceipts = 1;
        s.readOnly = c.state == ReadOnly;
        s.ramError = c.state == RamError;
        s.fiscal = c.state == Fiscal;
        if (c.state == NoRates)
            s.vatRates.fill(9999);
        s.fiscalMemoryCapacity = records + (c.state == Full     ? 0
                                            : c.state == Free29 ? 30
                                            : c.state == Free30 ? 31
                                                                : 99);
        std::string out;
        for (const std::string& frame : c.frames)
            out += Ask(device, frame);
        EXPECT_EQ(out, c.answer);
        EXPECT_EQ(s.readOnly, c.readOnlyAfter);
        EXPECT_EQ(s.fiscalMemory.size(), records + c.recordsAdded);
        EXPECT_EQ(s.ramResets, resets);
    }
}

TEST(Nx3DeviceService, CurrencyChangeIsReportedAndScheduled) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "EI"), kI1 + F("") + kD1); // nothing planned
    EXPECT_EQ(Order(device, "EJ", "0301010000EU "), kI1 + kD1);
    EXPECT_EQ(Ask(device, "EI"), kI1 + F("0301010000EU PLN") + kD1);
    for (const char* bad :
         {"0313010000EUR", "0301012400EUR", "0301 10000EUR", "0301010000   ", "0301010000EURO"})
        EXPECT_EQ(Order(device, "EJ", bad), kI1 + F("D2")) << bad;
}

TEST(Nx3DeviceService, ScheduledCurrencyBecomesCurrentAtItsMoment) {
    std::int64_t host = 0;
    Nx3Device device;
    device.SetHostClock([&host] { return host; });
    host = (20119 * 24 + 12) * 3600LL + 59 * 60 + 59; // 2025-01-31 12:59:59
    EXPECT_EQ(Order(device, "EJ", "2501311300EUR"), kI1 + kD1);
    EXPECT_EQ(Ask(device, "EI"), kI1 + F("2501311300EURPLN") + kD1);
    EXPECT_EQ(device.State().status1 & status1::kEuro, 0);
    host += 1;
    EXPECT_EQ(Ask(device, "EI"), kI1 + F("") + kD1);
    EXPECT_EQ(device.State().currentCurrency, "EUR");
    EXPECT_NE(device.State().status1 & status1::kEuro, 0);
    EXPECT_EQ(Order(device, "EJ", "2501311301PLN"), kI1 + kD1);
    host += 60;
    EXPECT_EQ(Ask(device, "EI"), kI1 + F("") + kD1);
    EXPECT_EQ(device.State().currentCurrency, "PLN");
    EXPECT_EQ(device.State().status1 & status1::kEuro, 0);
}

TEST(Nx3DeviceService, SdCardMovesFromBlankToInitialisedToClosed) {
    struct Case {
        SdCard before;
        const char* order;
        std::string answer;
        SdCard after;
    };
    const Case cases[] = {
        {SdCard::Blank, "A", kD1, SdCard::Initialised},
        {SdCard::Initialised, "C", kD1, SdCard::Closed},
        {SdCard::None, "A", X2("0384"), SdCard::None},
        {SdCard::Closed, "A", X2("0385"), SdCard::Closed},
        {SdCard::Initialised, "A", X2("0386"), SdCard::Initialised},
        {SdCard::Blank, "C", X2("038E"), SdCard::Blank},
        {SdCard::Blank, "B", F("D2"), SdCard::Blank},
    };
    for (const Case& c : cases) {
        Nx3Device device;
        device.State().sdCard = c.before;
        EXPECT_EQ(Order(device, "EC", c.order), kI1 + c.answer) << c.order;
        EXPECT_EQ(device.State().sdCard, c.after) << c.order;
    }
}

TEST(Nx3DeviceService, RamResetCountsAndClearsTheRegisters) {
    Nx3Device device;
    device.State().registers[2].status = 'T';
    EXPECT_EQ(Ask(device, "X1"), kI1 + kD1);
    EXPECT_EQ(device.State().ramResets, 2);
    EXPECT_EQ(device.State().registers[2].status, 'N');
}

TEST(Nx3DeviceService, TemplatesAreSentAndPrinted) {
    Nx3Device device;
    const std::string answer = Order(device, "Q2", "07");
    ASSERT_EQ(answer.substr(0, 2 * kI1.size()), kI1 + kD1);
    const std::string text = answer.substr(2 * kI1.size() + 1, 480);
    EXPECT_EQ(text.substr(40, 9), "DO KUCHNI");
    EXPECT_EQ(text.substr(80, 20), "STOLIK              ");
    EXPECT_EQ(Order(device, "Q2", "08"), kI1 + F("E2"));
    EXPECT_EQ(Order(device, "Q2", "41"), kI1 + F("D2"));

    std::string rows(400, ' ');
    rows.replace(0, 2, "12");
    EXPECT_EQ(Order(device, "Q3", "07N" + rows), kI1 + kD1);
    const auto& roll = device.State().paperRoll;
    ASSERT_EQ(roll.size(), 8u);
    EXPECT_EQ(roll.at(2), "STOLIK              12");
    EXPECT_EQ(Order(device, "Q3", "07T" + rows), kI1 + kD1);
    EXPECT_EQ(roll.back(), kPaperCut);
    EXPECT_EQ(device.State().paperCuts, 1);
}

TEST(Nx3DeviceService, RawTextLandsOnThePaperRoll) {
    Nx3Device device;
    // Lines without a checksum, feeds and the cut, then an ordinary command is still understood.
    device.Receive(std::string("\x02PIERWSZA\x03\x04\x02\x8F\x9E\x03\x04\x04\x05", 18));
    EXPECT_EQ(device.State().paperRoll,
              (std::vector<std::string>{"PIERWSZA", "", "\xA5\x9C", "", "", kPaperCut}));
    EXPECT_EQ(device.TakeOutput(), "");
    EXPECT_EQ(Ask(device, "B3"), kI1 + F("00101") + kD1);
}

} // namespace
