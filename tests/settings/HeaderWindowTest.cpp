// The header window and the footer dialog against the emulator: lines read and written in Mazovia
// whatever the code page, the tax-number line, the control printout, alignment and header files.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

#include "Controls.h"
#include "FullFolder.h"
#include "TFormError.h"
#include "TPanNaglowek.h"

using nubra::sim::HeaderLine;
using nubra::testing::Button;
using nubra::testing::Field;
using nubra::testing::Press;
using nubra::testing::SettingsWindowFixture;
using Strings = std::vector<std::string>;

namespace {

const QString kLine1 = QStringLiteral("Linia 1");

std::string Spaces(std::size_t n) {
    return std::string(n, ' ');
}

// Answers the next file dialog with path.
std::function<int(QDialog&)> ChooseFile(const QString& path) {
    return [path](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(path);
        return int(QDialog::Accepted);
    };
}

} // namespace

class HeaderWindowTest : public QObject {
    Q_OBJECT
private:
    SettingsWindowFixture f;

    nubra::settings::TPanNaglowek* Pan() const {
        return f.main->WindowAs<nubra::settings::TPanNaglowek>(QStringLiteral("TPanNaglowek"));
    }

private slots:
    void init() { f.Start(); }
    void cleanup() { f.Stop(); }

    void linesReadInMazoviaAndCutForWideLines() {
        f.Device([](auto& d) {
            d.State().status1 = 0xA0; // Latin: the header ignores it
            d.State().header = {HeaderLine{"\xAF\xD3\xA3W ABCDEFGHIJKLMNOPQRSTUVWXYZ", true, false},
                                HeaderLine{"SKLEP", false, true}, HeaderLine{"", false, false},
                                HeaderLine{"NIP 1", true, true}};
        });
        f.main->Nx3().SelectCodePage(false);
        QStringList shown;
        f.dialogs->Answer([&](QDialog& d) {
            auto* line1 = Field<QLineEdit>(d, kLine1);
            shown << line1->text() << QString::number(line1->maxLength())
                  << Field<QLineEdit>(d, QStringLiteral("Linia 2:"))->text()
                  << QString::number(Pan()->HighBox(2)->isChecked())
                  << QString::number(Pan()->WideBox(4)->isChecked())
                  << QString::number(Field<QLineEdit>(d, QStringLiteral("NIP:"))->isEnabled())
                  << QString::number(Button(d, QStringLiteral("zapis NIP"))->isChecked());
            return Press(d, QStringLiteral("Anuluj"));
        });
        f.Trigger("AGetSetHeader");
        QCOMPARE(shown,
                 (QStringList{QStringLiteral("ŻÓŁW ABCDEFGHIJKLMNO"), "20", "SKLEP", "1", "1", "1", "1"}));
        QCOMPARE(f.Commands(), (Strings{"EA", "EA", "EA", "EA", "ES"}));
        QVERIFY(!f.main->Nx3().OnSendConvert);
        QVERIFY(!f.main->Nx3().OnReceiveConvert);
        QCOMPARE(f.Boxes(), QStringList{QString()});
    }

    void writtenLinesControlPrintoutAndMessage() {
        f.Device([](auto& d) { d.State().header[3] = HeaderLine{"NIP 9", false, false}; });
        f.dialogs->Answer([&](QDialog& d) {
            Field<QLineEdit>(d, kLine1)->setText(QStringLiteral("Żółw"));
            Pan()->HighBox(1)->setChecked(false);
            Field<QLineEdit>(d, QStringLiteral("Linia 2:"))->setText(QStringLiteral("SKLEP"));
            Pan()->HighBox(2)->setChecked(true);
            Pan()->WideBox(2)->setChecked(false);
            Button(d, QStringLiteral("zapis NIP"))->click();
            return Press(d, QStringLiteral("Zapisz do drukarki"));
        });
        f.Trigger("AGetSetHeader");
        const Strings written = f.DataOf("EB");
        QCOMPARE(written.size(), size_t(3));
        QCOMPARE(written[0], "110\xA1\xA2\x92w" + Spaces(36));
        QCOMPARE(written[1], "201SKLEP" + Spaces(35));
        QCOMPARE(f.DataOf("ET"), Strings{"C"});
        QCOMPARE(f.Boxes(),
                 (QStringList{QString(), QStringLiteral("Nagłówek zastał zapisany do drukarki.")}));
        f.Device([](auto& d) {
            QCOMPARE(d.State().header[0].text, std::string("\xAF\xF3\xB3w"));
            QCOMPARE(d.State().header[1].high, true);
            QCOMPARE(d.State().header[3].text, std::string("NIP 9")); // "zapis NIP" was cleared
            const auto& roll = d.State().paperRoll;
            QVERIFY(std::find(roll.begin(), roll.end(), "SKLEP") != roll.end());
        });
    }

