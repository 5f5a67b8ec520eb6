// Injected faults: each hits exactly what it was armed for, once.
#include "DeviceTalk.h"

#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;
using namespace std::chrono_literals;

const std::string kB3Answer = kI1 + F("00101") + kD1;

TEST(Nx3DeviceFault, NoiseComesBeforeTheChosenFrameOnly) {
    Nx3Device device;
    device.InjectNoise(Nx3Device::DefaultNoise());
    EXPECT_EQ(Ask(device, "B3"), Nx3Device::DefaultNoise() + kB3Answer);
    device.InjectNoise("~~", 1);
    EXPECT_EQ(Ask(device, "B3"), kI1 + "~~" + F("00101") + kD1);
    EXPECT_EQ(Ask(device, "B3"), kB3Answer);
}

TEST(Nx3DeviceFault, DefaultNoiseHoldsNoFrameByte) {
    const std::string noise = Nx3Device::DefaultNoise();
    EXPECT_EQ(noise.find('\x02'), std::string::npos);
    EXPECT_EQ(noise.find('\x03'), std::string::npos);
    EXPECT_NE(noise.find('\x11'), std::string::npos);
}

TEST(Nx3DeviceFault, CorruptedChecksumStaysHexButWrong) {
    Nx3Device device;
    device.CorruptChecksum(1);
    EXPECT_EQ(Ask(device, "B2"), kI1 +
                                     "\x02"
                                     "25013100042\x03"
                                     "C0" +
                                     kD1);
    EXPECT_EQ(Ask(device, "B3"), kB3Answer);
}

TEST(Nx3DeviceFault, SilenceSwallowsOneCommand) {
    Nx3Device device;
    device.SilenceNextCommand();
    EXPECT_EQ(Ask(device, "B3"), "");
    EXPECT_FALSE(device.InExchange());
    EXPECT_EQ(Ask(device, "B3"), kB3Answer);
}

struct FailCase {
    const char* code;
    FailAt at;
    const char* command;
    std::string expected;
};

class FailNext : public ::testing::TestWithParam<FailCase> {};

TEST_P(FailNext, ReplacesTheChosenCodeOnce) {
    const FailCase& c = GetParam();
    Nx3Device device;
    device.FailNextCommand(c.code, c.at);
    std::string out = Ask(device, c.command);
    if (device.InExchange())
        out += Ask(device, std::string(c.command) == "K4" ? std::string("\xA0\x21", 2) : std::string("1"));
    EXPECT_EQ(out, c.expected);
    EXPECT_FALSE(device.InExchange());
    EXPECT_EQ(Ask(device, "B3"), kB3Answer);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FailNext,
    ::testing::Values(FailCase{"I3", FailAt::Command, "B2", F("I3")},
                      FailCase{"X20133", FailAt::Command, "B2",
                               "\x02X2\x03"
                               "95" +
                                   F("0133")},
                      FailCase{"D2", FailAt::Closing, "B2", kI1 + F("25013100042") + F("D2")},
                      FailCase{"X203EC", FailAt::Closing, "K4", kI1 + F("X2") + F("03EC")},
                      FailCase{"D2", FailAt::Closing, "I7", kI1 + F("D2")}));

TEST(Nx3DeviceFault, RefusedK4KeepsTheStatusBytes) {
    Nx3Device device;
    device.FailNextCommand("D2", FailAt::Closing);
    Ask(device, "K4");
    Ask(device, std::string("\xA0\x21", 2));
    EXPECT_EQ(device.State().status1, 0x60);
    EXPECT_EQ(device.CodePage(), DeviceCodePage::Mazovia);
}

TEST(Nx3DeviceFault, DelayMarksTheChosenFrameAndWhatFollows) {
    Nx3Device device;
    device.DelayFrame(2500ms, 1);
    device.Receive(F("B3"));
    const auto chunks = device.TakeChunks();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].bytes, kI1);
    EXPECT_EQ(chunks[0].delay, 0ms);
    EXPECT_EQ(chunks[1].bytes, F("00101") + kD1);
    EXPECT_EQ(chunks[1].delay, 2500ms);
    device.Receive(F("B3"));
    EXPECT_EQ(device.TakeChunks().size(), 1u);
}

TEST(Nx3DeviceFault, HangUpCutsTheFrameAndSilencesTheRest) {
    Nx3Device device;
    device.HangUpInFrame(4, 1);
    device.Receive(F("B2"));
    const auto chunks = device.TakeChunks();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].bytes, kI1);
    EXPECT_FALSE(chunks[0].hangUp);
    EXPECT_EQ(chunks[1].bytes, "\x02"
                               "250");
    EXPECT_TRUE(chunks[1].hangUp);
    EXPECT_EQ(Ask(device, "B3"), kB3Answer);
}

TEST(Nx3DeviceFault, HangUpWhileWaitingForDataForgetsTheExchange) {
    Nx3Device device;
    device.HangUpInFrame(2, 0);
    device.Receive(F("I7"));
    EXPECT_EQ(device.TakeOutput(), "\x02I");
    EXPECT_FALSE(device.InExchange());
}

TEST(Nx3DeviceFault, EndlessStreamHasNoFrameBytesAndDeafensTheDeviceUntilStopped) {
    Nx3Device device;
    device.StartEndlessStream();
    ASSERT_TRUE(device.Streaming());
    const std::string bytes = device.StreamBytes(5000);
    EXPECT_EQ(bytes.size(), 5000u);
    EXPECT_EQ(bytes.find('\x02'), std::string::npos);
    EXPECT_EQ(bytes.find('\x03'), std::string::npos);
    device.Receive(F("B3"));
    EXPECT_TRUE(device.Streaming());
    EXPECT_EQ(device.TakeOutput(), "");
    device.StopEndlessStream();
    EXPECT_EQ(Ask(device, "B3"), kB3Answer);
}

} // namespace
