// The report commands frame by frame on a scripted line.
#include <gtest/gtest.h>

#include <functional>

#include "LinkFixture.h"

namespace nubra::testing {
namespace {

std::string Data(const std::string& payload) {
    return TNX3Class::Frame(payload);
}
const std::string I1 = Data("I1");
const std::string D1 = Data("D1");
const std::string kSeparator = "- - - - - - - - - - - - - - - -";

class ReportsTest : public LinkFixture {
protected:
    void SetUp() override { Open(); }
    // Frames the program wrote, as payloads.
    std::vector<std::string> Sent() const {
        std::vector<std::string> payloads;
        for (const std::string& w : line->Writes())
            payloads.push_back(w.substr(1, w.size() - 4));
        return payloads;
    }
};

struct OrderCase {
    const char* name;
    std::function<bool(TNX3Class&)> call;
    std::vector<std::string> sent; // the command and its data frames
    bool purged;                   // started by SendCommand (purge and separator), not by SendFrame
    const char* checked;           // the code CheckReply explains errors for
};

TEST_F(ReportsTest, EachReportSendsItsFramesAndWaitsForThePrintout) {
    const OrderCase cases[] = {
        {"daily", [](TNX3Class& l) { return l.DayReport(); }, {"Z1"}, true, "Z1"},
        {"periodic by numbers",
         [](TNX3Class& l) { return l.PeriodReport("NR0001", "NR0002"); },
         {"R1", "NR0001", "NR0002"},
         true,
         "R1"},
        {"periodic, short values padded",
         [](TNX3Class& l) { return l.PeriodReport("0305", "030305"); },
         {"R1", "  0305", "030305"},
         true,
         "R1"},
        {"monthly March 2003",
         [](TNX3Class& l) { return l.MonthlyReport("0303"); },
         {"R9", "M", "0303"},
         false,
         "R9"},
        {"fixed descriptions", [](TNX3Class& l) { return l.ConstantReport(); }, {"R9", "S"}, false, "R9"},
        {"summary, whole period",
         [](TNX3Class& l) { return l.PeriodSummary("000000", "000000"); },
         {"R9", "P", "000000", "000000"},
         false,
         "R9"},
        {"goods list", [](TNX3Class& l) { return l.CommodityList(); }, {"T3"}, true, "T3"},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Accepted and printed...
        line->Feed(I1, {.writes = static_cast<int>(line->Writes().size()) + (c.purged ? 1 : 2)});
        line->Feed(D1, {.writes = static_cast<int>(line->Writes().size() + c.sent.size())});
        const std::size_t before = line->Writes().size();
        ui.LogLines.clear();
        ui.WaitCalls.clear();
        EXPECT_TRUE(c.call(*link));
        const std::vector<std::string> sent = Sent();
        EXPECT_EQ(std::vector<std::string>(sent.begin() + static_cast<std::ptrdiff_t>(before), sent.end()),
                  c.sent);
        EXPECT_EQ(ui.LogLines.front() == kSeparator, c.purged);
        EXPECT_EQ(ui.WaitCalls, (std::vector<std::string>{"show", "hide"}));
        EXPECT_EQ(link->LastReply(), "D1");
        // ...or refused at once: no data frames, no wait, the command's own description.
        line->Feed(Data("X1"), {.writes = static_cast<int>(line->Writes().size()) + (c.purged ? 1 : 2)});
        ui.Errors.clear();
        ui.WaitCalls.clear();
        EXPECT_FALSE(c.call(*link));
        EXPECT_TRUE(ui.WaitCalls.empty());
        EXPECT_EQ(ui.Errors, std::vector<std::string>{link->ErrorDescription(c.checked, "X1")});
    }
}

TEST_F(ReportsTest, DailyReportRefusedWhenNothingWasRegistered) {
    line->Feed(Data("D2"), {.writes = 1});
    EXPECT_FALSE(link->DayReport());
    EXPECT_EQ(ui.Errors,
              std::vector<std::string>{
                  "Rozkaz nie wykonany, ponieważ tego dnia nic nie zarejestrowano w totalizerach."});
}

TEST_F(ReportsTest, PeriodReportLinesEndOnlyWithAReplyCode) {
    line->Feed(I1, {.writes = 1});
    // A line of two characters ("--") is a line, not the end.
    line->Feed(Data("WE") + Data("RAPORT") + Data("WE") + Data("--") + D1, {.writes = 3});
    ASSERT_TRUE(link->SendPeriodReport("NR0001", "NR0002"));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"R2", "NR0001", "NR0002"}));
    std::string got;
    for (const char* expected : {"RAPORT", "--"}) {
        EXPECT_TRUE(link->ReceiveReportLine(got));
        EXPECT_TRUE(link->ReportLineReceived());
        EXPECT_EQ(got, expected);
    }
    EXPECT_TRUE(link->ReceiveReportLine(got));
    EXPECT_FALSE(link->ReportLineReceived());
    EXPECT_EQ(got, "D1");
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(ReportsTest, PeriodReportRefusals) {
    // Before the range: the command is refused.
    line->Feed(Data("D2"), {.writes = 1});
    EXPECT_FALSE(link->SendPeriodReport("200101", "200131"));
    EXPECT_EQ(Sent().size(), 1u);
    // After the range: an extended code and its digits, explained as such.
    line->Feed(I1, {.writes = 2});
    line->Feed(Data("X2") + Data("0142"), {.writes = 4});
    ui.Errors.clear();
    ASSERT_TRUE(link->SendPeriodReport("200101", "200131"));
    std::string got;
    EXPECT_FALSE(link->ReceiveReportLine(got));
    EXPECT_FALSE(link->ReportLineReceived());
    EXPECT_EQ(link->LastReply(), "X20142");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Brak raportów w okresie."});
}

