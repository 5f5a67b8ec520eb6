// The serial line of the system the tests run on (the POSIX one, or the Win32 one under wine): the
// ports' default devices and what a port without a device says.
#include "SystemSerialLine.h"

#include <gtest/gtest.h>

namespace nubra {
namespace {

#ifdef _WIN32
const std::string kMissing = "COM9";
#else
const std::string kMissing = "/dev/nonexistent-tty";
#endif

TEST(SystemSerialLine, DefaultDevicesAndAMissingOne) {
    SystemSerialLine line;
#ifdef _WIN32
    EXPECT_EQ(line.DevicePath(1), "COM1");
    EXPECT_EQ(line.DevicePath(4), "COM4");
#else
    EXPECT_EQ(line.DevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(line.DevicePath(4), "/dev/ttyS3");
#endif
    EXPECT_EQ(line.DevicePath(5), "");

    line.SetDevicePath(2, kMissing);
    EXPECT_EQ(line.Open(2), SerialLine::OpenResult::OpenFailed);
    EXPECT_EQ(line.LastOpenFailure(), PortSerialLine::OpenFailure::Missing);
    EXPECT_EQ(line.OpenFailureDetail(),
              "Urządzenie: " + kMissing + " (" + PortSerialLine::kMissingReason + ")");
    EXPECT_FALSE(line.IsOpen());
    EXPECT_EQ(line.ReadByte(), -1);
    EXPECT_FALSE(line.Write("x"));
    EXPECT_FALSE(line.Purge());
    EXPECT_FALSE(line.SetReadTimeout(10));

    EXPECT_EQ(line.Open(5), SerialLine::OpenResult::OpenFailed);
    EXPECT_EQ(line.OpenFailureDetail(), "Urządzenie: brak (nie przypisano urządzenia do portu COM5)");
}

} // namespace
} // namespace nubra
