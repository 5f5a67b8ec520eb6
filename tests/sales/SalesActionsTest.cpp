// The sale actions against the emulator: bytes on the wire, the register window, the paper roll and
// the texts shown, with the dialogs answered as a user would fill them in.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "CatalogueTables.h"
#include "ControlTag.h"
#include "Cp1250.h"
#include "DeviceWindowFixture.h"
#include "FiscalMemory.h"
#include "SaleWidgets.h"
#include "SalesState.h"
#include "TDecimalEdit.h"
#include "TFormCatalogue.h"
#include "TFormError.h"
#include "TFormExchange.h"
#include "TFormPeriodReports.h"
#include "TFormRegisterSale.h"
#include "TFormStartTrans.h"
#include "TMyTable.h"
#include "TRegisterGroup.h"

using namespace nubra;
using app::SetTag;
using app::Tag;
using app::TFormRegisterSale;
using catalogues::Catalogue;
using testing::DeviceWindowFixture;

namespace {

std::string Spaces(std::size_t n) {
    return std::string(n, ' ');
}

// The transaction start, filled in and confirmed.
std::function<int(QDialog&)> StartWith(int reg, const QString& limit, const QString& currency = "PLN",
                                       const QString& rate = {}) {
    return [=](QDialog& d) {
        auto& form = static_cast<app::TFormStartTrans&>(d);
        form.RG_Rejestr()->SetItemIndex(reg - 1);
        form.CE_Limit()->setText(limit);
        form.CB_Waluta()->setCurrentText(currency);
        if (!rate.isEmpty())
            form.CE_Kurs()->setText(rate);
        return int(QDialog::Accepted);
    };
}

// A catalogue window closed with record `index` current.
std::function<int(QDialog&)> Pick(int index) {
    return [index](QDialog& d) {
        static_cast<catalogues::TFormCatalogue&>(d).Table().GoToRecord(index);
        return 2;
    };
}

// Shows the dialog as the user sees it and presses Tab until `name` has the focus.
bool TabTo(QDialog& d, const char* name) {
    if (!d.isVisible()) {
        d.show();
        d.activateWindow();
        if (!QTest::qWaitForWindowActive(&d))
            return false;
    }
    for (int i = 0; i < 30; ++i) {
        QWidget* focus = d.focusWidget();
        if (focus && focus->objectName() == QLatin1String(name))
            return true;
        QTest::keyClick(focus ? focus : &d, Qt::Key_Tab);
    }
    return false;
}

// Replaces the focused edit's text by typing, then Enter.
void Keys(QDialog& d, const char* text) {
    QWidget* edit = d.focusWidget();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class SalesActionsTest : public QObject {
    Q_OBJECT
private:
    DeviceWindowFixture f;

    TMyTable& Table(Catalogue which) { return catalogues::CatalogueTables::Of(*f.main)->Table(which); }
    void Add(Catalogue which, const std::vector<FieldValue>& values) {
        TMyTable& t = Table(which);
        t.Append();
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto* text = std::get_if<std::string>(&values[i]);
            t.SetField(static_cast<int>(i), text ? FieldValue(cp1250::FromUtf8(*text)) : values[i]);
        }
        QVERIFY(t.Post());
    }
    // The data frame that followed the last `code` sent; empty when none.
    std::string Data(const std::string& code) const {
        const auto& sent = f.line->sent;
        for (std::size_t i = sent.size(); i-- > 1;)
            if (sent[i - 1] == code)
                return sent[i];
        return {};
    }
    bool Sent(const std::string& code) const {
        const auto codes = f.Commands();
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }
    void Start(int reg, const QString& limit, const QString& currency = "PLN", const QString& rate = {}) {
        f.dialogs->Answer(StartWith(reg, limit, currency, rate));
        app::CurrentRegister = reg;
        f.Trigger("AStartTrans");
    }
    // The sale dialog answered by fill (which may press the pickers) with the given result.
    void Sell(int reg, std::function<void(TFormRegisterSale&)> fill, int result,
              std::vector<int> picks = {0}) {
        f.dialogs->Answer([fill, result](QDialog& d) {
            fill(static_cast<TFormRegisterSale&>(d));
            return result;
        });
        for (int pick : picks)
            f.dialogs->Answer(Pick(pick));
        app::CurrentRegister = reg;
        f.Trigger("ARegisterSell");
    }
    QString ErrorText() const { return f.main->FormError()->Text(); }
    std::vector<std::string> Roll() {
        return f.Device([](sim::Nx3Device& d) { return d.State().paperRoll; });
    }

private slots:
    void init() {
        f.Start();
        app::RegisterCurrency = {};
        app::CardPickerPending = true;
        app::ContractorPickerPending = true;
        Add(Catalogue::Goods, {std::string("CHLEB"), std::string("A"), Currency{125000}});
        Add(Catalogue::Goods, {std::string("MLEKO UHT 1L"), std::string("B"), Currency{31000}});
        Add(Catalogue::Cards, {std::string("VISA"), std::string("4111111111111111"), std::string("T1"),
                               std::string("U1"), std::string("12/29"), std::string("K9")});
        Add(Catalogue::Contractors,
            {std::string("FIRMA SP. Z O.O."), std::string("ODDZIAŁ 2"), std::string("DŁUGA 1"),
             std::string("GDAŃSK"), std::string("526-025-02-74")});
        f.line->sent.clear();
    }
    void cleanup() { f.Stop(); }

    void startSendsTheLimitPlusOneAndFillsTheRegisterRow_data() {
        QTest::addColumn<int>("reg");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("tag");
        QTest::newRow("50,00 native") << 1 << "PLN"
                                      << ""
                                      << "50,00"
                                      << "1    51,00" << 5000;
        QTest::newRow("0,00") << 2 << "PLN"
                              << ""
                              << "0"
                              << "2     1,00" << 0;
        QTest::newRow("EUR 4,3000") << 3 << "EUR"
                                    << "4,3"
                                    << "50"
                                    << "3   216,00" << 21500;
        QTest::newRow("4,1234 rounds up") << 8 << "EUR"
                                          << "4,1234"
                                          << "10,00"
                                          << "8    42,24" << 4124;
        QTest::newRow("exact 43") << 5 << "USD"
                                  << "0,0610"
                                  << "6,94"
                                  << "5     1,43" << 43;
        QTest::newRow("0,29 native") << 4 << "PLN"
                                     << ""
                                     << "0,29"
                                     << "4     1,29" << 29;
    }

    void startSendsTheLimitPlusOneAndFillsTheRegisterRow() {
        QFETCH(int, reg);
        QFETCH(QString, currency);
        QFETCH(QString, rate);
        QFETCH(QString, limit);
        QFETCH(QString, field);
        QFETCH(int, tag);
        Start(reg, limit, currency, rate);
        QCOMPARE(Data("PC"), field.toStdString());
        QCOMPARE(app::CurrentRegister, 1);
        QCOMPARE(Tag(f.form->TranNoLabel(reg)), 1);
        QCOMPARE(Tag(f.form->LimitLabel(reg)), tag);
        const bool foreign = currency != "PLN";
        QCOMPARE(f.form->CurrencyLabel(reg)->text(), foreign ? currency : QString());
        // Refreshed: the row shows the open transaction.
        QCOMPARE(f.form->TranNoLabel(reg)->text(), QStringLiteral("00001"));
        QCOMPARE(f.form->LimitLabel(reg)->text(),
                 tag ? QString::fromStdString(TNX3Class::FormatAmount(tag)) : QString());
        const app::TRegisterCurrency& entry = app::RegisterCurrency[static_cast<std::size_t>(reg - 1)];
        QCOMPARE(entry.IsCurrency, foreign);
        if (foreign) {
            QCOMPARE(entry.Currency, currency.toStdString());
            QCOMPARE(std::int64_t(entry.Rate), app::TDecimalEdit::Parse(rate, 4).value());
            QCOMPARE(std::int64_t(entry.ForeignLimit), app::TDecimalEdit::Parse(limit, 2).value());
        }
    }

    void refusedStartKeepsTheRegistersCurrency() {
        Start(1, "50", "EUR", "4,3");
        const app::TRegisterCurrency before = app::RegisterCurrency[0];
        Start(1, "20", "PLN");
        QCOMPARE(ErrorText(), QStringLiteral("Trwa aktywna transakcja obsługiwana przez dany rejestr."));
        QVERIFY(app::RegisterCurrency[0].IsCurrency);
        QCOMPARE(app::RegisterCurrency[0].Rate, before.Rate);
        QCOMPARE(Tag(f.form->LimitLabel(1)), 21500);

        f.Device([](sim::Nx3Device& d) { d.State().vatRates.fill(9999); });
        Start(2, "20");
        QCOMPARE(ErrorText(),
                 QStringLiteral(
                     "Transakcja nie może zostać rozpoczęta, ponieważ nieustawiono żadnej stawki PTU."));
    }

    void cancelledStartSendsNothing() {
        app::CurrentRegister = 6;
        f.Trigger("AStartTrans");
        QVERIFY(f.line->sent.empty());
        QCOMPARE(app::CurrentRegister, 1);
    }

    void saleOfPickedGoodsPrintsTheStoredDocument() {
        Start(1, "50");
        f.line->sent.clear();
        QString total;
        Sell(
            1,
            [&total](TFormRegisterSale& form) {
                form.BB_WybierzTowar()->click();
                form.CE_Ilosc()->setText("1");
                form.CB_Wydruk()->setChecked(true);
                total = form.L_Suma()->text();
            },
            TFormRegisterSale::ResultOk);
        QCOMPARE(total, QStringLiteral("12,5"));
        QCOMPARE(Data("PD"), "1    1" + Spaces(35) + "CHLEBA000001,00000012,50G" + Spaces(20));
        QCOMPARE(Data("PB"), std::string("100001"));
        QVERIFY(!Sent("RA") && !Sent("PF"));
        const auto roll = Roll();
        QVERIFY(!roll.empty());
        QCOMPARE(roll.front(), std::string("PARAGON FISKALNY"));
        QCOMPARE(f.form->SaleLabel(1)->text(), QStringLiteral("    12,50 (Ptu:     2,34)"));
        QVERIFY(!f.form->PrintButton(1)->isEnabled());
        QCOMPARE(f.Commands().back(), std::string("I7"));
    }

    // A day: a sale, the daily report, and the periodic report transferred into Raport.txt holds the
    // day as the fiscal memory has it.
    void dayOfSalesEndsInTheTransferredReport() {
        Start(1, "50");
        Sell(
            1, [](TFormRegisterSale& form) { form.BB_WybierzTowar()->click(); }, TFormRegisterSale::ResultOk);
        f.dialogs->Answer([](QDialog&) { return int(QMessageBox::Yes); });
        f.Trigger("ADayReport");
        const auto memory = f.Device([](sim::Nx3Device& d) { return d.State().fiscalMemory; });
        QCOMPARE(memory.back().number, 43);
        QCOMPARE(memory.back().gross[0], std::int64_t(1250));
        QCOMPARE(memory.back().receipts, 1);
        f.dialogs->Answer([](QDialog& d) {
            auto& form = static_cast<reports::TFormPeriodReports&>(d);
            form.show(); // every showing resets the dialog
            form.ChooseKind(form.CB_Okresowy());
            form.RangePanel()->Choose(form.RangePanel()->CB_CalyOkres());
            form.hide();
            return int(reports::TFormPeriodReports::Send);
        });
        f.Trigger("APeriodReports");
        QFile file(f.Dir() + QStringLiteral("Raport.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString expected;
        for (const std::string& line :
             sim::PeriodReportLines("RAPORT FISKALNY OKRESOWY", "ZA CALY OKRES", memory, ','))
            expected += QString::fromStdString(line) + QLatin1Char('\n');
        QCOMPARE(QString::fromUtf8(file.readAll()), expected);
    }

    void saleOverTheLimitShowsE0() {
        Start(2, "10,00");
        Sell(
            2, [](TFormRegisterSale& form) { form.BB_WybierzTowar()->click(); }, TFormRegisterSale::ResultOk);
        QCOMPARE(ErrorText(), QStringLiteral("Kwota brutto przekracza limit sprzedaży."));
        QVERIFY(!Sent("PB"));
    }

    void invoiceByCardSendsL0() {
        Start(1, "100");
        Sell(1,
             [](TFormRegisterSale& form) {
                 form.BB_WybierzTowar()->click();
                 form.CB_Karta()->setChecked(true); // opens the card picker the first time
                 form.CBox_PIN()->setChecked(true);
                 form.CB_Firma()->setChecked(true); // and the contractor picker
                 QVERIFY(!form.CBox_PIN()->isHidden());
                 QVERIFY(!form.Contractor().Field(4)->isHidden());
                 QCOMPARE(form.Contractor().Field(2)->text(), QStringLiteral("DŁUGA 1"));
             },
             TFormRegisterSale::ResultOk, {1, 0, 0});
        const std::string l0 = Data("L0");
        QCOMPARE(l0.size(), std::size_t(340));
        QCOMPARE(l0.substr(0, 7), std::string("1    1F"));
        QCOMPARE(l0.substr(87, 40), Spaces(33) + TNX3Class::WindowsToMazovia("D\xA3UGA 1"));
        QCOMPARE(l0.substr(207, 40), Spaces(28) + "MLEKO UHT 1L");
        QCOMPARE(l0.substr(247, 19), std::string("B000001,00000003,10"));
        QCOMPARE(l0.substr(266), "P" + Spaces(4) + "4111111111111111" + Spaces(6) + "T1" + Spaces(13) + "U1" +
                                     Spaces(12) + "VISA" + "12/29" + Spaces(7) + "K9");
        QVERIFY(app::CardPickerPending == false && app::ContractorPickerPending == false);
        f.Device([](sim::Nx3Device& d) { QVERIFY(d.State().registers[0].documentWaiting); });
    }

    void cancellingInACurrencyTransactionSendsPFAndQuantityZero() {
        Start(1, "50", "EUR", "4,3000");
        f.line->sent.clear();
        Sell(1,
             [](TFormRegisterSale& form) {
                 QVERIFY(!form.LblTransDew()->isHidden());
                 QCOMPARE(form.LblTransDew()->text(), QStringLiteral("Transakcja\nwalutowa\nEUR"));
                 form.CB_Loyalty()->setChecked(true);
             },
             TFormRegisterSale::ResultAbort, {});
        QVERIFY(!Sent("RA"));
        QCOMPARE(Data("PF"), std::string("1EUR000050,000004,3000000215,00"));
        QCOMPARE(Data("PD").substr(47, 18), std::string("000000,00000000,00"));
        f.Device([](sim::Nx3Device& d) { QCOMPARE(d.State().totalizers.cancelledReceipts, 1); });
    }

    // The printer takes one currency payment per transaction: after a refused sale the repeated sale
    // or the cancel goes without "PF", ends the transaction, and the next start is accepted.
    void currencyTransactionEndsAfterARefusedSale_data() {
        QTest::addColumn<int>("then");
        QTest::addColumn<QString>("document");
        QTest::newRow("sale") << TFormRegisterSale::ResultOk << "WPŁATA EUR 10,00 KURS 4,3000 = 43,00 PLN";
        QTest::newRow("cancel") << TFormRegisterSale::ResultAbort << "TRANSAKCJA 00001 ANULOWANA";
    }

    void currencyTransactionEndsAfterARefusedSale() {
        QFETCH(int, then);
        QFETCH(QString, document);
        Start(1, "10", "EUR", "4,3");
        QCOMPARE(Data("PC"), std::string("1    44,00"));
        f.line->sent.clear();
        const auto sell = [this](int result, const char* quantity, bool print) {
            Sell(
                1,
                [quantity, print](TFormRegisterSale& form) {
                    form.BB_WybierzTowar()->click();
                    form.CE_Ilosc()->setText(quantity);
                    form.CB_Wydruk()->setChecked(print);
                },
                result);
        };
        sell(TFormRegisterSale::ResultOk, "4", false); // 50,00 over the limit of 44,00
        QCOMPARE(ErrorText(), QStringLiteral("Kwota brutto przekracza limit sprzedaży."));
        QCOMPARE(Data("PF"), std::string("1EUR000010,000004,3000000043,00"));
        f.line->sent.clear();
        const std::size_t shown = f.dialogs->shown.size();
        sell(then, "1", then == TFormRegisterSale::ResultOk);
        QVERIFY(!Sent("PF"));
        QVERIFY(Sent(then == TFormRegisterSale::ResultOk ? "PB" : "PD"));
        QCOMPARE(f.dialogs->shown.size(), shown + 2); // the sale dialog and its goods picker only
        const auto roll = Roll();
        QVERIFY(std::find(roll.begin(), roll.end(), cp1250::FromUtf8(document.toStdString())) != roll.end());
        f.Device([](sim::Nx3Device& d) { QCOMPARE(d.State().registers[0].status, 'N'); });

        Start(1, "20", "EUR", "4,3");
        QCOMPARE(f.dialogs->shown.size(), shown + 3);
        QCOMPARE(f.form->TranNoLabel(1)->text(), QStringLiteral("00002"));
    }

    void refusedLoyaltyDataStopThePaymentAndTheSale() {
        Start(1, "50", "EUR", "4,3");
        f.line->sent.clear();
        Sell(
            1,
            [](TFormRegisterSale& form) {
                form.BB_WybierzTowar()->click();
                form.CB_Loyalty()->setChecked(true);
                form.E_NumerKarty()->clear(); // the printer wants a card number
            },
            TFormRegisterSale::ResultOk);
        QCOMPARE(ErrorText(), QStringLiteral("Błędne dane."));
        QVERIFY(Sent("RA"));
        QVERIFY(!Sent("PF") && !Sent("PD"));
        QCOMPARE(f.Commands().back(), std::string("I7"));
    }

    void loyaltyDataGoBeforeTheSale() {
        Start(1, "50");
        Sell(
            1,
            [](TFormRegisterSale& form) {
                form.BB_WybierzTowar()->click();
                form.CB_Loyalty()->setChecked(true);
                form.E_NumerKarty()->setText("AB12");
                form.E_Punkty()->setText("15");
                form.E_SumaPunktow()->setText("1200");
            },
            TFormRegisterSale::ResultOk);
        QCOMPARE(Data("RA"), "100001" + Spaces(16) + "AB12000150000001200");
        const auto codes = f.Commands();
        QVERIFY(std::find(codes.begin(), codes.end(), "RA") < std::find(codes.begin(), codes.end(), "PD"));
    }

    void valuesThatDoNotFitAreRefusedBeforeAnythingIsSent_data() {
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        const QString points = QStringLiteral("Ilość punktów musi być liczbą całkowitą od 0 do 99999.");
        QTest::newRow("points not a number") << "abc"
                                             << "0"
                                             << "1" << points;
        QTest::newRow("negative points") << "-1"
                                         << "0"
                                         << "1" << points;
        QTest::newRow("cleared sum") << "1"
                                     << ""
                                     << "1"
                                     << "Suma punktów musi być liczbą całkowitą od 0 do 9999999999.";
        QTest::newRow("price over the field") << "1"
                                              << "1"
                                              << "1000000"
                                              << "Cena towaru musi być liczbą od 0,00 do 999999,99.";
        QTest::newRow("negative price") << "1"
                                        << "1"
                                        << "-0,01"
                                        << "Cena towaru musi być liczbą od 0,00 do 999999,99.";
    }

    void valuesThatDoNotFitAreRefusedBeforeAnythingIsSent() {
        QFETCH(QString, points);
        QFETCH(QString, sum);
        QFETCH(QString, price);
        QFETCH(QString, message);
        Start(1, "50");
        f.line->sent.clear();
        Sell(1,
             [&](TFormRegisterSale& form) {
                 form.CB_Loyalty()->setChecked(true);
                 form.E_Punkty()->setText(points);
                 form.E_SumaPunktow()->setText(sum);
                 form.ST_Cena()->setText(price);
             },
             TFormRegisterSale::ResultOk, {});
        QCOMPARE(f.dialogs->shown.back().text, message);
        QVERIFY(!Sent("RA") && !Sent("PD"));
        QVERIFY(Sent("I7"));
    }

    // A record of a damaged or hand-made table goes no further than the sale dialog: its control byte
    // would end the frame, its missing letter would print as another.
    void pickedRecordThatWouldBreakAFrameIsRefused() {
        Add(Catalogue::Goods, {std::string("SER\x03ŻÓŁTY"), std::string("A"), Currency{100000}});
        Start(1, "50");
        f.line->sent.clear();
        Sell(1, [](TFormRegisterSale& form) { form.BB_WybierzTowar()->click(); }, TFormRegisterSale::ResultOk,
             {2});
        QCOMPARE(f.dialogs->shown.back().text,
                 QStringLiteral("Nazwa towaru: znak sterujący (kod 0x03) nie może trafić do drukarki."));
        QVERIFY(!Sent("PD") && !Sent("RA") && !Sent("PF"));
        // Cancelled with the same record picked: the dialog goes without a message box.
        const std::size_t shown = f.dialogs->shown.size();
        Sell(1, [](TFormRegisterSale& form) { form.BB_WybierzTowar()->click(); },
             TFormRegisterSale::ResultCancel, {2});
        for (std::size_t i = shown; i < f.dialogs->shown.size(); ++i)
            QCOMPARE(f.dialogs->shown[i].text, QString());
        QVERIFY(f.dialogs->shown.size() > shown);
        QVERIFY(!Sent("PD"));
    }

    // Exact decimals: what is typed is what is multiplied.
    void totalAndEditsHoldExactDecimals_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("total");
        QTest::newRow("3 x 0,10") << "3"
                                  << "0,1"
                                  << "0,3";
        QTest::newRow("1 x 12,5") << "1,00"
                                  << "12,5"
                                  << "12,5";
        QTest::newRow("0,29 x 4,1234") << "0,29"
                                       << "4,1234"
                                       << "1,195786";
        QTest::newRow("price not a number") << "2"
                                            << "abc"
                                            << "0";
        QTest::newRow("over the maximum") << "123456"
                                          << "1"
                                          << "9999,99";
    }

    void totalAndEditsHoldExactDecimals() {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, total);
        auto* form = f.main->WindowAs<TFormRegisterSale>("TFormRegisterSale");
        form->ST_Cena()->setText(price);
        form->CE_Ilosc()->setText(quantity);
        form->UpdateTotal(); // as when the dialog is shown
        QCOMPARE(form->L_Suma()->text(), total);
        QCOMPARE(app::TDecimalEdit::Parse("0,29", 2), std::optional<std::int64_t>(29));
        QCOMPARE(app::TDecimalEdit::Parse("4,1234", 4), std::optional<std::int64_t>(41234));
        QCOMPARE(app::TDecimalEdit::Format(5, 2), QStringLiteral("0,05"));
    }

    void registerChoiceShowsItsRowAndZamknijSendsNothing() {
        f.form->TranNoLabel(7)->setText("00005");
        f.form->LimitLabel(7)->setText("12,00");
        SetTag(f.form->LimitLabel(7), 1200);
        app::RegisterCurrency[6] = {true, 43000, 5000, "USD"};
        Sell(1,
             [](TFormRegisterSale& form) {
                 form.RG_Rejestr()->SetItemIndex(6);
                 form.RG_RejestrClick();
                 QCOMPARE(form.CE_NrTrans()->text(), QStringLiteral("5"));
                 QCOMPARE(form.L_Limit()->text(), QStringLiteral("12,00"));
                 QCOMPARE(Tag(form.L_Limit()), 1200);
                 QCOMPARE(form.LblTransDew()->text(), QStringLiteral("Transakcja\nwalutowa\nUSD"));
             },
             TFormRegisterSale::ResultCancel, {});
        QCOMPARE(f.Commands().front(), std::string("B5"));
        QVERIFY(!Sent("PD") && !Sent("PF"));
        QVERIFY(Sent("I7"));
    }

    void printSendsTheRegistersTransactionNumber_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("field");
        QTest::newRow("17") << "00017"
                            << "300017";
        QTest::newRow("empty") << ""
                               << "300000";
    }

