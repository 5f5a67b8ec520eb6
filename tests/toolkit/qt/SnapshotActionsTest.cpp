// The settings snapshot from the menu "Narzędzia" against nx3sim: save, change by hand, compare,
// restore; a copy of another printer asks first; a broken file sends nothing.
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QTreeWidget>

#include "DeviceWindowFixture.h"
#include "TFormSettingsDiff.h"

using namespace nubra;
using toolkit::TFormSettingsDiff;

class SnapshotActionsTest : public QObject, public testing::DeviceWindowFixture {
    Q_OBJECT
private:
    QString File(const char* name) const { return Dir() + QString::fromLatin1(name); }
    void PickFile(const QString& path) {
        dialogs->Answer([path](QDialog& d) {
            dynamic_cast<QFileDialog&>(d).selectFile(path);
            return int(QDialog::Accepted);
        });
    }
    // Answers the differences window, keeping its lines; tick: the VAT rates box.
    void ReadDifferences(QStringList& lines, int result = QDialog::Rejected, bool tick = false) {
        dialogs->Answer([&lines, result, tick](QDialog& d) {
            auto& window = dynamic_cast<TFormSettingsDiff&>(d);
            lines << window.Summary()->text();
            for (int i = 0; i < window.Differences()->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = window.Differences()->topLevelItem(i);
                lines << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
            }
            if (tick)
                window.RatesBox()->setChecked(true);
            return result;
        });
    }
    QString Text(size_t i) const { return dialogs->shown.at(i).text; }

private slots:
    void init() { Start(); }
    void cleanup() { Stop(); }

    void saveChangeCompareRestore() {
        PickFile(File("kasa.nx3.json"));
        Trigger("ASaveSettings");
        QCOMPARE(Text(1),
                 QStringLiteral("Ustawienia kasy (numer unikatowy ABC12345678) zapisane do pliku %1.")
                     .arg(File("kasa.nx3.json")));
        Device([](sim::Nx3Device& d) {
            d.State().header[0].text = "INNY SKLEP";
            d.State().vatRates[0] = 2200;
        });

        QStringList lines;
        PickFile(File("kasa.nx3.json"));
        ReadDifferences(lines);
        Trigger("ACompareSettings");
        QCOMPARE(lines, (QStringList{"Ustawienia, które się różnią:", "Stawka PTU A | 23,00 % | 22,00 %",
                                     "Nagłówek, linia 1 | \"NUBRA SKLEP\" | \"INNY SKLEP\""}));

        lines.clear();
        dialogs->shown.clear();
        PickFile(File("kasa.nx3.json"));
        ReadDifferences(lines, QDialog::Accepted);
        Trigger("ARestoreSettings");
        QCOMPARE(lines.size(), 3);
        QCOMPARE(Text(2), QStringLiteral("Nagłówek zastał zapisany do drukarki."));
        QCOMPARE(Text(3), QStringLiteral("Przywrócono z pliku: nagłówek."));
        Device([](sim::Nx3Device& d) {
            QCOMPARE(d.State().header[0].text, std::string("NUBRA SKLEP"));
            QCOMPARE(d.State().vatRates[0], 2200);
        });

        lines.clear();
        PickFile(File("kasa.nx3.json"));
        ReadDifferences(lines, QDialog::Accepted, true);
        Trigger("ARestoreSettings");
        Device([](sim::Nx3Device& d) { QCOMPARE(d.State().vatRates[0], 2300); });

        lines.clear();
        PickFile(File("kasa.nx3.json"));
        ReadDifferences(lines);
        Trigger("ACompareSettings");
        QCOMPARE(lines, QStringList{"Ustawienia są zgodne."});
    }

    void anotherPrintersCopyAsksFirst() {
        PickFile(File("a.nx3.json"));
        Trigger("ASaveSettings");
        QFile f(File("a.nx3.json"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll().replace("ABC12345678", "XYZ00000001");
        f.close();
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        dialogs->shown.clear();
        line->sent.clear();
        PickFile(File("a.nx3.json"));
        dialogs->Answer([](QDialog&) { return int(QMessageBox::No); });
        Trigger("ARestoreSettings");
        QCOMPARE(dialogs->shown.size(), size_t(2));
        QCOMPARE(Text(1), QStringLiteral("Plik pochodzi z innej kasy (numer unikatowy XYZ00000001, ta kasa: "
                                         "ABC12345678).\nCzy mimo to przywrócić z niego ustawienia?"));
        for (const std::string& code : Commands())
            QVERIFY2(code != "EB" && code != "S3" && code != "N2", code.c_str());
    }

    void brokenFileSendsNothing() {
        QFile f(File("zly.nx3.json"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\n  \"format\": \"nubra5 ustawienia kasy\",\n  \"wersja\": 1\n  \"ptu_A\": \"23,00\"\n}\n");
        f.close();
        PickFile(File("zly.nx3.json"));
        Trigger("ARestoreSettings");
        QCOMPARE(Text(1),
                 QStringLiteral("Plik %1 nie jest poprawnym plikiem ustawień kasy:\nwiersz 3: oczekiwano "
                                "znaku ',' lub '}'.\nNic nie zostało wysłane do kasy.")
                     .arg(File("zly.nx3.json")));
        QVERIFY(line->sent.empty());
    }
};

QTEST_MAIN(SnapshotActionsTest)
#include "SnapshotActionsTest.moc"
