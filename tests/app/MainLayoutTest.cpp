// The main window's menu, tool bars, action list and status bar, and the one place that handles
// the errors of actions and keeps device actions from starting during a wait.
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "LinkError.h"
#include "QtLinkUi.h"
#include "ScriptedDialogs.h"
#include "ScriptedLine.h"
#include "StartupWindows.h"
#include "TFormMain.h"
#include "TFormWait.h"
#include "TNX3Class.h"

using nubra::app::TFormMain;

namespace {

struct MenuRow {
    const char* menu;
    const char* item;
    const char* fires; // action name, or the menu item's object name for a plain handler
    bool hidden;
};

// Every entry of the menu, in order.
const MenuRow Menu[] = {
    {"&Plik", "&Wyjście", "Wyjcie1", false},
    {"&Kasa", "&Parametry..", "AGetSetParams", false},
    {"&Kasa", "Zawartość &totalizera", "AGetTotalizer", false},
    {"&Kasa", "Numer Unikatowy i N&IP", "AGetNuNip", false},
    {"&Kasa", "Numer ostatniego raportu &dobowego", "AGetDayReportNo", false},
    {"&Kasa", "Ilość &zerowań RAM", "AGetZeroRam", false},
    {"&Kasa", "&Numery stanowisk", "AGetSetPostNumbers", false},
    {"&Kasa", "D&ata i czas..", "AShowFormDateTime", false},
    {"&Kasa", "Czas ocz&ekiwania", "AGetSetWaitingTime", false},
    {"&Kasa", "Informacja &o towarze..", "AShowFormTowarInfo", false},
    {"&Kasa", "Informacja o &błędzie", "AGetErrorNumber", false},
    {"&Kasa", "Z&miana czasu  letni/zimowy..", "AMoveTime", false},
    {"&Kasa", "&Stawki PTU..", "AGetSetPTU", false},
    {"&Kasa", "Nagłó&wek..", "AGetSetHeader", false},
    {"&Kasa", "Stop&ka..", "AGetSetFooter", false},
    {"&Kasa", "Komunikaty..", "AShowTemplateForm", false},
    {"&Kasa", "Zerowanie RAM..", "AResetRAM", true},
    {"&Sprzedaż", "&Rozpoczęcie transakcji..", "AStartTrans", false},
    {"&Sprzedaż", "&Zakończenie transakcji..", "ARegisterSell", false},
    {"&Sprzedaż", "&Wydruk dokumentu..", "APrintDoc", false},
    {"&Sprzedaż", "W&ymiana walut..", "AExchange", true},
    {"&Raport", "&Dobowy", "ADayReport", false},
    {"&Raport", "&Okresowy, miesięczny, rozliczeniowy..", "APeriodReports", false},
    {"&Raport", "Opisów &stałych", "AConstantRep", false},
    {"&Raport", "&Lista towarów", "ACommodityList", false},
    {"&Bazy", "&Towary..", "ATowary", false},
    {"&Bazy", "&Kontrahenci..", "AKontrah", false},
    {"&Bazy", "Karty &płatnicze..", "AKarty", false},
    {"&Konfiguracja", "&Port przyłączenia kasy..", "ASetPort", false},
    {"&Konfiguracja", "&Okienko podglądu danych", "ALogWinow", false},
    {"&Konfiguracja", "Wybór waluty..", "AChooseCurrency", false},
    {"Karta SD", "Inicjowanie pustej karty..", "InicjowaniePustejKarty", false},
    {"Karta SD", "Zamknięcie karty..", "ZamknicieKarty", false},
    {"S&erwis", "Zerowanie RAM", "AResetRAM", false},
    {"S&erwis", "Fiskalizacja..", "AFiscalizing", false},
    {"S&erwis", "Zmiana waluty ewidencyjnej..", "AChangeToEuro", false},
    {"S&erwis", "Raport rozliczeniowy..", "ARozliczeniowy", false},
    {"S&erwis", "-", "", true},
    {"S&erwis", "Drukowanie..", "MI_Drukowanie", true},
    {"&Narzędzia", "Zapisz ustawienia kasy do pliku...", "ASaveSettings", false},
    {"&Narzędzia", "Porównaj z plikiem...", "ACompareSettings", false},
    {"&Narzędzia", "Porównaj dwa pliki...", "ACompareSettingsFiles", false},
    {"&Narzędzia", "Przywróć z pliku...", "ARestoreSettings", false},
    {"&Narzędzia", "-", "", false},
    {"&Narzędzia", "Eksport bazy do CSV...", "AExportCatalogue", false},
    {"&Narzędzia", "Import bazy z CSV...", "AImportCatalogue", false},
    {"&Pomoc", "&O programie", "Oprogramie1", false},
};

struct ButtonRow {
    const char* bar;
    const char* button;
    const char* tooltip;
    const char* status;
    const char* fires; // nullptr: the port switch
};

const ButtonRow Buttons[] = {
    {"ToolBar1", "SpeedButton9", "Rozpoczęcie transakcji",
     "Rozpoczyna transakcję korzystając z wybranego bufora przy zadanym limicie sprzedaży", "AStartTrans"},
    {"ToolBar1", "SpeedButton3", "Zakończenie transakcji",
     "Zakończenie transakcji i wybór wystawianego dokumentu", "ARegisterSell"},
    {"ToolBar1", "SpeedButton2", "Wydruk dokumentu", "Wydruk dokumentu", "APrintDoc"},
    {"ToolBar2", "SpeedButton24", "Port kasy", "Ustawienie portu do którego przyłączona jest kasa",
     "ASetPort"},
    {"ToolBar2", "SB_CloseOpenPort", "Zamknij/Otwórz port", "Zamknij/Otwórz port", nullptr},
    {"ToolBar2", "SB_LogWindow", "Okienko podglądu danych", "Okienko podglądu danych", "ALogWinow"},
    {"ToolBar2", "SB_ChooseCurrency", "Wybór waluty..", "Wybór waluty..", "AChooseCurrency"},
    {"ToolBar4", "SpeedButton1", "Parametry kasy", "Ustawienia parametrów kasy (kodowanie liter, separator)",
     "AGetSetParams"},
    {"ToolBar4", "SpeedButton4", "Zawartość totalizera", "Wyświetla zawartość totalizera", "AGetTotalizer"},
    {"ToolBar4", "SpeedButton5", "Numer unikatowy i NIP",
     "Wyświetla informacje o numerze unikatowym oraz NIP kasy", "AGetNuNip"},
    {"ToolBar4", "SpeedButton6", "Numer ostatniego raportu dobowego",
     "Wyświetla numer ostatniego raportu dobowego oraz datę jego wygenerowania", "AGetDayReportNo"},
    {"ToolBar4", "SpeedButton7", "Ilość zerowań totalizerów",
     "Wyświetla ilość zerowań totalizerów oraz zmian stawek PTU", "AGetZeroRam"},
    {"ToolBar4", "SpeedButton8", "Numery stanowisk", "Przypisanie numerów stanowisk do rejestrów kasy",
     "AGetSetPostNumbers"},
    {"ToolBar4", "SpeedButton13", "Data i czas", "Pobiera datę i czas z kasy", "AShowFormDateTime"},
    {"ToolBar4", "SB_WaitTime", "Czas oczekiwania", "Pobiera z kasy maksymalny czas oczekiwania",
     "AGetSetWaitingTime"},
    {"ToolBar4", "SpeedButton19", "Informacja o towarze", "Wyświetla informacje o towarze zapisane w kasie",
     "AShowFormTowarInfo"},
    {"ToolBar4", "SpeedButton18", "Informacja o błędzie",
     "Wyświetla informację o ostatnim błędzie zaistniałym w kasie", "AGetErrorNumber"},
    {"ToolBar4", "SpeedButton17", "Zmiana czasu ±1 godzina",
     "Wymuszenie zmiany czasu w kasie ±1 godzina najbliższej nocy", "AMoveTime"},
    {"ToolBar4", "SpeedButton16", "Stawki PTU", "Ustawienia stawek PTU", "AGetSetPTU"},
    {"ToolBar4", "SpeedButton15", "Nagłówek", "Ustawienie treści nagłówka", "AGetSetHeader"},
    {"ToolBar4", "SpeedButton10", "Stopka", "Ustawienie treści stopki", "AGetSetFooter"},
    {"ToolBar4", "SpeedButton14", "Szablony", "Wyświetla okno obsługi szablonów", "AShowTemplateForm"},
    {"ToolBar3", "SpeedButton21", "Towary", "Edycja bazy towarowej", "ATowary"},
    {"ToolBar3", "SpeedButton22", "Kontrahenci", "Edycja bazy kontrahentów", "AKontrah"},
    {"ToolBar3", "SpeedButton23", "Karty płatnicze", "Edycja bazy kart płatniczych", "AKarty"},
    {"ToolBar5", "SpeedButton30", "Raport dobowy", "Wydruk raportu dobowego", "ADayReport"},
    {"ToolBar5", "SpeedButton34", "Raport okresowy, miesięczny, rozliczeniowy",
     "Wydruk raportu fiskalnego za wybrany okres", "APeriodReports"},
    {"ToolBar5", "SB_RapOpStalych", "Raport opisów stałych", "Drukuje listę opisów stałych", "AConstantRep"},
    {"ToolBar5", "SpeedButton26", "Lista towarów", "Wydruk listy towarów ", "ACommodityList"},
    {"ToolBar6", "SBZerowanieRam", "Zerowanie RAM", "Zerowanie pamięci RAM", "AResetRAM"},
    {"ToolBar6", "SBFiskalizacja", "Fiskalizacja", "Fiskalizacja kasy", "AFiscalizing"},
    {"ToolBar6", "SBZmianaNaEuro", "Zmiana waluty na euro", "Zmiana waluty na euro", "AChangeToEuro"},
    {"ToolBar6", "SBRozliczeniowy", "Raport rozliczeniowy", "Wykonanie raportu rozliczeniowego",
     "ARozliczeniowy"},
};

const std::pair<const char*, std::vector<const char*>> Categories[] = {
    {"Kasa",
     {"AGetSetParams", "AGetDayReportNo", "AGetZeroRam", "AGetSetPTU", "AGetSetPostNumbers",
      "AGetErrorNumber", "AMoveTime", "AGetSetTime", "AGetCommodInfo", "AGetSetHeader", "AGetSetFooter",
      "AGetDateTime", "AGetTotalizer", "AGetSetWaitingTime", "AGetNuNip"}},
    {"Inne", {"AGetExtStatus", "AGetRegInfo", "AShowFormTowarInfo", "AShowFormDateTime"}},
    {"Bazy", {"ATowary", "AKontrah", "AKarty"}},
    {"Sprzedaz", {"AStartTrans", "ARegisterSell", "APrintDoc", "AExchange"}},
    {"Raport",
     {"ADayReport", "APeriodReports", "ACommodityList", "AConstantRep", "AShowTemplateForm", "AReadTemplate",
      "APrintTemplate"}},
    {"Serwis", {"AFiscalizing", "APrepareFiscalizing", "AResetRAM", "AChangeToEuro", "ARozliczeniowy"}},
    {"Konfiguracja", {"ASetPort", "ALogWinow", "AChooseCurrency"}},
};

} // namespace

class MainLayoutTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<TFormMain> main_;
    nubra::ScriptedLine* line_ = nullptr;

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        auto line = std::make_unique<nubra::ScriptedLine>();
        line_ = line.get();
        main_ = std::make_unique<TFormMain>((dir_->path() + "/").toStdString(), std::move(line));
        nubra::app::CreateStartupWindows(*main_);
        dialogs_->shown.clear(); // the port warning
    }
    void cleanup() {
        main_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    void menuHasEveryEntryInOrder() {
        QStringList titles;
        for (QAction* a : main_->menuBar()->actions())
            titles << a->text();
        QStringList expectedTitles;
        for (const MenuRow& row : Menu) {
            if (!expectedTitles.contains(QString::fromUtf8(row.menu)))
                expectedTitles << QString::fromUtf8(row.menu);
        }
        QCOMPARE(titles, expectedTitles);

        size_t next = 0;
        for (QAction* menuAction : main_->menuBar()->actions()) {
            for (QAction* entry : menuAction->menu()->actions()) {
                QVERIFY2(next < std::size(Menu), qPrintable(entry->text()));
                const MenuRow& row = Menu[next++];
                QCOMPARE(menuAction->text(), QString::fromUtf8(row.menu));
                if (QByteArray(row.item) == "-") {
                    QVERIFY(entry->isSeparator());
                } else {
                    QCOMPARE(entry->text(), QString::fromUtf8(row.item));
                }
                QCOMPARE(entry->isVisible(), !row.hidden);
            }
        }
        QCOMPARE(next, std::size(Menu));
    }

    void menuEntriesFireTheirActions() {
        for (const MenuRow& row : Menu) {
            QAction* action = main_->Action(QString::fromLatin1(row.fires));
            if (!action)
                continue; // a plain handler, checked by name below
            QAction* entry = nullptr;
            for (QAction* m : main_->menuBar()->actions()) {
                for (QAction* e : m->menu()->actions()) {
                    if (m->text() == QString::fromUtf8(row.menu) && e->text() == QString::fromUtf8(row.item))
                        entry = e;
                }
            }
            QVERIFY(entry);
            QSignalSpy fired(action, &QAction::triggered);
            entry->trigger();
            QCOMPARE(fired.count(), 1);
            main_->LinkUiImpl().HideWait();
        }
        for (const char* name :
             {"Wyjcie1", "Oprogramie1", "InicjowaniePustejKarty", "ZamknicieKarty", "MI_Drukowanie"})
            QVERIFY2(main_->findChild<QAction*>(QString::fromLatin1(name)), name);
    }

    void toolBarsHaveEveryButtonWithItsHints() {
        QCOMPARE(main_->findChild<QToolBar*>("ToolBar1")->windowTitle(), QStringLiteral("ToolBar_Sprzedaz"));
        QCOMPARE(main_->findChild<QToolBar*>("ToolBar4")->windowTitle(), QStringLiteral("ToolBar_Kasa"));
        QCOMPARE(main_->findChild<QToolBar*>("ToolBar5")->windowTitle(), QStringLiteral("ToolBar_Raport"));
        int buttons = 0;
        for (int n = 1; n <= 6; ++n) {
            auto* bar = main_->findChild<QToolBar*>(QStringLiteral("ToolBar%1").arg(n));
            for (auto* b : bar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
                buttons += b->objectName().startsWith("qt_") ? 0 : 1; // not the overflow arrow
        }
        QCOMPARE(buttons, int(std::size(Buttons)));
        for (const ButtonRow& row : Buttons) {
            auto* bar = main_->findChild<QToolBar*>(QString::fromLatin1(row.bar));
            auto* button = bar->findChild<QToolButton*>(QString::fromLatin1(row.button));
            QVERIFY2(button, row.button);
            QCOMPARE(button->toolTip(), QString::fromUtf8(row.tooltip));
            QCOMPARE(button->statusTip(), QString::fromUtf8(row.status));
            QVERIFY(!button->icon().isNull());
            QVERIFY(button->autoRaise());
            if (!row.fires)
                continue;
            QAction* action = main_->Action(QString::fromLatin1(row.fires));
            QSignalSpy fired(action, &QAction::triggered);
            button->click();
            QCOMPARE(fired.count(), 1);
        }
    }

    void actionListHasEveryActionWithItsCategory() {
        int count = 0;
        for (const auto& [category, names] : Categories) {
            for (const char* name : names) {
                QAction* action = main_->Action(QString::fromLatin1(name));
                QVERIFY2(action, name);
                QCOMPARE(action->objectName(), QString::fromLatin1(name));
                QCOMPARE(action->property("category").toString(), QString::fromLatin1(category));
                ++count;
            }
        }
        QCOMPARE(count, 41);
    }

    void statusTextOfTheControlUnderTheMouseGoesToPanel2() {
        auto* button = main_->findChild<QToolButton*>("SpeedButton16");
        QStatusTipEvent tip(button->statusTip());
        QApplication::sendEvent(button, &tip);
        QCOMPARE(main_->StatusPanelText(2), QStringLiteral("Ustawienia stawek PTU"));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(button, &leave);
        QCOMPARE(main_->StatusPanelText(2), QString());
        QCOMPARE(main_->StatusPanelText(1), QStringLiteral("Typ drukarki: NX-3 E"));
    }

    void errorOfAnActionIsShownAndTheProgramGoesOn() {
        const auto data = QList<QPair<QString, std::function<void()>>>{
            {QString::fromStdString(nubra::TNX3Class::NoCommunicationMessage).replace("\r\n", "\n"),
             [] { throw nubra::LinkError::NoCommunication(); }},
            {QStringLiteral("coś poszło nie tak"), [] { throw std::runtime_error("coś poszło nie tak"); }},
        };
        for (const auto& [text, body] : data) {
            dialogs_->shown.clear();
            main_->RunAction(body);
            QCOMPARE(dialogs_->shown.size(), size_t(1));
            QCOMPARE(dialogs_->shown[0].title, QStringLiteral("nubra5"));
            QCOMPARE(dialogs_->shown[0].icon, QMessageBox::Critical);
            QCOMPARE(dialogs_->shown[0].text, text);
        }
        bool ran = false;
        main_->RunAction([&] { ran = true; });
        QVERIFY(ran);
    }

    void failingPortCloseThroughTheSwitchIsShownOnce() {
        // A port that opens, then refuses to close.
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        {
            QFile ini(dir.path() + "/nx3config.ini");
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[PORT]\ncom=1\n");
        }
        auto line = std::make_unique<nubra::ScriptedLine>();
        nubra::ScriptedLine* raw = line.get();
        TFormMain main((dir.path() + "/").toStdString(), std::move(line));
        nubra::app::CreateStartupWindows(main);
        QVERIFY(main.Nx3().PortOpen);
        QCOMPARE(main.StatusPanelText(0), QStringLiteral("COM 1"));
        raw->FailClose(true);
        main.PortSwitch()->click();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("Wystąpił błąd podczas zamykania portu."));
        QCOMPARE(dialogs.shown[0].icon, QMessageBox::Critical);
    }

    void deviceActionsAreOffWhileTheWaitWindowIsShown() {
        auto* deviceButton = main_->findChild<QToolButton*>("SpeedButton9");
        auto* tablesButton = main_->findChild<QToolButton*>("SpeedButton21");
        QAction* start = main_->Action("AStartTrans");
        QAction* sdCard = main_->findChild<QAction*>("InicjowaniePustejKarty");
        main_->LinkUiImpl().ShowWait();
        QVERIFY(main_->WaitRunning());
        QVERIFY(!start->isEnabled());
        QVERIFY(!deviceButton->isEnabled());
        QVERIFY(!sdCard->isEnabled());
        QVERIFY(!main_->PortSwitch()->isEnabled());
        QVERIFY(main_->Action("ATowary")->isEnabled());
        QVERIFY(main_->Action("ALogWinow")->isEnabled());
        QVERIFY(tablesButton->isEnabled());
        bool ran = false;
        main_->RunAction([&] { ran = true; });
        QVERIFY(!ran);
        main_->RunAction([&] { ran = true; }, false);
        QVERIFY(ran);
        // Closing the program now would leave the printer's reply unread.
        QVERIFY(!main_->close());
        QVERIFY(!QFile::exists(dir_->path() + "/nx3config.ini"));

        main_->LinkUiImpl().HideWait();
        QVERIFY(!main_->WaitRunning());
        QVERIFY(start->isEnabled());
        QVERIFY(deviceButton->isEnabled());
        QVERIFY(sdCard->isEnabled());
        QVERIFY(main_->PortSwitch()->isEnabled());
    }

    void closingTheWaitWindowEndsTheWaitWithD1() {
        main_->Nx3().PortOpen = true;
        bool blockedDuringWait = false;
        QTimer::singleShot(0, main_.get(), [&] {
            blockedDuringWait = main_->WaitRunning() && !main_->Action("ADayReport")->isEnabled();
            main_->FormWait()->Button1()->click();
        });
        std::string reply;
        main_->Nx3().WaitForReply(reply);
        QCOMPARE(reply, std::string("D1"));
        QVERIFY(blockedDuringWait);
        QVERIFY(main_->Nx3().AbortRequested);
        QVERIFY(!main_->WaitRunning());
        QVERIFY(main_->Action("ADayReport")->isEnabled());
    }

    void logWindowSitsBelowTheToolBars() {
        main_->move(300, 200);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        main_->Action("ALogWinow")->trigger();
        QWidget* log = main_->Window("TFormLogWindow");
        QVERIFY(log->isVisible());
        // 20 pixels left of the main window; its top just below the tool bars.
        const QPoint barsBottom =
            main_->findChild<QWidget*>("ControlBar")
                ->mapToGlobal(QPoint(0, main_->findChild<QWidget*>("ControlBar")->height()));
        QCOMPARE(log->frameGeometry().left(), main_->frameGeometry().left() - 20);
        QCOMPARE(log->frameGeometry().top(),
                 barsBottom.y() + (main_->frameGeometry().bottom() - main_->geometry().bottom()));
    }

    void windowsAreCreatedInTheStartUpOrder() {
        const QStringList expected = {
            "TFormDateTime",     "TFormWait",          "TFormError",        "TFormGetSetPTU",
            "TFormPosts",        "TFormRegInfo",       "TFormMoveTime",     "TFormParams",
            "TFormWaitingTime",  "TFormTowary",        "TFormKontrah",      "TFormKarty",
            "TFormTowarInfo",    "TFormStartTrans",    "TFormRegisterSale", "TFormChoseReg",
            "TFormHeaderFooter", "TFormPeriodReports", "TFormFiscalizing",  "TFormSetPort",
            "TFormSendRapOkres", "TFormLogWindow",     "TFormExchange",     "TFormTemplates",
            "TFormPrint",        "TFormEuro",          "TFormCurrency",     "TFormRozliczeniowy",
            "TPanNaglowek",      "TPanFiskalizacja",   "TFormAbout"};
        QStringList order;
        QStringList madeAtStart;
        for (const auto& entry : nubra::app::StartupOrder()) {
            order << QString::fromLatin1(entry.name);
            if (main_->findChild<QWidget*>(QString::fromLatin1(entry.name + 1)))
                madeAtStart << order.last();
        }
        QCOMPARE(order, expected);
        // The rest are made when first asked for, under their own names, once.
        QCOMPARE(madeAtStart,
                 (QStringList{"TFormWait", "TFormError", "TFormRegInfo", "TFormSetPort", "TFormLogWindow"}));
        for (const auto& entry : nubra::app::StartupOrder()) {
            QWidget* window = main_->Window(QString::fromLatin1(entry.name));
            QCOMPARE(window != nullptr, entry.create != nullptr);
            if (!window)
                continue;
            QCOMPARE(window->objectName(), QString::fromLatin1(entry.name + 1));
            QCOMPARE(main_->Window(QString::fromLatin1(entry.name)), window);
            QCOMPARE(main_->findChildren<QWidget*>(window->objectName()).size(), 1);
        }
        QVERIFY(!main_->Window(QStringLiteral("TFormNoSuchWindow")));
        // The header window's file dialogs read their folder when made: not before a file is chosen.
        QVERIFY(main_->Window(QStringLiteral("TPanNaglowek"))->findChildren<QFileDialog*>().isEmpty());
        QCOMPARE(dialogs_->shown.size(), size_t(0));
    }

    void portPanelIsDrawnBoldBesideItsLeftEdge() {
        main_->Nx3().PortOpen = false;
        QWidget* panel = main_->findChild<QWidget*>("StatusPanel0");
        QVERIFY(panel);
        QCOMPARE(panel->width(), 75);
        QImage empty(panel->size(), QImage::Format_ARGB32);
        empty.fill(Qt::white);
        panel->render(&empty, QPoint(), QRegion(), QWidget::DrawChildren);

        // Opening the port through the scripted line puts "COM 1" there.
        dialogs_->Answer([](QDialog& d) {
            d.findChild<QComboBox*>("CB_Port")->setCurrentIndex(0);
            return int(QDialog::Accepted);
        });
        main_->Action("ASetPort")->trigger();
        QCOMPARE(main_->StatusPanelText(0), QStringLiteral("COM 1"));
        QImage drawn(panel->size(), QImage::Format_ARGB32);
        drawn.fill(Qt::white);
        panel->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
        int left = panel->width();
        int top = panel->height();
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) != empty.pixel(x, y)) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
        // The text starts 6 pixels in and 1 pixel down (the glyph's own bearing may add a pixel).
        QVERIFY2(left >= 6 && left <= 8, qPrintable(QString::number(left)));
        QVERIFY2(top >= 1, qPrintable(QString::number(top)));
        QCOMPARE(main_->StatusPanelText(1), QStringLiteral("Typ drukarki: NX-3 E"));
    }

    void aboutWindowIsShownModally() {
        main_->findChild<QAction*>("Oprogramie1")->trigger();
        QCOMPARE(dialogs_->shown.size(), size_t(1));
        QCOMPARE(dialogs_->shown[0].title, QStringLiteral("O programie"));
    }
};

QTEST_MAIN(MainLayoutTest)
#include "MainLayoutTest.moc"
