// Fiscal and service subcommands against the emulator: answers, the paper roll, and --yes.
#include <algorithm>

#include "CliCommands.h"
#include "CliFixture.h"
#include "Cp1250.h"

namespace nubra::testing {
namespace {

struct ServiceCase {
    std::vector<std::string> args;
    std::string out;    // stdout, exact
    std::string rolled; // a line the paper roll then holds (UTF-8); empty: none looked for
};

class CliService : public CliFixture, public ::testing::WithParamInterface<ServiceCase> {};

TEST_P(CliService, RunsAgainstTheEmulator) {
    const ServiceCase& c = GetParam();
    std::ofstream(dir + "/wydruk.txt") << "Zażółć gęślą\r\n\r\nKONIEC\r\n";
    std::vector<std::string> args = c.args;
    std::replace(args.begin(), args.end(), std::string("FILE"), dir + "/wydruk.txt");
    const CliRunResult r = Run(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
    if (!c.rolled.empty()) {
        // A command after a raw printout shows the device has read all of it.
        ASSERT_EQ(Run({"error"}).code, 0);
        const auto roll = Device([](sim::Nx3Device& d) { return d.State().paperRoll; });
        EXPECT_NE(std::find(roll.begin(), roll.end(), cp1250::FromUtf8(c.rolled)), roll.end()) << c.rolled;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Subcommands, CliService,
    ::testing::Values(
        ServiceCase{
            {"--json", "nip"}, "{\"uniqueNumber\": \"ABC12345678\", \"nip\": \"526-025-02-74 \"}\n", ""},
        ServiceCase{{"ram-reset", "--yes"}, "", "ZEROWANIE RAM"},
        ServiceCase{{"sd-init"}, "Karta SD została zainicjowana.\n", ""},
        ServiceCase{{"print", "FILE"}, "", "Zażółć gęślą"},
        ServiceCase{{"template", "print", "1", "Ala"}, "", "DATA                Ala"},
        ServiceCase{{"fiscalize", "A=22", "--yes"}, "Drukarka została sfiskalizowana.\n", "PTU A  22,00 %"}));

struct PrintoutCase {
    std::string file;
    std::vector<std::string> lines; // Windows-1250
};

class PrintoutFile : public ::testing::TestWithParam<PrintoutCase> {};

// As the service printing window loads the file: no CR is left in a line.
TEST_P(PrintoutFile, IsCutIntoTheLinesThePrinterGets) {
    EXPECT_EQ(cli::PrintoutLines(GetParam().file), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Lines, PrintoutFile,
                         ::testing::Values(PrintoutCase{"", {}},
                                           PrintoutCase{"A\r\n\r\nB\r\n", {"A", "", "B"}},
                                           PrintoutCase{"A\nB", {"A", "B"}},
                                           PrintoutCase{"PARAGON\r\r\nKONIEC", {"PARAGON", "KONIEC"}},
                                           PrintoutCase{"A\rB\r\n", {"AB"}},
                                           PrintoutCase{"Łódź\r\n", {"\xA3\xF3\x64\x9F"}},
                                           PrintoutCase{"\xA3\xF3\x64\x9F\r\n", {"\xA3\xF3\x64\x9F"}}));

TEST_F(CliFixture, SdCardIsClosedAfterItsInitialisation) {
    ASSERT_EQ(Run({"sd-init"}).code, 0);
    EXPECT_EQ(Run({"sd-close"}).out, "Karta SD została zamknięta.\n");
}

TEST_F(CliFixture, TemplateReadShowsItsNameAndRows) {
    const CliRunResult r = Run({"template", "read", "1"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Nazwa: KOMUNIKAT SERWISOWY", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("Wiersz 4: OPIS USTERKI"), std::string::npos) << r.out;
}

TEST_F(CliFixture, CurrencyChangeIsScheduledWithYes) {
    // Nothing planned yet: the printer's record is empty.
    const CliRunResult none = Run({"--json", "currency-change"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "{\"code\": \"\", \"description\": \"Drukarka nie przekazała danych.\"}\n");
    EXPECT_EQ(Run({"currency-change", "set", "2026-01-01", "00:00", "EUR"}).code, 64);
    EXPECT_EQ(Run({"currency-change", "set", "2026-01-01", "00:00", "EUR", "--yes"}).code, 0);
    EXPECT_EQ(Run({"--json", "currency-change"}).out,
              "{\"date\": \"2026-01-01\", \"time\": \"00:00\", \"next\": \"EUR\", \"current\": \"PLN\"}\n");
}

TEST_F(CliFixture, OperationsTheProgramConfirmsNeedYesAndSendNothingWithoutIt) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"ram-reset"},
                                               {"fiscalize", "A=22"},
                                               {"currency-change", "set", "2026-01-01", "00:00", "EUR"}}) {
        const CliRunResult r = RunRefusedUnsent(args);
        EXPECT_NE(r.err.find("wymaga potwierdzenia: dodaj --yes."), std::string::npos) << r.err;
    }
    EXPECT_FALSE(Device([](sim::Nx3Device& d) { return d.State().fiscal; }));
}

} // namespace
} // namespace nubra::testing
