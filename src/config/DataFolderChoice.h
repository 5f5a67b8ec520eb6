#pragma once
// The data folder: where nx3config.ini, Tabele/ and Raport.txt live. One rule for the program and
// nx3cli, so both find the same configuration.
#include <functional>
#include <string>

namespace nubra {

inline constexpr const char* kConfigFileName = "nx3config.ini";
inline constexpr const char* kTablesFolderName = "Tabele";

// Chooses the data folder (absolute, with a trailing '/'): dataOption (--data) when given; else the
// program's own folder when it is writable and already holds nx3config.ini or Tabele/ (a portable
// copy); else xdgDataHome + "/nubra5", where an empty or relative xdgDataHome means
// home + "/.local/share".
std::string ChooseDataFolder(const std::string& programFolder, const std::string& dataOption,
                             const std::string& xdgDataHome, const std::string& home,
                             const std::function<bool(const std::string& folder)>& isWritable);

// Whether the process may create files in folder (platform file).
bool IsWritableFolder(const std::string& folder);

} // namespace nubra
