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

// The open table of the chosen catalogue, or nullptr after telling the user it is not open.
TMyTable* OpenTable(app::TFormMain& main, catalogues::Catalogue which, const QString& caption) {
    catalogues::CatalogueTables* tables = catalogues::CatalogueTables::Of(main);
    if (tables && tables->Table(which).Active())
        return &tables->Table(which);
    app::ShowMessageBox(&main, QMessageBox::Critical,
                        QStringLiteral("Baza %1 nie jest otwarta.").arg(caption));
    return nullptr;
}

// The dialog of the exchange; false when the user cancelled it.
bool AskExchange(TFormCsvExchange& dialog) {
    return app::DialogSeam::Current().Exec(dialog) == QDialog::Accepted && !dialog.FileName().isEmpty();
}

} // namespace

void ExportCatalogueExecute(app::TFormMain& main) {
    TFormCsvExchange dialog(Direction::Export, &main);
    if (!AskExchange(dialog))
        return;
    const QString caption = dialog.CatalogueList()->currentText();
    TMyTable* table = OpenTable(main, dialog.SelectedCatalogue(), caption);
    if (!table)
        return;
    const QString file = dialog.FileName();
    if (QFileInfo::exists(file) &&
        app::ShowMessageBox(&main, QMessageBox::Question,
                            QStringLiteral("Plik %1 już istnieje. Czy zastąpić go?").arg(file),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const int records = ExportCatalogueCsv(*table, file.toStdString());
    app::ShowMessageBox(&main, QMessageBox::Information,
                        QStringLiteral("Baza %1 zapisana do pliku %2.\nLiczba rekordów: %3.")
                            .arg(caption, file)
                            .arg(records));
}

void ImportCatalogueExecute(app::TFormMain& main) {
    TFormCsvExchange dialog(Direction::Import, &main);
    if (!AskExchange(dialog))
        return;
    const QString caption = dialog.CatalogueList()->currentText();
    TMyTable* table = OpenTable(main, dialog.SelectedCatalogue(), caption);
    if (!table)
        return;
    const QString file = dialog.FileName();
    const CheckedCsv checked = CheckCatalogueCsv(*table, ReadWholeFile(file.toStdString()));
    if (!checked.faults.empty()) {
        TFormImportReport report(file, checked.faults, &main);
        app::DialogSeam::Current().Exec(report);
        return;
    }
    const ImportDone done = WriteCatalogueRecords(*table, checked, dialog.Mode());
    QString text = QStringLiteral("Import do bazy %1 zakończony.\nLiczba dodanych rekordów: %2.")
                       .arg(caption)
                       .arg(done.records);
    if (!done.backup.empty())
        text += QStringLiteral("\nPoprzednia zawartość bazy jest w pliku %1.")
                    .arg(QString::fromStdString(done.backup));
    app::ShowMessageBox(&main, QMessageBox::Information, text);
}

} // namespace nubra::toolkit
