// Fiscalization, the tax number, the currencies, RAM reset and the SD card from the main window.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "RateEdit.h"
#include "ServiceFixture.h"
#include "TFormCurrency.h"
#include "TFormError.h"
#include "TFormEuro.h"
#include "TFormFiscalizing.h"
#include "TFormMain.h"
#include "TPanFiskalizacja.h"
#include "TypedRates.h"

using nubra::service::TFormEuro;
using nubra::service::TFormFiscalizing;
using nubra::service::TPanFiskalizacja;
using nubra::testing::ServiceFixture;

class FiscalWindowsTest : public QObject {
    Q_OBJECT
private:
    ServiceFixture f;

    // Answers the rate dialog with these rates (hundredths) and "Fiskalizuj"; records what it showed.
    void AnswerRates(std::array<int, 7> rates, std::array<int, 7>* shown = nullptr) {
        f.dialogs->Answer([rates, shown](QDialog& d) {
            auto& pan = static_cast<TPanFiskalizacja&>(d);
            if (shown)
                *shown = pan.Hundredths().value();
            pan.SetHundredths(rates);
            return TPanFiskalizacja::kFiskalizuj;
        });
    }
    void AnswerBox(QMessageBox::StandardButton button) {
        f.dialogs->Answer([button](QDialog&) { return int(button); });
    }

private slots:
    void init() { f.Start(); }
    void cleanup() { f.Stop(); }

    void fiscalizingSendsTheConfirmedRates() {
        std::array<int, 7> shown{};
        AnswerRates({2200, 700, 300, 0, 9998, 9999, 9999}, &shown);
        AnswerBox(QMessageBox::Yes);
        AnswerBox(QMessageBox::Yes);
        f.Trigger("AFiscalizing");
        QCOMPARE(shown, (std::array<int, 7>{2300, 800, 500, 0, 9998, 9999, 9999}));
        QCOMPARE(f.Commands(), (std::vector<std::string>{"D4", "ET", "EF"}));
        QCOMPARE(f.DataAfter("EF"), std::string("2200 700 300   0999899999999"));
        QCOMPARE(f.dialogs->shown.size(), size_t(4));
        QCOMPARE(f.dialogs->shown[1].text, QStringLiteral("  Czy wydrukowany nagłówek jest poprawny ?  "));
        QCOMPARE(f.dialogs->shown[1].icon, QMessageBox::Question);
        QCOMPARE(f.dialogs->shown[2].text,
                 QStringLiteral("  Uwaga! Drukarka zostanie sfiskalizowana, kontynuować ?  "));
        QCOMPARE(f.dialogs->shown[2].icon, QMessageBox::Warning);
        QCOMPARE(f.dialogs->shown[3].text, QStringLiteral("Drukarka została sfiskalizowana."));
        QVERIFY(f.Device([](auto& d) { return d.State().fiscal; }));
    }

    void typedRateIsFiscalizedAsTypedOrRefused_data() { nubra::testing::TypedRateRows(); }
    void typedRateIsFiscalizedAsTypedOrRefused() {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        QFETCH(QString, message);
        f.dialogs->Answer([&](QDialog& d) {
            auto& pan = static_cast<TPanFiskalizacja&>(d);
            pan.SetHundredths({2200, 700, 300, 0, 9998, 9999, 9999});
            pan.Rate(1)->clear();
            QTest::keyClicks(pan.Rate(1), typed);
            pan.FiskalizujButton()->click();
            return pan.result();
        });
        AnswerBox(QMessageBox::Yes);
        AnswerBox(QMessageBox::Yes);
        f.Trigger("AFiscalizing");
        if (message.isEmpty()) {
            QCOMPARE(f.DataAfter("EF"), "2200" + sent.toStdString() + " 300   0999899999999");
        } else {
            QCOMPARE(f.Commands(), std::vector<std::string>{"D4"});
            QCOMPARE(f.dialogs->shown.size(), size_t(2));
            QCOMPARE(f.dialogs->shown[1].text, message);
        }
    }

