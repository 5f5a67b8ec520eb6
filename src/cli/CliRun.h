#pragma once
// nx3cli as a function: the command line in, the exit code out; text on out and err.
#include <iosfwd>
#include <string>
#include <vector>

namespace nubra::cli {

// programFolder: the folder of the executable (the data folder unless --data names one).
int RunCli(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
           std::ostream& err);

} // namespace nubra::cli
