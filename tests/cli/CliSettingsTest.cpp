// Settings subcommands against the emulator: each change read back, and arguments refused before
// anything is sent.
#include <functional>
#include <utility>

#include "CliFixture.h"

namespace nubra::testing {
namespace {

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct SettingCase {
    std::vector<std::string> set; // run first; empty: nothing
    std::string setOut;           // its stdout, exact
    std::vector<std::string> get;
    std::string getOut; // a part of the reading's stdout
};

class CliSettings : public CliFixture, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(CliSettings, ChangeIsReadBack) {
    const SettingCase& c = GetParam();
    if (!c.set.empty()) {
        const CliRunResult set = Run(c.set);
        EXPECT_EQ(set.code, 0) << set.err;
        EXPECT_EQ(set.out, c.setOut);
    }
    const CliRunResult get = Run(c.get);
    EXPECT_EQ(get.code, 0) << get.err;
    EXPECT_NE(get.out.find(c.getOut), std::string::npos) << get.out;
}

INSTANTIATE_TEST_SUITE_P(
    Subcommands, CliSettings,
    ::testing::Values(
        SettingCase{
            {"vat", "set", "A=22", "b=7,5", "C=zw", "D=-"},
            "",
            {"--json", "vat"},
            "{\"A\": \"22,00\", \"B\": \"7,50\", \"C\": \"99,98\", \"D\": \"99,99\", \"E\": \"99,98\""},
        SettingCase{{"posts", "1", "2", "3", "4", "5", "6", "7", "12"},
                    "",
                    {"--json", "posts"},
                    "\"register7\": 7, \"register8\": 12}"},
        SettingCase{{}, "", {"posts"}, "Rejestr 8, stanowisko nr: 1\n"},
        SettingCase{{"params", "set", "kod=latin", "potwierdzenia=nie"},
                    "Parametry kasy zostały zmienione.\n",
                    {"params"},
                    "Kod transmisji: Latin\nSeparator: Przecinek\nTryb wykonywania raportu dobowego: "
                    "Ręcznie\nTryb potwierdzeń: Bez potwierdzeń\nBieżąca waluta: ZŁOTY\n"},
        SettingCase{{"waiting-time", "7"}, "", {"--json", "waiting-time"}, "{\"minutes\": 7}"},
        SettingCase{
            {"time-change", "-"},
            "Polecenie wykonane. Wskazanie zegara zostanie zmniejszone o jedną godzinę o godz. 3:00.\n",
            {"--json", "datetime"},
            "{\"date\": \"20"},
        SettingCase{{"datetime", "set", "07:05:00"},
                    "Godzina w kasie została ustawiona na nową wartość.\n",
                    {"datetime"},
                    "Godzina: 07:05:0"},
        SettingCase{{"header", "set", "--wide", "1", "--high", "2", "Sklep Żółw", "ul. Łąkowa 5", "Gdańsk"},
                    "Nagłówek zastał zapisany do drukarki.\n",
                    {"header"},
                    "Wiersz 1: Sklep Żółw (szeroki)\nWiersz 2: ul. Łąkowa 5 (wysoki)\nWiersz 3: Gdańsk\n"},
        // Forty letters fill a line: each Polish letter is one character there.
        SettingCase{
            {"footer", "set", "", Repeat("Ż", 40)}, "", {"footer"}, "Wiersz 2: " + Repeat("Ż", 40) + "\n"},
        SettingCase{{"footer", "set", "Dziękujemy"},
                    "",
                    {"--json", "footer"},
                    "{\"line1\": \"Dziękujemy\", \"line2\": \"\", \"line3\": \"\"}"}));

TEST_F(CliFixture, BadSettingsAreRefusedBeforeAnythingIsSent) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"vat", "set", "A=100"},
             {"vat", "set", "H=5"},
             {"vat", "set", "A=7,125"},
             {"posts", "1", "2"},
             {"posts", "1", "2", "3", "4", "5", "6", "7", "100"},
             {"params", "set", "kod=ascii"},
             {"waiting-time", "x"},
             {"time-change", "2"},
             {"datetime", "set", "25:00"},
             {"datetime", "set", "1999-01-01", "12:00:00"},
             {"header", "set", "--wide", "5", "A"},
             {"footer", "set", "1", "2", "3", "4"},
         })
        RunRefusedUnsent(args);
}

