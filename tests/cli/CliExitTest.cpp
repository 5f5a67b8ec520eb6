// Exit codes: a refusal 1 with the device's code and description, no communication 2, a command line
// that cannot run 64 with nothing sent.
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>

#include "CliFixture.h"
#include "CliOptions.h"
#include "ConsoleLinkUi.h"
#include "ScriptedLine.h"
#include "TNX3Class.h"

namespace nubra::testing {
namespace {

TEST_F(CliFixture, RefusalPrintsTheCodeAndDescriptionAndExitsOne) {
    Device([](sim::Nx3Device& d) { d.FailNextCommand("D2"); });
    const CliRunResult r = Run({"--json", "day-report-number"});
    EXPECT_EQ(r.code, 1);
    const std::string description =
        "Rozkaz nie wykonany, bo dane przesłane z rozkazem nie mieściły się w formacie lub zakresie.";
    EXPECT_EQ(r.out, "{\"code\": \"D2\", \"description\": \"" + description + "\"}\n");
    EXPECT_EQ(r.err, "Odpowiedź drukarki D2: " + description + "\n");
}

TEST_F(CliFixture, ExtendedRefusalCarriesItsFourDigits) {
    Device([](sim::Nx3Device& d) { d.FailNextCommand("X20133"); });
    const CliRunResult r = Run({"raw", "B2"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Odpowiedź drukarki X20133: Kasa jest już sfiskalizowana.\n");
}

TEST_F(CliFixture, SilenceExitsTwo) {
    Device([](sim::Nx3Device& d) { d.SilenceNextCommand(); });
    const CliRunResult r = Run({"--json", "error"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("Brak komunikacji z drukarką.\nMożliwe przyczyny to:"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.rfind("{\"error\": \"Brak komunikacji z drukarką.\\n", 0), 0u) << r.out;
}

TEST_F(CliFixture, UsageErrorsExit64BeforeAnythingIsSent) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"--bogus", "error"},
             {"nonsense"},
             {"error", "extra"},
             {"device-info", "Q"},
             {"--port", "9", "error"},
             {"--trace"},
             {"raw", "B2", "\\q"},
             {"snapshot"},
             {"snapshot", "save"},
             {"snapshot", "diff", "a", "b", "c"},
             {"catalogue", "export", "ryby", "x.csv"},
             {"catalogue", "export", "towary", "x.csv", "--replace"},
         }) {
        const CliRunResult r = RunRefusedUnsent(args);
        // One line of why, one of where to look.
        EXPECT_EQ(r.err.rfind("nx3cli: ", 0), 0u) << r.err;
        EXPECT_TRUE(r.err.ends_with(".\nnx3cli --help\n")) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

// The command line is judged before any port: no port chosen, or a device that is not there, still
// gives 64 for a bad argument; a good one reaches the port and says which.
TEST_F(CliFixture, CommandLineConventions) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string out, err;
    };
    const std::string usage = "Użycie: nx3cli [--device ŚCIEŻKA | --port N] [--data KATALOG] [--json] "
                              "[--trace PLIK] [--yes] ";
    const std::string missing = dir + "/missing";
    const std::vector<Case> cases = {
        {{"device-info", "Q"}, 64, "", "nx3cli: Selektor informacji to W albo S.\nnx3cli --help\n"},
        {{"--device", missing, "error", "extra"},
         64,
         "",
         "nx3cli: Nadmiarowy argument: extra.\nnx3cli --help\n"},
        {{"--device=" + missing, "sell"}, 64, "", "nx3cli: Za mało argumentów.\nnx3cli --help\n"},
        {{"--port=7", "status"}, 64, "", "nx3cli: Numer portu musi być liczbą od 1 do 4.\nnx3cli --help\n"},
        {{"--version"}, 0, "nx3cli " NUBRA_VERSION "\n", ""},
        {{"device-info", "--help"}, 0, usage + "device-info [W|S]\n", ""},
        {{"--help", "probe"}, 0, usage + "probe\n", ""},
        {{"--device=" + comPath, "--json", "day-report-number"},
         0,
         "{\"date\": \"2025-01-31\", \"number\": \"00042\"}\n",
         ""},
    };
    for (const Case& c : cases) {
        const CliRunResult r = RunPlain(c.args);
        EXPECT_EQ(r.code, c.code) << ::testing::PrintToString(c.args) << r.err;
        EXPECT_EQ(r.out, c.out) << ::testing::PrintToString(c.args);
        EXPECT_EQ(r.err, c.err) << ::testing::PrintToString(c.args);
    }
    const CliRunResult gone = RunPlain({"--device", missing, "status"});
    EXPECT_EQ(gone.code, 2);
    EXPECT_EQ(gone.err.rfind("Nie udało się otworzyć portu " + missing + ". Mogło się zdarzyć", 0), 0u)
        << gone.err;

    // probe says with its code whether a printer answered.
    WriteConfig("[PORT]\nCOM2=" + missing + "\n");
    EXPECT_EQ(RunPlain({"probe"}).code, 1);
    WriteConfig("[PORT]\nCOM2=" + comPath + "\n");
    EXPECT_EQ(RunPlain({"probe"}).code, 0);
}

TEST_F(CliFixture, ProgramExitsWithTheCodes) {
    const std::string out = dir + "/out.txt";
    const std::string err = dir + "/err.txt";
    const auto exitCode = [&](const std::string& args) {
        const int status = std::system(
            (std::string(NX3CLI_PATH) + " --device " + comPath + " " + args + " >" + out + " 2>" + err)
                .c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exitCode("--json day-report-number"), 0);
    std::ifstream printed(out);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(printed), {}),
              "{\"date\": \"2025-01-31\", \"number\": \"00042\"}\n");
    EXPECT_EQ(exitCode(""), 64);
    std::ifstream usage(err);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(usage), {}),
              "nx3cli: Brak polecenia.\nnx3cli --help\n");
}

// Unlike the window's "Zamknij", Ctrl+C never stands for "D1": the wait ends unanswered.
TEST(ConsoleLinkUi, CtrlCDuringAWaitEndsItUnanswered) {
    // A printer that never answers; Ctrl+C comes on the third empty read of the wait.
    struct CtrlCLine : ScriptedLine {
        int reads = 0;
        int ReadByte() override {
            if (++reads == 3)
                std::raise(SIGINT);
            return ScriptedLine::ReadByte();
        }
    };
    std::ostringstream err;
    cli::ConsoleLinkUi ui(err);
    TNX3Class link("/tmp/", ui, std::make_unique<CtrlCLine>());
    ui.SetLink(&link);
    ASSERT_TRUE(link.OpenPort(1));
    std::string reply = "none";
    try {
        link.WaitForReply(reply);
        ADD_FAILURE() << "the wait ended with " << reply;
    } catch (const cli::Interrupted& e) {
        EXPECT_EQ(std::string(e.what()), "Przerwano oczekiwanie: wynik nieznany.");
        EXPECT_TRUE(e.outcomeUnknown);
    }
    EXPECT_EQ(reply, "none");
    // The wait is over and Ctrl+C ends the program again.
    struct sigaction now {};
    ASSERT_EQ(::sigaction(SIGINT, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

} // namespace
} // namespace nubra::testing
