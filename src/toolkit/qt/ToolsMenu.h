#pragma once
// The entries of the menu "Narzędzia", which the main window places before "Pomoc". Each entry is an
// action of the main window (object name = name) run through RunAction.
#include <vector>

namespace nubra::app {
class TFormMain;
}

namespace nubra::toolkit {

struct ToolEntry {
    const char* name; // nullptr: a separator
    const char* caption;
    void (*run)(app::TFormMain&);
    bool device; // needs the printer: refused while the link waits
};

const std::vector<ToolEntry>& ToolEntries();

// Settings snapshot (SnapshotActions.cpp).
void SaveSettingsExecute(app::TFormMain& main);
void CompareSettingsExecute(app::TFormMain& main);
void CompareFilesExecute(app::TFormMain& main);
void RestoreSettingsExecute(app::TFormMain& main);
// Catalogue CSV exchange (CsvActions.cpp).
void ExportCatalogueExecute(app::TFormMain& main);
void ImportCatalogueExecute(app::TFormMain& main);

} // namespace nubra::toolkit
