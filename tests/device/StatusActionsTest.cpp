// The status actions of the main window against the emulator: the message boxes, word for word.
#include <QtTest>

#include "DeviceWindowFixture.h"
#include "ScriptedLine.h"
#include "TFormError.h"

using nubra::testing::DeviceWindowFixture;

class StatusActionsTest : public QObject {
    Q_OBJECT
private:
    DeviceWindowFixture f;

    // The one message box an action showed.
    ShownDialog OnlyBox() {
        [&] { QCOMPARE(f.dialogs->shown.size(), size_t(1)); }();
        return f.dialogs->shown.empty() ? ShownDialog{} : f.dialogs->shown.back();
    }

private slots:
    void init() { f.Start(); }
    void cleanup() { f.Stop(); }

    void dayReportNumberBox() {
        f.Device([](auto& d) {
            d.State().lastDailyReportDate = "250131";
            d.State().lastDailyReportNumber = 42;
        });
        f.Trigger("AGetDayReportNo");
        const ShownDialog box = OnlyBox();
        QCOMPARE(box.text, QStringLiteral("     Data ostatniego raportu: 2025-01-31          \n"
                                          "     Numer ostatniego raportu: 00042         "));
        QCOMPARE(box.title, QStringLiteral("nubra5"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(f.Commands(), std::vector<std::string>{"B2"});
    }

    void ramResetsBox() {
        f.Device([](auto& d) {
            d.State().ramResets = 3;
            d.State().rateSets = 12;
        });
        f.Trigger("AGetZeroRam");
        QCOMPARE(OnlyBox().text, QStringLiteral("Ilość zerowań pamięci podtrzymywanej (RAM): 003\n"
                                                "Ilość zapamiętanych zestawów stawek PTU: 12"));
    }

    void errorNumberBox_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 indented") << 0
                                    << QStringLiteral("          Numer błędu: 0          \n"
                                                      "          Opis błędu: OK");
        QTest::newRow("1") << 1
                           << QStringLiteral(
                                  "Numer błędu: 1          \nOpis błędu: Były ponad trzy nieskuteczne "
                                  "usiłowania zapisu do pamięci fiskalnej.");
        QTest::newRow("3") << 3
                           << QStringLiteral(
                                  "Numer błędu: 3          \nOpis błędu: Błąd podczas odczytu zegara (RTC).");
        QTest::newRow("7") << 7
                           << QStringLiteral(
                                  "Numer błędu: 7          \nOpis błędu: Błąd sumy kontrolnej totalizera lub "
                                  "bajt unikatowy różny od $CC, wykryty przy załączaniu drukarki.");
        QTest::newRow("8")
            << 8
            << QStringLiteral("Numer błędu: 8          \nOpis błędu: Błąd mechanizmu drukującego lub brak "
                              "napięcia 24V lub problem z pamięcią fiskalną.");
        QTest::newRow("9 unknown") << 9
                                   << QStringLiteral("Numer błędu: 9          \nOpis błędu: Brak opisu...");
        QTest::newRow("123 unknown") << 123
                                     << QStringLiteral(
                                            "Numer błędu: 123          \nOpis błędu: Brak opisu...");
    }

    void errorNumberBox() {
        QFETCH(int, number);
        QFETCH(QString, text);
        f.Device([number](auto& d) { d.State().errorNumber = number; });
        f.Trigger("AGetErrorNumber");
        QCOMPARE(OnlyBox().text, text);
    }

    // The device's text is read as a number (-1 when it is none) and printed back in decimal.
    void errorNumberTextIsConverted_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("text");
        QTest::newRow("leading zero")
            << QStringLiteral("08")
            << QStringLiteral("Numer błędu: 8          \nOpis błędu: Błąd mechanizmu "
                              "drukującego lub brak napięcia 24V lub problem z "
                              "pamięcią fiskalną.");
        QTest::newRow("leading blanks, 0") << QStringLiteral("  0")
                                           << QStringLiteral("          Numer błędu: 0          \n"
                                                             "          Opis błędu: OK");
        QTest::newRow("not a number")
            << QStringLiteral("A1") << QStringLiteral("Numer błędu: -1          \nOpis błędu: Brak opisu...");
        QTest::newRow("trailing blank")
            << QStringLiteral("3 ") << QStringLiteral("Numer błędu: -1          \nOpis błędu: Brak opisu...");
    }

