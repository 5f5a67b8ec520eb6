#pragma once
// Program-wide constants.

namespace nubra::app {

inline constexpr const char* ProgramVersion = "1.07";
// Caption of every message box of the program's own.
inline constexpr const char* MessageCaption = "nubra5";
inline constexpr const char* MainCaption = "nubra5 serwis";
inline constexpr const char* ConfigFileName = "nx3config.ini";
inline constexpr const char* TablesDirectoryName = "Tabele/";

} // namespace nubra::app
