// A line lost during a command that changes the printer: exit 2 and the plain message while the
// command had not gone out whole (nothing was done), exit 3 and the message's second line once it
// had (the printer may have done it). Ctrl+C during a wait or a transfer; the trace of a transfer.
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "CliFixture.h"
#include "CliResult.h"
#include "ConsoleLinkUi.h"
#include "LinkError.h"
#include "TNX3Class.h"

extern char** environ;

namespace nubra::testing {
namespace {

const std::string kNoCommunication = cli::ConsoleText(TNX3Class::NoCommunicationMessage);
const std::string kUnknown = LinkError::UnknownOutcomeLine;

std::string Read(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliOutcome : public CliFixture {
protected:
    std::string File(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path) << text;
        return path;
    }
    // SALE and EXCHANGE in args replaced by files of one receipt and one currency exchange.
    std::vector<std::string> WithFiles(std::vector<std::string> args) {
        for (std::string& a : args) {
            if (a == "SALE")
                a = File("sale.csv", "name;ptu;price\nChleb;A;4,50\n");
            else if (a == "EXCHANGE")
                a = File("exchange.json", R"([{"transaction": "12", "amount": "100", "currency": "EUR",
                    "rate": "4,3000", "value": "430,00", "name1": "Jan Kowalski"}])");
        }
        return args;
    }
    // The run whose line the emulator closes; the next run finds the fresh line.
    CliRunResult RunHungUp(const std::vector<std::string>& args) {
        const int before = server->HangUps();
        CliRunResult r = Run(args);
        const bool armed = Device([](sim::Nx3Device& d) { return d.Faults().hangUpOn || d.Faults().hangUp; });
        EXPECT_FALSE(armed) << "the line was not lost";
        while (!armed && server->HangUps() == before)
            std::this_thread::yield();
        return r;
    }
};

using sim::FailAt;

struct Attempt {
    // Where the line closes: in place of the command's first answer, or of its closing code (the
    // printer has acted).
    FailAt at;
    // 2 while data frames were still to follow the answer; 3 once the command had gone out whole
    // (or something had changed the printer earlier in the run).
    int exit;
};

struct OutcomeCase {
    const char* name;
    std::vector<std::string> setup; // runs once before the attempts
    std::vector<std::string> args;
    std::string code; // the command the line is lost in
    std::vector<Attempt> attempts;
};

void PrintTo(const OutcomeCase& c, std::ostream* os) {
    *os << c.name;
}

class CliOutcomeTable : public CliOutcome, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(CliOutcomeTable, ExitSaysWhetherThePrinterMayHaveDoneIt) {
    const OutcomeCase& c = GetParam();
    if (!c.setup.empty()) {
        ASSERT_EQ(Run(WithFiles(c.setup)).code, 0);
    }
    for (const Attempt& a : c.attempts) {
        SCOPED_TRACE(a.at == FailAt::Command ? "lost at the first answer" : "lost at the closing code");
        Device([&](sim::Nx3Device& d) { d.HangUpOn(c.code, a.at); });
        std::vector<std::string> args = WithFiles(c.args);
        args.insert(args.begin(), "--json");
        const CliRunResult r = RunHungUp(args);
        ASSERT_EQ(r.code, a.exit) << r.err;
        if (a.exit == 2) {
            EXPECT_EQ(r.err, kNoCommunication + "\n");
            EXPECT_EQ(r.out, "{\"error\": " + cli::JsonString(kNoCommunication) + "}\n");
        } else {
            EXPECT_EQ(r.err, kNoCommunication + "\n" + kUnknown + "\n");
            EXPECT_EQ(r.out, "{\"outcome\": \"unknown\", \"error\": " +
                                 cli::JsonString(kNoCommunication + "\n" + kUnknown) + "}\n");
        }
    }
}

// A command with data frames: lost at its answer, then at its closing code. One without: at its
// closing code (the printer has acted), then at its answer (it may act on the code alone).
const std::vector<Attempt> kWithData = {{FailAt::Command, 2}, {FailAt::Closing, 3}};
const std::vector<Attempt> kCodeOnly = {{FailAt::Closing, 3}, {FailAt::Command, 3}};

