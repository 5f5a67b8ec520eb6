// The six tool bars of the main window.
#include <QToolBar>
#include <QToolButton>

#include "ButtonIcons.h"
#include "TControlBar.h"
#include "TFormMain.h"

namespace nubra::app {

void TFormMain::BuildToolBars() {
    struct Button {
        const char* name;
        const char* hint;   // tooltip "|" status-bar text
        const char* action; // nullptr: the port switch
    };
    struct Bar {
        int number;
        const char* caption;
        int row; // first placement
        std::vector<Button> buttons;
    };
    const std::vector<Bar> bars = {
        {1,
         "ToolBar_Sprzedaz",
         0,
         {{"SpeedButton9",
           "Rozpoczęcie transakcji|Rozpoczyna transakcję korzystając z wybranego bufora przy zadanym limicie "
           "sprzedaży",
           "AStartTrans"},
          {"SpeedButton3", "Zakończenie transakcji|Zakończenie transakcji i wybór wystawianego dokumentu",
           "ARegisterSell"},
          {"SpeedButton2", "Wydruk dokumentu|Wydruk dokumentu", "APrintDoc"}}},
        {2,
         "",
         0,
         {{"SpeedButton24", "Port kasy|Ustawienie portu do którego przyłączona jest kasa", "ASetPort"},
          {"SB_CloseOpenPort", "Zamknij/Otwórz port|Zamknij/Otwórz port", nullptr},
          {"SB_LogWindow", "Okienko podglądu danych|Okienko podglądu danych", "ALogWinow"},
          {"SB_ChooseCurrency", "Wybór waluty..|Wybór waluty..", "AChooseCurrency"}}},
        {3,
         "",
         0,
         {{"SpeedButton21", "Towary|Edycja bazy towarowej", "ATowary"},
          {"SpeedButton22", "Kontrahenci|Edycja bazy kontrahentów", "AKontrah"},
          {"SpeedButton23", "Karty płatnicze|Edycja bazy kart płatniczych", "AKarty"}}},
        {5,
         "ToolBar_Raport",
         0,
         {{"SpeedButton30", "Raport dobowy|Wydruk raportu dobowego", "ADayReport"},
          {"SpeedButton34",
           "Raport okresowy, miesięczny, rozliczeniowy|Wydruk raportu fiskalnego za wybrany okres",
           "APeriodReports"},
          {"SB_RapOpStalych", "Raport opisów stałych|Drukuje listę opisów stałych", "AConstantRep"},
          {"SpeedButton26", "Lista towarów|Wydruk listy towarów ", "ACommodityList"}}},
        {6,
         "",
         0,
         {{"SBZerowanieRam", "Zerowanie RAM|Zerowanie pamięci RAM", "AResetRAM"},
          {"SBFiskalizacja", "Fiskalizacja|Fiskalizacja kasy", "AFiscalizing"},
          {"SBZmianaNaEuro", "Zmiana waluty na euro|Zmiana waluty na euro", "AChangeToEuro"},
          {"SBRozliczeniowy", "Raport rozliczeniowy|Wykonanie raportu rozliczeniowego", "ARozliczeniowy"}}},
        {4,
         "ToolBar_Kasa",
         1,
         {{"SpeedButton1", "Parametry kasy|Ustawienia parametrów kasy (kodowanie liter, separator)",
           "AGetSetParams"},
          {"SpeedButton4", "Zawartość totalizera|Wyświetla zawartość totalizera", "AGetTotalizer"},
          {"SpeedButton5", "Numer unikatowy i NIP|Wyświetla informacje o numerze unikatowym oraz NIP kasy",
           "AGetNuNip"},
          {"SpeedButton6",
           "Numer ostatniego raportu dobowego|Wyświetla numer ostatniego raportu dobowego oraz datę jego "
           "wygenerowania",
           "AGetDayReportNo"},
          {"SpeedButton7",
           "Ilość zerowań totalizerów|Wyświetla ilość zerowań totalizerów oraz zmian stawek PTU",
           "AGetZeroRam"},
          {"SpeedButton8", "Numery stanowisk|Przypisanie numerów stanowisk do rejestrów kasy",
           "AGetSetPostNumbers"},
          {"SpeedButton13", "Data i czas|Pobiera datę i czas z kasy", "AShowFormDateTime"},
          {"SB_WaitTime", "Czas oczekiwania|Pobiera z kasy maksymalny czas oczekiwania",
           "AGetSetWaitingTime"},
          {"SpeedButton19", "Informacja o towarze|Wyświetla informacje o towarze zapisane w kasie",
           "AShowFormTowarInfo"},
          {"SpeedButton18",
           "Informacja o błędzie|Wyświetla informację o ostatnim błędzie zaistniałym w kasie",
           "AGetErrorNumber"},
          {"SpeedButton17",
           "Zmiana czasu ±1 godzina|Wymuszenie zmiany czasu w kasie ±1 godzina najbliższej nocy",
           "AMoveTime"},
          {"SpeedButton16", "Stawki PTU|Ustawienia stawek PTU", "AGetSetPTU"},
          {"SpeedButton15", "Nagłówek|Ustawienie treści nagłówka", "AGetSetHeader"},
          {"SpeedButton10", "Stopka|Ustawienie treści stopki", "AGetSetFooter"},
          {"SpeedButton14", "Szablony|Wyświetla okno obsługi szablonów", "AShowTemplateForm"}}},
    };

    for (const Bar& barDef : bars) {
        auto* bar = new QToolBar(QString::fromUtf8(barDef.caption));
        bar->setObjectName(QStringLiteral("ToolBar%1").arg(barDef.number));
        bar->setIconSize(QSize(ButtonIconSize, ButtonIconSize));
        bar->setContentsMargins(0, 0, 0, 0);
        for (const Button& def : barDef.buttons) {
            auto* button = new QToolButton(bar);
            const QString name = QString::fromLatin1(def.name);
            const QString hint = QString::fromUtf8(def.hint);
            const qsizetype bar_ = hint.indexOf(QLatin1Char('|'));
            const QString tip = bar_ < 0 ? hint : hint.left(bar_);
            const QString status = bar_ < 0 ? hint : hint.mid(bar_ + 1);
            button->setObjectName(name);
            button->setAutoRaise(true);
            button->setFixedSize(24, 24);
            button->setIconSize(QSize(ButtonIconSize, ButtonIconSize));
            button->setIcon(ButtonIcon(name));
            button->setText(tip); // read by screen readers; the picture is what shows
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
            button->setToolTip(tip);
            button->setStatusTip(status);
            if (def.action) {
                QAction* action = Action(QString::fromLatin1(def.action));
                connect(button, &QToolButton::clicked, action, &QAction::trigger);
                connect(action, &QAction::changed, button,
                        [button, action] { button->setEnabled(action->isEnabled()); });
            } else {
                sbCloseOpenPort_ = button;
                button->setCheckable(true);
                button->setChecked(true); // down: closed
                connect(button, &QToolButton::clicked, this, [this] { RunAction([this] { SB(); }); });
            }
            bar->addWidget(button);
        }
        controlBar_->AddBand(bar, barDef.row);
    }
}

} // namespace nubra::app