TEST_F(ReportsTest, SettlementSendsTheRangeAndTheUniqueNumberAfterTheStatus) {
    const std::string block = std::string("ABC12345678 ") + "526-025-02-74 " + "\x20\x20";
    struct Case {
        int printerType;
        bool summary;
        std::vector<std::string> frames;
    };
    const Case cases[] = {
        {2, false, {"000000", "000000", "ABC12345678 "}},
        {2, true, {"000000", "000000", "ABC12345678 "}},
        {1, false, {"C", "000000", "000000", "ABC12345678 "}},
        {1, true, {"P", "000000", "000000", "ABC12345678 "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printerType * 10 + c.summary);
        link->PrinterType = c.printerType;
        const int writes = static_cast<int>(line->Writes().size());
        line->Feed(I1 + Data(block) + D1, {.writes = writes + 1});
        line->Feed(I1, {.writes = writes + 2});
        line->Feed(D1, {.writes = writes + 2 + static_cast<int>(c.frames.size())});
        EXPECT_TRUE(link->SettlementReport(c.summary, "000000", "000000"));
        std::vector<std::string> expected = {"B5", "Z2"};
        expected.insert(expected.end(), c.frames.begin(), c.frames.end());
        const std::vector<std::string> sent = Sent();
        EXPECT_EQ(std::vector<std::string>(sent.begin() + writes, sent.end()), expected);
    }
    // A failed status query sends no "Z2".
    const std::size_t before = line->Writes().size();
    line->Feed(Data("I3"), {.writes = static_cast<int>(before) + 1});
    EXPECT_FALSE(link->SettlementReport(false, "000000", "000000"));
    EXPECT_EQ(line->Writes().size(), before + 1);
    // Refused by a printer that is not read-only.
    line->Feed(I1 + Data(block) + D1, {.writes = static_cast<int>(before) + 2});
    line->Feed(Data("I6"), {.writes = static_cast<int>(before) + 3});
    ui.Errors.clear();
    EXPECT_FALSE(link->SettlementReport(false, "000000", "000000"));
    EXPECT_EQ(ui.Errors,
              std::vector<std::string>{"Raport rozliczeniowy może być wykonany przez użytkownika tylko "
                                       "wtedy, gdy drukarka jest w stanie 'TYLKO ODCZYT'."});
}

} // namespace
} // namespace nubra::testing