INSTANTIATE_TEST_SUITE_P(
    ChangingCommands, CliOutcomeTable,
    ::testing::Values(
        OutcomeCase{"Start", {}, {"start"}, "PC", kWithData},
        OutcomeCase{
            "SaleInAnOpenTransaction", {"start", "--limit", "100"}, {"sell", "SALE"}, "PD", kWithData},
        // The start went out whole before the sale.
        OutcomeCase{"SaleThatStartsItsTransaction", {}, {"sell", "SALE"}, "PD", {{FailAt::Command, 3}}},
        OutcomeCase{"PrintStoredDocument", {"sell", "SALE"}, {"print-document"}, "PB", kWithData},
        OutcomeCase{"Exchange", {}, {"exchange", "EXCHANGE"}, "PA", kWithData},
        OutcomeCase{"DailyReport", {"sell", "--print", "SALE"}, {"daily", "--yes"}, "Z1", kCodeOnly},
        OutcomeCase{
            "PeriodReport", {}, {"periodic", "--from", "2025-01-01", "--to", "2025-01-31"}, "R1", kWithData},
        // "R9" and its letter go out before the answer.
        OutcomeCase{"MonthlyReport", {}, {"monthly", "2025-01"}, "R9", kWithData},
        OutcomeCase{"ConstantReport", {}, {"constant", "--yes"}, "R9", kCodeOnly},
        OutcomeCase{"GoodsList", {"sell", "--print", "SALE"}, {"goods-list", "--yes"}, "T3", kCodeOnly},
        OutcomeCase{"RamReset", {}, {"ram-reset", "--yes"}, "X1", kCodeOnly},
        OutcomeCase{"TemplatePrint", {}, {"template", "print", "1", "Ala"}, "Q3", kWithData},
        OutcomeCase{"VatRates", {}, {"vat", "set", "A=21"}, "S3", kWithData},
        // The control printout comes first.
        OutcomeCase{"Fiscalization", {}, {"fiscalize", "A=22", "--yes"}, "EF", {{FailAt::Command, 3}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliOutcome, QueriesNeverLeaveTheOutcomeUnknown) {
    for (const FailAt at : {FailAt::Command, FailAt::Closing}) {
        Device([&](sim::Nx3Device& d) { d.HangUpOn("T2", at); });
        const CliRunResult r = RunHungUp({"totalizer"});
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, kNoCommunication + "\n");
    }
}

// nx3cli as a process of its own, for Ctrl+C.
class CliProcess : public CliOutcome {
protected:
    void Start(const std::vector<std::string>& args) {
        std::vector<std::string> all = {NX3CLI_PATH, "--data", dir, "--device", comPath};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, (dir + "/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&files, 2, (dir + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        ASSERT_EQ(posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
    }
    // Waits until the file holds text at least `count` times, then sends Ctrl+C.
    void InterruptWhen(const std::string& file, const std::string& text, std::size_t count = 1) {
        for (;;) {
            const std::string now = Read(file);
            std::size_t found = 0;
            for (auto at = now.find(text); at != std::string::npos; at = now.find(text, at + 1))
                ++found;
            if (found >= count)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_EQ(::kill(pid_, SIGINT), 0);
    }
    int Exit() {
        int status = 0;
        EXPECT_EQ(::waitpid(pid_, &status, 0), pid_);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t pid_ = -1;
};

// Today's answer was "D1" and exit 0 after "PB": the printout may not have happened at all.
TEST_F(CliProcess, CtrlCDuringAWaitExits130AndNeverSucceeds) {
    ASSERT_EQ(Run(WithFiles({"sell", "SALE"})).code, 0);
    // The printer takes its time over the printout.
    // Frames: "I7" (its "I1", "D1" and data), then "PB": "I1", and "D1" once printed.
    Device([](sim::Nx3Device& d) { d.DelayFrame(std::chrono::seconds(60), 4); });
    Start({"--json", "print-document"});
    InterruptWhen(dir + "/stderr", "Program czeka na zakończenie drukowania");
    EXPECT_EQ(Exit(), 130);
    EXPECT_EQ(Read(dir + "/stderr"),
              "Program czeka na zakończenie drukowania dokumentu... (Ctrl+C kończy czekanie)\n"
              "Przerwano oczekiwanie: wynik nieznany.\n");
    EXPECT_EQ(Read(dir + "/stdout"),
              "{\"outcome\": \"unknown\", \"error\": \"Przerwano oczekiwanie: wynik nieznany.\"}\n");
}

// The report as text keeps what arrived. The trace shows each line as a report line.
TEST_F(CliProcess, CtrlCDuringATransferKeepsTheLinesReceived) {
    ASSERT_EQ(Run(WithFiles({"sell", "--print", "SALE"})).code, 0);
    ASSERT_EQ(Run({"daily", "--yes"}).code, 0);
    // Frames: the status query (3), "I1", then "WE" and a line for each report line. The fourth
    // line is late: Ctrl+C comes while the transfer waits for it.
    Device([](sim::Nx3Device& d) { d.DelayFrame(std::chrono::milliseconds(2500), 4 + 2 * 3); });
    const std::string file = dir + "/raport.txt";
    const std::string trace = dir + "/trace.txt";
    Start({"--trace", trace, "transfer", file});
    InterruptWhen(trace, "  WE-Wiersz raportu.", 3);
    EXPECT_EQ(Exit(), 130);
    EXPECT_EQ(Read(dir + "/stderr"), "Raport jest niepełny: transmisja została przerwana.\n"
                                     "Liczba wierszy zapisanych w pliku " +
                                         file + ": 4.\nPrzerwano przesyłanie raportu.\n");
    const std::string kept = Read(file);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 4) << kept;
    EXPECT_NE(kept.find("RAPORT FISKALNY OKRESOWY"), std::string::npos) << kept;
    // "WE" is a report line, not an unknown reply code.
    const std::string traced = Read(trace);
    EXPECT_EQ(traced.find("Brak opisu błędu"), std::string::npos) << traced;
    const auto we = traced.find("<STX>WE<ETX>");
    ASSERT_NE(we, std::string::npos) << traced;
    EXPECT_EQ(traced.substr(we, traced.find('\n', we) - we),
              "<STX>WE<ETX>" + TNX3Class::Checksum("WE") + "  WE-Wiersz raportu.");
}

TEST_F(CliProcess, CtrlCBeforeTheFirstReportLineLeavesTheOldFile) {
    const std::string file = File("raport.txt", "stary raport\n");
    // The "I1" to "R2" is late.
    Device([](sim::Nx3Device& d) { d.DelayFrame(std::chrono::milliseconds(2500), 3); });
    const std::string trace = dir + "/trace.txt";
    Start({"--trace", trace, "transfer", file});
    InterruptWhen(trace, "(R2)");
    EXPECT_EQ(Exit(), 130);
    EXPECT_EQ(Read(dir + "/stderr"), "Przerwano przesyłanie raportu przed pierwszym wierszem; plik " + file +
                                         " pozostał bez zmian.\n");
    EXPECT_EQ(Read(file), "stary raport\n");
}

} // namespace
} // namespace nubra::testing
