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

} // namespace
} // namespace nubra::testing
