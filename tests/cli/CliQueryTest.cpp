// Every subcommand once against the emulator: the text and the JSON it prints.
#include "CliFixture.h"

namespace nubra::testing {
namespace {

struct QueryCase {
    std::vector<std::string> args;
    std::string out; // exact when `exact`, else a part of stdout
    bool exact;
};

class CliQuery : public CliFixture, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(CliQuery, PrintsTheAnswer) {
    const QueryCase& c = GetParam();
    const CliRunResult r = Run(c.args);
    EXPECT_EQ(r.code, 0) << r.err;
    if (c.exact)
        EXPECT_EQ(r.out, c.out);
    else
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Subcommands, CliQuery,
    ::testing::Values(
        QueryCase{
            {"--json", "day-report-number"}, "{\"date\": \"2025-01-31\", \"number\": \"00042\"}\n", true},
        QueryCase{{"day-report-number"},
                  "Data ostatniego raportu: 2025-01-31\nNumer ostatniego raportu: 00042\n",
                  true},
        QueryCase{{"error", "--json"}, "{\"number\": \"0\", \"description\": \"OK\"}\n", true},
        QueryCase{{"error"}, "Numer błędu: 0\nOpis błędu: OK\n", true},
        QueryCase{{"--json", "ram-resets"}, "{\"ramResets\": \"001\", \"rateSets\": \"01\"}\n", true},
        QueryCase{{"--json", "vat"},
                  "{\"A\": \"23,00\", \"B\": \"8,00\", \"C\": \"5,00\", \"D\": \"0,00\", \"E\": \"99,98\", "
                  "\"F\": \"99,99\", \"G\": \"99,99\"}\n",
                  true},
        QueryCase{{"vat"}, "PTU E: 99,98 % - zwolniona\nPTU F: 99,99 % - nieaktywna\n", false},
        QueryCase{{"--json", "device-info"}, "{\"selector\": \"W\", \"data\": \"NX3E003 01.07\"}\n", true},
        QueryCase{{"--json", "device-info", "S"}, "{\"selector\": \"S\", \"data\": \"", false},
        QueryCase{{"totalizer"}, "Numer kolejny raportu dobowego: 00043\n", false},
        QueryCase{{"--json", "totalizer"}, "\"receiptCount\": \"00000\"}", false},
        QueryCase{{"registers"}, "Rejestr 8, transakcja 00000, status N, dokument do wydruku: nie", false},
        QueryCase{{"--json", "registers"},
                  "{\"register\": 8, \"transaction\": \"00000\", \"status\": \"N\"",
                  false},
        QueryCase{{"status"}, "Numer unikatowy: ABC12345678\nNIP: 526-025-02-74 \n", false},
        QueryCase{{"--json", "status"}, "\"codePage\": \"Mazovia\", \"currency\": \"ZŁOTY\"", false},
        QueryCase{{"raw", "B2"}, "<STX>I1<ETX>87\n<STX>25013100042<ETX>CD\n<STX>D1<ETX>8A\n", true},
        // "I7" sends its data after the closing code.
        QueryCase{{"--json", "raw", "I7", "1"}, "{\"payload\": \"D1\"}, {\"payload\": \"00000NN", false}));

TEST_F(CliFixture, TraceHoldsTheSavedLogsLinesWithTimes) {
    const std::string trace = dir + "/trace.txt";
    ASSERT_EQ(Run({"--trace", trace, "error"}).code, 0);
    std::ifstream in(trace);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const std::vector<std::string> expected = {
        "- - - - - - - - - - - - - - - -",
        "<- <STX>I3<ETX>85  (I3) Odeślij numer błędu.",
        "-> <STX>I1<ETX>87  I1-OK.",
        "-> <STX>0<ETX>CF",
        "-> <STX>D1<ETX>8A  D1-Rozkaz został wykonany poprawnie.",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // "hh:mm:ss.mmm " in front.
        ASSERT_GT(lines[i].size(), 13u);
        EXPECT_EQ(lines[i][2], ':');
        EXPECT_EQ(lines[i][8], '.');
        EXPECT_EQ(lines[i].substr(13), expected[i]);
    }
}

TEST_F(CliFixture, PortComesFromTheConfiguration) {
    WriteConfig("[PORT]\ncom=3\nCOM3=" + comPath + "\nCOM2=" + comPath + "\nCOM1=" + dir + "/none\n");
    EXPECT_EQ(RunPlain({"error"}).code, 0);
    EXPECT_EQ(RunPlain({"--port", "2", "error"}).code, 0);
    const CliRunResult none = RunPlain({"--port", "1", "error"});
    EXPECT_EQ(none.code, 2);
    EXPECT_NE(none.err.find("Nie udało się otworzyć portu COM1"), std::string::npos) << none.err;
    EXPECT_NE(none.err.find("Urządzenie: " + dir + "/none"), std::string::npos) << none.err;
    WriteConfig("[PORT]\nCOM1=" + comPath + "\n");
    const CliRunResult unset = RunPlain({"error"});
    EXPECT_EQ(unset.code, 2);
    EXPECT_EQ(unset.err, "Nie wybrano portu: podaj --device ŚCIEŻKA albo --port N, albo wybierz port w "
                         "programie nx3serwis.\n");
}

} // namespace
} // namespace nubra::testing
