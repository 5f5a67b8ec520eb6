#pragma once
// What nx3cli learns from the system at start: its arguments as UTF-8 and the places the data folder
// is chosen from. One file per system (PosixSystemPlaces.cpp, Win32SystemPlaces.cpp).
#include <string>
#include <vector>

#include "CliRun.h"

namespace nubra::cli {

std::vector<std::string> SystemArguments(int argc, char** argv);
CliPlaces SystemPlaces(const char* argv0);
// Where probe looks for serial devices beyond the configured ones: a folder of device files, or
// empty where the system names its ports instead (COM1, COM2, ...).
std::string SystemDeviceFolder();

} // namespace nubra::cli