    void refusedControlPrintoutKeepsTheWindowOpen() {
        f.dialogs->Answer([&](QDialog& d) {
            // The header lines go through; the printout is refused.
            f.line->beforeWrite = [&](const std::string& p) {
                if (p == "ET")
                    f.Device([](auto& dev) { dev.FailNextCommand("D2"); });
            };
            Button(d, QStringLiteral("wydruk kontrolny po zapisie"))->setChecked(true);
            const int result = Press(d, QStringLiteral("Zapisz do drukarki"));
            f.line->beforeWrite = nullptr;
            // Without the printout the same lines close the window.
            Button(d, QStringLiteral("wydruk kontrolny po zapisie"))->setChecked(false);
            return result == 0 ? Press(d, QStringLiteral("Zapisz do drukarki")) : -1;
        });
        f.Trigger("AGetSetHeader");
        const Strings codes = f.Commands();
        QCOMPARE(Strings(codes.begin() + 5, codes.end()),
                 (Strings{"EB", "EB", "EB", "EB", "ET", "EB", "EB", "EB", "EB"}));
        QCOMPARE(f.Boxes(),
                 (QStringList{QString(), "error", QStringLiteral("Nagłówek zastał zapisany do drukarki.")}));
    }

    void nipLineOffWhenThePrinterForbidsIt() {
        f.Device([](auto& d) { d.State().infoSFlags = 0xFFFFFFF7; });
        QList<bool> states;
        f.dialogs->Answer([&](QDialog& d) {
            states << Button(d, QStringLiteral("zapis NIP"))->isEnabled()
                   << Button(d, QStringLiteral("zapis NIP"))->isChecked()
                   << Field<QLineEdit>(d, QStringLiteral("NIP:"))->isEnabled()
                   << Pan()->WideBox(4)->isEnabled();
            return Press(d, QStringLiteral("Anuluj"));
        });
        f.Trigger("AGetSetHeader");
        QCOMPARE(states, (QList<bool>{false, false, false, false}));
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
    }

    // The printer closed the read of line 2 but sent no line: said so, and the window stays shut.
    void emptyLineSaysTheHeaderCouldNotBeRead() {
        nubra::testing::ScriptedProgram program;
        const auto frame = [](const std::string& payload) { return nubra::TNX3Class::Frame(payload); };
        const int writes = int(program.line->Writes().size());
        program.line->Feed(frame("I1"), {.writes = writes + 1});
        program.line->Feed(frame("D1") + frame("00SKLEP"), {.writes = writes + 2});
        program.line->Feed(frame("I1"), {.writes = writes + 3});
        program.line->Feed(frame("D1") + frame(""), {.writes = writes + 4});
        program.main->Action(QStringLiteral("AGetSetHeader"))->trigger();
        QCOMPARE(program.dialogs.shown.size(), size_t(1));
        QCOMPARE(program.dialogs.shown[0].className, QStringLiteral("nubra::app::TFormError"));
        QCOMPARE(program.main->FormError()->Text(),
                 QStringLiteral("Nie udało się odczytać nagłówka: drukarka nie przekazała wiersza 2."));
        const auto& sent = program.line->Writes();
        QCOMPARE(Strings(sent.begin() + writes, sent.end()),
                 (Strings{frame("EA"), frame("1"), frame("EA"), frame("2")}));
    }

    void centreAndWideBoxes() {
        f.dialogs->Answer([&](QDialog& d) {
            auto* line1 = Field<QLineEdit>(d, kLine1);
            line1->setText(QStringLiteral("ABC"));
            Pan()->WideBox(1)->setChecked(false);
            auto* line2 = Field<QLineEdit>(d, QStringLiteral("Linia 2:"));
            line2->setText(QStringLiteral("ABCDEFGHIJKLMNOPQR   XYZ"));
            Pan()->WideBox(2)->click();
            Button(d, QStringLiteral("Centruj"))->click();
            [&] {
                QCOMPARE(line1->text(), QString(18, u' ') + QStringLiteral("ABC"));
                QCOMPARE(line2->text(), QStringLiteral(" ABCDEFGHIJKLMNOPQR"));
                QCOMPARE(line2->maxLength(), 20);
            }();
            return Press(d, QStringLiteral("Anuluj"));
        });
        f.Trigger("AGetSetHeader");
    }

