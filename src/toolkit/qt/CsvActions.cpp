// The catalogue CSV exchange of the menu "Narzędzia": export a catalogue, import rows into it.
#include <QComboBox>
#include <QFileInfo>

#include "CatalogueTables.h"
#include "DialogSeam.h"
#include "FileText.h"
#include "MessageBox.h"
#include "TFormCsvExchange.h"
#include "TFormImportReport.h"
#include "TFormMain.h"
#include "ToolsMenu.h"

namespace nubra::toolkit {
namespace {

using Direction = TFormCsvExchange::Direction;

// What the user chose in the exchange dialog, with the open table of the catalogue.
struct Exchange {
    QString caption;
    QString file;
    ImportMode mode = ImportMode::Append;
    TMyTable* table = nullptr;
};

// False when the user cancelled, or after telling the user the catalogue is not open.
bool AskExchange(app::TFormMain& main, Direction direction, Exchange& chosen) {
    TFormCsvExchange dialog(direction, &main);
    if (app::DialogSeam::Current().Exec(dialog) != QDialog::Accepted || dialog.FileName().isEmpty())
        return false;
    chosen.caption = dialog.CatalogueList()->currentText();
    chosen.file = dialog.FileName();
    chosen.mode = dialog.Mode();
    catalogues::CatalogueTables* tables = catalogues::CatalogueTables::Of(main);
    if (tables && tables->Table(dialog.SelectedCatalogue()).Active()) {
        chosen.table = &tables->Table(dialog.SelectedCatalogue());
        return true;
    }
    app::ShowMessageBox(&main, QMessageBox::Critical,
                        QStringLiteral("Baza %1 nie jest otwarta.").arg(chosen.caption));
    return false;
}

} // namespace

void ExportCatalogueExecute(app::TFormMain& main) {
    Exchange chosen;
    if (!AskExchange(main, Direction::Export, chosen))
        return;
    const QString& file = chosen.file;
    if (QFileInfo::exists(file) &&
        app::ShowMessageBox(&main, QMessageBox::Question,
                            QStringLiteral("Plik %1 już istnieje. Czy zastąpić go?").arg(file),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const int records = ExportCatalogueCsv(*chosen.table, file.toStdString());
    app::ShowMessageBox(&main, QMessageBox::Information,
                        QStringLiteral("Baza %1 zapisana do pliku %2.\nLiczba rekordów: %3.")
                            .arg(chosen.caption, file)
                            .arg(records));
}

void ImportCatalogueExecute(app::TFormMain& main) {
    Exchange chosen;
    if (!AskExchange(main, Direction::Import, chosen))
        return;
    const QString& file = chosen.file;
    const CheckedCsv checked = CheckCatalogueCsv(*chosen.table, ReadWholeFile(file.toStdString()));
    if (!checked.faults.empty()) {
        TFormImportReport report(file, checked.faults, &main);
        app::DialogSeam::Current().Exec(report);
        return;
    }
    const ImportDone done = WriteCatalogueRecords(*chosen.table, checked, chosen.mode);
    QString text = QStringLiteral("Import do bazy %1 zakończony.\nLiczba dodanych rekordów: %2.")
                       .arg(chosen.caption)
                       .arg(done.records);
    if (!done.backup.empty())
        text += QStringLiteral("\nPoprzednia zawartość bazy jest w pliku %1.")
                    .arg(QString::fromStdString(done.backup));
    app::ShowMessageBox(&main, QMessageBox::Information, text);
}

} // namespace nubra::toolkit
