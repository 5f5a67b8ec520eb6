#include "SystemPlaces.h"

#include <cstdlib>
#include <filesystem>

namespace nubra::cli {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::vector<std::string> SystemArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

CliPlaces SystemPlaces(const char* argv0) {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = std::filesystem::absolute(argv0, ec);
    return {self.parent_path().string(), Environment("XDG_DATA_HOME"), Environment("HOME")};
}

std::string SystemDeviceFolder() {
    return "/dev";
}

} // namespace nubra::cli
