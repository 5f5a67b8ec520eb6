// Exit codes: a refusal 1 with the device's code and description, no communication 2, a command line
// that cannot run 64 with nothing sent.
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
        EXPECT_NE(r.err.find("Użycie: nx3cli"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
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
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(usage), {}).find("Użycie: nx3cli"),
              std::string::npos);
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