    void printSendsTheRegistersTransactionNumber() {
        QFETCH(QString, label);
        QFETCH(QString, field);
        f.form->TranNoLabel(3)->setText(label);
        f.dialogs->Answer([](QDialog&) { return int(QDialog::Accepted); });
        app::CurrentRegister = 3;
        f.Trigger("APrintDoc");
        QCOMPARE(Data("PB"), field.toStdString());
        QCOMPARE(ErrorText(), QStringLiteral("Wybrany bufor nie zawiera dokumentu."));
        QCOMPARE(app::CurrentRegister, 1);
    }

    void exchangeConfirmationSendsTheShownAmounts() {
        f.dialogs->Answer([](QDialog& d) {
            auto& form = static_cast<app::TFormExchange&>(d);
            form.CE_Kurs()->setText("4,3");
            form.CE_NrTrans()->setText("12");
            return int(QDialog::Accepted);
        });
        f.Trigger("AExchange");
        const std::string pa = Data("PA");
        QCOMPARE(pa.size(), std::size_t(235));
        QCOMPARE(pa.substr(0, 5), std::string("   12"));
        QCOMPARE(pa.substr(205), std::string("000001,00EUR0004,3000000004,30"));
        QCOMPARE(Roll().back(), std::string("WARTO\x8C\xC6 4,30 PLN"));
    }

