// nx3cli: the printer's commands from a shell, over the same link as the program.
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "CliRun.h"

namespace {

std::string ProgramFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = std::filesystem::absolute(argv0, ec);
    return self.parent_path().string();
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const nubra::cli::CliPlaces places{ProgramFolder(argv[0]), Environment("XDG_DATA_HOME"),
                                       Environment("HOME")};
    return nubra::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), places, std::cout, std::cerr);
}
