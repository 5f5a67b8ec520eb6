#include "ToolsMenu.h"

#include <QMenu>
#include <QMenuBar>

#include "TFormMain.h"

namespace nubra::toolkit {

const std::vector<ToolEntry>& ToolEntries() {
    static const std::vector<ToolEntry> entries = {
        {"ASaveSettings", "Zapisz ustawienia kasy do pliku...", &SaveSettingsExecute, true},
        {"ACompareSettings", "Porównaj z plikiem...", &CompareSettingsExecute, true},
        {"ACompareSettingsFiles", "Porównaj dwa pliki...", &CompareFilesExecute, false},
        {"ARestoreSettings", "Przywróć z pliku...", &RestoreSettingsExecute, true},
        {nullptr, "-", nullptr, false},
        {"AExportCatalogue", "Eksport bazy do CSV...", &ExportCatalogueExecute, false},
        {"AImportCatalogue", "Import bazy z CSV...", &ImportCatalogueExecute, false},
    };
    return entries;
}

} // namespace nubra::toolkit

namespace nubra::app {

void TFormMain::BuildToolsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Narzędzia"));
    menu->setObjectName(QStringLiteral("Narzedzia"));
    for (const toolkit::ToolEntry& entry : toolkit::ToolEntries()) {
        if (!entry.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
        const QString name = QString::fromLatin1(entry.name);
        action->setObjectName(name);
        action->setProperty("category", QStringLiteral("Narzędzia"));
        action->setProperty("device", entry.device);
        const auto run = entry.run;
        const bool device = entry.device;
        connect(action, &QAction::triggered, this,
                [this, run, device] { RunAction([this, run] { run(*this); }, device); });
        actions_.insert(name, action);
    }
}

} // namespace nubra::app
