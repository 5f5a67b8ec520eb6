// The operator's side of the emulator as a point-of-sale test uses it: commands on the control
// socket, nx3cli on the pseudo-terminal, the replies and messages the printer's state brings.
#include <thread>

#include "CliFixture.h"
#include "ConsoleLinkUi.h"
#include "ControlSocket.h"
#include "LinkError.h"
#include "OperatorDesk.h"
#include "TNX3Class.h"

namespace nubra::testing {
namespace {

class CliOperator : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        desk = std::make_unique<sim::OperatorDesk>(*server);
        control = std::make_unique<sim::ControlSocket>(
            dir + "/ctl", [this](const std::string& line) { return desk->Run(line); });
        control->Start();
        sale = dir + "/sale.csv";
        std::ofstream(sale) << "name;ptu;price\nChleb;A;4,50\n";
    }
    void TearDown() override {
        control.reset();
        CliFixture::TearDown();
    }
    // The answer line of an operator command sent through the socket.
    std::string Operator(const std::string& line) {
        std::string answer, error;
        EXPECT_TRUE(sim::ControlRequest(dir + "/ctl", line, answer, error)) << error;
        return answer;
    }
    std::unique_ptr<sim::OperatorDesk> desk;
    std::unique_ptr<sim::ControlSocket> control;
    std::string sale;
};

struct OperatorCase {
    const char* name;
    std::vector<std::string> operatorLines;
    std::vector<std::string> args; // SALE stands for a file of one receipt
    int exit;
    std::string out; // a part of the standard output
    std::string err;
};

void PrintTo(const OperatorCase& c, std::ostream* os) {
    *os << c.name;
}

class CliOperatorTable : public CliOperator, public ::testing::WithParamInterface<OperatorCase> {};

TEST_P(CliOperatorTable, TheHardwareShowsInTheReplies) {
    const OperatorCase& c = GetParam();
    for (const std::string& line : c.operatorLines)
        EXPECT_EQ(Operator(line).rfind("{\"ok\":true,", 0), 0u) << line;
    std::vector<std::string> args = c.args;
    for (std::string& a : args)
        if (a == "SALE")
            a = sale;
    const CliRunResult r = Run(args);
    EXPECT_EQ(r.code, c.exit) << r.err;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    EXPECT_EQ(r.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Operator, CliOperatorTable,
    ::testing::Values(
        OperatorCase{"PaperNearEndBeginsNoReceipt",
                     {"paper near-end"},
                     {"sell", "--print", "SALE"},
                     1,
                     "",
                     "Odpowiedź drukarki I9: Rozkaz nie może być wykonany ponieważ papier jest na "
                     "wyczerpaniu lub wyświetlacz "
                     "klienta jest niepodłączony.\n"},
        OperatorCase{"NoPaper",
                     {"paper out"},
                     {"sell", "--print", "SALE"},
                     1,
                     "",
                     "Odpowiedź drukarki X203EC: Brak papieru.\n"},
        OperatorCase{"CoverOpen",
                     {"cover open"},
                     {"constant", "--yes"},
                     1,
                     "",
                     "Odpowiedź drukarki X203ED: Podniesiona głowica.\n"},
        OperatorCase{"CoverClosedAgain", {"cover open", "cover close"}, {"constant", "--yes"}, 0, "", ""},
        OperatorCase{"FailureForOneCommand",
                     {"fail next B2 X2039C"},
                     {"day-report-number"},
                     1,
                     "",
                     "Odpowiedź drukarki X2039C: Brak danych z kopii.\n"},
        OperatorCase{"FaultOption",
                     {"fault --error I3"},
                     {"ram-resets"},
                     1,
                     "",
                     "Odpowiedź drukarki I3: Kasa jest w stanie 'SERWIS WYMAGANY'.\n"},
        // The lamps of "I6": "Papier" blinks from the near end on, "Ruch papieru" goes dark without paper.
        OperatorCase{"LampsNearEnd",
                     {"paper near-end"},
                     {"--json", "status"},
                     0,
                     "\"ready\": true, \"presenter\": false, \"paperLow\": true, \"paperMoving\": true}\n",
                     ""},
        OperatorCase{"LampsNoPaper",
                     {"paper out"},
                     {"--json", "status"},
                     0,
                     "\"ready\": false, \"presenter\": false, \"paperLow\": true, \"paperMoving\": false}\n",
                     ""},
        OperatorCase{"LampsPaperIn",
                     {"paper out", "paper in"},
                     {"--json", "status"},
                     0,
                     "\"ready\": true, \"presenter\": false, \"paperLow\": false, \"paperMoving\": true}\n",
                     ""},
        OperatorCase{"RegisterLetter",
                     {"register 2 W"},
                     {"--json", "registers"},
                     0,
                     "{\"register\": 2, \"transaction\": \"00000\", \"status\": \"W\",",
                     ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A receipt printed while the paper runs out: refused with the printer's code, waiting in its
// register until the paper is in, then printed whole.
TEST_F(CliOperator, AReceiptWaitsForThePaper) {
    ASSERT_EQ(Run({"start", "--limit", "100"}).code, 0);
    Operator("roll");
    Operator("paper out");
    const CliRunResult refused = Run({"sell", "--print", sale});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "Odpowiedź drukarki X203EC: Brak papieru.\n");
    Operator("paper in");
    EXPECT_EQ(Run({"print-document"}).code, 0);
    EXPECT_EQ(Operator("roll"),
              R"({"ok":true,"lines":["PARAGON FISKALNY","CHLEB","  1,00 x 4,50 = 4,50 A",)"
              R"("SUMA PLN 4,50","PTU A 23,00% 0,84","GOTÓWKA","REJESTR 1 TRANSAKCJA 00001"],)"
              R"("operator":{"paper":"in","cover":"closed","power":"on","slowPrintMs":0}})");
}

// The power goes while the program waits for a report to be printed: the line is lost after the
// command went out whole, so the program cannot know whether it was done. Back on, the next command
// works and the report is in the device's memory.
TEST_F(CliOperator, PowerLostDuringAWait) {
    ASSERT_EQ(Run({"sell", "--print", sale}).code, 0);
    Operator("slow-print 600000");
    const int before = server->HangUps();
    CliRunResult waited;
    std::thread daily([&] { waited = Run({"daily", "--yes"}); });
    while (Device([](sim::Nx3Device& d) { return d.State().lastDailyReportNumber; }) == 42)
        std::this_thread::yield();
    EXPECT_EQ(Operator("power off"), R"({"ok":true,"operator":{"paper":"in","cover":"closed","power":"off",)"
                                     R"("slowPrintMs":600000}})");
    daily.join();
    EXPECT_EQ(waited.code, 3);
    EXPECT_EQ(waited.err, cli::ConsoleText(TNX3Class::NoCommunicationMessage) + "\n" +
                              LinkError::UnknownOutcomeLine + "\n");
    while (server->HangUps() == before)
        std::this_thread::yield();
    EXPECT_EQ(Run({"day-report-number"}).code, 2) << "a device without power answers nothing";
    Operator("power on");
    const CliRunResult after = Run({"--json", "day-report-number"});
    EXPECT_EQ(after.code, 0) << after.err;
    EXPECT_NE(after.out.find("\"number\": \"00043\""), std::string::npos) << after.out;
}

} // namespace
} // namespace nubra::testing
