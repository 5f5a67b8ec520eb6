#include "SerialDevices.h"

#include <algorithm>
#include <fstream>

namespace nubra {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFamilies[] = {"ttyS", "ttyUSB", "ttyACM"};

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

int Family(const std::string& name) {
    // ttyUSB before ttyS would match "ttyS" too: the longest prefix wins.
    int found = -1;
    std::size_t length = 0;
    for (int i = 0; i < 3; ++i) {
        const std::string prefix = kFamilies[i];
        if (name.size() > prefix.size() && name.starts_with(prefix) && prefix.size() > length &&
            std::all_of(name.begin() + prefix.size(), name.end(),
                        [](char c) { return c >= '0' && c <= '9'; })) {
            found = i;
            length = prefix.size();
        }
    }
    return found;
}

// The maker of the USB device above the tty: the first "manufacturer" file up its sysfs path.
std::string Maker(const fs::path& ttyClass) {
    std::error_code ec;
    fs::path dir = fs::weakly_canonical(ttyClass / "device", ec);
    for (int up = 0; up < 4 && !ec && !dir.empty(); ++up, dir = dir.parent_path())
        if (fs::exists(dir / "manufacturer", ec))
            return FirstLine(dir / "manufacturer");
    return {};
}

} // namespace

std::vector<SerialDevice> ListSerialDevices(const fs::path& root) {
    std::error_code ec;
    std::vector<std::pair<std::string, std::string>> byId; // canonical target, link name
    for (const auto& entry : fs::directory_iterator(root / "dev/serial/by-id", ec)) {
        std::error_code e;
        const fs::path target = fs::weakly_canonical(entry.path(), e);
        if (!e)
            byId.emplace_back(target.filename().string(),
                              "/dev/serial/by-id/" + entry.path().filename().string());
    }
    std::vector<std::pair<std::pair<int, long>, SerialDevice>> found;
    for (const auto& entry : fs::directory_iterator(root / "dev", ec)) {
        const std::string name = entry.path().filename().string();
        const int family = Family(name);
        if (family < 0)
            continue;
        const fs::path ttyClass = root / "sys/class/tty" / name;
        // A ttyS without a UART (type 0) is one of the kernel's placeholders: nothing answers there.
        if (family == 0 && FirstLine(ttyClass / "type") == "0")
            continue;
        if (family == 0 && !fs::exists(ttyClass / "type"))
            continue;
        SerialDevice d;
        d.path = "/dev/" + name;
        for (const auto& [target, link] : byId)
            if (target == name)
                d.byId = link;
        d.maker = Maker(ttyClass);
        const long number = std::stol(name.substr(std::string(kFamilies[family]).size()));
        found.push_back({{family, number}, d});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SerialDevice> devices;
    for (auto& [key, d] : found)
        devices.push_back(std::move(d));
    return devices;
}

fs::path SerialDeviceFolder(const fs::path& root) {
#ifdef _WIN32
    (void)root;
    return {};
#else
    return root / "dev";
#endif
}

} // namespace nubra