    void headerFileRoundTripAndBrokenFiles() {
        const QString path = f.Dir() + QStringLiteral("sklep.hdr");
        auto* pan = Pan();
        pan->Edit(1)->setText(QStringLiteral("Żółw"));
        pan->WideBox(1)->setChecked(true);
        pan->Edit(4)->setText(QStringLiteral("NIP"));
        f.dialogs->Answer(ChooseFile(path));
        pan->kbZapiszDoPlikuClick();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QCOMPARE(bytes.size(), 4 * 46);
        QCOMPARE(bytes.left(46), QByteArray("\xAF\xF3\xB3w") + QByteArray(36, ' ') + "\t1\t0\r\n");

        pan->Edit(1)->clear();
        pan->WideBox(1)->setChecked(false);
        f.dialogs->Answer(ChooseFile(path));
        pan->kbOdczytajZPlikuClick();
        QCOMPARE(pan->Edit(1)->text(), QStringLiteral("Żółw"));
        QVERIFY(pan->WideBox(1)->isChecked());
        QCOMPARE(pan->Edit(4)->text(), QStringLiteral("NIP"));
        QCOMPARE(f.dialogs->shown.size(), size_t(2));

        const QByteArray good = QByteArray("NOWY") + QByteArray(36, ' ') + "\t0\t0\r\n";
        const QByteArray text(40, 'B');
        for (const QByteArray& broken : {text.left(39) + "\t0\t0", text + "\t0\t0 ", text + "\t2\t0"}) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(good + broken + "\r\n" + good + good);
            file.close();
            pan->Edit(2)->setText(QStringLiteral("stare"));
            f.dialogs->shown.clear();
            f.dialogs->Answer(ChooseFile(path));
            pan->kbOdczytajZPlikuClick();
            QCOMPARE(pan->Edit(1)->text(), QStringLiteral("NOWY"));
            QCOMPARE(pan->Edit(2)->text(), QStringLiteral("stare"));
            QCOMPARE(f.Boxes(), (QStringList{QString(), QStringLiteral("Odczyt z pliku ") +
                                                            QDir::toNativeSeparators(path) +
                                                            QStringLiteral(" nie powiódł się.")}));
            QCOMPARE(f.dialogs->shown.back().icon, QMessageBox::Critical);
        }