    void errorNumberTextIsConverted() {
        QFETCH(QString, answer);
        QFETCH(QString, text);
        f.Stop();
        nubra::testing::ScriptedProgram program;
        nubra::ScriptedLine* line = program.line;
        ScriptedDialogs& dialogs = program.dialogs;
        nubra::app::TFormMain& main = *program.main;
        QVERIFY(main.Nx3().PortOpen);
        const int writes = static_cast<int>(line->Writes().size());
        line->Feed(nubra::TNX3Class::Frame("I1") + nubra::TNX3Class::Frame(answer.toStdString()) +
                       nubra::TNX3Class::Frame("D1"),
                   {.writes = writes + 1});
        main.Action(QStringLiteral("AGetErrorNumber"))->trigger();
        QCOMPARE(line->Writes().size(), size_t(writes + 1));
        QCOMPARE(line->Writes().back(), nubra::TNX3Class::Frame("I3"));
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(dialogs.shown[0].text, text);
    }

    void totalizerBox() {
        f.Device([](auto& d) {
            auto& t = d.State().totalizers;
            t.cancelledReceipts = 2;
            t.goodsBaseChanges = 5;
            t.grossSales = {123456, 0, 700, 0, 0, 0, 1};
            t.cancelledAmount = 250;
            t.receiptCount = 17;
            d.State().lastDailyReportNumber = 42;
        });
        f.Trigger("AGetTotalizer");
        QCOMPARE(OnlyBox().text, QStringLiteral("Ilość anulowanych paragonów: 0002\n"
                                                "Ilość zmian w bazie towarowej: 05\n"
                                                "Numer kolejny raportu dobowego: 00043\n"
                                                "Kwota brutto sprzedaży A:     1234,56\n"
                                                "Kwota brutto sprzedaży B:        0,00\n"
                                                "Kwota brutto sprzedaży C:        7,00\n"
                                                "Kwota brutto sprzedaży D:        0,00\n"
                                                "Kwota brutto sprzedaży E:        0,00\n"
                                                "Kwota brutto sprzedaży F:        0,00\n"
                                                "Kwota brutto sprzedaży G:        0,01\n"
                                                "Kwota anulowanych paragonów:        2,50\n"
                                                "Ilość paragonów: 00017"));
    }

    // A refusal shows the error window only; the action shows no box of its own.
    void refusalShowsTheErrorWindowOnly_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("day report") << QStringLiteral("AGetDayReportNo");
        QTest::newRow("RAM") << QStringLiteral("AGetZeroRam");
        QTest::newRow("error") << QStringLiteral("AGetErrorNumber");
        QTest::newRow("totalizer") << QStringLiteral("AGetTotalizer");
    }

    void refusalShowsTheErrorWindowOnly() {
        QFETCH(QString, action);
        f.Device([](auto& d) { d.FailNextCommand("I2"); });
        f.main->Action(action)->trigger();
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
        QCOMPARE(f.dialogs->shown[0].className, QStringLiteral("nubra::app::TFormError"));
        QVERIFY(!f.main->FormError()->Text().isEmpty());
    }

    // A lost line ends the action with the no-communication box.
    void silentPrinterEndsTheActionWithTheLinkError() {
        f.Device([](auto& d) { d.SilenceNextCommand(); });
        f.Trigger("AGetTotalizer");
        QCOMPARE(OnlyBox().text,
                 QString::fromUtf8(nubra::TNX3Class::NoCommunicationMessage).replace("\r\n", "\n"));
        QCOMPARE(OnlyBox().icon, QMessageBox::Critical);
    }

    void nothingHappensWithoutAPrinterType() {
        f.main->Nx3().PrinterType = -1;
        for (const char* action : {"AGetDayReportNo", "AGetZeroRam", "AGetErrorNumber", "AGetTotalizer",
                                   "AGetExtStatus", "AGetRegInfo"})
            f.Trigger(action);
        f.form->RefreshButton()->click();
        QVERIFY(f.line->sent.empty());
        QCOMPARE(f.dialogs->shown.size(), size_t(0));
    }
};

QTEST_MAIN(StatusActionsTest)
#include "StatusActionsTest.moc"
