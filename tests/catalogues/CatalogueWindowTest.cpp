// The three catalogue windows in the program: tables created at first start, keys, buttons,
// PickMode and the double-click rule, the actions of the "&Bazy" menu.
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <csignal>
#include <filesystem>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "CatalogueTables.h"
#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "TFormCatalogue.h"
#include "TFormMain.h"

using namespace nubra;
using catalogues::Catalogue;
using catalogues::TFormCatalogue;

class CatalogueWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<app::TFormMain> main_;

    QString Tables() const { return dir_->path() + QStringLiteral("/Tabele/"); }
    void Start() {
        main_ = std::make_unique<app::TFormMain>((dir_->path() + QLatin1Char('/')).toStdString());
        app::CreateStartupWindows(*main_);
        dialogs_->shown.clear(); // the port warning of a first start
    }
    TFormCatalogue* Window(const char* name) const { return main_->WindowAs<TFormCatalogue>(name); }
    TMyTable& Goods() const { return catalogues::CatalogueTables::Of(*main_)->Table(Catalogue::Goods); }
    QStringList Titles() const {
        QStringList t;
        for (const auto& d : dialogs_->shown)
            t << (d.text.isEmpty() ? d.title : d.text);
        return t;
    }
    static std::function<int(QDialog&)> AddGoods(const QString& name) {
        return [name](QDialog& d) {
            d.findChild<QLineEdit*>("E_NAZWA")->setText(name);
            d.findChild<QLineEdit*>("E_PTU")->setText("A");
            d.findChild<QLineEdit*>("E_CENA")->setText("1");
            return int(QDialog::Accepted);
        };
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
    }
    void cleanup() {
        main_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    // A second copy of the program in the same folder is told which files are in use and writes
    // nothing to them; its start goes on.
    void tablesInUseByAnotherProgramAreNamedAndLeftAlone() {
        Start();
        dialogs_->Answer(AddGoods("CHLEB"));
        Window("TFormTowary")->SB_DodajClick();
        const QByteArray before = [&] {
            QFile f(Tables() + "TOWARY.tbl");
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        dialogs_->shown.clear();
        app::TFormMain second((dir_->path() + QLatin1Char('/')).toStdString());
        QStringList expected;
        for (const char* table : {"TOWARY", "KONTRAH", "KARTY"})
            expected << "Plik tabeli '" + Tables() + table +
                            ".tbl' jest używany przez inny program. Zamknij tamten program i otwórz tabelę "
                            "ponownie..";
        QCOMPARE(Titles().mid(0, 3), expected);
        QVERIFY(!catalogues::CatalogueTables::Of(second)->Table(Catalogue::Goods).Active());
        second.close();
        QFile f(Tables() + "TOWARY.tbl");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(Goods().RecordCount(), 1);
    }

    void catalogueCentredOnAWindowAtTheScreenEdgeStaysOnScreen() {
        Start();
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        main_->show();
        main_->move(available.right() - 100, available.bottom() - 100);
        TFormCatalogue* w = Window("TFormKontrah");
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(available.contains(w->frameGeometry()));
    }

    void firstStartCreatesTheFolderAndThreeEmptyTables() {
        QVERIFY(!QFile::exists(Tables()));
        Start();
        const std::pair<const char*, qint64> files[] = {
            {"TOWARY.tbl", 88 + 3 * 36}, {"KONTRAH.tbl", 88 + 5 * 36}, {"KARTY.tbl", 88 + 6 * 36}};
        for (const auto& [file, size] : files)
            QCOMPARE(QFile(Tables() + file).size(), size);
        struct Expect {
            const char* window;
            const char* grid;
            QString caption;
            int minimumWidth;
            QList<int> widths;
            QStringList heading;
        };
        const Expect expected[] = {
            {"TFormTowary", "SG_Towary", "Towary", 433, {319, 32, 96}, {"NAZWA", "PTU", "CENA"}},
            {"TFormKontrah",
             "SG_Kontrah",
             "Kontrahenci",
             575,
             {215, 177, 165, 148, 121},
             {"NAZWA 1", "NAZWA 2", "ULICA", "MIASTO", "NIP"}},
            {"TFormKarty",
             "SG_Karty",
             "Karty",
             552,
             {103, 134, 63, 97, 64, 67},
             {"NAZWA", "NUMER", "TID", "UID", "WAŻNOŚĆ", "KOD"}},
        };
        for (const Expect& e : expected) {
            TFormCatalogue* w = Window(e.window);
            QVERIFY(w);
            QCOMPARE(w->windowTitle(), e.caption);
            QCOMPARE(w->minimumWidth(), e.minimumWidth);
            QTableView* grid = w->findChild<QTableView*>(e.grid);
            QVERIFY(grid);
            QCOMPARE(grid->model()->rowCount(), 0);
            QStringList heading;
            QList<int> widths;
            for (int c = 0; c < grid->model()->columnCount(); ++c) {
                heading << grid->model()->headerData(c, Qt::Horizontal).toString();
                widths << grid->columnWidth(c);
            }
            QCOMPARE(heading, e.heading);
            QCOMPARE(widths, e.widths);
            QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 18);
            for (const char* b : {"SB_Edytuj", "SB_Dodaj", "SB_Wstaw", "SB_Usun"})
                QVERIFY(w->findChild<QToolButton*>(b));
            QCOMPARE(w->findChild<QPushButton*>("Btn_Ok")->text(), QStringLiteral("Zamknij"));
            QCOMPARE(w->findChild<QPushButton*>("Btn_GetInfo") != nullptr,
                     QString(e.window) == "TFormTowary");
        }
        QCOMPARE(Window("TFormTowary")->BtnGetInfo()->text(), QStringLiteral("Pobierz informację"));
        QCOMPARE(Window("TFormTowary")->findChild<QToolButton*>("SB_Dodaj")->text(),
                 QStringLiteral("+ - Dodaj rekord     "));
        QCOMPARE(Window("TFormTowary")->findChild<QToolButton*>("SB_Usun")->text(),
                 QStringLiteral("Del - Usuń rekord      "));
        QVERIFY(dialogs_->shown.empty());
    }

    void existingFileKeepsItsOwnFieldsAndADamagedOneIsReported() {
        std::filesystem::create_directory(Tables().toStdString());
        {
            TMyTable t;
            t.SetTableName((Tables() + "TOWARY").toStdString());
            t.AddField("KOD", FieldType::ftInteger, Alignment::Right, false, 0);
            t.CreateTable();
        }
        QFile damaged(Tables() + "KONTRAH.tbl");
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("short");
        damaged.close();
        main_ = std::make_unique<app::TFormMain>((dir_->path() + QLatin1Char('/')).toStdString());
        QCOMPARE(Titles(), QStringList({"Błąd w pliku '" + Tables() + "KONTRAH' #1.."}));
        QCOMPARE(dialogs_->shown[0].icon, QMessageBox::Critical);
        QCOMPARE(Goods().FieldCount(), 1);
        QCOMPARE(Goods().Field(0).name, std::string("KOD"));
        auto* tables = catalogues::CatalogueTables::Of(*main_);
        QVERIFY(!tables->Table(Catalogue::Contractors).Active());
        QVERIFY(tables->Table(Catalogue::Cards).Active());
    }

    void keysRunTheirButtons_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("title");
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << "Dodawanie rekordu";
        QTest::newRow("main plus with shift")
            << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << "Dodawanie rekordu";
        QTest::newRow("main plus-equals") << int(Qt::Key_Equal) << 0 << "Dodawanie rekordu";
        QTest::newRow("plus-equals with ctrl")
            << int(Qt::Key_Equal) << int(Qt::ControlModifier) << "Dodawanie rekordu";
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "Edycja rekordu";
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "Edycja rekordu";
        QTest::newRow("insert") << int(Qt::Key_Insert) << 0 << "Wstawianie rekordu";
        QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << "   Czy chcesz usunąć rekord?   ";
    }
    void keysRunTheirButtons() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, title);
        Start();
        TFormCatalogue* w = Window("TFormTowary");
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        for (QWidget* target : {static_cast<QWidget*>(w->Grid()), static_cast<QWidget*>(w->BtnOk())}) {
            dialogs_->shown.clear();
            QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(Titles(), QStringList({title}));
        }
    }

    void pickModeDoubleClickClosesUntilTheCatalogueActionRuns() {
        Start();
        TFormCatalogue* w = Window("TFormTowary");
        dialogs_->Answer([&](QDialog&) {
            dialogs_->Answer(AddGoods("CHLEB"));
            w->SB_DodajClick();
            return int(TFormCatalogue::CloseResult);
        });
        main_->ATowaryExecute();
        QCOMPARE(Goods().RecordCount(), 1);

        // A picker opens it: a double-click closes it with the picked record current.
        w->SetCloseCaption("Ok");
        w->SetPickMode(true);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QPoint row = w->Grid()->visualRect(w->Grid()->model()->index(0, 0)).center();
        dialogs_->shown.clear();
        QTest::mouseDClick(w->Grid()->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(w->result(), TFormCatalogue::CloseResult);
        QVERIFY(dialogs_->shown.empty());
        QCOMPARE(std::get<std::string>(Goods().GetFieldByName("NAZWA")), std::string("CHLEB"));

        // Still picking until the catalogue action opens it again.
        w->show();
        w->setResult(0);
        QTest::mouseDClick(w->Grid()->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(w->result(), TFormCatalogue::CloseResult);

        dialogs_->Answer([&](QDialog&) {
            QTest::mouseDClick(w->Grid()->viewport(), Qt::LeftButton, {}, row);
            return int(TFormCatalogue::CloseResult);
        });
        main_->ATowaryExecute();
        QVERIFY(!w->PickMode());
        QCOMPARE(w->BtnOk()->text(), QStringLiteral("Zamknij"));
        QCOMPARE(Titles().last(), QStringLiteral("Edycja rekordu"));
    }

    void actionsOfTheBazyMenuShowTheirWindows() {
        Start();
        for (const char* name : {"TFormTowary", "TFormKontrah", "TFormKarty"})
            Window(name)->SetPickMode(true);
        main_->Action("ATowary")->trigger();
        main_->Action("AKontrah")->trigger();
        main_->Action("AKarty")->trigger();
        QCOMPARE(Titles(), QStringList({"Towary", "Kontrahenci", "Karty"}));
        for (const char* name : {"TFormTowary", "TFormKontrah", "TFormKarty"})
            QVERIFY(!Window(name)->PickMode());
    }

    void anEngineErrorIsShownAndTheWindowGoesOn() {
#ifdef _WIN32
        QSKIP("the write is cut short by a file size limit (setrlimit), which Windows lacks");
#else
        Start();
        TFormCatalogue* w = Window("TFormTowary");
        const qint64 size = QFile(Tables() + "TOWARY.tbl").size();
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = static_cast<rlim_t>(size + 20); // the file cannot take a whole record
        dialogs_->Answer([&](QDialog& d) {
            ::setrlimit(RLIMIT_FSIZE, &limited);
            return AddGoods("CHLEB")(d);
        });
        w->SB_DodajClick();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(Titles(), QStringList({"Dodawanie rekordu", "Błąd zapisu do pliku.."}));
        QCOMPARE(dialogs_->shown.back().icon, QMessageBox::Critical);
        QCOMPARE(QFile(Tables() + "TOWARY.tbl").size(), size);
        QCOMPARE(Goods().State(), TableState::tsBrowse);
        QCOMPARE(Goods().RecordCount(), 0);
        dialogs_->Answer(AddGoods("CHLEB"));
        w->SB_DodajClick();
        QCOMPARE(Goods().RecordCount(), 1);
#endif
    }

    void closeButtonEndsWithTheCancelResult() {
        Start();
        TFormCatalogue* w = Window("TFormKarty");
        w->show();
        QTest::mouseClick(w->BtnOk(), Qt::LeftButton);
        QCOMPARE(w->result(), TFormCatalogue::CloseResult);
        QVERIFY(!w->isVisible());
    }

    // The captions are longer than the narrowest window allows; opened, no button may cut its text.
    void everyButtonCaptionShowsWholeWhenOpened() {
        Start();
        for (const char* name : {"TFormTowary", "TFormKontrah", "TFormKarty"}) {
            TFormCatalogue* w = Window(name);
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            const auto buttons = w->findChildren<QAbstractButton*>();
            QVERIFY(buttons.size() >= 5);
            for (QAbstractButton* b : buttons) {
                const int needed = b->fontMetrics().horizontalAdvance(b->text());
                QVERIFY2(b->width() >= needed, qPrintable(QString::fromLatin1(name) + ": " + b->text()));
            }
            w->hide();
        }
    }
};

QTEST_MAIN(CatalogueWindowTest)
#include "CatalogueWindowTest.moc"
