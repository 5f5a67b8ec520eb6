#pragma once
// The data folder: where nx3config.ini, Tabele/ and Raport.txt live.
#include <QString>

namespace nubra::app {

// Chooses the data folder (with a trailing '/'): dataOption (--data) when given; else the program's
// own folder when it is writable and already holds nx3config.ini or Tabele/ (a portable copy); else
// xdgDataHome + "/nubra5", where an empty or relative xdgDataHome means home + "/.local/share".
QString ChooseDataFolder(const QString& programFolder, const QString& dataOption, const QString& xdgDataHome,
                         const QString& home);

// The same, with XDG_DATA_HOME and HOME taken from the environment.
QString ChooseDataFolder(const QString& programFolder, const QString& dataOption);

// Creates the folder and its parents when missing; false when it is not a writable folder after that.
bool MakeDataFolder(const QString& folder);

} // namespace nubra::app
