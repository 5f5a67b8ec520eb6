// The settings dialogs driven as a user would, against the emulator: what they show, the frames they
// send, the emulator's state afterwards and the messages, word for word.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <chrono>

#include "Controls.h"
#include "TFormDateTime.h"
#include "TFormError.h"
#include "TFormWaitingTime.h"
#include "TypedRates.h"

using nubra::testing::Button;
using nubra::testing::Field;
using nubra::testing::Press;
using nubra::testing::SettingsWindowFixture;
using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Strings)

namespace {

std::string Frame(const std::string& payload) {
    return nubra::TNX3Class::Frame(payload);
}

std::int64_t Seconds(int y, unsigned m, unsigned d, int hh, int nn, int ss) {
    using namespace std::chrono;
    return sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count() * 86400LL + hh * 3600 + nn * 60 +
           ss;
}

} // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
private:
    SettingsWindowFixture f;

private slots:
    void init() { f.Start(); }
    void cleanup() { f.Stop(); }

    void focusOnOpeningAndTheClockOnlyWhileActive() {
        for (const char* name : {"TFormPosts", "TFormMoveTime", "TFormHeaderFooter"}) {
            QWidget* w = f.main->Window(QString::fromLatin1(name));
            w->show();
            QCOMPARE(w->focusWidget(), static_cast<QWidget*>(Button(*w, QStringLiteral("Anuluj"))));
            w->hide();
        }
        auto* form = f.main->WindowAs<nubra::settings::TFormDateTime>(QStringLiteral("TFormDateTime"));
        form->Now = [] { return QDateTime(QDate(2025, 1, 31), QTime(12, 45, 9)); };
        form->show();
        QApplication::setActiveWindow(form);
        QVERIFY(form->Timer()->isActive());
        QCOMPARE(form->Timer()->interval(), 500);
        QCOMPARE(form->L_CompDateTime()->text(), QStringLiteral("2025-01-31 12:45:09"));
        QApplication::setActiveWindow(f.main.get());
        QVERIFY(!form->Timer()->isActive());
        form->hide();
    }

    void ratesShownAndWrittenBack() {
        f.Device([](auto& d) { d.State().vatRates = {2200, 700, 0, 9999, 9998, 9999, 9999}; });
        QStringList shown;
        f.dialogs->Answer([&](QDialog& d) {
            for (QChar letter : QStringLiteral("ABCDEFG"))
                shown << Field<QLineEdit>(d, QStringLiteral("PTU %1:").arg(letter))->text();
            Field<QLineEdit>(d, QStringLiteral("PTU B:"))->setText("8");
            return Press(d, QStringLiteral("Ustaw"));
        });
        f.Trigger("AGetSetPTU");
        QCOMPARE(shown,
                 QStringList({"22,00 %", "7,00 %", "0,00 %", "99,99 %", "99,98 %", "99,99 %", "99,99 %"}));
        QCOMPARE(f.Commands(), (Strings{"D4", "S3"}));
        QCOMPARE(f.DataOf("S3"), Strings{"2200 800   0999999989999"
                                         "9999"});
        f.Device([](auto& d) {
            QCOMPARE(d.State().vatRates, (std::array<int, 7>{2200, 800, 0, 9999, 9998, 9999, 9999}));
        });
        QCOMPARE(f.Boxes(), QStringList{QString()});
    }

    void typedRateIsSentAsTypedOrRefused_data() { nubra::testing::TypedRateRows(); }
    void typedRateIsSentAsTypedOrRefused() {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        QFETCH(QString, message);
        f.Device([](auto& d) { d.State().vatRates = {2200, 700, 0, 9999, 9998, 9999, 9999}; });
        f.dialogs->Answer([&](QDialog& d) {
            auto* edit = Field<QLineEdit>(d, QStringLiteral("PTU B:"));
            edit->clear();
            QTest::keyClicks(edit, typed);
            return Press(d, QStringLiteral("Ustaw"));
        });
        f.Trigger("AGetSetPTU");
        if (message.isEmpty()) {
            QCOMPARE(f.DataOf("S3"), Strings{"2200" + sent.toStdString() + "   099999998" + "99999999"});
        } else {
            QCOMPARE(f.Commands(), Strings{"D4"});
            QCOMPARE(f.Boxes(), (QStringList{QString(), message}));
        }
    }

    void unchangedRatesAreRefusedByThePrinter() {
        f.Device([](auto& d) { d.State().vatRates = {2200, 700, 0, 9999, 9998, 9999, 9999}; });
        f.dialogs->Answer([](QDialog& d) { return Press(d, QStringLiteral("Ustaw")); });
        f.Trigger("AGetSetPTU");
        QCOMPARE(f.DataOf("S3"), Strings{"2200 700   0999999989999"
                                         "9999"});
        QCOMPARE(f.Boxes(), (QStringList{QString(), QStringLiteral("error")}));
    }

    void cancelSendsNothingAfterTheRead() {
        f.Trigger("AGetSetPTU");
        f.Trigger("AGetSetPostNumbers");
        f.dialogs->Answer([](QDialog& d) { return Press(d, QStringLiteral("Anuluj")); });
        f.Trigger("AMoveTime");
        QCOMPARE(f.Commands(), (Strings{"D4", "D9"}));
        QCOMPARE(f.line->sent.size(), size_t(2));
    }

    void workstationNumbersAsTwoDigits() {
        f.Device([](auto& d) { d.State().postNumbers = {1, 2, 3, 4, 5, 6, 7, 99}; });
        QList<int> shown;
        f.dialogs->Answer([&](QDialog& d) {
            for (int reg = 1; reg <= 8; ++reg)
                shown << Field<QSpinBox>(d, QStringLiteral("Rejestr %1, stanowisko nr:").arg(reg))->value();
            Field<QSpinBox>(d, QStringLiteral("Rejestr 1, stanowisko nr:"))->setValue(5);
            Field<QSpinBox>(d, QStringLiteral("Rejestr 2, stanowisko nr:"))->setValue(0);
            return Press(d, QStringLiteral("Ustaw"));
        });
        f.Trigger("AGetSetPostNumbers");
        QCOMPARE(shown, (QList<int>{1, 2, 3, 4, 5, 6, 7, 99}));
        QCOMPARE(f.DataOf("S8"), Strings{"0500030405060799"});
        f.Device([](auto& d) {
            QCOMPARE(d.State().postNumbers, (std::array<int, 8>{5, 0, 3, 4, 5, 6, 7, 99}));
        });
    }

    void parametersLatinSwitchesTheFiltersAtOnce() {
        f.Device([](auto& d) {
            d.State().status1 = 0x61; // Mazovia, EURO
            d.State().status2 = 0xA1;
        });
        QStringList shown;
        f.dialogs->Answer([&](QDialog& d) {
            for (const char* item : {"Mazovia", "Przecinek", "Ręcznie", "Z potwierdzeniami"})
                shown << QString::number(
                    qobject_cast<QRadioButton*>(Button(d, QString::fromUtf8(item)))->isChecked());
            shown << d.findChild<QLabel*>(QStringLiteral("L_Waluta"))->text();
            Button(d, QStringLiteral("Latin"))->click();
            return Press(d, QStringLiteral("Ustaw"));
        });
        f.main->Nx3().SelectCodePage(true);
        f.Trigger("AGetSetParams");
        QCOMPARE(shown, (QStringList{"1", "1", "1", "1", "EURO"}));
        QCOMPARE(f.Commands(), (Strings{"B5", "ES", "PI", "K4", "B5"}));
        QCOMPARE(f.DataOf("K4"), Strings{"\xA0\xA1"});
        QCOMPARE(f.Boxes(), (QStringList{QString(), QStringLiteral("Parametry kasy zostały zmienione.")}));
        QCOMPARE(f.dialogs->shown.back().icon, QMessageBox::Information);
        // The currency bit sent as 0 does not change the device's EURO.
        f.Device([](auto& d) { QCOMPARE(d.State().status1, (unsigned char)0xA1); });
        // Ą in Latin 2, no longer in Mazovia.
        QCOMPARE(f.main->Nx3().OnSendConvert("\xA5"), std::string("\xA4"));
    }

    void parametersCancelledStillDetectTheCodePage() {
        f.Trigger("AGetSetParams");
        QCOMPARE(f.Commands(), (Strings{"B5", "ES", "PI", "B5"}));
        QVERIFY(f.main->Nx3().OnSendConvert);
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
    }

    // Without the status the dialog does not open: its zeros would reset the printer's settings.
    void parametersNotOpenedWithoutTheStatus_data() {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("error");
        QTest::addColumn<std::vector<std::string>>("commands");
        QTest::newRow("refused") << true << QStringLiteral("Zły kod rozkazu.") << Strings{"B5"};
        QTest::newRow("no data")
            << false
            << QStringLiteral("Nie udało się odczytać parametrów kasy: drukarka nie przekazała danych.")
            << Strings{"B5", "ES"};
    }

    void parametersNotOpenedWithoutTheStatus() {
        QFETCH(bool, refused);
        QFETCH(QString, error);
        QFETCH(std::vector<std::string>, commands);
        f.Device([refused](auto& d) {
            d.State().status2 = 0xE1;
            if (refused)
                d.FailNextCommand("I2");
            else
                d.State().infoW.clear();
        });
        f.Trigger("AGetSetParams");
        QCOMPARE(f.Boxes(), QStringList{QStringLiteral("error")});
        QCOMPARE(f.main->FormError()->Text(), error);
        QCOMPARE(f.Commands(), commands);
        f.Device([](auto& d) { QCOMPARE(d.State().status2, (unsigned char)0xE1); });
    }

    // A reply that is not a number leaves the edit empty, and the time set from it is 0, never -1.
    void waitingTimeNotANumberLeavesTheEditEmpty() {
        nubra::testing::ScriptedProgram program;
        const int writes = int(program.line->Writes().size());
        program.line->Feed(Frame("I1") + Frame("x5") + Frame("D1"), {.writes = writes + 1});
        program.line->Feed(Frame("I1"), {.writes = writes + 2});
        program.line->Feed(Frame("D1"), {.writes = writes + 3});
        QString shown = QStringLiteral("<not opened>");
        program.dialogs.Answer([&](QDialog& d) {
            shown = Field<QLineEdit>(d, QStringLiteral("Czas oczekiwania \nna wydruk dokumentu:"))->text();
            return Press(d, QStringLiteral("Ustaw"));
        });
        program.main->Action(QStringLiteral("AGetSetWaitingTime"))->trigger();
        QCOMPARE(shown, QString());
        const auto& sent = program.line->Writes();
        QCOMPARE(Strings(sent.begin() + writes, sent.end()),
                 (Strings{Frame("C2"), Frame("C1"), Frame(" 0")}));
    }

    void waitingTimeShownAndEmptySentAsZero() {
        f.Device([](auto& d) { d.State().waitingTime = 7; });
        QString shown;
        f.dialogs->Answer([&](QDialog& d) {
            auto* edit = Field<QLineEdit>(d, QStringLiteral("Czas oczekiwania \nna wydruk dokumentu:"));
            shown = edit->text();
            QTest::keyClicks(edit, QStringLiteral("a-1"));
            shown += u'|' + edit->text();
            edit->clear();
            return Press(d, QStringLiteral("Ustaw"));
        });
        f.Trigger("AGetSetWaitingTime");
        QCOMPARE(shown, QStringLiteral("7|71"));
        QCOMPARE(f.Commands(), (Strings{"C2", "C1"}));
        QCOMPARE(f.DataOf("C1"), Strings{" 0"});
        f.Device([](auto& d) { QCOMPARE(d.State().waitingTime, 0); });
    }

    void moveTimeMessages_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QString>("message");
        QTest::newRow("+") << QStringLiteral("Przesunięcie zegara kasy do &przodu o godzinę o 2:00") << "+"
                           << 1
                           << QStringLiteral(
                                  "Polecenie wykonane. Wskazanie zegara zostanie zwiększone o jedną "
                                  "godzinę o godz. 2:00.");
        QTest::newRow("-") << QStringLiteral("Przesunięcie zegara kasy do &tyłu o godzinę o 3:00") << "-"
                           << -1
                           << QStringLiteral(
                                  "Polecenie wykonane. Wskazanie zegara zostanie zmniejszone o jedną "
                                  "godzinę o godz. 3:00.");
    }

    void moveTimeMessages() {
        QFETCH(QString, item);
        QFETCH(QString, sent);
        QFETCH(int, shift);
        QFETCH(QString, message);
        f.dialogs->Answer([&](QDialog& d) {
            Button(d, item)->click();
            return Press(d, QStringLiteral("Ustaw"));
        });
        f.Trigger("AMoveTime");
        QCOMPARE(f.DataOf("K2"), Strings{sent.toStdString()});
        QCOMPARE(f.Boxes(), (QStringList{QString(), message}));
        f.Device([shift](auto& d) { QCOMPARE(d.State().pendingHourShift, shift); });
    }

    void dateTimeReadAndOnlyTheHourSet() {
        const std::int64_t now = Seconds(2025, 1, 31, 12, 45, 9);
        f.Device([now](auto& d) { d.SetHostClock([now] { return now; }); });
        auto* form = f.main->WindowAs<nubra::settings::TFormDateTime>(QStringLiteral("TFormDateTime"));
        form->Now = [] { return QDateTime(QDate(2025, 2, 1), QTime(8, 0, 5)); };
        QStringList shown;
        f.dialogs->Answer([&](QDialog& d) {
            auto* date = Field<QLineEdit>(d, QStringLiteral("Data:"));
            auto* time = Field<QLineEdit>(d, QStringLiteral("Godzina:"));
            form->TimerTimer();
            shown << date->displayText() << time->displayText() << QString::number(date->isEnabled())
                  << form->L_CompDateTime()->text();
            time->setText(QStringLiteral("07:05:00"));
            Button(d, QStringLiteral("Ustaw"))->click();
            // A second setting before the next daily report is refused by the printer.
            Button(d, QStringLiteral("Ustaw"))->click();
            Button(d, QStringLiteral("Odśwież"))->click();
            shown << time->displayText();
            return Press(d, QStringLiteral("Zamknij"));
        });
        f.Trigger("AShowFormDateTime");
        QCOMPARE(shown, (QStringList{"2025-01-31", "12:45:09", "0", "2025-02-01 08:00:05", "07:05:00"}));
        QCOMPARE(f.Commands(), (Strings{"E1", "E3", "E3", "E1"}));
        QCOMPARE(f.DataOf("E3"), (Strings{"070500", "070500"}));
        QCOMPARE(f.Boxes(),
                 (QStringList{QString(), QStringLiteral("Godzina w kasie została ustawiona na nową wartość."),
                              QStringLiteral("error")}));
    }

    void bothDateAndTimeActionsOpenTheWindow() {
        for (const char* action : {"AShowFormDateTime", "AGetSetTime"}) {
            QString title;
            f.dialogs->Answer([&](QDialog& d) {
                title = d.objectName();
                return Press(d, QStringLiteral("Zamknij"));
            });
            f.line->sent.clear();
            f.Trigger(action);
            QCOMPARE(title, QStringLiteral("FormDateTime"));
            QCOMPARE(f.Commands(), Strings{"E1"});
        }
    }

    void dateAndTimeSetTogether() {
        const std::int64_t now = Seconds(2025, 1, 31, 12, 45, 9);
        f.Device([now](auto& d) { d.SetHostClock([now] { return now; }); });
        auto* form = f.main->WindowAs<nubra::settings::TFormDateTime>(QStringLiteral("TFormDateTime"));
        bool enabled = false;
        f.dialogs->Answer([&](QDialog& d) {
            form->CB_OnlyHour()->click();
            auto* date = Field<QLineEdit>(d, QStringLiteral("Data:"));
            enabled = date->isEnabled();
            date->setText(QStringLiteral("2025-02-28"));
            Field<QLineEdit>(d, QStringLiteral("Godzina:"))->setText(QStringLiteral("23:59:30"));
            Button(d, QStringLiteral("Ustaw"))->click();
            return Press(d, QStringLiteral("Zamknij"));
        });
        f.Trigger("AShowFormDateTime");
        QVERIFY(enabled);
        QCOMPARE(f.DataOf("E2"), Strings{"250228235930"});
        QCOMPARE(f.Boxes(),
                 (QStringList{QString(),
                              QStringLiteral("Data i godzina w kasie zostały ustawione na nową wartość.")}));
        f.Device([now](auto& d) { QCOMPARE(d.DeviceSeconds(), Seconds(2025, 2, 28, 23, 59, 30)); });
    }

    // Typing starts after the fixed "20"; a year typed in full is taken as such.
    void dateTypedWithOrWithoutTheCentury_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("yymmdd") << "261231"
                                << "2026-12-31";
        QTest::newRow("20yymmdd") << "20261231"
                                  << "2026-12-31";
        QTest::newRow("the year 2020") << "201231"
                                       << "2020-12-31";
    }

    void dateTypedWithOrWithoutTheCentury() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QString got;
        f.dialogs->Answer([&](QDialog& d) {
            auto* form = static_cast<nubra::settings::TFormDateTime*>(&d);
            form->CB_OnlyHour()->setChecked(false);
            auto* date = Field<QLineEdit>(d, QStringLiteral("Data:"));
            date->setCursorPosition(0); // a click on the "20"
            QTest::keyClicks(date, typed);
            got = date->displayText();
            form->ME_Time()->setText(QStringLiteral("07:05:00"));
            Button(d, QStringLiteral("Ustaw"))->click();
            return Press(d, QStringLiteral("Zamknij"));
        });
        f.Trigger("AShowFormDateTime");
        QCOMPARE(got, shown);
        QCOMPARE(f.DataOf("E2"), Strings{shown.mid(2, 2).toStdString() + shown.mid(5, 2).toStdString() +
                                         shown.mid(8, 2).toStdString() + "070500"});
    }

    void missingDigitsAreRefusedBeforeSending_data() {
        QTest::addColumn<bool>("onlyHour");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("message");
        QTest::newRow("minute") << true << "2025-01-31"
                                << "07:0" << QStringLiteral("Wpisz pełną godzinę (gg:mm:ss).");
        QTest::newRow("day") << false << "2025-01-3"
                             << "07:05:00" << QStringLiteral("Wpisz pełną datę (rrrr-mm-dd).");
    }

    void missingDigitsAreRefusedBeforeSending() {
        QFETCH(bool, onlyHour);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(QString, message);
        f.dialogs->Answer([&](QDialog& d) {
            auto* form = static_cast<nubra::settings::TFormDateTime*>(&d);
            form->CB_OnlyHour()->setChecked(onlyHour);
            form->ME_Date()->setText(date);
            form->ME_Time()->setText(time);
            Button(d, QStringLiteral("Ustaw"))->click();
            return Press(d, QStringLiteral("Zamknij"));
        });
        f.Trigger("AShowFormDateTime");
        QCOMPARE(f.Commands(), Strings{"E1"});
        QCOMPARE(f.Boxes(), (QStringList{QString(), message}));
        QCOMPARE(f.dialogs->shown.back().icon, QMessageBox::Warning);
    }
};

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
