#pragma once
// nx3cli as a function: the command line in, the exit code out; text on out and err.
#include <iosfwd>
#include <string>
#include <vector>

namespace nubra::cli {

// Where the data folder is looked for, as the program looks (--data aside).
struct CliPlaces {
    std::string programFolder; // the executable's folder
    std::string xdgDataHome;
    std::string home;
};

int RunCli(const std::vector<std::string>& args, const CliPlaces& places, std::ostream& out,
           std::ostream& err);

} // namespace nubra::cli