        const QString missing = f.Dir() + QStringLiteral("brak/sklep.hdr");
        f.dialogs->shown.clear();
        f.dialogs->Answer(ChooseFile(missing));
        pan->kbOdczytajZPlikuClick();
        f.dialogs->Answer(ChooseFile(missing));
        pan->kbZapiszDoPlikuClick();
        const QString openFailed = QStringLiteral("Otwarcie pliku ") + QDir::toNativeSeparators(missing) +
                                   QStringLiteral(" nie powiodło się.");
        QCOMPARE(f.Boxes(), (QStringList{QString(), openFailed, QString(), openFailed}));
        // Made at the first use and kept, so each remembers its folder.
        QCOMPARE(pan->findChildren<QFileDialog*>().size(), 2);
    }

    // A control character, or one that Mazovia lacks ("§" is the byte Mazovia reads as "ż"), is refused
    // naming the line and the character, before a single line is written.
    void unprintableTextRefusedBeforeAnythingIsWritten() {
        const QString mazovia = QStringLiteral(" nie ma w stronie kodowej nagłówka i stopki (Mazovia).");
        const struct {
            const char* action;
            int line;
            QString text;
            QString box;
        } cases[] = {
            {"AGetSetHeader", 2, QStringLiteral("ul. Długa 1 § 2"),
             QStringLiteral("Wiersz 2 nagłówka: znaku '§' (U+00A7)") + mazovia},
            {"AGetSetHeader", 3, QStringLiteral("SKLEP\x03"),
             QStringLiteral("Wiersz 3 nagłówka: znak sterujący (kod 0x03) nie może trafić do drukarki.")},
            {"AGetSetFooter", 2, QStringLiteral("Ceny w €"),
             QStringLiteral("Wiersz 2 stopki: znaku '€' (U+20AC)") + mazovia},
        };
        for (const auto& c : cases) {
            const bool header = QByteArray(c.action) == "AGetSetHeader";
            f.dialogs->shown.clear();
            f.dialogs->Answer([&](QDialog& d) {
                Field<QLineEdit>(
                    d, QStringLiteral("Linia %1%2").arg(c.line).arg(header && c.line == 1 ? "" : ":"))
                    ->setText(c.text);
                Press(d, header ? QStringLiteral("Zapisz do drukarki") : QStringLiteral("Ustaw"));
                return header ? Press(d, QStringLiteral("Anuluj")) : d.result();
            });
            f.Trigger(c.action);
            const Strings codes = f.Commands();
            QVERIFY2(std::find(codes.begin(), codes.end(), header ? "EB" : "N2") == codes.end(), c.action);
            QCOMPARE(f.Boxes().back(), c.box);
            QCOMPARE(f.dialogs->shown.back().icon, QMessageBox::Critical);
        }

        // A .hdr file is refused the same way, at the line that holds it.
        const QString path = f.Dir() + QStringLiteral("zly.hdr");
        const QByteArray good = QByteArray("NOWY") + QByteArray(36, ' ') + "\t0\t0\r\n";
        for (const QByteArray& bad : {QByteArray("PAR. \xA7 5"), QByteArray("SKLEP\x1B")}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(good + bad + QByteArray(40 - bad.size(), ' ') + "\t0\t0\r\n" + good + good);
            file.close();
            Pan()->Edit(2)->setText(QStringLiteral("stare"));
            f.dialogs->shown.clear();
            f.dialogs->Answer(ChooseFile(path));
            Pan()->kbOdczytajZPlikuClick();
            QCOMPARE(Pan()->Edit(2)->text(), QStringLiteral("stare"));
            const QString why = bad.contains('\xA7')
                                    ? QStringLiteral("znaku '§' (U+00A7)") + mazovia
                                    : QStringLiteral("znak sterujący (kod 0x1B) nie może trafić "
                                                     "do drukarki.");
            QCOMPARE(
                f.Boxes(),
                (QStringList{QString(), QStringLiteral("Odczyt z pliku ") + QDir::toNativeSeparators(path) +
                                            QStringLiteral(" nie powiódł się: wiersz 2: ") + why}));
        }
    }

    // A full disk: the write's own message, the old file whole.
    void headerFileOnAFullDisk() {
        nubra::testing::FullFolder full;
        if (!full.Ready())
            QSKIP(full.Why().c_str());
        const QByteArray old = QByteArray("STARY") + QByteArray(35, ' ') + "\t0\t0\r\n";
        QVERIFY(full.Put("sklep.hdr", old.toStdString()));
        QVERIFY(full.Fill());
        const QString onFullDisk = QString::fromStdString(full.Path() + "sklep.hdr");
        f.dialogs->shown.clear();
        Pan()->Edit(1)->setText(QStringLiteral("NOWY"));
        f.dialogs->Answer(ChooseFile(onFullDisk));
        Pan()->kbZapiszDoPlikuClick();
        QCOMPARE(f.Boxes(), (QStringList{QString(), QStringLiteral("Zapis do pliku ") + onFullDisk +
                                                        QStringLiteral(" nie powiódł się.")}));
        QFile file(onFullDisk);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
    }

    void footerInMazoviaWithAlignment() {
        f.Device([](auto& d) {
            d.State().status1 = 0xA0;
            d.State().footer = {"DZI\xCA"
                                "KUJEMY",
                                "", "  ZAPRASZAMY"};
        });
        f.main->Nx3().SelectCodePage(false);
        QStringList shown;
        f.dialogs->Answer([&](QDialog& d) {
            shown << d.windowTitle();
            for (int n = 1; n <= 3; ++n)
                shown << Field<QLineEdit>(d, QStringLiteral("Linia %1:").arg(n))->text();
            // The alignment buttons act on the line with the focus, else on line 3.
            Button(d, QStringLiteral("Wyśrodkuj"))->click();
            Field<QLineEdit>(d, QStringLiteral("Linia 2:"))->setFocus();
            Button(d, QStringLiteral("Wyśrodkuj"))->click();
            Field<QLineEdit>(d, QStringLiteral("Linia 1:"))->setFocus();
            Button(d, QStringLiteral("Do prawej"))->click();
            return Press(d, QStringLiteral("Ustaw"));
        });
        f.Trigger("AGetSetFooter");
        QCOMPARE(shown, (QStringList{QStringLiteral("Stopka"), QStringLiteral("DZIĘKUJEMY"), QString(),
                                     QStringLiteral("  ZAPRASZAMY")}));
        QCOMPARE(f.Commands(), (Strings{"N4", "N2"}));
        QCOMPARE(f.DataOf("N2"), Strings{Spaces(30) + "DZI\x90KUJEMY" + Spaces(20) + Spaces(20) + Spaces(15) +
                                         "ZAPRASZAMY" + Spaces(15)});
        f.Device([](auto& d) { QCOMPARE(d.State().footer[0], Spaces(30) + "DZI\xCAKUJEMY"); });
        QVERIFY(!f.main->Nx3().OnSendConvert);
    }
};

QTEST_MAIN(HeaderWindowTest)
#include "HeaderWindowTest.moc"