    void exchangeValueOverItsFieldIsRefused_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("product over 9999,99") << "1000"
                                              << "43"
                                              << "43000,00"
                                              << "Wartość musi być liczbą od 0,00 do 9999,99.";
        QTest::newRow("cleared amount") << ""
                                        << "4,3"
                                        << "0,00"
                                        << "Ilość skupowanych dewiz musi być liczbą od 0,00 do 9999,99.";
    }

    void exchangeValueOverItsFieldIsRefused() {
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        QString value;
        f.dialogs->Answer([&](QDialog& d) {
            auto& form = static_cast<app::TFormExchange&>(d);
            form.CE_Skup()->setText(amount);
            form.CE_Kurs()->setText(rate);
            value = form.CE_Wartosc()->text();
            return int(QDialog::Accepted);
        });
        f.Trigger("AExchange");
        QCOMPARE(value, shown);
        QCOMPARE(f.dialogs->shown.back().text, message);
        QVERIFY(!Sent("PA"));
    }

    // Every choice of a preset limit copies it into the limit, also of the item the list shows.
    void presetLimitIsCopiedOnEveryChoice_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("field");
        QTest::newRow("the item shown") << 2 << "1    51,00";
        QTest::newRow("another item") << 0 << "1    11,00";
    }

    void presetLimitIsCopiedOnEveryChoice() {
        QFETCH(int, item);
        QFETCH(QString, field);
        f.dialogs->Answer([item](QDialog& d) {
            auto& form = static_cast<app::TFormStartTrans&>(d);
            d.show();
            form.CE_Limit()->setText("37");
            QComboBox* many = form.CB_Many();
            many->showPopup();
            many->view()->setCurrentIndex(many->model()->index(item, 0));
            QTest::keyClick(many->view(), Qt::Key_Return);
            d.hide();
            return int(QDialog::Accepted);
        });
        f.Trigger("AStartTrans");
        QCOMPARE(Data("PC"), field.toStdString());
    }

    void goodsInformationFromTheGoodsWindow() {
        f.Device([](sim::Nx3Device& d) { d.State().goods = {{"MLEKO UHT 1L", 'A', true}}; });
        auto* goods = f.main->WindowAs<catalogues::TFormCatalogue>("TFormTowary");
        Table(Catalogue::Goods).GoToRecord(1);
        goods->BtnGetInfo()->click();
        QCOMPARE(Data("LE"), "MLEKO UHT 1L" + Spaces(28));
        QCOMPARE(f.dialogs->shown.back().text,
                 QStringLiteral("          Nazwa: MLEKO UHT 1L          \n"
                                "          Indeks PTU: A          \n"
                                "          Była zmiana stawki: Tak          \n"
                                "          Wskaźnik listy towarów:   0%          \n"
                                "          Ostatnia stawka: 23,00%          "));
        const std::size_t shown = f.dialogs->shown.size();
        Add(Catalogue::Goods, {std::string(45, 'X'), std::string("A"), Currency{}});
        Table(Catalogue::Goods).GoToRecord(2);
        goods->BtnGetInfo()->click();
        QCOMPARE(Data("LE"), std::string(40, 'X'));
        QCOMPARE(ErrorText(), QStringLiteral("Dany towar nie był dotychczas rejestrowany."));
        QCOMPARE(f.dialogs->shown.size(), shown + 1);
    }

    // Keys only: Tab to the limit, type it, Enter; in the sale Tab to the goods button, Space picks,
    // Tab to the quantity, type it, Enter.
    void registerGroupIsOneTabStopMovedByArrows() {
        auto* chose = f.main->WindowAs<QDialog>("TFormChoseReg");
        auto* group = chose->findChild<app::TRegisterGroup*>();
        QVERIFY(TabTo(*chose, "ButtonOK"));
        QTest::keyClick(chose->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(chose->focusWidget(), Qt::Key_Tab); // Anuluj, then the group's chosen item
        QCOMPARE(chose->focusWidget()->parentWidget(), group);
        QTest::keyClick(chose->focusWidget(), Qt::Key_Right);
        QTest::keyClick(chose->focusWidget(), Qt::Key_Right);
        QCOMPARE(group->ItemIndex(), 2);
        QTest::keyClick(chose->focusWidget(), Qt::Key_Tab);
        QCOMPARE(chose->focusWidget()->objectName(), QStringLiteral("ButtonOK"));
        chose->hide();
    }

    void saleTypedFromTheKeyboard() {
        f.dialogs->Answer([](QDialog& d) {
            if (!TabTo(d, "CE_Limit"))
                return -1;
            Keys(d, "20");
            return d.result();
        });
        f.Trigger("AStartTrans");
        QCOMPARE(Data("PC"), std::string("1    21,00"));
        f.dialogs->Answer([](QDialog& d) {
            if (!TabTo(d, "BB_WybierzTowar"))
                return -1;
            QTest::keyClick(d.focusWidget(), Qt::Key_Space);
            if (!TabTo(d, "CE_Ilosc"))
                return -1;
            Keys(d, "1,5");
            return d.result();
        });
        f.dialogs->Answer(Pick(0));
        f.Trigger("ARegisterSell");
        QCOMPARE(Data("PD").substr(46, 19), std::string("A000001,50000012,50"));
    }

    void everyDialogHasADefaultButtonAndATabOrder() {
        auto* start = f.main->WindowAs<app::TFormStartTrans>("TFormStartTrans");
        QVERIFY(start->ButtonOK()->isDefault());
        QWidget* w = start->CE_Limit();
        QStringList chain;
        for (int i = 0; i < 4; ++i, w = w->nextInFocusChain()) {
            // The combo box's own edit takes the focus with it.
            while (!(w->focusPolicy() & Qt::TabFocus) || w->objectName().isEmpty())
                w = w->nextInFocusChain();
            chain << w->objectName();
        }
        QCOMPARE(chain, QStringList({"CE_Limit", "CB_Waluta", "CE_Kurs", "ButtonOK"}));
        auto* sale = f.main->WindowAs<TFormRegisterSale>("TFormRegisterSale");
        QVERIFY(sale->ButtonOK()->isDefault());
        QCOMPARE(sale->ButtonOK()->text(), QStringLiteral("Rejestruj sprzedaż"));
        for (const char* name : {"TFormChoseReg", "TFormExchange"}) {
            auto* dialog = f.main->WindowAs<QDialog>(name);
            const auto buttons = dialog->findChildren<QPushButton*>();
            QCOMPARE(
                int(std::count_if(buttons.begin(), buttons.end(), [](auto* b) { return b->isDefault(); })),
                1);
        }
        // Every edit is found by its label.
        for (QLabel* label : sale->findChildren<QLabel*>())
            if (label->text().endsWith(QLatin1Char(':')))
                QVERIFY2(label->buddy(), qPrintable(label->text()));
    }
};

QTEST_MAIN(SalesActionsTest)
#include "SalesActionsTest.moc"
