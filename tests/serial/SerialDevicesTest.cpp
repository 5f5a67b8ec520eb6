// The serial devices of a fake machine: a UART port, a placeholder ttyS, an FTDI adapter with its
// by-id name and maker, a modem, and files that are not serial devices.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "SerialDevices.h"

namespace nubra {
namespace {

namespace fs = std::filesystem;

TEST(SerialDevices, ListsPortsWithTheirStableNamesAndMakers) {
    std::string pattern = ::testing::TempDir() + "nubra-devtree-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern;
    const auto file = [&](const fs::path& p, const std::string& text) {
        fs::create_directories((root / p).parent_path());
        std::ofstream(root / p) << text << "\n";
    };
    for (const char* name : {"ttyS0", "ttyS1", "ttyUSB0", "ttyACM0", "tty", "ttyprintk", "null", "ttyS10"})
        file(fs::path("dev") / name, "");
    file("sys/class/tty/ttyS0/type", "4");
    file("sys/class/tty/ttyS1/type", "0");
    file("sys/class/tty/ttyS10/type", "4");
    // An adapter: the tty's device is an interface of the USB device that names its maker.
    file("sys/devices/usb1/1-1/manufacturer", "FTDI");
    file("sys/devices/usb1/1-1/1-1:1.0/ttyUSB0/x", "");
    fs::create_directories(root / "sys/class/tty/ttyUSB0");
    fs::create_directory_symlink(root / "sys/devices/usb1/1-1/1-1:1.0/ttyUSB0",
                                 root / "sys/class/tty/ttyUSB0/device");
    fs::create_directories(root / "dev/serial/by-id");
    fs::create_symlink("../../ttyUSB0", root / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0");

    std::vector<std::string> listed;
    for (const SerialDevice& d : ListSerialDevices(root))
        listed.push_back(d.path + "|" + d.byId + "|" + d.maker + "|" + d.Stable());
    EXPECT_EQ(listed, (std::vector<std::string>{
                          "/dev/ttyS0|||/dev/ttyS0",
                          "/dev/ttyS10|||/dev/ttyS10",
                          "/dev/ttyUSB0|/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0|FTDI|"
                          "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0",
                          "/dev/ttyACM0|||/dev/ttyACM0",
                      }));
    fs::remove_all(root);
}

} // namespace
} // namespace nubra
