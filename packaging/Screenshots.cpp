// The manual's pictures: the program against an emulated printer, each window drawn into a PNG.
// `nubra_screenshots FOLDER` writes them; `nubra_screenshots --check FOLDER` draws the same windows
// and fails when a picture in FOLDER no longer matches what its window shows.
//
// What is drawn depends on nothing of the machine: the fonts are DejaVu alone (fontconfig is given a
// file of ours), at a fixed resolution and screen size, the printer is a fresh emulator at a fixed
// hour, and the paths a window shows are a user's, not this run's scratch paths. So the pictures
// come out the same on the offscreen platform and on a virtual X display.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>

#include "ButtonIcons.h"
#include "DialogSeam.h"
#include "PtyServer.h"
#include "StartupWindows.h"
#include "TFormAbout.h"
#include "TFormLogWindow.h"
#include "TFormMain.h"
#include "TFormSetPort.h"

namespace {

// A channel may be this far off (anti-aliasing of another renderer), and this share of the pixels
// may differ beyond it, before a picture counts as out of date. A changed word in a label alone
// differs on more pixels than that.
constexpr int kChannelTolerance = 40;
constexpr double kDifferingShare = 0.0002;

// Written before QApplication exists, so that Qt's font database sees only these fonts.
bool PinFonts(const QTemporaryDir& scratch) {
    QFile conf(scratch.filePath(QStringLiteral("fonts.conf")));
    if (!conf.open(QIODevice::WriteOnly))
        return false;
    conf.write(QStringLiteral(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>%1/fontconfig</cachedir>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcdnone</const></edit>
  </match>
  <alias><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <alias><family>Courier New</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
</fontconfig>
)")
                   .arg(scratch.path())
                   .toUtf8());
    if (!conf.flush())
        return false;
    qputenv("FONTCONFIG_FILE", conf.fileName().toLocal8Bit());
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_SCALE_FACTOR", "1");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    // The offscreen screen is 800x600 unless told otherwise; the virtual display is 1280x800.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile screen(scratch.filePath(QStringLiteral("offscreen.json")));
        if (!screen.open(QIODevice::WriteOnly))
            return false;
        screen.write(R"({"screens": [{"name": "0", "x": 0, "y": 0, "width": 1280, "height": 800,
                        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        if (!screen.flush())
            return false;
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    }
    return true;
}

// Fusion as the virtual display's platform theme sets it: the offscreen platform's theme would drop
// the icons of dialog buttons.
class PictureStyle : public QProxyStyle {
public:
    PictureStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// Writes each picture into the folder, or compares it with the one there.
class Pictures {
public:
    Pictures(QString folder, bool check) : folder_(std::move(folder)), check_(check) {}

    void Take(QWidget& window, const QString& name) {
        window.raise();
        QApplication::processEvents();
        const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString path = folder_ + name + QStringLiteral(".png");
        taken_.insert(name);
        if (!check_) {
            const bool saved = shown.save(path, "PNG");
            std::printf("%s %s\n", saved ? "zapisano" : "BŁĄD zapisu", qPrintable(path));
            ok_ = saved && ok_;
            return;
        }
        const QString problem = Mismatch(QImage(path), shown);
        if (!problem.isEmpty()) {
            std::printf("NIEAKTUALNY %s: %s; uruchom scripts/screenshots\n", qPrintable(path),
                        qPrintable(problem));
            ok_ = false;
        } else {
            std::printf("zgodny %s\n", qPrintable(path));
        }
    }
    bool Ok(int expected) const { return ok_ && static_cast<int>(taken_.size()) == expected; }

private:
    static QString Mismatch(const QImage& stored, const QImage& shown) {
        if (stored.isNull())
            return QStringLiteral("brak obrazu albo nie da się go odczytać");
        if (stored.size() != shown.size())
            return QStringLiteral("obraz ma %1x%2, okno %3x%4")
                .arg(stored.width())
                .arg(stored.height())
                .arg(shown.width())
                .arg(shown.height());
        const QImage old = stored.convertToFormat(QImage::Format_RGB32);
        qint64 differing = 0;
        for (int y = 0; y < old.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(old.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
            for (int x = 0; x < old.width(); ++x) {
                const int d =
                    std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                              std::abs(qBlue(a[x]) - qBlue(b[x]))});
                differing += d > kChannelTolerance;
            }
        }
        const double share =
            static_cast<double>(differing) / (static_cast<double>(old.width()) * old.height());
        if (share <= kDifferingShare)
            return {};
        return QStringLiteral("%1 pikseli różni się od okna (%2%, dozwolone %3%)")
            .arg(differing)
            .arg(QLocale(QLocale::Polish).toString(share * 100, 'f', 2),
                 QLocale(QLocale::Polish).toString(kDifferingShare * 100, 'f', 2));
    }

