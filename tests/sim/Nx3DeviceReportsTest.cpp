// Reports from the device's fiscal memory: what is refused, what is printed, what is streamed.
#include "DeviceTalk.h"

#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;

// Sends the frames one by one; returns everything answered.
std::string Talk(Nx3Device& device, std::initializer_list<const char*> frames) {
    std::string out;
    for (const char* frame : frames)
        out += Ask(device, frame);
    return out;
}

std::string X2(const char* digits) {
    return F("X2") + F(digits);
}

TEST(Nx3DeviceReports, DailyReportClosesTheDayIntoTheFiscalMemory) {
    Nx3Device device;
    DeviceState& s = device.State();
    EXPECT_EQ(Ask(device, "Z1"), F("D2")); // nothing sold today
    s.dayGross = {12300, 0, 550, 0, 0, 0, 0};
    s.dayReceipts = 3;
    s.totalizers.receiptCount = 3;
    s.clockSetSinceReport = true;
    EXPECT_EQ(Ask(device, "Z1"), kI1 + kD1);
    EXPECT_FALSE(s.clockSetSinceReport); // a new day's clock setting is allowed
    ASSERT_EQ(s.fiscalMemory.size(), 43u);
    const DailyRecord& r = s.fiscalMemory.back();
    EXPECT_EQ(r.number, 43);
    EXPECT_EQ(r.date, TodayYymmdd(s.clockOffsetSeconds));
    EXPECT_EQ(r.gross[0], 12300);
    EXPECT_EQ(r.receipts, 3);
    EXPECT_EQ(s.lastDailyReportNumber, 43);
    EXPECT_EQ(s.lastDailyReportDate, r.date);
    EXPECT_EQ(s.dayReceipts, 0);
    EXPECT_EQ(s.dayGross[0], 0);
    EXPECT_EQ(s.totalizers.receiptCount, 0);
    EXPECT_EQ(s.paperRoll, DailyReportLines(r, ','));
    EXPECT_EQ(Ask(device, "Z1"), F("D2")); // the day is closed
    s.readOnly = true;
    EXPECT_EQ(Ask(device, "Z1"), F("I0"));
}

TEST(Nx3DeviceReports, TheClosingCodeComesWhenThePrintoutIsDone) {
    Nx3Device device;
    device.State().printLineMs = 50;
    device.Receive(F("R9"));
    device.Receive(F("S"));
    const std::vector<OutputChunk> chunks = device.TakeChunks();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].bytes, kI1);
    EXPECT_EQ(chunks[0].delay.count(), 0);
    EXPECT_EQ(chunks[1].bytes, kD1);
    EXPECT_EQ(chunks[1].delay.count(), 50 * static_cast<long>(device.State().paperRoll.size()));
}

