// The report actions against the emulator: the frames each choice sends, the questions word for word,
// and the periodic report transferred into Raport.txt.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QtTest>

#include <system_error>

#include "DeviceWindowFixture.h"
#include "FiscalMemory.h"
#include "FullFolder.h"
#include "LinkError.h"
#include "ReportWindows.h"
#include "ScriptedLine.h"
#include "TFormPeriodReports.h"
#include "TFormRozliczeniowy.h"
#include "TFormSendRapOkres.h"

using nubra::reports::TFormPeriodReports;
using nubra::reports::TFormRozliczeniowy;
using nubra::reports::TFormSendRapOkres;
using nubra::testing::DeviceWindowFixture;

namespace {

const QString kQuestionHead = QStringLiteral("Chcesz wydrukować raport fiskalny dobowy?\n");

QStringList ReportFile(const QString& dir) {
    QFile file(dir + QStringLiteral("Raport.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing>")};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.removeLast(); // after the last line break
    return lines;
}

QString NoCommunication() {
    return QString::fromUtf8(nubra::TNX3Class::NoCommunicationMessage)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QStringList Lines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines)
        out << QString::fromStdString(line);
    return out;
}

} // namespace

class ReportActionsTest : public QObject {
    Q_OBJECT
private:
    DeviceWindowFixture f;

    TFormPeriodReports* Periodic() {
        return f.main->WindowAs<TFormPeriodReports>(QStringLiteral("TFormPeriodReports"));
    }
    TFormSendRapOkres* Transfer() {
        return f.main->WindowAs<TFormSendRapOkres>(QStringLiteral("TFormSendRapOkres"));
    }

    // Payloads sent after the status query that refreshes the code page.
    QStringList SentAfterStatus() const {
        QStringList out;
        bool after = false;
        for (const std::string& payload : f.line->sent) {
            if (after)
                out << QString::fromStdString(payload);
            after = after || payload == "B5";
        }
        return out;
    }

    // Answers the selection dialog: kind, range (or the month's page), then the button.
    void AnswerPeriodic(int kind, int range, int result, std::function<void(TFormPeriodReports&)> more = {}) {
        f.dialogs->Answer([=](QDialog& d) {
            auto& form = static_cast<TFormPeriodReports&>(d);
            form.show(); // every showing resets the dialog
            form.ChooseKind(
                QList<QCheckBox*>{form.CB_Okresowy(), form.CB_Miesieczny(), form.CB_Rozliczeniowy()}[kind]);
            auto* panel = form.RangePanel();
            if (kind != 1)
                panel->Choose(
                    QList<QCheckBox*>{panel->CB_Daty(), panel->CB_Numery(), panel->CB_CalyOkres()}[range]);
            if (more)
                more(form);
            form.hide();
            return result;
        });
    }

private slots:
    void init() { f.Start(); }
    void cleanup() { f.Stop(); }

