// The settings commands of the device model, byte by byte: answers and refusals.
#include "DeviceTalk.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;

std::int64_t Seconds(int y, unsigned m, unsigned d, int hh, int nn, int ss) {
    using namespace std::chrono;
    return sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count() * 86400LL + hh * 3600 + nn * 60 +
           ss;
}

// Command code, then its data frame: what the device answers to the data.
std::string Order(Nx3Device& device, std::string_view code, std::string_view data) {
    EXPECT_EQ(Ask(device, code), kI1) << code;
    return Ask(device, data);
}

TEST(Nx3DeviceSettings, DataRefusedWithD2) {
    struct Case {
        const char* code;
        std::string data;
    };
    const std::string line(40, ' ');
    for (const Case& c :
         {Case{"S3", "2300 800 500   099989999"
                     "9999"}, // the rates in force
          Case{"S3", "2300 800 500   0999899999999 "},
          Case{"S3", "23x0 800 500   099989999"
                     "8888"},
          Case{"S8", "0102030405060708 "}, Case{"S8", "010203040506070x"}, Case{"C1", "5"}, Case{"C1", "x5"},
          Case{"K2", "*"}, Case{"E2", "250230120000"}, Case{"E2", "251301120000"}, Case{"E3", "240000"},
          Case{"E3", "1260"}, Case{"EA", "5"}, Case{"EB", "501" + line}, Case{"EB", "121" + line},
          Case{"EB", "10" + line}, Case{"N2", line}}) {
        Nx3Device device;
        EXPECT_EQ(Order(device, c.code, c.data), F("D2")) << c.code << " \"" << c.data << '"';
    }
}

TEST(Nx3DeviceSettings, NipLineOnlyWhenThePrinterAllowsIt) {
    Nx3Device device;
    const std::string nip = "400NIP 1" + std::string(35, ' ');
    EXPECT_EQ(Order(device, "EB", nip), kD1);
    EXPECT_EQ(device.State().header[3].text, "NIP 1");
    device.State().infoSFlags = 0;
    EXPECT_EQ(Order(device, "EB", nip), F("D2"));
}

TEST(Nx3DeviceSettings, ClockReadAndSetOncePerDailyReport) {
    Nx3Device device;
    device.SetHostClock([] { return Seconds(2025, 1, 31, 12, 45, 9); });
    EXPECT_EQ(Ask(device, "E1"), kI1 + F("250131124509") + kD1);
    EXPECT_EQ(Order(device, "E3", "070500"), kD1);
    EXPECT_EQ(Ask(device, "E1"), kI1 + F("250131070500") + kD1);
    EXPECT_EQ(Order(device, "E2", "250201000000"), F("D3"));
    device.State().clockSetSinceReport = false;
    EXPECT_EQ(Order(device, "E2", "280229235959"), kD1);
    EXPECT_EQ(Ask(device, "E1"), kI1 + F("280229235959") + kD1);
}

// The last daily report was on 2025-01-31; "K2" "+" waits for 2:00 of the clock as it runs.
TEST(Nx3DeviceSettings, SetRefusesADateBeforeTheLastReportAndJumpsNoHourChange) {
    struct Step {
        std::int64_t hostRuns;
        const char* code; // nullptr: the clock only runs
        const char* data;
        const char* reply;
        const char* shown;
        int pending;
    };
    const Step steps[] = {
        {0, "K2", "+", "D1", "250329120000", 1},
        {0, "E2", "250130235959", "D3", "250329120000", 1},
        {0, "E2", "250330040000", "D1", "250330040000", 1}, // over 2:00 by a set
        {22 * 3600 - 1, nullptr, "", "", "250331015959", 1},
        {1, nullptr, "", "", "250331030000", 0},
        {0, "K2", "+", "D1", "250331030000", 1},
        {0, "E2", "250331000000", "D1", "250331000000", 1}, // back before 2:00
        {2 * 3600, nullptr, "", "", "250331030000", 0},
    };
    std::int64_t host = Seconds(2025, 3, 29, 12, 0, 0);
    Nx3Device device;
    device.SetHostClock([&host] { return host; });
    for (const Step& s : steps) {
        host += s.hostRuns;
        device.State().clockSetSinceReport = false;
        if (s.code) {
            EXPECT_EQ(Order(device, s.code, s.data), F(s.reply)) << s.code << " " << s.data;
        }
        EXPECT_EQ(Ask(device, "E1"), kI1 + F(s.shown) + kD1) << s.shown;
        EXPECT_EQ(device.State().pendingHourShift, s.pending) << s.shown;
    }
}

// "K2" moves the clock at the first 2:00 (forward) or 3:00 (back) after it was ordered, once.
TEST(Nx3DeviceSettings, HourShiftHappensTheComingNight) {
    struct Case {
        const char* direction;
        std::int64_t ordered, before, at;
        const char* shownBefore;
        const char* shownAt;
    };
    const Case cases[] = {
        {"+", Seconds(2025, 3, 29, 12, 0, 0), Seconds(2025, 3, 30, 1, 59, 59), Seconds(2025, 3, 30, 2, 0, 0),
         "250330015959", "250330030000"},
        {"-", Seconds(2025, 10, 26, 0, 30, 0), Seconds(2025, 10, 26, 2, 59, 59),
         Seconds(2025, 10, 26, 3, 0, 0), "251026025959", "251026020000"},
    };
    for (const Case& c : cases) {
        std::int64_t host = c.ordered;
        Nx3Device device;
        device.SetHostClock([&host] { return host; });
        EXPECT_EQ(Order(device, "K2", c.direction), kD1);
        host = c.before;
        EXPECT_EQ(Ask(device, "E1"), kI1 + F(c.shownBefore) + kD1) << c.direction;
        host = c.at;
        EXPECT_EQ(Ask(device, "E1"), kI1 + F(c.shownAt) + kD1) << c.direction;
        EXPECT_EQ(device.State().pendingHourShift, 0);
        host += 86400;
        EXPECT_EQ(Ask(device, "E1").substr(13, 6), std::string(c.shownAt).substr(6)) << "shifted only once";
    }
}

TEST(Nx3DeviceSettings, HeaderAndFooterTravelInMazoviaInEitherCodePage) {
    Nx3Device device;
    device.State().status1 |= status1::kLatin;
    device.State().header[1] = HeaderLine{"\xA3\xF3"
                                          "d\xBC",
                                          false, true};
    EXPECT_EQ(Order(device, "EA", "2"), kD1 + F("01\x9C\xA2"
                                                "d\xBC" +
                                                std::string(36, ' ')));
    device.State().footer = {"\xA3", "", "X"};
    EXPECT_EQ(Ask(device, "N4"), kI1 + F("\x9C" + std::string(79, ' ') + "X" + std::string(39, ' ')) + kD1);
}

} // namespace
