// Service printing and message templates from the main window, against the emulator.
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "RawPrintout.h"
#include "ServiceFixture.h"
#include "TFormPrint.h"
#include "TFormTemplates.h"

using nubra::service::TFormPrint;
using nubra::service::TFormTemplates;
using nubra::testing::ServiceFixture;
using Writes = std::vector<std::string>;
Q_DECLARE_METATYPE(Writes)

namespace {

std::string Eot(int n) {
    return std::string(static_cast<std::size_t>(n), '\x04');
}
std::string Line(const char* text) {
    return '\x02' + std::string(text) + '\x03';
}

} // namespace

class PrintTemplatesTest : public QObject {
    Q_OBJECT
private:
    ServiceFixture f;

    TFormPrint* Editor() { return f.Form<TFormPrint>("TFormPrint"); }
    TFormTemplates* Templates() { return f.Form<TFormTemplates>("TFormTemplates"); }
    std::vector<std::string> Roll() {
        return f.Device([](auto& d) { return d.State().paperRoll; });
    }

private slots:
    void init() { f.Start(); }
    void cleanup() { f.Stop(); }

    void rawPrintout_data() {
        QTest::addColumn<Writes>("lines");
        QTest::addColumn<Writes>("writes");
        QTest::newRow("empty") << Writes{} << Writes{Eot(8), Eot(8), "\x05"};
        QTest::newRow("3 lines, middle empty")
            << Writes{"A", "", "C"} << Writes{Line("A"), Eot(1), Line("C"), Eot(8), Eot(5), "\x05"};
        Writes ten(10, "X"), tenWrites(10, Line("X"));
        tenWrites.insert(tenWrites.end(), {Eot(8), "", "\x05"});
        QTest::newRow("10 lines") << ten << tenWrites;
    }
    void rawPrintout() {
        QFETCH(Writes, lines);
        QFETCH(Writes, writes);
        QCOMPARE(nubra::service::RawPrintout(lines), writes);
    }