    QString folder_;
    bool check_;
    std::set<QString> taken_;
    bool ok_ = true;
};

// Shows each modal window, takes it under the name given before the action, and closes it.
class PictureSeam : public nubra::app::DialogSeam {
public:
    explicit PictureSeam(Pictures& pictures) : pictures_(pictures) {}
    void Next(const QString& name, int answer) {
        name_ = name;
        answer_ = answer;
    }
    int Exec(QDialog& dialog) override {
        if (auto* port = qobject_cast<nubra::app::TFormSetPort*>(&dialog)) {
            // A technician's machine with a USB adapter given to COM1, not this run's pseudo-terminal.
            port->SetDevicePaths({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS1"),
                                  QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyS3")});
            port->SetSerialDevices(
                {{"/dev/ttyS0", "", ""},
                 {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3QZB-if00-port0", "FTDI"}});
        }
        dialog.show();
        if (!name_.isEmpty())
            pictures_.Take(dialog, name_);
        dialog.hide();
        name_.clear();
        return answer_;
    }
    bool OpenUrl(const QUrl&) override { return true; }

private:
    Pictures& pictures_;
    QString name_;
    int answer_ = QDialog::Rejected;
};

// 1 December 2026, 10:00, as the printer's local clock.
std::int64_t FixedHour() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 1;
    t.tm_hour = 10;
    return static_cast<std::int64_t>(timegm(&t));
}

} // namespace

int main(int argc, char* argv[]) {
    const bool check = argc == 3 && QByteArray(argv[1]) == "--check";
    if (argc != 2 + check || (!check && argv[1][0] == '-')) {
        std::fprintf(stderr, "użycie: %s [--check] FOLDER_NA_OBRAZY\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid() || !PinFonts(scratch))
        return 1;
    QApplication app(argc, argv);
    QApplication::setStyle(new PictureStyle);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QApplication::setWindowIcon(nubra::app::ApplicationIcon());
    nubra::app::InstallPolishTranslation(app);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1 + check])).absolutePath() + QLatin1Char('/');
    if (!check)
        QDir().mkpath(folder);

    nubra::sim::Nx3Device device;
    device.SetHostClock(FixedHour);
    nubra::sim::PtyServer printer(std::move(device));
    printer.Start();
    {
        QFile ini(scratch.filePath(QStringLiteral("nx3config.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            return 1;
        ini.write(QStringLiteral("[PORT]\ncom=1\nCOM1=%1\n")
                      .arg(QString::fromStdString(printer.SlavePath()))
                      .toUtf8());
    }
    Pictures pictures(folder, check);
    PictureSeam seam(pictures);
    nubra::app::DialogSeam::Install(&seam);

    nubra::app::TFormMain main(scratch.path().toStdString() + "/");
    nubra::app::CreateStartupWindows(main);
    main.show();
    main.Action(QStringLiteral("AGetRegInfo"))->trigger();
    pictures.Take(main, QStringLiteral("okno-glowne"));

    seam.Next(QStringLiteral("port"), QDialog::Rejected);
    main.Action(QStringLiteral("ASetPort"))->trigger();

    main.Action(QStringLiteral("ALogWinow"))->trigger();
    seam.Next(QStringLiteral("raport-dobowy-numer"), QDialog::Accepted);
    main.Action(QStringLiteral("AGetDayReportNo"))->trigger();
    if (QWidget* log = main.FormLogWindow())
        pictures.Take(*log, QStringLiteral("podglad-danych"));

    main.Action(QStringLiteral("ATowary"))->trigger();
    if (QWidget* goods = main.Window(QStringLiteral("TFormTowary")))
        pictures.Take(*goods, QStringLiteral("towary"));

    // The folder a user sees, not this run's scratch folder.
    main.FormAbout()->SetDataFolder(QStringLiteral("/home/jan/.local/share/nubra5/"));
    seam.Next(QStringLiteral("o-programie"), QDialog::Accepted);
    main.Oprogramie1Click();

    nubra::app::DialogSeam::Install(nullptr);
    printer.Stop();
    return pictures.Ok(6) ? 0 : 1;
}
