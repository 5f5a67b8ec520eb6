// The program on a desktop: its data folder, command line, run port, About line and pictures.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <set>

#include "ButtonIcons.h"
#include "CommandLine.h"
#include "DataFolder.h"
#ifndef _WIN32
#include "PosixSerialLine.h"
#endif
#include "ProfileFile.h"
#include "PtyServer.h"
#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "TFormAbout.h"
#include "TFormMain.h"
#include "TFormSetPort.h"
#include "TLinkLabel.h"
#include "TNX3Class.h"

using namespace nubra::app;

namespace {

bool Touch(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}

// Opaque pixels of the picture at this scale.
int InkedPixels(const QIcon& icon, qreal scale) {
    const QImage image = icon.pixmap(QSize(ButtonIconSize, ButtonIconSize), scale).toImage();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return inked;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private:
    QString Path(const QString& name = {}) const { return dir_->path() + QLatin1Char('/') + name; }
    std::unique_ptr<QTemporaryDir> dir_;

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir_.reset(); }

    void dataFolderIsChosenFromOptionPortableCopyOrXdg_data() {
        QTest::addColumn<QString>("programHolds"); // "ini", "tables", "" or "read-only ini"
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QString>("expected"); // "program", "option", "xdg" or "home"
        QTest::newRow("fresh: the user's data folder") << ""
                                                       << ""
                                                       << ""
                                                       << "home";
        QTest::newRow("XDG_DATA_HOME") << ""
                                       << ""
                                       << "xdg"
                                       << "xdg";
        QTest::newRow("relative XDG_DATA_HOME ignored") << ""
                                                        << ""
                                                        << "relative"
                                                        << "home";
        QTest::newRow("portable with nx3config.ini") << "ini"
                                                     << ""
                                                     << "xdg"
                                                     << "program";
        QTest::newRow("portable with Tabele") << "tables"
                                              << ""
                                              << ""
                                              << "program";
        QTest::newRow("read-only program folder") << "read-only ini"
                                                  << ""
                                                  << ""
                                                  << "home";
        QTest::newRow("--data wins over a portable copy") << "ini"
                                                          << "option"
                                                          << "xdg"
                                                          << "option";
    }
    void dataFolderIsChosenFromOptionPortableCopyOrXdg() {
        QFETCH(QString, programHolds);
        QFETCH(QString, option);
        QFETCH(QString, xdg);
        QFETCH(QString, expected);
        QVERIFY(QDir().mkpath(Path("bin")));
        if (programHolds.endsWith("ini"))
            QVERIFY(Touch(Path("bin/nx3config.ini")));
        if (programHolds == "tables")
            QVERIFY(QDir().mkpath(Path("bin/Tabele")));
        if (programHolds.startsWith("read-only"))
            QVERIFY(QFile::setPermissions(Path("bin"), QFile::ReadOwner | QFile::ExeOwner));
        if (programHolds.startsWith("read-only") && QFileInfo(Path("bin")).isWritable())
            QSKIP("run as root: every folder is writable");
        const QString xdgValue = xdg == "xdg"        ? Path("xdg")
                                 : xdg == "relative" ? QStringLiteral("rel/share")
                                                     : QString();
        const QString chosen = ChooseDataFolder(
            Path("bin"), option == "option" ? Path("opt/../given") : QString(), xdgValue, Path("home"));
        const QMap<QString, QString> folders = {{"program", Path("bin/")},
                                                {"option", Path("given/")},
                                                {"xdg", Path("xdg/nubra5/")},
                                                {"home", Path("home/.local/share/nubra5/")}};
        QCOMPARE(QDir::fromNativeSeparators(chosen), folders[expected]);
        QFile::setPermissions(Path("bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void dataFolderIsCreatedWithItsParents() {
        QVERIFY(MakeDataFolder(Path("a/b/nubra5/")));
        QVERIFY(QFileInfo(Path("a/b/nubra5")).isDir());
        QVERIFY(Touch(Path("file")));
        QVERIFY(!MakeDataFolder(Path("file/nubra5/")));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // the start of it
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("port");
        QTest::newRow("nothing") << QStringList{} << -1 << ""
                                 << "" << 0;
        QTest::newRow("data and port") << QStringList{"--data", "/tmp/d", "--port", "3"} << -1 << ""
                                       << "/tmp/d" << 3;
        QTest::newRow("data=") << QStringList{"--data=demo", "--port=1"} << -1 << ""
                               << "demo" << 1;
        QTest::newRow("version") << QStringList{"--version"} << 0 << "nubra5 serwis 1.07\n"
                                 << "" << 0;
        QTest::newRow("port 0") << QStringList{"--port", "0"} << 1
                                << "Numer portu musi być liczbą od 1 do 4: 0\n"
                                << "" << 0;
        QTest::newRow("port 5") << QStringList{"--port", "5"} << 1
                                << "Numer portu musi być liczbą od 1 do 4: 5"
                                << "" << 0;
        QTest::newRow("port text") << QStringList{"--port", "COM2"} << 1
                                   << "Numer portu musi być liczbą od 1 do 4: COM2"
                                   << "" << 0;
        QTest::newRow("empty data") << QStringList{"--data="} << 1 << "Opcja --data wymaga nazwy folderu."
                                    << "" << 0;
        QTest::newRow("argument") << QStringList{"plik"} << 1 << "Nieznany argument: plik"
                                  << "" << 0;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QString, data);
        QFETCH(int, port);
        const CommandLine line = ParseCommandLine(QStringList{"nx3serwis"} + arguments);
        QCOMPARE(line.exitCode, exitCode);
        QVERIFY2(message.isEmpty() ? exitCode != -1 || line.message.isEmpty()
                                   : line.message.startsWith(message),
                 qPrintable(line.message));
        if (exitCode == 1)
            QVERIFY(line.message.endsWith(QStringLiteral("\nOpis opcji: nx3serwis --help\n")));
        QCOMPARE(line.unknownOption, arguments.startsWith("--prot"));
        QCOMPARE(line.dataFolder, data);
        QCOMPARE(line.port, port);
    }

    void helpNamesEveryOption() {
        const CommandLine line = ParseCommandLine({"nx3serwis", "--help"});
        QCOMPARE(line.exitCode, 0);
        for (const char* option : {"--data <folder>", "--port <numer>", "--help", "--version"})
            QVERIFY2(line.message.contains(QLatin1String(option)), option);
    }

    void runPortIsOpenedButTheFileKeepsItsPort_data() {
        QTest::addColumn<bool>("userChoosesInTheDialog");
        QTest::addColumn<int>("storedAtClose");
        QTest::newRow("run port only") << false << 1;
        // COM4 fails to open too, and a port that fails is stored as none.
        QTest::newRow("the user's choice replaces it") << true << 0;
    }
    void runPortIsOpenedButTheFileKeepsItsPort() {
        QFETCH(bool, userChoosesInTheDialog);
        QFETCH(int, storedAtClose);
        {
            QFile f(Path("nx3config.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QStringLiteral("[PORT]\ncom=1\nCOM2=%1\nCOM4=%1\n").arg(Path("no-such-tty")).toUtf8());
        }
        ScriptedDialogs dialogs;
        TFormMain main(Path().toStdString());
        main.SetRunPort(2);
        CreateStartupWindows(main);
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QVERIFY(dialogs.shown[0].text.startsWith(QStringLiteral("Nie udało się otworzyć portu COM2.")));
        if (userChoosesInTheDialog) {
            dialogs.Answer([](QDialog& d) {
                static_cast<TFormSetPort&>(d).PortList()->setCurrentIndex(3);
                return int(QDialog::Accepted);
            });
            main.Action("ASetPort")->trigger();
        }
        main.close();
        QCOMPARE(nubra::ProfileFile(Path("nx3config.ini").toStdString()).ReadInteger("PORT", "com", -1),
                 storedAtClose);
    }

    // The dialog offers the machine's serial devices (a fake tree here) and gives one to the chosen
    // COM number: written to [PORT] at once and used by the next open.
    void portDialogGivesADeviceToTheComNumber() {
#ifdef _WIN32
        QSKIP("the serial devices are found in /dev and /sys, which Windows lacks");
#endif
        const QString root = Path("root");
        const QString byId = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2-if00-port0");
        QVERIFY(QDir().mkpath(root + QStringLiteral("/dev/serial/by-id")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/sys/devices/usb1/1-1/1-1:1.0/ttyUSB0")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/sys/class/tty/ttyUSB0")));
        QFile(root + QStringLiteral("/dev/ttyUSB0")).open(QIODevice::WriteOnly);
        {
            QFile maker(root + QStringLiteral("/sys/devices/usb1/1-1/manufacturer"));
            QVERIFY(maker.open(QIODevice::WriteOnly));
            maker.write("FTDI\n");
        }
        QVERIFY(QFile::link(root + QStringLiteral("/sys/devices/usb1/1-1/1-1:1.0/ttyUSB0"),
                            root + QStringLiteral("/sys/class/tty/ttyUSB0/device")));
        QVERIFY(QFile::link(QStringLiteral("../../ttyUSB0"), root + byId));

        ScriptedDialogs dialogs;
        TFormMain main(Path().toStdString());
        main.SetDeviceRoot(root.toStdString());
        CreateStartupWindows(main);
        QStringList offered;
        dialogs.Answer([&offered](QDialog& d) {
            auto& form = static_cast<TFormSetPort&>(d);
            for (int i = 0; i < form.DeviceList()->count(); ++i)
                offered << form.DeviceList()->itemText(i);
            form.PortList()->setCurrentIndex(1);
            form.DeviceList()->setCurrentIndex(1);
            return int(QDialog::Accepted);
        });
        main.Action("ASetPort")->trigger();
        QCOMPARE(offered, (QStringList{QStringLiteral("bez zmiany"),
                                       QStringLiteral("/dev/ttyUSB0 – FTDI (%1)").arg(byId)}));
        QCOMPARE(QString::fromStdString(
                     nubra::ProfileFile(Path("nx3config.ini").toStdString()).ReadString("PORT", "COM2", "")),
                 byId);
        // The adapter is not on this machine: the open names the device just given.
        QVERIFY(!dialogs.shown.empty());
        QVERIFY2(dialogs.shown.back().text.contains(QStringLiteral("Urządzenie: ") + byId),
                 qPrintable(dialogs.shown.back().text));
    }

    // "Wykryj" runs the probe over a fake /dev whose ttyUSB0 is nx3sim's pseudo-terminal: the NX-3 is
    // offered with its unique number, the program's own port let go for it and taken back.
    void detectOffersThePortWhereAnNx3Answered_data() {
        QTest::addColumn<QString>("row"); // "com key", "device", "none", "cancelled"
        QTest::newRow("behind a COM key the program holds") << "com key";
        QTest::newRow("a device no COM key names") << "device";
        QTest::newRow("nothing answers") << "none";
        QTest::newRow("cancelled before the printer") << "cancelled";
    }
    void detectOffersThePortWhereAnNx3Answered() {
#ifdef _WIN32
        QSKIP("the fake /dev tree and the emulator's pseudo-terminal are POSIX ones");
#else
        QFETCH(QString, row);
        nubra::sim::PtyServer server;
        server.Start();
        const QString root = Path("root");
        const QString usb = root + QStringLiteral("/dev/ttyUSB0");
        QVERIFY(QDir().mkpath(root + QStringLiteral("/dev")));
        QVERIFY(Touch(root + QStringLiteral("/dev/ttyS0"))); // not a terminal: tried, refused at once
        if (row != "none")
            QVERIFY(QFile::link(QString::fromStdString(server.SlavePath()), usb));
        {
            QFile ini(Path("nx3config.ini"));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(row == "com key" ? QStringLiteral("[PORT]\ncom=1\nCOM1=%1\n").arg(usb).toUtf8()
                                       : QByteArray("[PORT]\ncom=0\n"));
        }
        ScriptedDialogs dialogs;
        TFormMain main(Path().toStdString());
        main.SetDeviceRoot(root.toStdString());
        CreateStartupWindows(main);
        QCOMPARE(main.Nx3().PortOpen, row == "com key");
        dialogs.shown.clear();

        QString button, found, device;
        int port = -1;
        bool busyAfter = true;
        dialogs.Answer([&](QDialog& d) {
            auto& form = static_cast<TFormSetPort&>(d);
            if (row == "cancelled")
                connect(&form, &TFormSetPort::probeStep, &form,
                        [&form] { form.findChild<QProgressDialog*>()->findChild<QPushButton*>()->click(); });
            button = form.DetectButton()->isHidden() ? QString() : form.DetectButton()->text();
            form.DetectButton()->click();
            found = form.FoundLabel()->text();
            device = form.DeviceList()->currentText();
            port = form.PortList()->currentIndex();
            // What the probe opened is closed again.
            nubra::PosixSerialLine line;
            line.SetDevicePath(1, server.SlavePath());
            busyAfter = line.Open(1) != nubra::SerialLine::OpenResult::Ok;
            return int(QDialog::Rejected);
        });
        main.Action("ASetPort")->trigger();
        QCOMPARE(button, QStringLiteral("Wykryj"));
        QVERIFY(!busyAfter);
        const QString tried =
            QStringLiteral("Na żadnym porcie nie odpowiedziała kasa NX-3. Sprawdź, czy kasa "
                           "jest włączona i podłączona do komputera, i naciśnij „Wykryj” "
                           "ponownie.\n\nSprawdzone porty:\n%1/dev/ttyS0: nie można otworzyć")
                .arg(root);
        const QString unique = QStringLiteral("Znaleziono kasę NX-3 o numerze unikatowym ABC12345678 (%1).");
        if (row == "com key") {
            QCOMPARE(found, unique.arg(QStringLiteral("COM1 (%1)").arg(usb)));
            QCOMPARE(port, 0);
            QCOMPARE(device, QStringLiteral("bez zmiany"));
            // Kept by the user: the port let go for the probe is the program's again.
            QVERIFY(main.Nx3().PortOpen);
            QCOMPARE(main.StatusPanelText(0), QStringLiteral("COM 1"));
        } else if (row == "device") {
            QCOMPARE(found, unique.arg(usb));
            QCOMPARE(port, 0);
            QCOMPARE(device, QStringLiteral("/dev/ttyUSB0"));
        } else if (row == "none") {
            QCOMPARE(found, QStringLiteral("Nie znaleziono kasy NX-3."));
            QCOMPARE(dialogs.shown.size(), size_t(2));
            QCOMPARE(dialogs.shown[1].text, tried);
        } else {
            QCOMPARE(found, QStringLiteral("Wykrywanie przerwane."));
            QCOMPARE(device, QStringLiteral("bez zmiany"));
            QCOMPARE(dialogs.shown.size(), size_t(1));
        }
        main.close();
#endif
    }

    void aboutNamesTheDataFolderUnderItsTexts() {
        ScriptedDialogs dialogs;
        TFormMain main(Path().toStdString());
        CreateStartupWindows(main);
        TFormAbout* about = main.FormAbout();
        QCOMPARE(about->LabelDataFolder()->text(), QStringLiteral("Folder danych: ") + Path());
        QVERIFY(!about->LabelDataFolder()->isHidden());
        auto* layout = about->layout();
        QCOMPARE(layout->indexOf(about->LabelDataFolder()), layout->indexOf(about->StaticTextWWW()) + 1);
    }

    void everyToolButtonHasItsOwnPictureAtBothScales() {
        ScriptedDialogs dialogs;
        TFormMain main(Path().toStdString());
        std::set<QByteArray> pictures;
        int buttons = 0;
        for (QToolBar* bar : main.findChildren<QToolBar*>()) {
            for (QToolButton* button :
                 bar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (button->objectName().startsWith("qt_"))
                    continue;
                ++buttons;
                const QIcon icon = button->icon();
                QVERIFY2(InkedPixels(icon, 1.0) > 40, qPrintable(button->objectName()));
                QVERIFY2(InkedPixels(icon, 2.0) > 160, qPrintable(button->objectName()));
                QCOMPARE(icon.pixmap(QSize(ButtonIconSize, ButtonIconSize), 2.0).devicePixelRatio(), 2.0);
                const QImage image = icon.pixmap(QSize(ButtonIconSize, ButtonIconSize), 1.0).toImage();
                pictures.insert(
                    QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
                QCOMPARE(button->accessibleName().isEmpty() ? button->text() : button->accessibleName(),
                         button->toolTip());
            }
        }
        QCOMPARE(buttons, 33);
        QCOMPARE(pictures.size(), size_t(33));
        QVERIFY(ButtonIcon(QStringLiteral("NoSuchButton")).isNull());
    }

    void applicationIconIsDrawnAtTheDesktopSizes() {
        const QIcon icon = ApplicationIcon();
        for (int size : {16, 48, 256})
            QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
        QVERIFY(!icon.pixmap(QSize(16, 16)).toImage().isNull());
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
