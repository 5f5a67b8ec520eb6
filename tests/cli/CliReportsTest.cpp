// Report subcommands against the emulator: each report on the paper roll, the periodic report in a
// file, --yes, and ranges refused before anything is sent.
#include <algorithm>

#include "CliFixture.h"

namespace nubra::testing {
namespace {

struct ReportCase {
    std::vector<std::string> args;
    std::string title; // a roll line that holds it (trimmed of blanks in front)
};

class CliReports : public CliFixture, public ::testing::WithParamInterface<ReportCase> {
protected:
    bool Rolled(const std::string& text) {
        const auto roll = Device([](sim::Nx3Device& d) { return d.State().paperRoll; });
        return std::any_of(roll.begin(), roll.end(), [&](const std::string& line) {
            return line.find_first_not_of(' ') != std::string::npos &&
                   line.substr(line.find_first_not_of(' ')) == text;
        });
    }
    void SellOne() {
        std::ofstream(dir + "/s.csv") << "name;ptu;price\nChleb;A;4,50\n";
        ASSERT_EQ(Run({"sell", "--print", dir + "/s.csv"}).code, 0);
    }
};

TEST_P(CliReports, PrintsTheReport) {
    SellOne();
    const CliRunResult r = Run(GetParam().args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(Rolled(GetParam().title)) << GetParam().title;
}

INSTANTIATE_TEST_SUITE_P(
    Subcommands, CliReports,
    ::testing::Values(ReportCase{{"daily", "--yes"}, "RAPORT FISKALNY DOBOWY"},
                      ReportCase{{"periodic", "--from", "2025-01-01", "--to", "2025-01-31"},
                                 "RAPORT FISKALNY OKRESOWY"},
                      ReportCase{{"periodic", "--summary", "--from", "nr1", "--to", "nr42"}, "PODSUMOWANIE"},
                      ReportCase{{"monthly", "2025-01"}, "RAPORT FISKALNY MIESIECZNY"},
                      ReportCase{{"constant", "--yes"}, "RAPORT OPISOW STALYCH"},
                      ReportCase{{"goods-list", "--yes"}, "LISTA TOWAROW"}));

TEST_F(CliReports, TransferWritesTheReportAsText) {
    SellOne();
    ASSERT_EQ(Run({"daily", "--yes"}).code, 0);
    const std::string file = dir + "/raport.txt";
    const CliRunResult r = Run({"--json", "transfer", "--from", "nr43", "--to", "nr43", file});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"lines\": ", 0), 0u) << r.out;
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("        RAPORT FISKALNY OKRESOWY\n"), std::string::npos) << text;
    EXPECT_NE(text.find("RAZEM BRUTTO                        4,50\n"), std::string::npos) << text;
    const CliRunResult failed = Run({"transfer", dir + "/brak/raport.txt"});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.err, "Błąd zapisu do pliku " + dir + "/brak/raport.txt.\n");
}

// Both variants send the same frames to this printer type, so both are confirmed.
TEST_F(CliReports, SettlementIsRefusedOutsideReadOnly) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"settlement", "--yes"}, {"settlement", "--summary", "--yes"}}) {
        const CliRunResult r = Run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, "Odpowiedź drukarki I6: Raport rozliczeniowy może być wykonany przez użytkownika "
                         "tylko wtedy, gdy drukarka jest w stanie 'TYLKO ODCZYT'.\n");
    }
}

TEST_F(CliReports, ConfirmationsAndRangesAreCheckedBeforeAnythingIsSent) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"daily"},
             {"constant"},
             {"goods-list"},
             {"settlement"},
             {"settlement", "--summary"},
             {"periodic", "--from", "2025-01-01"},
             {"periodic", "--from", "31.01.2025", "--to", "2025-02-01"},
             {"periodic", "--from", "nr12345", "--to", "nr1"},
             {"monthly", "2025/01"},
             {"transfer", "--from", "2025-01-01", "--to", "2025-01-31"},
         })
        RunRefusedUnsent(args);
}

} // namespace
} // namespace nubra::testing
