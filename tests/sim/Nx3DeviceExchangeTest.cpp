// The frame layer of the device: checksums, unknown commands, abandoned exchanges.
#include "DeviceTalk.h"

#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;

TEST(Nx3DeviceExchange, UnknownCommandIsRefusedWithI2) {
    Nx3Device device;
    EXPECT_EQ(Ask(device, "ZZ"), "\x02I2\x03"
                                 "84");
    EXPECT_EQ(Ask(device, "b2"), F("I2"));
    EXPECT_EQ(Ask(device, "B2").substr(0, 6), kI1);
}

TEST(Nx3DeviceExchange, BadChecksumOfACommandGetsI5) {
    Nx3Device device;
    device.Receive("\x02"
                   "B2\x03"
                   "8f");
    EXPECT_EQ(device.TakeOutput(), F("I5"));
    EXPECT_FALSE(device.InExchange());
}

TEST(Nx3DeviceExchange, BadChecksumOfDataGetsD0AndEndsTheExchange) {
    Nx3Device device;
    Ask(device, "I7");
    device.Receive("\x02"
                   "1\x03"
                   "00");
    EXPECT_EQ(device.TakeOutput(), F("D0"));
    EXPECT_FALSE(device.InExchange());
    EXPECT_EQ(Ask(device, "B3").substr(0, 6), kI1);
}

TEST(Nx3DeviceExchange, BadChecksumOfStatusBytesLeavesThemUnchanged) {
    Nx3Device device;
    const unsigned char before = device.State().status1;
    Ask(device, "K4");
    device.Receive("\x02\xA0\x21\x03"
                   "00");
    EXPECT_EQ(device.TakeOutput(), F("D0"));
    EXPECT_EQ(device.State().status1, before);
}

TEST(Nx3DeviceExchange, NoiseBetweenFramesIsIgnored) {
    Nx3Device device;
    device.Receive(std::string("\x00\xFF\x11\x13junk", 8));
    EXPECT_EQ(device.TakeOutput(), "");
    EXPECT_EQ(Ask(device, "B3"), kI1 + F("00101") + kD1);
}

TEST(Nx3DeviceExchange, FramesSplitAcrossReadsAreJoined) {
    Nx3Device device;
    const std::string frame = F("B3");
    for (char c : frame)
        device.Receive(std::string(1, c));
    EXPECT_EQ(device.TakeOutput(), kI1 + F("00101") + kD1);
}

TEST(Nx3DeviceExchange, ACommandInsteadOfTheAwaitedDataStartsAfresh) {
    Nx3Device device;
    for (const char* first : {"I7", "ES", "K4"}) {
        SCOPED_TRACE(first);
        EXPECT_EQ(Ask(device, first), kI1);
        EXPECT_EQ(Ask(device, "B3"), kI1 + F("00101") + kD1);
        EXPECT_FALSE(device.InExchange());
    }
}

TEST(Nx3DeviceExchange, ResetLineForgetsAHalfDoneExchange) {
    Nx3Device device;
    Ask(device, "I7");
    device.Receive("\x02"
                   "1");
    device.ResetLine();
    EXPECT_FALSE(device.InExchange());
    EXPECT_EQ(Ask(device, "I3"), kI1 + F("0") + kD1);
}

} // namespace
