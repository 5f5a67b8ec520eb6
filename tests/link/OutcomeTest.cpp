// Where a lost line starts to leave a command's outcome unknown: once its last byte, data frames
// included, has gone out, and never for a query. A dead line ends the wait for printing.
#include <gtest/gtest.h>

#include <functional>

#include "LinkError.h"
#include "LinkFixture.h"

namespace nubra::testing {
namespace {

using When = ScriptedLine::When;

const std::string I1 = TNX3Class::Frame("I1");
const std::string D1 = TNX3Class::Frame("D1");
const std::string kNoCommunication = TNX3Class::NoCommunicationMessage;
const std::string kUnknown = kNoCommunication + "\r\n" + LinkError::UnknownOutcomeLine;

struct PointCase {
    const char* name;
    std::function<void(ScriptedLine&)> script;
    std::function<void(TNX3Class&)> command;
    std::string message; // of the LinkError raised
    bool unknown;
};

void PrintTo(const PointCase& c, std::ostream* os) {
    *os << c.name;
}

void Sale(TNX3Class& link) {
    SalePayment cash;
    cash.Letter = "G";
    link.SellReceiptCash(1, 1, {"CHLEB", "A", 100, 450}, cash);
}

void Daily(TNX3Class& link) {
    link.DayReport();
}

class OutcomePoint : public LinkFixture, public ::testing::WithParamInterface<PointCase> {};

TEST_P(OutcomePoint, UnknownOnlyAfterTheLastByte) {
    Open();
    GetParam().script(*line);
    try {
        GetParam().command(*link);
        ADD_FAILURE() << "no error raised";
    } catch (const LinkError& e) {
        EXPECT_EQ(e.what(), GetParam().message);
        EXPECT_EQ(e.OutcomeUnknown(), GetParam().unknown);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OutcomePoint,
    ::testing::Values(PointCase{"SaleCodeNotWritten", [](ScriptedLine& l) { l.FailWrites(true); }, Sale,
                                kNoCommunication, false},
                      PointCase{"SaleAnswerLost", [](ScriptedLine& l) { l.HangUp({.writes = 1}); }, Sale,
                                kNoCommunication, false},
                      PointCase{"SaleDataNotWritten",
                                [](ScriptedLine& l) {
                                    l.Feed(I1, {.writes = 1});
                                    l.HangUp({.writes = 1});
                                },
                                Sale, kNoCommunication, false},
                      PointCase{"SaleLostInTheWait",
                                [](ScriptedLine& l) {
                                    l.Feed(I1, {.writes = 1});
                                    l.HangUp({.writes = 2});
                                },
                                Sale, kUnknown, true},
                      PointCase{"SaleClosingDamaged",
                                [](ScriptedLine& l) {
                                    l.Feed(I1, {.writes = 1});
                                    l.Feed("\x02"
                                           "D1\x03"
                                           "00",
                                           {.writes = 2});
                                },
                                Sale,
                                "Błąd sumy kontrolnej:                    \r\nKasa: 00\r\nProgram: 8A\r\n" +
                                    std::string(LinkError::UnknownOutcomeLine),
                                true},
                      // The code is all of it: the printer may act on it before its answer is lost.
                      PointCase{"DailyAnswerLost", [](ScriptedLine& l) { l.HangUp({.writes = 1}); }, Daily,
                                kUnknown, true},
                      PointCase{"StartNumberLost",
                                [](ScriptedLine& l) {
                                    l.Feed(I1, {.writes = 1});
                                    l.Feed(D1, {.writes = 2});
                                    l.HangUp({.writes = 2});
                                },
                                [](TNX3Class& link) {
                                    int tranNo = 0;
                                    link.StartTrans(1, 100, tranNo);
                                },
                                kUnknown, true},
                      // "R9" and the letter go out before the answer; the month follows it.
                      PointCase{"MonthlyAnswerLost", [](ScriptedLine& l) { l.HangUp({.writes = 2}); },
                                [](TNX3Class& link) { link.MonthlyReport("2501"); }, kNoCommunication, false},
                      PointCase{"ConstantAnswerLost", [](ScriptedLine& l) { l.HangUp({.writes = 2}); },
                                [](TNX3Class& link) { link.ConstantReport(); }, kUnknown, true},
                      PointCase{"RamResetAnswerLost", [](ScriptedLine& l) { l.HangUp({.writes = 1}); },
                                [](TNX3Class& link) { link.ResetRam(); }, kUnknown, true},
                      PointCase{"QueryLostAtItsEnd",
                                [](ScriptedLine& l) {
                                    l.Feed(I1 + TNX3Class::Frame(std::string(104, '0')), {.writes = 1});
                                    l.HangUp({.writes = 1});
                                },
                                [](TNX3Class& link) {
                                    Totalizer t;
                                    link.GetTotalizer(t);
                                },
                                kNoCommunication, false},
                      PointCase{"PrintoutFirstWriteFails", [](ScriptedLine& l) { l.FailWrites(true); },
                                [](TNX3Class& link) {
                                    link.SendPrintout({"\x02LINIA\x03", "\x05"});
                                },
                                kNoCommunication, false},
                      // The first line may be on paper.
                      PointCase{"PrintoutLaterWriteFails", [](ScriptedLine& l) { l.HangUp({.writes = 1}); },
                                [](TNX3Class& link) {
                                    link.SendPrintout({"\x02LINIA\x03", "\x05"});
                                },
                                kUnknown, true}),
    [](const auto& info) { return std::string(info.param.name); });

using WaitOnADeadLine = LinkFixture;

TEST_F(WaitOnADeadLine, EndsAtOnce) {
    Open();
    line->HangUp();
    std::string reply = "none";
    try {
        link->WaitForReply(reply);
        ADD_FAILURE() << "the wait ended with " << reply;
    } catch (const LinkError& e) {
        EXPECT_EQ(e.what(), kNoCommunication);
        EXPECT_FALSE(e.OutcomeUnknown()); // the wait alone does not know the command
    }
    EXPECT_EQ(reply, "none");
    EXPECT_EQ(ui.WaitCalls, (std::vector<std::string>{"show", "hide"}));
    // Closed at once and marked lost: the next command opens it again, with the 2 s time-out.
    EXPECT_TRUE(link->PortLost());
    EXPECT_FALSE(line->IsOpen());
    EXPECT_TRUE(CursorBalanced(ui));
}

TEST_F(WaitOnADeadLine, EndsOnlyWhenTheLineGoesNotOnEmptyReads) {
    Open();
    ui.OnProcessMessages = [this](int call) {
        if (call == 100)
            line->HangUp();
    };
    std::string reply;
    EXPECT_THROW(link->WaitForReply(reply), LinkError);
    EXPECT_GE(line->TimedOutReads(), 99);
}

} // namespace
} // namespace nubra::testing
