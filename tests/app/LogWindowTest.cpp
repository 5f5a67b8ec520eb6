// The log window's save, command descriptions and time toggles.
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <system_error>

#include "FullFolder.h"
#include "ScriptedDialogs.h"
#include "TFormLogWindow.h"

using namespace nubra::app;

namespace {

const char* const Exchange[] = {
    "- - - - - - - - - - - - - - - -",
    "<- \x02"
    "B2\x03"
    "8F",
    "-> \x02"
    "I1\x03"
    "87",
    "-> \x02"
    "\xA5\x86\x1B\x03"
    "00",
    "-> \x02"
    "D2\x03"
    "89",
};

void Fill(TFormLogWindow& log) {
    log.show();
    for (const char* line : Exchange)
        log.AddLogLine(line);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class LogWindowTest : public QObject {
    Q_OBJECT
private slots:
    void newButtonsFollowThePanelsOwnAndStartReleased() {
        TFormLogWindow log;
        QCOMPARE(log.SaveButton()->text(), QStringLiteral("Zapisz do pliku..."));
        QCOMPARE(log.DescriptionsButton()->text(), QStringLiteral("Opisy rozkazów"));
        QCOMPARE(log.TimeButton()->text(), QStringLiteral("Czas"));
        QVERIFY(!log.SaveButton()->isCheckable());
        QVERIFY(log.DescriptionsButton()->isCheckable() && !log.DescriptionsButton()->isChecked());
        QVERIFY(log.TimeButton()->isCheckable() && !log.TimeButton()->isChecked());
        const QWidget* panel = log.SpeedButton1()->parentWidget();
        const QList<QToolButton*> order = panel->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(order.indexOf(log.SaveButton()), 3);
        QCOMPARE(order.indexOf(log.TimeButton()), 5);
    }

    void descriptionsAndTimeRedrawTheWholeLog() {
        TFormLogWindow log;
        Fill(log);
        const QStringList plain = log.Lines();
        QCOMPARE(plain.value(1), QStringLiteral("<- ☻B2♥8F"));
        log.DescriptionsButton()->click();
        QCOMPARE(log.Lines().value(1), QStringLiteral("<- ☻B2♥8F  (B2) Odeślij numer raportu dobowego."));
        QCOMPARE(log.Lines().value(2), QStringLiteral("-> ☻I1♥87  I1-OK."));
        QCOMPARE(log.Lines().value(3), QStringLiteral("-> ☻ąć←♥00"));
        QCOMPARE(log.Lines().value(4),
                 QStringLiteral("-> ☻D2♥89  D2-Rozkaz nie wykonany, bo dane przesłane z "
                                "rozkazem nie mieściły się w formacie lub zakresie."));
        log.TimeButton()->click();
        const QString timed = log.Lines().value(0);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} - - -"))
                    .match(timed)
                    .hasMatch());
        log.DescriptionsButton()->click();
        log.TimeButton()->click();
        QCOMPARE(log.Lines(), plain);
        // Later lines follow the toggles too.
        log.DescriptionsButton()->click();
        log.AddLogLine("- - - - - - - - - - - - - - - -");
        log.AddLogLine("<- \x02"
                       "I3\x03"
                       "85");
        QCOMPARE(log.Lines().last(), QStringLiteral("<- ☻I3♥85  (I3) Odeślij numer błędu."));
    }

    void saveWritesTheLogAsShownInUtf8() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        ScriptedDialogs dialogs;
        TFormLogWindow log;
        Fill(log);
        log.DescriptionsButton()->click();
        dialogs.Answer([&](QDialog& d) {
            static_cast<QFileDialog&>(d).selectFile(path);
            return int(QDialog::Accepted);
        });
        log.SaveButton()->click();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(Read(path),
                 QByteArray("- - - - - - - - - - - - - - - -\n"
                            "<- <STX>B2<ETX>8F  (B2) Odeślij numer raportu dobowego.\n"
                            "-> <STX>I1<ETX>87  I1-OK.\n"
                            "-> <STX>ąć<1B><ETX>00\n"
                            "-> <STX>D2<ETX>89  D2-Rozkaz nie wykonany, bo dane przesłane z rozkazem "
                            "nie mieściły się w formacie lub zakresie.\n"));
        // Cancelled: nothing written.
        QFile::remove(path);
        log.SaveButton()->click();
        QVERIFY(!QFile::exists(path));
    }

    // A folder that is not there, a full disk, a device that refuses every write: the reason under
    // the message, and an older file as it was.
    void failedSaveIsReported() {
        QTemporaryDir dir;
        nubra::testing::FullFolder full;
        if (!full.Ready())
            QSKIP(full.Why().c_str());
        QVERIFY(full.Put("log.txt", "an older log\n"));
        QVERIFY(full.Fill());
        const struct {
            QString path;
            int error;
        } cases[] = {{dir.filePath(QStringLiteral("missing/log.txt")), ENOENT},
                     {QString::fromStdString(full.Path() + "log.txt"), ENOSPC},
                     {QStringLiteral("/dev/full"), ENOSPC}};
        for (const auto& c : cases) {
            ScriptedDialogs dialogs;
            TFormLogWindow log;
            Fill(log);
            QVERIFY(!log.SaveLog(c.path));
            QCOMPARE(dialogs.shown.size(), size_t(1));
            QCOMPARE(dialogs.shown[0].text,
                     QStringLiteral("Błąd zapisu do pliku ") + c.path + QLatin1Char('\n') +
                         QString::fromStdString(std::generic_category().message(c.error)));
            QCOMPARE(dialogs.shown[0].icon, QMessageBox::Critical);
        }
        QCOMPARE(Read(QString::fromStdString(full.Path() + "log.txt")), QByteArray("an older log\n"));
    }
};

QTEST_MAIN(LogWindowTest)
#include "LogWindowTest.moc"