TEST(Nx3DeviceReports, RangesPickRecordsOrAreRefused) {
    struct Case {
        const char* from;
        const char* to;
        std::string answer; // after the two range frames
        std::size_t records;
    };
    // The sample memory: reports 1..42 on 2024-12-21..2025-01-31.
    const Case cases[] = {
        {"NR0001", "NR0002", kD1, 2},
        {"000000", "000000", kD1, 42},
        {"250101", "250131", kD1, 31},
        {"241221", "241221", kD1, 1},
        {"NR0002", "NR0001", X2("0145"), 0},
        {"NR0000", "NR0001", X2("0143"), 0},
        {"NR00x1", "NR0001", X2("0143"), 0},
        {"250131", "250101", X2("0145"), 0},
        {"000000", "NR0001", X2("0145"), 0},
        // R1's own code: no daily report in the period, or no sensible date.
        {"251301", "251301", F("D2"), 0},
        {"  0305", "030305", F("D2"), 0},
        {"200101", "200131", F("D2"), 0},
        {"NR0100", "NR0200", F("D2"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + c.to);
        Nx3Device device;
        EXPECT_EQ(Talk(device, {"R1", c.from, c.to}), kI1 + c.answer);
        std::vector<DailyRecord> picked;
        SelectRecords(device.State().fiscalMemory, c.from, c.to, picked);
        EXPECT_EQ(picked.size(), c.records);
        if (c.records > 0)
            EXPECT_EQ(device.State().paperRoll,
                      PeriodReportLines("RAPORT FISKALNY OKRESOWY", RangeText(c.from, c.to), picked, ','));
        else
            EXPECT_TRUE(device.State().paperRoll.empty());
    }
}

TEST(Nx3DeviceReports, PeriodReportIsStreamedAsLines) {
    Nx3Device device;
    device.State().status2 &= static_cast<unsigned char>(~status2::kComma);
    std::vector<DailyRecord> picked;
    SelectRecords(device.State().fiscalMemory, "NR0041", "NR0042", picked);
    std::string expected = kI1;
    for (const std::string& line :
         PeriodReportLines("RAPORT FISKALNY OKRESOWY", "OD NR: 0041 DO NR: 0042", picked, '.'))
        expected += F("WE") + F(line);
    EXPECT_EQ(Talk(device, {"R2", "NR0041", "NR0042"}), expected + kD1);
    EXPECT_TRUE(device.State().paperRoll.empty()); // sent, not printed
    EXPECT_EQ(Talk(device, {"R2", "200101", "200131"}), kI1 + F("D2"));
    // The other reports of a range keep the extended codes.
    EXPECT_EQ(Talk(device, {"R9", "P", "200101", "200131"}), kI1 + X2("0142"));
}

TEST(Nx3DeviceReports, SubReportsMonthlyFixedDescriptionsAndSummary) {
    Nx3Device device;
    const DeviceState& s = device.State();
    // The letter comes right behind "R9"; only then does the device answer.
    EXPECT_EQ(Ask(device, "R9"), "");
    EXPECT_EQ(Talk(device, {"M", "2501"}), kI1 + kD1);
    EXPECT_EQ(s.paperRoll.front(), "       RAPORT FISKALNY MIESIECZNY");
    EXPECT_EQ(s.paperRoll[1], "            MIESIAC: 2025-01");
    const std::string thisMonth = TodayYymmdd(s.clockOffsetSeconds).substr(0, 4);
    EXPECT_EQ(Talk(device, {"R9", "M", thisMonth.c_str()}), kI1 + X2("0146"));
    EXPECT_EQ(Talk(device, {"R9", "M", "0313"}), kI1 + X2("0144"));
    EXPECT_EQ(Talk(device, {"R9", "M", "0303"}), kI1 + X2("0142"));

    device.State().paperRoll.clear();
    EXPECT_EQ(Talk(device, {"R9", "S"}), kI1 + kD1);
    EXPECT_EQ(s.paperRoll, ConstantReportLines(s.vatRates, "ABC12345678", "526-025-02-74", ','));
    EXPECT_EQ(s.paperRoll[2], "PTU A                             23,00%");
    EXPECT_EQ(s.paperRoll[7], "PTU F                         NIEAKTYWNA");

    device.State().paperRoll.clear();
    EXPECT_EQ(Talk(device, {"R9", "P", "NR0042", "NR0042"}), kI1 + kD1);
    EXPECT_EQ(s.paperRoll.front(), "OD NR: 0042 DO NR: 0042");
    EXPECT_EQ(s.paperRoll[2], "RAPORTOW DOBOWYCH                      1");
    EXPECT_EQ(Talk(device, {"R9", "Q"}), F("I2"));
}

TEST(Nx3DeviceReports, GoodsList) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "T3"), kI1 + kD1);
    EXPECT_EQ(device.State().paperRoll[2], "CHLEB ZWYKLY                           C");
    device.State().goods.clear();
    EXPECT_EQ(Ask(device, "T3"), F("D2"));
}

TEST(Nx3DeviceReports, SettlementOnlyWhenReadOnlyAndForItsOwnUniqueNumber) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "Z2"), F("I6"));
    device.State().readOnly = true;
    EXPECT_EQ(Talk(device, {"Z2", "000000", "000000", "XYZ12345678 "}), kI1 + F("D2"));
    EXPECT_TRUE(device.State().paperRoll.empty());
    EXPECT_EQ(Talk(device, {"Z2", "000000", "000000", "ABC12345678 "}), kI1 + kD1);
    EXPECT_EQ(device.State().paperRoll.front(), "          RAPORT ROZLICZENIOWY");
    // The older firmware's variant letter first.
    EXPECT_EQ(Talk(device, {"Z2", "P", "NR0001", "NR0001", "ABC12345678 "}), kI1 + kD1);
}

TEST(Nx3DeviceReports, DatesCountFromTheCenturyStart) {
    for (const char* date : {"000101", "000229", "241231", "250301", "991231"}) {
        const std::string d = date;
        EXPECT_EQ(YymmddFromDays(DaysFromDate(2000 + std::stoi(d.substr(0, 2)), std::stoi(d.substr(2, 2)),
                                              std::stoi(d.substr(4, 2)))),
                  d);
    }
    EXPECT_EQ(DaysFromDate(2001, 1, 1), 366);
}

} // namespace