    void printingPutsTheMemoOnThePaper() {
        TFormPrint* editor = Editor();
        editor->Memo()->setFocus();
        QTest::keyClicks(editor->Memo(), QStringLiteral("abc "));
        // A key outside Latin-1, as a Polish keyboard gives it.
        QKeyEvent z(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ż"));
        QApplication::sendEvent(editor->Memo(), &z);
        editor->Memo()->appendPlainText(QStringLiteral("\ndef"));
        QCOMPARE(editor->Lines(), (QStringList{QStringLiteral("ABC Ż"), QString(), QStringLiteral("def")}));
        editor->MenuAction(QStringLiteral("Drukuj"))->trigger();
        editor->MenuAction(QStringLiteral("Wysuw 5x"))->trigger();
        // A command after the stream: the device has read all of it.
        f.Trigger("AGetZeroRam");
        std::vector<std::string> expected{"ABC \xAF", "", "def"};
        expected.insert(expected.end(), 8 + 5, "");
        expected.push_back(nubra::sim::kPaperCut);
        expected.insert(expected.end(), 5, "");
        QCOMPARE(Roll(), expected);
    }

    void filesAreReadAndWrittenWhole() {
        QTemporaryDir dir;
        const QString lower = dir.path() + QStringLiteral("/notatka.txt");
        QFile file(lower);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("ma\xB3"
                   "e litery\r\n");
        file.close();
        QStringList filters;
        f.dialogs->Answer([&](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            filters = files.nameFilters();
            files.selectFile(lower);
            return int(QDialog::Accepted);
        });
        TFormPrint* editor = Editor();
        editor->MenuAction(QStringLiteral("Odczytaj plik.."))->trigger();
        QCOMPARE(filters, QStringList{QStringLiteral("*.TXT (*.TXT *.txt)")});
        QCOMPARE(editor->Lines(), QStringList{QStringLiteral("małe litery")});
        QCOMPARE(editor->windowTitle(), lower);
        QVERIFY(!editor->Memo()->document()->isModified());

        editor->Memo()->moveCursor(QTextCursor::End);
        editor->Memo()->insertPlainText(QStringLiteral("DRUGA"));
        QVERIFY(!editor->SaveFile(dir.path() + QStringLiteral("/brak/plik.TXT")));
        QCOMPARE(f.dialogs->shown.back().text.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Błąd zapisu do pliku ") + dir.path() + QStringLiteral("/brak/plik.TXT"));
        QVERIFY(editor->Memo()->document()->isModified());
        QVERIFY(editor->SaveFile(lower));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("ma\xB3"
                                            "e litery\r\nDRUGA\r\n"));
        QVERIFY(!editor->Memo()->document()->isModified());
    }

    void utf8FileIsWrittenBackAsUtf8() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/a.TXT");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("żółw\n");
        file.close();
        QVERIFY(Editor()->LoadFile(path));
        QCOMPARE(Editor()->Lines(), QStringList{QStringLiteral("żółw")});
        QVERIFY(Editor()->SaveFile(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("żółw\r\n"));
    }

    void closingAModifiedTextAsks() {
        TFormPrint* editor = Editor();
        QSignalSpy finished(editor, &QDialog::finished);
        editor->Memo()->setPlainText(QStringLiteral("X"));
        editor->Memo()->document()->setModified(true);
        editor->MenuAction(QStringLiteral("Wyjście"))->trigger();
        QCOMPARE(finished.count(), 0);
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
        QCOMPARE(f.dialogs->shown[0].title, QString());
        QCOMPARE(f.dialogs->shown[0].icon, QMessageBox::NoIcon);
        QCOMPARE(f.dialogs->shown[0].text, QString::fromUtf8(TFormPrint::kUnsavedQuestion));
        f.dialogs->Answer([](QDialog&) { return int(QMessageBox::Yes); });
        editor->MenuAction(QStringLiteral("Wyjście"))->trigger();
        QCOMPARE(finished.count(), 1);
    }

    void templateIsReadAndPrintedWithoutCut() {
        f.dialogs->Answer([this](QDialog&) {
            TFormTemplates* t = Templates();
            t->NumberEdit()->setValue(7);
            t->ReadButton()->click();
            t->ValueList()->item(0, 1)->setText(QStringLiteral("12"));
            t->Cutter()->setChecked(false);
            t->PrintButton()->click();
            return 2;
        });
        f.Trigger("AShowTemplateForm");
        QCOMPARE(f.Commands(), (std::vector<std::string>{"B5", "Q2", "Q3"}));
        QCOMPARE(f.DataAfter("Q2"), std::string("07"));
        QCOMPARE(f.DataAfter("Q3"), "07N12" + std::string(398, ' '));
        TFormTemplates* t = Templates();
        QCOMPARE(t->TemplateName()->text(),
                 QStringLiteral("ZAMÓWIENIE%1\nDO KUCHNI%2")
                     .arg(QString(30, QLatin1Char(' ')), QString(31, QLatin1Char(' '))));
        QCOMPARE(t->ValueList()->rowCount(), 20);
        QCOMPARE(t->ValueList()->item(1, 0)->text(), QStringLiteral("KELNER              "));
        const auto roll = Roll();
        QVERIFY(std::find(roll.begin(), roll.end(), "STOLIK              12") != roll.end());
        QCOMPARE(f.Device([](auto& d) { return d.State().paperCuts; }), 0);
    }

    void templatePrintedWithoutReading() {
        Templates()->PrintButton()->click();
        QCOMPARE(f.DataAfter("Q3"), "01T" + std::string(400, ' '));
    }

    void undefinedTemplateKeepsTheWindow() {
        Templates()->NumberEdit()->setValue(8);
        Templates()->ReadButton()->click();
        QCOMPARE(f.DataAfter("Q2"), std::string("08"));
        QCOMPARE(Templates()->ValueList()->rowCount(), 1);
        QCOMPARE(f.main->Nx3().LastReply(), std::string("E2"));
    }
};

QTEST_MAIN(PrintTemplatesTest)
#include "PrintTemplatesTest.moc"