    void allRatesInactiveOffersNoFiscalization() {
        f.Device([](auto& d) { d.State().vatRates.fill(9999); });
        bool enabled = true, warned = false, editedEnables = false;
        f.dialogs->Answer([&](QDialog& d) {
            auto& pan = static_cast<TPanFiskalizacja&>(d);
            enabled = pan.FiskalizujButton()->isEnabled();
            warned = !pan.Warning()->isHidden();
            pan.Rate(0)->SetHundredths(2300);
            editedEnables = pan.FiskalizujButton()->isEnabled() && pan.Warning()->isHidden();
            return TPanFiskalizacja::kAnuluj;
        });
        f.Trigger("AFiscalizing");
        QVERIFY(!enabled);
        QVERIFY(warned);
        QVERIFY(editedEnables);
        QCOMPARE(f.Commands(), std::vector<std::string>{"D4"});
    }

    void noToEitherQuestionSendsNoEF_data() {
        QTest::addColumn<bool>("headerCorrect");
        QTest::newRow("header wrong") << false;
        QTest::newRow("not now") << true;
    }
    void noToEitherQuestionSendsNoEF() {
        QFETCH(bool, headerCorrect);
        AnswerRates({2200, 700, 300, 0, 9998, 9999, 9999});
        AnswerBox(headerCorrect ? QMessageBox::Yes : QMessageBox::No);
        AnswerBox(QMessageBox::No);
        f.Trigger("AFiscalizing");
        QCOMPARE(f.Commands(), (std::vector<std::string>{"D4", "ET"}));
        QVERIFY(!f.Device([](auto& d) { return d.State().fiscal; }));
    }

