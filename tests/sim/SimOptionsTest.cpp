#include "SimOptions.h"
#include "DeviceStateFile.h"
#include "DeviceTalk.h"

#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;

std::optional<SimOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string e;
    auto o = ParseSimOptions(args, e);
    if (error)
        *error = e;
    return o;
}

TEST(SimOptions, RefusesWhatItCannotUse) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "nieznana opcja: --bogus"},
        {{"--link"}, "brak wartości opcji --link"},
        {{"--state"}, "brak wartości opcji --state"},
        {{"--delay-ms", "2s"}, "opcja --delay-ms wymaga liczby: 2s"},
        {{"--hangup", "-1"}, "opcja --hangup wymaga liczby: -1"},
        {{"--transaction-timeout", "1m"}, "opcja --transaction-timeout wymaga liczby: 1m"},
        {{"--error", "X2013"}, "niepoprawny kod odpowiedzi: X2013"},
        {{"--error", "X2ab12"}, "niepoprawny kod odpowiedzi: X2ab12"},
        {{"--error", "I3", "--error-closing", "D2"}, "opcje --error i --error-closing wykluczają się"},
    };
    for (const auto& [args, message] : cases) {
        std::string error;
        EXPECT_FALSE(Parse(args, &error));
        EXPECT_EQ(error, message);
    }
}

TEST(SimOptions, StateOptionsShapeTheDevice) {
    const auto o = Parse({"--unique", "XYZ00000001", "--latin", "--error-number", "3", "--info-w", "NX3E002",
                          "--read-only", "--line-rate", "--transaction-timeout", "90"});
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->lineRate);
    DeviceState state;
    EXPECT_EQ(state.transactionTimeoutSeconds, 0); // off unless asked for
    ApplyState(*o, state);
    EXPECT_EQ(state.transactionTimeoutSeconds, 90);
    Nx3Device device(state);
    EXPECT_EQ(device.CodePage(), DeviceCodePage::Latin2);
    EXPECT_EQ(state.status1 & status1::kMazoviaMark, 0);
    EXPECT_EQ(Ask(device, "I3"), kI1 + F("3") + kD1);
    EXPECT_EQ(Ask(device, "PI"), F("I2"));
    EXPECT_EQ(Ask(device, "B5").substr(7, 12), "XYZ00000001 ");
    EXPECT_EQ(Ask(device, "Z1"), F("I0")); // read-only
}

// As nx3sim starts: the state file first, then the options given on the command line over it.
TEST(SimOptions, OptionsApplyOverALoadedStateFile) {
    DeviceState saved;
    saved.uniqueNumber = "FIL00000001";
    saved.waitingTime = 9;
    const std::string text = DeviceStateFile::ToText(saved);
    const auto o = Parse({"--unique", "XYZ00000001", "--read-only", "--line-rate"});
    ASSERT_TRUE(o);
    DeviceState state;
    std::string error;
    ASSERT_TRUE(DeviceStateFile::FromText(text, state, error)) << error;
    ApplyState(*o, state);
    EXPECT_EQ(state.uniqueNumber, "XYZ00000001");
    EXPECT_TRUE(state.readOnly);
    EXPECT_GT(state.printLineMs, 0);
    EXPECT_EQ(state.waitingTime, 9); // what no option names stays as the file has it
}

TEST(SimOptions, FaultsAreArmedForTheNextCommandEachTime) {
    const auto o = Parse({"--noise", "--error", "X20133", "--link", "/tmp/COM1"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->linkPath, "/tmp/COM1");
    Nx3Device device;
    for (int round = 0; round < 2; ++round) {
        ArmFaults(*o, device);
        EXPECT_EQ(Ask(device, "B2"), Nx3Device::DefaultNoise() + F("X2") + F("0133"));
        EXPECT_EQ(Ask(device, "B3"), kI1 + F("00101") + kD1);
    }
}

TEST(SimOptions, ClosingErrorReplacesTheFinalCode) {
    const auto o = Parse({"--error-closing", "D2"});
    ASSERT_TRUE(o);
    Nx3Device device;
    ArmFaults(*o, device);
    EXPECT_EQ(Ask(device, "B3"), kI1 + F("00101") + F("D2"));
}

// The program waits 25 ms after a command before its 2000 ms read time-out starts; the clock
// refusal is the device's own choice, so the help names it.
TEST(SimOptions, HelpGivesWhatTheProgramCannotAskTheDevice) {
    for (const char* line :
         {"  --delay-ms N          odpowiedź opóźniona o N ms (powyżej 2025: brak komunikacji)\n",
          "  data przed ostatnim raportem dobowym (\"E2\") jest odrzucana kodem \"D3\"\n",
          "  zmiana czasu (\"K2\") następuje, gdy zegar dojdzie do 2:00 (+) lub 3:00 (-);\n",
          "                        następna sprzedaż w rejestrze dostaje \"D4\" (domyślnie bez limitu)\n"})
        EXPECT_NE(SimHelp().find(line), std::string::npos) << line;
}

} // namespace