// A rate is what was typed, with either separator, or both commands refuse it with the windows' words.
TEST_F(CliFixture, RateIsWhatWasTypedOrRefused) {
    EXPECT_EQ(Run({"vat", "set", "B=7.5", "C=8,25"}).code, 0);
    Device([](sim::Nx3Device& d) {
        EXPECT_EQ(d.State().vatRates[1], 750);
        EXPECT_EQ(d.State().vatRates[2], 825);
    });
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"vat", "set", "A=100"}, {"fiscalize", "A=100", "--yes"}}) {
        const std::string err = RunRefusedUnsent(args).err;
        EXPECT_EQ(err.substr(0, err.find('\n')), "nx3cli: Stawka PTU A musi być liczbą od 0,00 do 99,99, z "
                                                 "najwyżej dwoma cyframi po przecinku: 100.");
    }
}

// A line the printer would cut is refused, named with its limit.
TEST_F(CliFixture, OverLongHeaderAndFooterLinesAreRefused) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"header", "set", Repeat("A", 41)}, "Wiersz 1 nagłówka ma 41 znaków, a mieści najwyżej 40."},
        {{"header", "set", "A", Repeat("B", 21), "--wide", "2"},
         "Wiersz 2 nagłówka (szeroki) ma 21 znaków, a mieści najwyżej 20."},
        {{"footer", "set", "", "", Repeat("ą", 41)}, "Wiersz 3 stopki ma 41 znaków, a mieści najwyżej 40."},
    };
    for (const auto& [args, message] : cases) {
        const CliRunResult r = RunRefusedUnsent(args);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "nx3cli: " + message);
    }
}

// Parameters left unnamed keep the printer's values; a failed read must not turn them into zeros.
TEST_F(CliFixture, ParamsSetStopsWhenTheStatusCannotBeRead) {
    struct Case {
        std::function<void(sim::Nx3Device&)> fault;
        std::vector<std::string> args;
        int code;
        std::string err;
        unsigned char status2; // afterwards; 0xE1 as before
    };
    const std::string kept =
        "Nie odczytano parametrów kasy: nic nie zmieniono (niepodane parametry zostałyby wyzerowane).\n";
    const std::vector<Case> cases = {
        {[](auto& d) { d.FailNextCommand("I2"); },
         {"params", "set", "kod=latin"},
         1,
         "Odpowiedź drukarki I2: Zły kod rozkazu.\n" + kept,
         0xE1},
        {[](auto& d) { d.State().infoW.clear(); },
         {"params", "set", "separator=kropka"},
         1,
         kept + "Drukarka nie przekazała danych.\n",
         0xE1},
        // Everything named: nothing comes from the read.
        {[](auto& d) { d.FailNextCommand("I2"); },
         {"params", "set", "kod=mazovia", "separator=kropka", "raport=automatycznie", "potwierdzenia=nie"},
         0,
         "Odpowiedź drukarki I2: Zły kod rozkazu.\n",
         0x60},
    };
    for (const Case& c : cases) {
        Device([](auto& d) {
            d.State().status1 = 0x60;
            d.State().status2 = 0xE1;
        });
        Device(c.fault);
        const CliRunResult r = Run(c.args);
        EXPECT_EQ(r.code, c.code) << ::testing::PrintToString(c.args);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(Device([](auto& d) { return d.State().status2; }), c.status2);
        Device([](auto& d) { d.State().infoW = "NX3E003 01.07"; });
    }
}

} // namespace
} // namespace nubra::testing
