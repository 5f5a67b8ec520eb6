#pragma once
// The serial devices present on the machine, for the port dialog to offer beside each COM number:
// built-in ports that have a UART, USB adapters (ttyUSB) and modems (ttyACM), with the stable name
// udev gives them in /dev/serial/by-id and the adapter's maker where the system knows them.
#include <filesystem>
#include <string>
#include <vector>

namespace nubra {

struct SerialDevice {
    std::string path;  // "/dev/ttyUSB0"
    std::string byId;  // "/dev/serial/by-id/usb-FTDI_..." or empty
    std::string maker; // "FTDI" or empty
    // What the port should be given: the by-id name survives replugging into another socket.
    const std::string& Stable() const { return byId.empty() ? path : byId; }
};

// Windows has no such tree: the list is empty there.
// root stands for "/" (a fake tree in tests): its dev/ and sys/class/tty/ are read. ttyS ports are
// listed only when sysfs says a UART is behind them (type other than 0); sorted ttyS, ttyUSB, ttyACM,
// each by number.
std::vector<SerialDevice> ListSerialDevices(const std::filesystem::path& root = "/");
// Where a probe looks for device files under root: its dev/; empty on Windows, whose ports go by name.
std::filesystem::path SerialDeviceFolder(const std::filesystem::path& root = "/");

} // namespace nubra
