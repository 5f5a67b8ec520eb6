// Start-up, nx3config.ini, the port choice and the port switch of the main window.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <sstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "PortSerialLine.h"
#include "ProfileFile.h"
#include "PtyServer.h"
#include "ScreenFit.h"
#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "TControlBar.h"
#include "TFormError.h"
#include "TFormLogWindow.h"
#include "TFormMain.h"
#include "TFormSetPort.h"
#include "TNX3Class.h"
#include "TerminationSignals.h"

using nubra::app::TFormMain;

namespace {

const QString PortWarning = QStringLiteral("Przed rozpoczęciem pracy z programem należy wybrać odpowiedni "
                                           "numer portu COM z menu 'Konfiguracja'.");

QStringList FileLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

} // namespace

class MainStartTest : public QObject {
    Q_OBJECT
private:
    QString Dir() const { return dir_->path() + QLatin1Char('/'); }
    QString Ini() const { return Dir() + QStringLiteral("nx3config.ini"); }
    std::unique_ptr<TFormMain> Start() {
        auto main = std::make_unique<TFormMain>(Dir().toStdString());
        nubra::app::CreateStartupWindows(*main);
        return main;
    }

    std::unique_ptr<QTemporaryDir> dir_;

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir_.reset(); }

    void firstStartWithoutConfigurationWarnsAndWritesDefaults() {
        ScriptedDialogs dialogs;
        auto main = Start();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(dialogs.shown[0].text, PortWarning);
        QCOMPARE(dialogs.shown[0].icon, QMessageBox::Warning);
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("nubra5"));
        QCOMPARE(main->PortNumber(), 0);
        QCOMPARE(main->StatusPanelText(0), QString());
        QVERIFY(main->PortSwitch()->isChecked());
        QCOMPARE(main->windowTitle(), QStringLiteral("nubra5 serwis"));
        QCOMPARE(main->StatusPanelText(1), QStringLiteral("Typ drukarki: NX-3 E"));
        QCOMPARE(main->Nx3().PrinterType, 2);
        QCOMPARE(main->NativeCurrency(), std::string("PLN"));
        QCOMPARE(QLocale().toString(1234567.5, 'f', 2), QStringLiteral("1234567,50"));
        QCOMPARE(QLocale().toDouble(QStringLiteral("12,5")), 12.5);
        QVERIFY(std::filesystem::is_directory((Dir() + QStringLiteral("Tabele")).toStdString()));
        QVERIFY(!QFile::exists(Ini()));

        main->close();
        // The default place, 527,135 896x574, brought onto the screen at hand.
        const QRect place = nubra::app::FitOnScreen(QRect(527, 135, 896, 574),
                                                    QGuiApplication::primaryScreen()->availableGeometry());
        const QStringList expected = {"[PORT]",
                                      "com=0",
                                      "[FORM MAIN]",
                                      QStringLiteral("Left=%1").arg(place.left()),
                                      QStringLiteral("Top=%1").arg(place.top()),
                                      QStringLiteral("Width=%1").arg(place.width()),
                                      QStringLiteral("Height=%1").arg(place.height()),
                                      "[FORM REGINF]",
                                      "[CONTROL BAR]",
                                      "Height=64",
                                      "[TOOL BAR 1]",
                                      "Top=0",
                                      "Left=0",
                                      "[TOOL BAR 2]",
                                      "Top=0",
                                      "[TOOL BAR 3]",
                                      "Top=0",
                                      "[TOOL BAR 4]",
                                      "Top=32",
                                      "Left=0",
                                      "[TOOL BAR 5]",
                                      "Top=0",
                                      "[TOOL BAR 6]",
                                      "Top=0",
                                      "[CURRENCY]",
                                      "Native=PLN"};
        QStringList lines = FileLines(Ini());
        // Left of tool bars 2, 3, 5 and 6 depends on the button widths, the register window's
        // position is that window's own; drop those lines.
        QStringList fixedPart;
        QString section;
        for (const QString& line : lines) {
            if (line.startsWith('['))
                section = line;
            const bool variableLeft = line.startsWith(QStringLiteral("Left=")) &&
                                      section.startsWith("[TOOL BAR") && section != "[TOOL BAR 1]" &&
                                      section != "[TOOL BAR 4]";
            if (!variableLeft && (section != "[FORM REGINF]" || line == section))
                fixedPart << line;
        }
        QCOMPARE(fixedPart, expected);
    }

    void portIsOpenedBeforeTheLogWindowExists() {
        ScriptedDialogs dialogs;
        TFormMain main(Dir().toStdString());
        bool errorWindowThere = false;
        bool logWindowThere = true;
        dialogs.Answer([&](QDialog&) {
            // Looked for, not asked for: asking makes a window.
            errorWindowThere = main.findChild<nubra::app::TFormError*>() != nullptr;
            logWindowThere = main.findChild<nubra::app::TFormLogWindow*>() != nullptr;
            return int(QMessageBox::Ok);
        });
        nubra::app::CreateStartupWindows(main);
        QVERIFY(errorWindowThere);
        QVERIFY(!logWindowThere);
        QVERIFY(main.FormLogWindow());
        QVERIFY(main.FormAbout());
        QVERIFY(main.FormWait());
    }

    void secondStartReadsGeometryAndToolBarPositionsBack() {
        // Tool bar 4 moved up behind tool bar 6, tool bar 1 alone on the second row at 40.
        {
            ScriptedDialogs dialogs;
            auto main = Start();
            main->close();
        }
        nubra::ProfileFile first(Ini().toStdString());
        const int bar6Left = first.ReadInteger("TOOL BAR 6", "Left", -1);
        QVERIFY(bar6Left > 0);
        const int farRight = bar6Left + 200;
        WriteFile(Ini(), QStringLiteral("[PORT]\ncom=0\n[FORM MAIN]\nLeft=10\nTop=20\nWidth=780\nHeight=600\n"
                                        "[CONTROL BAR]\nHeight=64\n[TOOL BAR 1]\nTop=32\nLeft=40\n"
                                        "[TOOL BAR 4]\nTop=0\nLeft=%1\n[CURRENCY]\nNative=EUR\n")
                             .arg(farRight)
                             .toUtf8());
        ScriptedDialogs dialogs;
        auto main = Start();
        QCOMPARE(main->pos(), QPoint(10, 20));
        QCOMPARE(main->size(), QSize(780, 600));
        QCOMPARE(main->NativeCurrency(), std::string("EUR"));
        nubra::app::TControlBar* bar = main->ControlBar();
        const int b1 = bar->BandIndex("ToolBar1");
        const int b4 = bar->BandIndex("ToolBar4");
        QCOMPARE(bar->BandTop(b1), 32);
        QCOMPARE(bar->BandLeft(b1), 40);
        QCOMPARE(bar->BandTop(b4), 0);
        QCOMPARE(bar->BandLeft(b4), farRight);
        QCOMPARE(bar->height(), 64);
        main->close();

        // What was read is what is written: a third start changes nothing.
        const QStringList second = FileLines(Ini());
        {
            ScriptedDialogs again;
            auto third = Start();
            third->close();
        }
        QCOMPARE(FileLines(Ini()), second);
        nubra::ProfileFile written(Ini().toStdString());
        QCOMPARE(written.ReadInteger("TOOL BAR 1", "Top", -1), 32);
        QCOMPARE(written.ReadInteger("TOOL BAR 1", "Left", -1), 40);
        QCOMPARE(written.ReadInteger("TOOL BAR 4", "Left", -1), farRight);
        QCOMPARE(written.ReadString("CURRENCY", "Native", ""), std::string("EUR"));
    }

    void overlappingAndOffRowPositionsAreTidied() {
        // Top 40 and 33 snap to the second row; two bars asking for one place are put side by side; the
        // empty first row closes up.
        WriteFile(Ini(), "[TOOL BAR 1]\nTop=40\nLeft=0\n[TOOL BAR 2]\nTop=40\nLeft=0\n[TOOL BAR 3]\nTop=33\n"
                         "[TOOL BAR 4]\nTop=70\nLeft=5\n[TOOL BAR 5]\nTop=64\n[TOOL BAR 6]\nTop=64\n");
        ScriptedDialogs dialogs;
        auto main = Start();
        nubra::app::TControlBar* bar = main->ControlBar();
        const int b1 = bar->BandIndex("ToolBar1");
        const int b2 = bar->BandIndex("ToolBar2");
        const int b4 = bar->BandIndex("ToolBar4");
        QCOMPARE(bar->BandTop(b1), 0);
        QCOMPARE(bar->BandTop(b2), 0);
        QCOMPARE(bar->BandLeft(b1), 0);
        QCOMPARE(bar->BandLeft(b2), bar->Band(b1)->parentWidget()->width());
        QCOMPARE(bar->BandTop(b4), 32);
        QCOMPARE(bar->height(), 64);
    }

    void portThatFailsToOpenIsStoredAsZero() {
        WriteFile(Ini(), "[PORT]\ncom=2\nCOM2=/nonexistent/nubra-tty\n");
        ScriptedDialogs dialogs;
        auto main = Start();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(
            dialogs.shown[0].text,
            QStringLiteral("Nie udało się otworzyć portu COM2. Mogło się zdarzyć, że inna\n"
                           "aplikacja już wykorzystuje dany port.\n"
                           "Urządzenie: /nonexistent/nubra-tty (brak takiego urządzenia; sprawdź, czy kasa "
                           "jest podłączona, albo wskaż inne urządzenie w pliku nx3config.ini)"));
        QCOMPARE(dialogs.shown[0].icon, QMessageBox::Critical);
        QCOMPARE(main->PortNumber(), 0);
        QVERIFY(main->PortSwitch()->isChecked());
        QCOMPARE(main->StatusPanelText(0), QString());
        main->close();
        QCOMPARE(nubra::ProfileFile(Ini().toStdString()).ReadInteger("PORT", "com", -1), 0);
        // The device paths are the user's; they stay in the file.
        QCOMPARE(nubra::ProfileFile(Ini().toStdString()).ReadString("PORT", "COM2", ""),
                 std::string("/nonexistent/nubra-tty"));
    }

    void settingsThatCannotBeWrittenAreReported() {
        QVERIFY(QDir(Dir()).mkdir(QStringLiteral("nx3config.ini"))); // in the file's place
        ScriptedDialogs dialogs;
        auto main = Start();
        QCOMPARE(main->PortNumber(), 0); // read as an empty profile
        dialogs.shown.clear();
        QVERIFY(main->close());
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("nubra5"));
        QCOMPARE(dialogs.shown[0].icon, QMessageBox::Critical);
        QCOMPARE(dialogs.shown[0].text,
                 QStringLiteral("Nie udało się zapisać ustawień programu w pliku %1.").arg(Ini()));
    }

    void portOutOfRangeIsTakenAsNone_data() {
        QTest::addColumn<QByteArray>("com");
        QTest::newRow("5") << QByteArray("5");
        QTest::newRow("-1") << QByteArray("-1");
        QTest::newRow("not a number") << QByteArray("COM1");
    }
    void portOutOfRangeIsTakenAsNone() {
        QFETCH(QByteArray, com);
        WriteFile(Ini(), "[PORT]\ncom=" + com + "\n");
        ScriptedDialogs dialogs;
        auto main = Start();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(dialogs.shown[0].text, PortWarning);
        QCOMPARE(main->PortNumber(), 0);
        QVERIFY(main->PortSwitch()->isChecked());
    }

    void switchWithoutPortStaysDown() {
        ScriptedDialogs dialogs;
        auto main = Start();
        const size_t before = dialogs.shown.size();
        main->PortSwitch()->click();
        QVERIFY(main->PortSwitch()->isChecked());
        QCOMPARE(dialogs.shown.size(), before);
        QCOMPARE(main->StatusPanelText(0), QString());
        QVERIFY(!main->Nx3().PortOpen);
    }

    void switchClosesAndReopensThePortOfTheEmulator() {
        nubra::sim::PtyServer server;
        server.Start();
        WriteFile(Ini(), QStringLiteral("[PORT]\ncom=1\nCOM1=%1\n")
                             .arg(QString::fromStdString(server.SlavePath()))
                             .toUtf8());
        ScriptedDialogs dialogs;
        auto main = Start();
        QCOMPARE(dialogs.shown.size(), size_t(0));
        QCOMPARE(main->PortNumber(), 1);
        QCOMPARE(main->StatusPanelText(0), QStringLiteral("COM 1"));
        QVERIFY(!main->PortSwitch()->isChecked());
        QVERIFY(main->Nx3().PortOpen);

        main->PortSwitch()->click(); // down: close
        QVERIFY(!main->Nx3().PortOpen);
        QCOMPARE(main->StatusPanelText(0), QString());
        QCOMPARE(main->PortNumber(), 1);

        main->PortSwitch()->click(); // up: open again
        QVERIFY(main->Nx3().PortOpen);
        QCOMPARE(main->StatusPanelText(0), QStringLiteral("COM 1"));
        QCOMPARE(dialogs.shown.size(), size_t(0));

        // The reopened port talks to the device.
        std::string date, number;
        QVERIFY(main->Nx3().GetDayReportNo(date, number));
        main->close();
        server.Stop();
        QCOMPARE(nubra::ProfileFile(Ini().toStdString()).ReadInteger("PORT", "com", -1), 1);
    }

    void switchThatCannotReopenStaysUp() {
#ifdef _WIN32
        QSKIP("the port's path is a symbolic link to the line, which is POSIX");
#else
        nubra::sim::PtyServer server;
        server.Start();
        const QString link = Dir() + QStringLiteral("tty-link");
        QVERIFY(QFile::link(QString::fromStdString(server.SlavePath()), link));
        WriteFile(Ini(), QStringLiteral("[PORT]\ncom=3\nCOM3=%1\n").arg(link).toUtf8());
        ScriptedDialogs dialogs;
        auto main = Start();
        QVERIFY(main->Nx3().PortOpen);
        main->PortSwitch()->click();
        QVERIFY(QFile::remove(link));
        main->PortSwitch()->click();
        QVERIFY(!main->PortSwitch()->isChecked());
        QVERIFY(!main->Nx3().PortOpen);
        QCOMPARE(main->StatusPanelText(0), QString());
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QVERIFY(dialogs.shown[0].text.startsWith(QStringLiteral("Nie udało się otworzyć portu COM3.")));
        QCOMPARE(main->PortNumber(), 3);
        server.Stop();
#endif
    }

    // A USB adapter pulled while the program runs: its node goes and the line hangs up. One message
    // names the port; later commands only note it; once the node is back the next command reopens it.
    // ttyUSB0 here is a link to the link nx3sim moves to each fresh pseudo-terminal.
    void unpluggedAdapterIsToldOnceAndReopenedWhenBack() {
#ifdef _WIN32
        QSKIP("the adapter is a symbolic link switched to a new pseudo-terminal, which is POSIX");
#else
        const QString simLink = Dir() + QStringLiteral("nx3sim-tty");
        const QString usb = Dir() + QStringLiteral("ttyUSB0");
        nubra::sim::PtyServer server(nubra::sim::Nx3Device(), simLink.toStdString());
        server.Start();
        QVERIFY(QFile::link(simLink, usb));
        WriteFile(Ini(), QStringLiteral("[PORT]\ncom=1\nCOM1=%1\n").arg(usb).toUtf8());
        ScriptedDialogs dialogs;
        auto main = Start();
        QVERIFY(main->Nx3().PortOpen);
        QCOMPARE(dialogs.shown.size(), size_t(0));

        QVERIFY(QFile::remove(usb));
        server.WithDevice([](nubra::sim::Nx3Device& d) { d.HangUpInFrame(1); });
        for (int command = 0; command < 3; ++command)
            main->Action("AGetDayReportNo")->trigger();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(dialogs.shown[0].icon, QMessageBox::Critical);
        QCOMPARE(
            dialogs.shown[0].text,
            QStringLiteral("Utracono port COM1 (%1): urządzenie zostało odłączone (wyjęty adapter USB "
                           "albo przewód kasy).\nPodłącz je ponownie; następne polecenie samo otworzy port.")
                .arg(usb));
        QCOMPARE(main->StatusPanelText(2),
                 QStringLiteral("Port COM1 (%1) jest nadal odłączony: podłącz kasę ponownie.").arg(usb));
        QVERIFY(main->Nx3().PortLost());

        // Plugged back in.
        std::error_code ec;
        while (server.HangUps() == 0 ||
               std::filesystem::read_symlink(simLink.toStdString(), ec) != server.SlavePath())
            QThread::yieldCurrentThread();
        QVERIFY(QFile::link(simLink, usb));
        main->Action("AGetDayReportNo")->trigger();
        QCOMPARE(dialogs.shown.size(), size_t(2));
        QVERIFY2(dialogs.shown[1].text.contains(QStringLiteral("Numer ostatniego raportu: 00042")),
                 qPrintable(dialogs.shown[1].text));
        QVERIFY(!main->Nx3().PortLost());
        main->close();
        server.Stop();
#endif
    }

    void portDialogChoosesAndOpensAPort() {
        nubra::sim::PtyServer server;
        server.Start();
        WriteFile(
            Ini(),
            QStringLiteral("[PORT]\nCOM4=%1\n").arg(QString::fromStdString(server.SlavePath())).toUtf8());
        ScriptedDialogs dialogs;
        auto main = Start();
        QCOMPARE(dialogs.shown.size(), size_t(1)); // the warning for port 0

        // Cancelled: nothing changes.
        main->Action("ASetPort")->trigger();
        QCOMPARE(dialogs.shown.size(), size_t(2));
        QCOMPARE(dialogs.shown[1].title, QStringLiteral("Konfiguracja portu"));
        QCOMPARE(main->PortNumber(), 0);

        int selectionShown = 99;
        QStringList items;
        dialogs.Answer([&](QDialog& d) {
            auto& form = static_cast<nubra::app::TFormSetPort&>(d);
            selectionShown = form.PortList()->currentIndex();
            for (int i = 0; i < form.PortList()->count(); ++i)
                items << form.PortList()->itemText(i);
            form.PortList()->setCurrentIndex(3);
            return int(QDialog::Accepted);
        });
        main->Action("ASetPort")->trigger();
        QCOMPARE(selectionShown, -1); // port 0: nothing selected
        // Each COM number with the device it stands for.
        QStringList expected;
        for (int port = 1; port <= 3; ++port)
            expected << QStringLiteral("COM%1 (%2)")
                            .arg(port)
                            .arg(QString::fromStdString(nubra::PortSerialLine::DefaultDevicePath(port)));
        expected << "COM4 (" + QString::fromStdString(server.SlavePath()) + ")";
        QCOMPARE(items, expected);
        QCOMPARE(main->PortNumber(), 4);
        QCOMPARE(main->StatusPanelText(0), QStringLiteral("COM 4"));
        QVERIFY(!main->PortSwitch()->isChecked());
        QVERIFY(main->Nx3().PortOpen);

        dialogs.Answer([&](QDialog& d) {
            selectionShown = static_cast<nubra::app::TFormSetPort&>(d).PortList()->currentIndex();
            return int(QDialog::Rejected);
        });
        main->Action("ASetPort")->trigger();
        QCOMPARE(selectionShown, 3);
        server.Stop();
    }

    // The place written at close is the one shown, and the next start shows it again; a place that
    // does not fit the screen is brought onto it first.
    void placeSurvivesACloseAndARestart_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("kept");
        QTest::newRow("fits") << QByteArray("Left=50\nTop=80\nWidth=700\nHeight=450\n") << true;
        QTest::newRow("default") << QByteArray() << false;
        QTest::newRow("larger screen")
            << QByteArray("Left=3000\nTop=-900\nWidth=100000\nHeight=100000\n") << false;
    }
    void placeSurvivesACloseAndARestart() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, kept);
        WriteFile(Ini(), "[FORM MAIN]\n" + stored);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QList<int> written;
        for (int run = 0; run < 3; ++run) {
            ScriptedDialogs dialogs;
            auto main = Start();
            main->show();
            QVERIFY(QTest::qWaitForWindowExposed(main.get()));
            QVERIFY(available.contains(main->frameGeometry()));
            main->close();
            nubra::ProfileFile ini(Ini().toStdString());
            QList<int> place;
            for (const char* key : {"Left", "Top", "Width", "Height"})
                place << ini.ReadInteger("FORM MAIN", key, -1);
            QCOMPARE(QRect(place[0], place[1], place[2], place[3]), QRect(main->pos(), main->size()));
            if (run > 0)
                QCOMPARE(place, written);
            written = place;
        }
        if (kept)
            QCOMPARE(written, (QList<int>{50, 80, 700, 450}));
    }

    void handEditsMadeWhileRunningSurviveTheClose() {
        WriteFile(Ini(), "[PORT]\ncom=0\n");
        ScriptedDialogs dialogs;
        auto main = Start();
        WriteFile(Ini(), "[PORT]\ncom=0\nCOM2=/dev/ttyUSB0\n; mój komentarz\n[MOJE]\nklucz=1\n");
        main->close();
        const QStringList lines = FileLines(Ini());
        QCOMPARE(lines.mid(0, 4), (QStringList{"[PORT]", "com=0", "COM2=/dev/ttyUSB0", "; mój komentarz"}));
        QVERIFY(lines.contains(QStringLiteral("[MOJE]")));
        QVERIFY(lines.contains(QStringLiteral("klucz=1")));
    }

    void settingsThatAreNoFileAreReportedAndTheDefaultsUsed() {
#ifdef _WIN32
        QSKIP("Windows has no named pipe to put in a folder in place of the file");
#else
        QVERIFY(::mkfifo(Ini().toLocal8Bit().constData(), 0600) == 0); // would block a plain read
        ScriptedDialogs dialogs;
        auto main = Start();
        QCoreApplication::processEvents(); // the box comes once the program runs
        QCOMPARE(dialogs.shown.size(), size_t(2));
        QCOMPARE(dialogs.shown[0].text, PortWarning);
        QCOMPARE(dialogs.shown[1].icon, QMessageBox::Warning);
        QCOMPARE(dialogs.shown[1].text,
                 QStringLiteral("Plik ustawień %1 nie jest zwykłym plikiem. Program używa "
                                "ustawień domyślnych.")
                     .arg(Ini()));
        QCOMPARE(main->PortNumber(), 0);
#endif
    }

    // Last: the signal stays recorded for the rest of the process.
    void terminationWithUnwritableSettingsOpensNothingAndEnds() {
#ifdef _WIN32
        QSKIP("on Windows the request to end is a console event, not SIGTERM");
#else
        QVERIFY(QDir(Dir()).mkdir(QStringLiteral("nx3config.ini")));
        ScriptedDialogs dialogs;
        auto main = Start();
        dialogs.shown.clear();
        nubra::app::TerminationSignals termination;
        connect(&termination, &nubra::app::TerminationSignals::terminationRequested, main.get(),
                &QWidget::close);
        QSignalSpy closed(main.get(), &TFormMain::closed);
        std::stringstream err;
        std::streambuf* saved = std::cerr.rdbuf(err.rdbuf());
        ::raise(SIGTERM);
        QCoreApplication::processEvents();
        std::cerr.rdbuf(saved);
        QCOMPARE(closed.size(), 1);
        QVERIFY(dialogs.shown.empty());
        QCOMPARE(QString::fromStdString(err.str()),
                 QStringLiteral("Nie udało się zapisać ustawień programu w pliku %1.\n").arg(Ini()));
#endif
    }
};

QTEST_MAIN(MainStartTest)
#include "MainStartTest.moc"
