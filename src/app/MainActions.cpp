// The action list and the menu of the main window.
#include <QMenu>
#include <QMenuBar>

#include "TFormMain.h"

namespace nubra::app {

const std::vector<TFormMain::ActionDef>& TFormMain::ActionDefs() {
    using M = TFormMain;
    // device: refused while the link waits for the printer.
    static const std::vector<ActionDef> defs = {
        {"AGetSetParams", "Kasa", "Parametry kasy", &M::AGetSetParamsExecute, true},
        {"AGetDayReportNo", "Kasa", "Numer ostatniego raportu dobowego", &M::AGetDayReportNoExecute, true},
        {"AGetZeroRam", "Kasa", "Ilość zerowań totalizerów", &M::AGetZeroRamExecute, true},
        {"AGetSetPTU", "Kasa", "Stawki PTU", &M::AGetSetPTUExecute, true},
        {"AGetSetPostNumbers", "Kasa", "Numery stanowisk", &M::AGetSetPostNumbersExecute, true},
        {"AGetErrorNumber", "Kasa", "Informacja o błędzie", &M::AGetErrorNumberExecute, true},
        {"AMoveTime", "Kasa", "Zmiana czasu ±1 godzina", &M::AMoveTimeExecute, true},
        {"AGetSetTime", "Kasa", "Ustawienie daty i czasu", &M::AGetSetTimeExecute, true},
        {"AGetCommodInfo", "Kasa", "Informacja o towarze", &M::AGetCommodInfoExecute, true},
        {"AGetSetHeader", "Kasa", "Nagłówek", &M::AGetSetHeaderExecute, true},
        {"AGetSetFooter", "Kasa", "Stopka", &M::AGetSetFooterExecute, true},
        {"AGetDateTime", "Kasa", "Data i czas", &M::AGetDateTimeExecute, true},
        {"AGetTotalizer", "Kasa", "Zawartość totalizera", &M::AGetTotalizerExecute, true},
        {"AGetSetWaitingTime", "Kasa", "Czas oczekiwania", &M::AGetSetWaitingTimeExecute, true},
        {"AGetNuNip", "Kasa", "Numer unikatowy i NIP", &M::AGetNuNipExecute, true},
        {"AGetExtStatus", "Inne", "Status rozszerzony", &M::AGetExtStatusExecute, true},
        {"AGetRegInfo", "Inne", "Stan rejestrów", &M::AGetRegInfoExecute, true},
        {"AShowFormTowarInfo", "Inne", "Informacja o towarze", &M::AShowFormTowarInfoExecute, true},
        {"AShowFormDateTime", "Inne", "Data i czas", &M::AShowFormDateTimeExecute, true},
        {"ATowary", "Bazy", "Towary", &M::ATowaryExecute, false},
        {"AKontrah", "Bazy", "Kontrahenci", &M::AKontrahExecute, false},
        {"AKarty", "Bazy", "Karty płatnicze", &M::AKartyExecute, false},
        {"AStartTrans", "Sprzedaz", "Rozpoczęcie transakcji", &M::AStartTransExecute, true},
        {"ARegisterSell", "Sprzedaz", "Zakończenie transakcji", &M::ARegisterSellExecute, true},
        {"APrintDoc", "Sprzedaz", "Wydruk dokumentu", &M::APrintDocExecute, true},
        {"AExchange", "Sprzedaz", "Wymiana walut", &M::AExchangeExecute, true},
        {"ADayReport", "Raport", "Raport dobowy", &M::ADayReportExecute, true},
        {"APeriodReports", "Raport", "Raport okresowy, miesięczny, rozliczeniowy", &M::APeriodReportsExecute,
         true},
        {"ACommodityList", "Raport", "Lista towarów", &M::ACommodityListExecute, true},
        {"AConstantRep", "Raport", "Raport opisów stałych", &M::AConstantRepExecute, true},
        {"AShowTemplateForm", "Raport", "Szablony", &M::AShowTemplateFormExecute, true},
        {"AReadTemplate", "Raport", "Odczyt szablonu", &M::AReadTemplateExecute, true},
        {"APrintTemplate", "Raport", "Wydruk szablonu", &M::APrintTemplateExecute, true},
        {"AFiscalizing", "Serwis", "Fiskalizacja", &M::AFiscalizingExecute, true},
        {"APrepareFiscalizing", "Serwis", "Przygotowanie fiskalizacji", &M::APrepareFiscalizingExecute, true},
        {"AResetRAM", "Serwis", "Zerowanie RAM", &M::AResetRAMExecute, true},
        {"AChangeToEuro", "Serwis", "Zmiana waluty ewidencyjnej", &M::AChangeToEuroExecute, true},
        {"ARozliczeniowy", "Serwis", "Raport rozliczeniowy", &M::ARozliczeniowyExecute, true},
        {"ASetPort", "Konfiguracja", "Port kasy", &M::ASetPortFromAction, true},
        {"ALogWinow", "Konfiguracja", "Okienko podglądu danych", &M::ALogWinowExecute, false},
        {"AChooseCurrency", "Konfiguracja", "Wybór waluty", &M::AChooseCurrencyExecute, false},
    };
    return defs;
}

void TFormMain::ASetPortFromAction() {
    ASetPortExecute(Action(QStringLiteral("ASetPort")));
}

void TFormMain::BuildActions() {
    for (const ActionDef& def : ActionDefs()) {
        auto* action = new QAction(QString::fromUtf8(def.caption), this);
        const QString name = QString::fromLatin1(def.name);
        action->setObjectName(name);
        action->setProperty("category", QString::fromLatin1(def.category));
        action->setProperty("device", def.device);
        const Handler handler = def.handler;
        const bool device = def.device;
        connect(action, &QAction::triggered, this,
                [this, handler, device] { RunAction([this, handler] { (this->*handler)(); }, device); });
        actions_.insert(name, action);
    }
}

void TFormMain::BuildMenus() {
    struct Item {
        const char* caption; // "-" = separator
        const char* action;  // fires this action, or
        Handler handler;     // runs this handler
        bool hidden;
        bool device;
        const char* objectName;
    };
    struct Menu {
        const char* caption;
        std::vector<Item> items;
    };
    using M = TFormMain;
    const std::vector<Menu> menus = {
        {"&Plik", {{"&Wyjście", nullptr, &M::Wyjcie1Click, false, false, "Wyjcie1"}}},
        {"&Kasa",
         {{"&Parametry..", "AGetSetParams", nullptr, false, false, nullptr},
          {"Zawartość &totalizera", "AGetTotalizer", nullptr, false, false, nullptr},
          {"Numer Unikatowy i N&IP", "AGetNuNip", nullptr, false, false, nullptr},
          {"Numer ostatniego raportu &dobowego", "AGetDayReportNo", nullptr, false, false, nullptr},
          {"Ilość &zerowań RAM", "AGetZeroRam", nullptr, false, false, nullptr},
          {"&Numery stanowisk", "AGetSetPostNumbers", nullptr, false, false, nullptr},
          {"D&ata i czas..", "AShowFormDateTime", nullptr, false, false, nullptr},
          {"Czas ocz&ekiwania", "AGetSetWaitingTime", nullptr, false, false, nullptr},
          {"Informacja &o towarze..", "AShowFormTowarInfo", nullptr, false, false, nullptr},
          {"Informacja o &błędzie", "AGetErrorNumber", nullptr, false, false, nullptr},
          {"Z&miana czasu  letni/zimowy..", "AMoveTime", nullptr, false, false, nullptr},
          {"&Stawki PTU..", "AGetSetPTU", nullptr, false, false, nullptr},
          {"Nagłó&wek..", "AGetSetHeader", nullptr, false, false, nullptr},
          {"Stop&ka..", "AGetSetFooter", nullptr, false, false, nullptr},
          {"Komunikaty..", "AShowTemplateForm", nullptr, false, false, nullptr},
          {"Zerowanie RAM..", "AResetRAM", nullptr, true, false, nullptr}}},
        {"&Sprzedaż",
         {{"&Rozpoczęcie transakcji..", "AStartTrans", nullptr, false, false, nullptr},
          {"&Zakończenie transakcji..", "ARegisterSell", nullptr, false, false, nullptr},
          {"&Wydruk dokumentu..", "APrintDoc", nullptr, false, false, nullptr},
          {"W&ymiana walut..", "AExchange", nullptr, true, false, nullptr}}},
        {"&Raport",
         {{"&Dobowy", "ADayReport", nullptr, false, false, nullptr},
          {"&Okresowy, miesięczny, rozliczeniowy..", "APeriodReports", nullptr, false, false, nullptr},
          {"Opisów &stałych", "AConstantRep", nullptr, false, false, nullptr},
          {"&Lista towarów", "ACommodityList", nullptr, false, false, nullptr}}},
        {"&Bazy",
         {{"&Towary..", "ATowary", nullptr, false, false, nullptr},
          {"&Kontrahenci..", "AKontrah", nullptr, false, false, nullptr},
          {"Karty &płatnicze..", "AKarty", nullptr, false, false, nullptr}}},
        {"&Konfiguracja",
         {{"&Port przyłączenia kasy..", "ASetPort", nullptr, false, false, nullptr},
          {"&Okienko podglądu danych", "ALogWinow", nullptr, false, false, nullptr},
          {"Wybór waluty..", "AChooseCurrency", nullptr, false, false, nullptr}}},
        {"Karta SD",
         {{"Inicjowanie pustej karty..", nullptr, &M::InicjowaniePustejKartyClick, false, true,
           "InicjowaniePustejKarty"},
          {"Zamknięcie karty..", nullptr, &M::ZamknicieKartyClick, false, true, "ZamknicieKarty"}}},
        {"S&erwis",
         {{"Zerowanie RAM", "AResetRAM", nullptr, false, false, nullptr},
          {"Fiskalizacja..", "AFiscalizing", nullptr, false, false, nullptr},
          {"Zmiana waluty ewidencyjnej..", "AChangeToEuro", nullptr, false, false, nullptr},
          {"Raport rozliczeniowy..", "ARozliczeniowy", nullptr, false, false, nullptr},
          {"-", nullptr, nullptr, true, false, nullptr},
          {"Drukowanie..", nullptr, &M::MI_DrukowanieClick, true, true, "MI_Drukowanie"}}},
        {"&Pomoc", {{"&O programie", nullptr, &M::Oprogramie1Click, false, false, "Oprogramie1"}}},
    };

    for (const Menu& menuDef : menus) {
        if (menuDef.caption == std::string_view("&Pomoc"))
            BuildToolsMenu();
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuDef.caption));
        for (const Item& item : menuDef.items) {
            QAction* entry = nullptr;
            if (QByteArray(item.caption) == "-") {
                entry = menu->addSeparator();
            } else {
                entry = menu->addAction(QString::fromUtf8(item.caption));
                if (item.action) {
                    QAction* action = Action(QString::fromLatin1(item.action));
                    connect(entry, &QAction::triggered, action, &QAction::trigger);
                    connect(action, &QAction::changed, entry,
                            [entry, action] { entry->setEnabled(action->isEnabled()); });
                } else {
                    const Handler handler = item.handler;
                    const bool device = item.device;
                    entry->setProperty("device", device);
                    connect(entry, &QAction::triggered, this, [this, handler, device] {
                        RunAction([this, handler] { (this->*handler)(); }, device);
                    });
                }
            }
            if (item.objectName)
                entry->setObjectName(QString::fromLatin1(item.objectName));
            entry->setVisible(!item.hidden);
        }
    }
}

} // namespace nubra::app