    void selectionSendsTheChosenReport_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("dateFrom");
        QTest::addColumn<QStringList>("sent");
        const QString today =
            QStringLiteral("20") + QDate::currentDate().toString(QStringLiteral("yy-MM-dd"));
        QTest::newRow("numbers 1..2") << 0 << 1 << 1 << today << QStringList{"R1", "NR0001", "NR0002"};
        QTest::newRow("dates") << 0 << 0 << 1 << QStringLiteral("2025-01-01")
                               << QStringList{"R1", "250101",
                                              today.mid(2, 2) + today.mid(5, 2) + today.mid(8, 2)};
        QTest::newRow("blank date sends blanks")
            << 0 << 0 << 1 << QStringLiteral("20") << QStringList{"R1", "      ", "      "};
        QTest::newRow("summary, whole period")
            << 0 << 2 << 4 << today << QStringList{"R9", "P", "000000", "000000"};
        QTest::newRow("March 2003") << 1 << 0 << 1 << today << QStringList{"R9", "M", "0303"};
        QTest::newRow("cancelled") << 0 << 1 << 2 << today << QStringList{};
    }

    void selectionSendsTheChosenReport() {
        QFETCH(int, kind);
        QFETCH(int, range);
        QFETCH(int, result);
        QFETCH(QString, dateFrom);
        QFETCH(QStringList, sent);
        AnswerPeriodic(kind, range, result, [dateFrom](TFormPeriodReports& form) {
            form.CB_Miesiac()->setCurrentIndex(2);
            form.SE_Rok()->setValue(2003);
            form.RangePanel()->ME_DateOd()->setText(dateFrom);
            if (dateFrom.size() < 10)
                form.RangePanel()->ME_DateDo()->setText(dateFrom);
        });
        f.Trigger("APeriodReports");
        QCOMPARE(SentAfterStatus(), sent);
    }

    void buttonsFollowTheKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("printerType");
        QTest::addColumn<bool>("summary");
        QTest::addColumn<bool>("send");
        QTest::newRow("periodic") << 0 << 2 << true << true;
        QTest::newRow("monthly") << 1 << 2 << false << false;
        QTest::newRow("settlement") << 2 << 2 << false << false;
        QTest::newRow("settlement, NX-2 v3") << 2 << 1 << true << false;
        QTest::newRow("periodic, NX-2 v2") << 0 << 0 << false << true;
    }

    void buttonsFollowTheKind() {
        QFETCH(int, kind);
        QFETCH(int, printerType);
        QFETCH(bool, summary);
        QFETCH(bool, send);
        TFormPeriodReports* form = Periodic();
        form->SetPrinterType(printerType);
        form->show();
        form->ChooseKind(
            QList<QCheckBox*>{form->CB_Okresowy(), form->CB_Miesieczny(), form->CB_Rozliczeniowy()}[kind]);
        QCOMPARE(form->Btn_Podsumowanie()->isEnabled(), summary);
        QCOMPARE(form->Btn_Przeslij()->isEnabled(), send);
        QCOMPARE(form->RangePanel()->CB_Daty()->isVisible(), kind != 1);
        form->hide();
    }

    void questionsBeforePrinting_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("unprinted");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("printed");
        QTest::newRow("daily") << "ADayReport" << 0 << kQuestionHead << int(QMessageBox::Question) << "Z1"
                               << "RAPORT FISKALNY DOBOWY";
        QTest::newRow("daily, 2 unprinted")
            << "ADayReport" << 2 << kQuestionHead + QStringLiteral("Ilość niewydrukowanych raportów: 0002")
            << int(QMessageBox::Question) << "Z1"
            << "RAPORT FISKALNY DOBOWY";
        QTest::newRow("fixed descriptions")
            << "AConstantRep" << 0 << " Zostanie wydrukowany raport opisów stałych, kontynuować ? "
            << int(QMessageBox::Warning) << "R9"
            << "RAPORT OPISOW STALYCH";
        QTest::newRow("goods list") << "ACommodityList" << 0
                                    << " Zostanie wydrukowana lista towarów, kontynuować ? "
                                    << int(QMessageBox::Warning) << "T3"
                                    << "LISTA TOWAROW";
    }

    void questionsBeforePrinting() {
        QFETCH(QString, action);
        QFETCH(int, unprinted);
        QFETCH(QString, question);
        QFETCH(int, icon);
        QFETCH(QString, command);
        QFETCH(QString, printed);
        f.Device([unprinted](auto& d) {
            d.State().extended.unprintedReports = unprinted;
            d.State().dayGross[0] = 1000; // a day of sales
            d.State().dayReceipts = 1;
        });
        for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            f.line->sent.clear();
            f.dialogs->shown.clear();
            f.dialogs->Answer([answer](QDialog&) { return int(answer); });
            f.Trigger(action.toLatin1().constData());
            QCOMPARE(f.dialogs->shown.size(), size_t(1));
            QCOMPARE(f.dialogs->shown[0].text, question);
            QCOMPARE(int(f.dialogs->shown[0].icon), icon);
            const bool sent =
                std::count(f.line->sent.begin(), f.line->sent.end(), command.toStdString()) == 1;
            QCOMPARE(sent, answer == QMessageBox::Yes);
        }
        const auto roll = f.Device([](auto& d) { return d.State().paperRoll; });
        QVERIFY(!roll.empty());
        QCOMPARE(QString::fromStdString(roll[0]).trimmed(), printed);
    }

    // The line closes in place of "D1": the report may be on paper. The one top-level handler shows
    // the message naming the lost port, with the unknown outcome's line.
    void lineLostInTheWaitSaysTheOutcomeIsUnknown() {
        f.Device([](auto& d) {
            d.State().dayGross[0] = 1000;
            d.State().dayReceipts = 1;
            d.HangUpOn("Z1", nubra::sim::FailAt::Closing);
        });
        f.dialogs->Answer([](QDialog&) { return int(QMessageBox::Yes); });
        f.Trigger("ADayReport");
        QCOMPARE(f.dialogs->shown.size(), size_t(2));
        QCOMPARE(int(f.dialogs->shown[1].icon), int(QMessageBox::Critical));
        QCOMPARE(
            f.dialogs->shown[1].text,
            QStringLiteral("Utracono port COM1 (%1COM1): urządzenie zostało odłączone (wyjęty adapter USB "
                           "albo przewód kasy).\nPodłącz je ponownie; następne polecenie samo otworzy "
                           "port.\nNie wiadomo, czy kasa wykonała rozkaz. Sprawdź stan rejestru przed "
                           "ponowieniem.")
                .arg(f.Dir()));
    }

    // The settlement report from either window: the same question first, nothing sent without Yes.
    void settlementAsked_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("printerType");
        QTest::addColumn<int>("button"); // the selection dialog's result; 0 Enter, 1 "Wykonaj" for the action
        QTest::addColumn<int>("confirm");
        QTest::addColumn<QStringList>("sent");
        const QStringList report{"B5", "Z2", "000000", "000000", "ABC12345678 "};
        QTest::newRow("Enter cancels") << "ARozliczeniowy" << 2 << 0 << 0 << QStringList{};
        QTest::newRow("No") << "ARozliczeniowy" << 2 << 1 << int(QMessageBox::No) << QStringList{};
        QTest::newRow("Yes") << "ARozliczeniowy" << 2 << 1 << int(QMessageBox::Yes) << report;
        // The selection dialog refreshes the code page first ("B5").
        QTest::newRow("Drukuj, No") << "APeriodReports" << 2 << int(TFormPeriodReports::Print)
                                    << int(QMessageBox::No) << QStringList{"B5"};
        QTest::newRow("Drukuj, Yes") << "APeriodReports" << 2 << int(TFormPeriodReports::Print)
                                     << int(QMessageBox::Yes) << QStringList{"B5"} + report;
        QTest::newRow("Drukuj podsumowanie, No")
            << "APeriodReports" << 1 << int(TFormPeriodReports::PrintSummary) << int(QMessageBox::No)
            << QStringList{"B5"};
    }

    void settlementAsked() {
        QFETCH(QString, action);
        QFETCH(int, printerType);
        QFETCH(int, button);
        QFETCH(int, confirm);
        QFETCH(QStringList, sent);
        f.Device([](auto& d) { d.State().readOnly = true; });
        f.main->Nx3().PrinterType = printerType;
        if (action == QStringLiteral("APeriodReports")) {
            AnswerPeriodic(2, 2, button);
        } else {
            f.dialogs->Answer([button](QDialog& d) {
                auto& form = static_cast<TFormRozliczeniowy&>(d);
                form.show();
                form.RangePanel()->Choose(form.RangePanel()->CB_CalyOkres());
                if (button == 0)
                    QTest::keyClick(form.RangePanel()->SpinE_Od(), Qt::Key_Return);
                else
                    form.Btn_Wykonaj()->click();
                return form.result();
            });
        }
        f.dialogs->Answer([confirm](QDialog&) { return confirm; });
        f.Trigger(action.toLatin1().constData());
        QCOMPARE(f.dialogs->shown.size(), size_t(button == 0 ? 1 : 2));
        if (button != 0) {
            QCOMPARE(
                f.dialogs->shown[1].text,
                QStringLiteral("Uwaga! Zostanie wykonany raport rozliczeniowy i tym samym kasa\nzostanie "
                               "ustawiona w stan 'TYLKO ODCZYT', kontynuować ?  "));
            QCOMPARE(f.dialogs->shown[1].icon, QMessageBox::Warning);
        }
        QStringList got;
        for (const std::string& payload : f.line->sent)
            got << QString::fromStdString(payload);
        QCOMPARE(got, sent);
    }

    // A day of sales, its daily report, and the report fetched as text matching the fiscal memory.
    void dayOfSalesReportedAndTransferred() {
        f.Device([](auto& d) {
            d.State().dayGross = {24600, 1080, 0, 0, 0, 0, 0};
            d.State().dayReceipts = 4;
        });
        f.dialogs->Answer([](QDialog&) { return int(QMessageBox::Yes); });
        f.Trigger("ADayReport");
        const auto memory = f.Device([](auto& d) { return d.State().fiscalMemory; });
        QCOMPARE(memory.back().number, 43);
        int most = 0;
        QPlainTextEdit* memo = Transfer()->M_RapOkr();
        connect(memo, &QPlainTextEdit::blockCountChanged, this, [&most](int n) { most = std::max(most, n); });
        AnswerPeriodic(0, 1, TFormPeriodReports::Send, [](TFormPeriodReports& form) {
            form.RangePanel()->SpinE_Od()->setValue(1);
            form.RangePanel()->SpinE_Do()->setValue(43);
        });
        f.Trigger("APeriodReports");
        const auto expected =
            nubra::sim::PeriodReportLines("RAPORT FISKALNY OKRESOWY", "OD NR: 0001 DO NR: 0043", memory, ',');
        QCOMPARE(ReportFile(f.Dir()), Lines(expected));
        QCOMPARE(most, 5);
        QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')), Lines(expected).mid(int(expected.size()) - 5));
        QVERIFY(!Transfer()->isVisible());
        QCOMPARE(f.dialogs->urls,
                 std::vector<QUrl>{QUrl::fromLocalFile(f.Dir() + QStringLiteral("Raport.txt"))});
    }

    void zakonczStopsAfterTheCurrentLine() {
        f.dialogs->openUrlResult = false;
        int added = 0;
        bool actionsOff = false;
        connect(Transfer(), &TFormSendRapOkres::lineAdded, this, [&] {
            if (++added != 3)
                return;
            // No other device action meanwhile.
            actionsOff = !f.main->Action(QStringLiteral("ADayReport"))->isEnabled();
            Transfer()->Btn_Zakoncz()->click();
        });
        AnswerPeriodic(0, 2, TFormPeriodReports::Send);
        f.Trigger("APeriodReports");
        QCOMPARE(ReportFile(f.Dir()).size(), 3);
        QVERIFY(nubra::reports::TransferCancelled);
        QVERIFY(actionsOff);
        QVERIFY(f.main->Action(QStringLiteral("ADayReport"))->isEnabled());
        QCOMPARE(f.dialogs->shown.back().text,
                 QStringLiteral(
                     "Przesłany raport został zapisany na dysku w pliku Raport.txt w katalogu aplikacji."));
    }

    void lineLostMidTransferKeepsWhatArrived() {
        // The adapter is pulled out after the fourth line.
        int added = 0;
        connect(Transfer(), &TFormSendRapOkres::lineAdded, this, [&] {
            if (++added == 4)
                f.main->Nx3().ClosePort();
        });
        AnswerPeriodic(0, 2, TFormPeriodReports::Send);
        f.Trigger("APeriodReports");
        QCOMPARE(ReportFile(f.Dir()).size(), 4);
        QVERIFY(!Transfer()->isVisible());
        QCOMPARE(f.dialogs->shown.back().text, NoCommunication());
        const auto& partial = f.dialogs->shown[f.dialogs->shown.size() - 2];
        QCOMPARE(partial.text,
                 QStringLiteral("Raport jest niepełny: transmisja została przerwana.\nLiczba wierszy "
                                "zapisanych w pliku Raport.txt: 4."));
        QCOMPARE(partial.icon, QMessageBox::Warning);
        QVERIFY(f.dialogs->urls.empty());
    }

    // A line lost before the first report line, or a full disk: the earlier report stays as it was.
    void transferThatSavesNothingKeepsTheOldReport() {
        nubra::testing::FullFolder full;
        if (!full.Ready())
            QSKIP(full.Why().c_str());
        f.Stop();
        nubra::testing::ScriptedProgram program;
        nubra::ScriptedLine* line = program.line;
        const QString path = program.dir.path() + QStringLiteral("/Raport.txt");
        // The data folder's report lives on the full disk.
        QVERIFY(full.Put("Raport.txt", "an earlier report\n"));
        QVERIFY(full.Fill());
        QVERIFY(QFile::link(QString::fromStdString(full.Path() + "Raport.txt"), path));
        const int writes = int(line->Writes().size());
        line->Feed(nubra::TNX3Class::Frame("I1"), {.writes = writes + 1});
        QVERIFY_THROWS_EXCEPTION(nubra::LinkError,
                                 nubra::reports::TransferPeriodReport(*program.main, "000000", "000000"));
        QVERIFY(program.dialogs.shown.empty());
        const int again = int(line->Writes().size());
        line->Feed(nubra::TNX3Class::Frame("I1"), {.writes = again + 1});
        line->Feed(nubra::TNX3Class::Frame("WE") + nubra::TNX3Class::Frame("RAPORT") +
                       nubra::TNX3Class::Frame("D1"),
                   {.writes = again + 3});
        nubra::reports::TransferPeriodReport(*program.main, "000000", "000000");
        QCOMPARE(program.dialogs.shown.size(), size_t(1));
        QCOMPARE(program.dialogs.shown.back().text,
                 QStringLiteral("Błąd zapisu do pliku ") + path + QLatin1Char('\n') +
                     QString::fromStdString(std::generic_category().message(ENOSPC)));
        QVERIFY(program.dialogs.urls.empty());
        QCOMPARE(ReportFile(program.dir.path() + QLatin1Char('/')),
                 QStringList{QStringLiteral("an earlier report")});
        f.Start();
    }

    void transferAnsweredAtOnceByD1WritesAnEmptyFile() {
        f.Stop();
        nubra::testing::ScriptedProgram program;
        nubra::ScriptedLine* line = program.line;
        ScriptedDialogs& dialogs = program.dialogs;
        nubra::app::TFormMain& main = *program.main;
        QTemporaryDir& dir = program.dir;
        const QString path = dir.path() + QStringLiteral("/Raport.txt");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an earlier report\n");
        old.close();
        const int writes = int(line->Writes().size());
        line->Feed(nubra::TNX3Class::Frame("I1"), {.writes = writes + 1});
        line->Feed(nubra::TNX3Class::Frame("D1"), {.writes = writes + 3});
        nubra::reports::TransferPeriodReport(main, "000000", "000000");
        QCOMPARE(QFileInfo(path).size(), qint64(0));
        QVERIFY(dialogs.urls.empty());
        QCOMPARE(line->Timeouts().back(), 2000);
        QCOMPARE(line->Timeouts()[line->Timeouts().size() - 2], 3000);
        // A file that cannot be replaced is reported and nothing is opened.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Raport.txt")));
        line->Feed(nubra::TNX3Class::Frame("I1"), {.writes = writes + 4});
        line->Feed(nubra::TNX3Class::Frame("WE") + nubra::TNX3Class::Frame("RAPORT") +
                       nubra::TNX3Class::Frame("D1"),
                   {.writes = writes + 6});
        nubra::reports::TransferPeriodReport(main, "000000", "000000");
        QVERIFY(dialogs.urls.empty());
        QVERIFY(dialogs.shown.back().text.startsWith(QStringLiteral("Błąd zapisu do pliku ") + path));
        f.Start();
    }
};

QTEST_MAIN(ReportActionsTest)
#include "ReportActionsTest.moc"
