// The catalogue CSV exchange from the menu "Narzędzia": a spreadsheet's goods list loads, a file with
// a bad row is listed and writes nothing, an export gives the spreadsheet format.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "CatalogueTables.h"
#include "Cp1250.h"
#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "TFormCsvExchange.h"
#include "TFormImportReport.h"
#include "TFormMain.h"

using namespace nubra;
using catalogues::Catalogue;
using toolkit::TFormCsvExchange;

class CsvActionsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<app::TFormMain> main_;

    QString Path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    TMyTable& Table(Catalogue which) const { return catalogues::CatalogueTables::Of(*main_)->Table(which); }
    void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Answers the exchange dialog with a catalogue, a file and, for an import, replace or append.
    void Choose(int catalogue, const QString& file, bool replace = false) {
        dialogs_->Answer([=](QDialog& d) {
            auto& form = dynamic_cast<TFormCsvExchange&>(d);
            form.CatalogueList()->setCurrentIndex(catalogue);
            form.FileEdit()->setText(file);
            if (replace)
                form.ReplaceButton()->setChecked(true);
            return int(QDialog::Accepted);
        });
    }
    QString LastText() const { return dialogs_->shown.back().text; }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        main_ = std::make_unique<app::TFormMain>((dir_->path() + QLatin1Char('/')).toStdString());
        app::CreateStartupWindows(*main_);
        dialogs_->shown.clear();
    }
    void cleanup() {
        main_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    void toolsMenuStandsBeforeHelp() {
        QStringList menus;
        for (QAction* a : main_->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus.indexOf(QStringLiteral("&Narzędzia")) + 1, menus.indexOf(QStringLiteral("&Pomoc")));
        QCOMPARE(main_->Action(QStringLiteral("AImportCatalogue"))->text(),
                 QStringLiteral("Import bazy z CSV..."));
        QCOMPARE(main_->Action(QStringLiteral("AExportCatalogue"))->text(),
                 QStringLiteral("Eksport bazy do CSV..."));
    }

    void spreadsheetGoodsListLoads() {
        Write(Path("towary.csv"),
              "\xEF\xBB\xBFNAZWA;PTU;CENA\r\n\"Mąka; typ 650\";a;3,49\r\nJajka;B;0.89\r\n");
        Choose(0, Path("towary.csv"));
        main_->Action(QStringLiteral("AImportCatalogue"))->trigger();
        QCOMPARE(dialogs_->shown.size(), size_t(2));
        QCOMPARE(dialogs_->shown[0].title, QStringLiteral("Import bazy z CSV"));
        QCOMPARE(LastText(),
                 QStringLiteral("Import do bazy Towary zakończony.\nLiczba dodanych rekordów: 2."));
        TMyTable& goods = Table(Catalogue::Goods);
        QCOMPARE(goods.RecordCount(), 2);
        QCOMPARE(QString::fromStdString(cp1250::ToUtf8(ToText(goods.PeekField(0, 0)))),
                 QStringLiteral("MĄKA; TYP 650"));
        QCOMPARE(QString::fromStdString(ToText(goods.PeekField(1, 2))), QStringLiteral("0,89"));
    }

    void badRowIsListedAndNothingWritten() {
        Write(Path("karty.csv"),
              "NAZWA;NUMER;TID;UID;WAŻNOŚĆ;KOD\nVISA;1;2;3;12/29;4\nVISA;1;2;3;12/2029;4\n");
        const QByteArray before = [&] {
            QFile f(dir_->filePath(QStringLiteral("Tabele/KARTY.tbl")));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        Choose(2, Path("karty.csv"), true);
        QStringList listed;
        dialogs_->Answer([&](QDialog& d) {
            QTreeWidget* list = dynamic_cast<toolkit::TFormImportReport&>(d).Faults();
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                listed << list->topLevelItem(i)->text(0) + QLatin1Char(' ') + list->topLevelItem(i)->text(1);
            return int(QDialog::Rejected);
        });
        main_->Action(QStringLiteral("AImportCatalogue"))->trigger();
        QCOMPARE(listed, QStringList{QStringLiteral("3 Pole 'WAŻNOŚĆ' jest dłuższe niż 5 znaków.")});
        QCOMPARE(dialogs_->shown.back().title, QStringLiteral("Błędy w pliku CSV"));
        QCOMPARE(Table(Catalogue::Cards).RecordCount(), 0);
        QFile after(dir_->filePath(QStringLiteral("Tabele/KARTY.tbl")));
        after.open(QIODevice::ReadOnly);
        QCOMPARE(after.readAll(), before);
        QCOMPARE(QDir(dir_->filePath(QStringLiteral("Tabele"))).entryList(QDir::Files).size(), 3);
    }

    void replaceReportsTheBackup() {
        Write(Path("k.csv"), "NAZWA 1;NAZWA 2;ULICA;MIASTO;NIP\nA;B;C;D;E\n");
        Choose(1, Path("k.csv"));
        main_->Action(QStringLiteral("AImportCatalogue"))->trigger();
        Choose(1, Path("k.csv"), true);
        main_->Action(QStringLiteral("AImportCatalogue"))->trigger();
        QCOMPARE(Table(Catalogue::Contractors).RecordCount(), 1);
        QVERIFY2(LastText().contains(QStringLiteral("\nPoprzednia zawartość bazy jest w pliku ") +
                                     dir_->path() + QStringLiteral("/Tabele/KONTRAH.tbl.")),
                 qPrintable(LastText()));
    }

    void exportWritesTheSpreadsheetFormat() {
        Write(Path("in.csv"), "NAZWA;PTU;CENA\nChleb;A;4\n");
        Choose(0, Path("in.csv"));
        main_->Action(QStringLiteral("AImportCatalogue"))->trigger();
        Choose(0, Path("out.csv"));
        main_->Action(QStringLiteral("AExportCatalogue"))->trigger();
        QCOMPARE(
            LastText(),
            QStringLiteral("Baza Towary zapisana do pliku %1.\nLiczba rekordów: 1.").arg(Path("out.csv")));
        QFile out(Path("out.csv"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), QByteArray("\xEF\xBB\xBFNAZWA;PTU;CENA\r\nCHLEB;A;4\r\n"));
        // A second export to the same file asks first; No keeps the file.
        Choose(0, Path("out.csv"));
        dialogs_->Answer([](QDialog&) { return int(QMessageBox::No); });
        Write(Path("out.csv"), "kept");
        main_->Action(QStringLiteral("AExportCatalogue"))->trigger();
        QCOMPARE(LastText(), QStringLiteral("Plik %1 już istnieje. Czy zastąpić go?").arg(Path("out.csv")));
        QFile kept(Path("out.csv"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kept"));
    }
};

QTEST_MAIN(CsvActionsTest)
#include "CsvActionsTest.moc"