    void nipKeyFilter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << QString() << QStringLiteral("7") << true;
        QTest::newRow("dash first") << QString() << QStringLiteral("-") << false;
        QTest::newRow("dash") << QStringLiteral("123") << QStringLiteral("-") << true;
        QTest::newRow("dash after dash") << QStringLiteral("123-") << QStringLiteral("-") << false;
        QTest::newRow("fifth dash") << QStringLiteral("1-2-3-4-5") << QStringLiteral("-") << false;
        QTest::newRow("dash at 13") << QStringLiteral("1234567890123") << QStringLiteral("-") << false;
        QTest::newRow("letter") << QStringLiteral("12") << QStringLiteral("a") << false;
        QTest::newRow("blank") << QStringLiteral("12") << QStringLiteral(" ") << false;
    }
    void nipKeyFilter() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        QCOMPARE(TFormFiscalizing::NipKeyAccepted(text, key.at(0)), accepted);
    }

    void preparingTheNip() {
        auto* form = f.Form<TFormFiscalizing>("TFormFiscalizing");
        QTest::keyClicks(form->Nip(), QStringLiteral("-526a-025--02-74"));
        QCOMPARE(form->Nip()->text(), QStringLiteral("526-025-02-74"));
        form->PrepareButton()->click();
        QCOMPARE(f.Commands(), std::vector<std::string>{"U2"});
        QCOMPARE(f.DataAfter("U2"), std::string("526-025-02-74 "));
        QVERIFY(form->SaveButton()->isEnabled());
        QCOMPARE(form->Nip2()->text(), QStringLiteral("526-025-02-74"));

        form->Nip()->setText(QStringLiteral("   "));
        form->PrepareButton()->click();
        QVERIFY(!form->SaveButton()->isEnabled());
        QCOMPARE(f.Commands(), std::vector<std::string>{"U2"});
    }

    void currencyChangeIsShownAndSetBack_data() {
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("shownNext");
        QTest::newRow("EUR") << QStringLiteral("EUR") << QStringLiteral("EUR");
        QTest::newRow("EU and a blank") << QStringLiteral("EU ") << QStringLiteral("EU");
    }
    void currencyChangeIsShownAndSetBack() {
        QFETCH(QString, next);
        QFETCH(QString, shownNext);
        f.Device([&next](auto& d) {
            d.State().currencyChangeDate = "030101";
            d.State().nextCurrency = next.toStdString();
        });
        QStringList shown;
        f.dialogs->Answer([&shown](QDialog& d) {
            auto& euro = static_cast<TFormEuro&>(d);
            shown << euro.Date() << euro.Time() << euro.NextCurrency() << euro.CurrentEdit()->text();
            euro.NextEdit()->setText(QStringLiteral("EU"));
            return TFormEuro::kUstaw;
        });
        f.Trigger("AChangeToEuro");
        QCOMPARE(shown, (QStringList{QStringLiteral("2003-01-01"), QStringLiteral("00:00"), shownNext,
                                     QStringLiteral("PLN")}));
        QCOMPARE(f.Commands(), (std::vector<std::string>{"EI", "EJ"}));
        QCOMPARE(f.DataAfter("EJ"), std::string("0301010000EU "));
        QCOMPARE(f.Device([](auto& d) { return d.State().nextCurrency; }), std::string("EU "));
    }

    void incompleteChangeDateIsRefused() {
        auto* euro = f.Form<TFormEuro>("TFormEuro");
        euro->Fill(QStringLiteral("2003-01-  "), QStringLiteral("12:00"), QStringLiteral("EUR"),
                   QStringLiteral("PLN"));
        QCOMPARE(euro->Date(), QStringLiteral("2003-01-  "));
        QSignalSpy finished(euro, &QDialog::finished);
        euro->UstawButton()->click();
        QCOMPARE(finished.count(), 0);
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
        QCOMPARE(f.dialogs->shown[0].text, QStringLiteral("Niepełna data zmiany: 2003-01-  "));
    }

    void nativeCurrencyChoice() {
        f.Stop();
        f.Start("[CURRENCY]\nNative=XYZ\n");
        bool euroChecked = false;
        f.dialogs->Answer([&euroChecked](QDialog& d) {
            euroChecked = static_cast<nubra::service::TFormCurrency&>(d).Euro()->isChecked();
            return 1;
        });
        f.Trigger("AChooseCurrency");
        QVERIFY(euroChecked);
        QCOMPARE(f.main->NativeCurrency(), std::string("EUR"));
        QVERIFY(f.Commands().empty());
    }

    void ramResetAsksFirst() {
        f.Trigger("AResetRAM");
        QCOMPARE(f.dialogs->shown.at(0).text,
                 QStringLiteral("  Uwaga! Pamięć RAM kasy zostanie wyzerowana, kontynuować ?  "));
        QVERIFY(f.Commands().empty());
        AnswerBox(QMessageBox::Yes);
        f.Trigger("AResetRAM");
        QCOMPARE(f.Commands(), std::vector<std::string>{"X1"});
        QCOMPARE(f.dialogs->shown.size(), size_t(2));
    }

    void sdCardEntries() {
        f.TriggerEntry("InicjowaniePustejKarty");
        f.TriggerEntry("ZamknicieKarty");
        QCOMPARE(f.dialogs->shown.size(), size_t(2));
        QCOMPARE(f.dialogs->shown[0].text, QStringLiteral("Karta SD została zainicjowana."));
        QCOMPARE(f.dialogs->shown[0].icon, QMessageBox::Information);
        QCOMPARE(f.dialogs->shown[1].text, QStringLiteral("Karta SD została zamknięta."));
        QCOMPARE(f.line->sent, (std::vector<std::string>{"EC", "A", "EC", "C"}));
    }

    // The card's refusals come as "X2" and four digits, shown with their own description.
    void sdCardRefusalsAreDescribed() {
        using nubra::sim::SdCard;
        const struct {
            SdCard card;
            const char* entry;
            QString shown;
        } cases[] = {
            {SdCard::None, "InicjowaniePustejKarty", QStringLiteral("Brak karty.")},
            {SdCard::Closed, "InicjowaniePustejKarty", QStringLiteral("Karta w trybie tylko odczyt.")},
            {SdCard::Initialised, "InicjowaniePustejKarty", QStringLiteral("Karta zainicjowana.")},
            {SdCard::Blank, "ZamknicieKarty", QStringLiteral("Brak danych na karcie.")},
        };
        for (const auto& c : cases) {
            f.dialogs->shown.clear();
            f.Device([&](auto& d) {
                d.State().sdCard = c.card;
                return 0;
            });
            f.TriggerEntry(c.entry);
            QCOMPARE(f.main->FormError()->Text(), c.shown);
        }
    }
};

QTEST_MAIN(FiscalWindowsTest)
#include "FiscalWindowsTest.moc"
