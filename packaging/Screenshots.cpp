// The manual's pictures: the program against an emulated printer, each window drawn into a PNG.
// Run under a real (virtual) X display so that fonts and style are those the user sees.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>

#include "ButtonIcons.h"
#include "DialogSeam.h"
#include "PtyServer.h"
#include "StartupWindows.h"
#include "TFormAbout.h"
#include "TFormLogWindow.h"
#include "TFormMain.h"

namespace {

bool Save(QWidget& window, const QString& path) {
    window.raise();
    QApplication::processEvents();
    const bool saved = window.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "zapisano" : "BŁĄD zapisu", qPrintable(path));
    return saved;
}

// Shows each modal window, saves it under the name given before the action, and closes it.
class PictureSeam : public nubra::app::DialogSeam {
public:
    explicit PictureSeam(QString folder) : folder_(std::move(folder)) {}
    void Next(const QString& name, int answer) {
        name_ = name;
        answer_ = answer;
    }
    int Exec(QDialog& dialog) override {
        dialog.show();
        if (!name_.isEmpty())
            ok_ = Save(dialog, folder_ + name_ + QStringLiteral(".png")) && ok_;
        dialog.hide();
        name_.clear();
        return answer_;
    }
    bool OpenUrl(const QUrl&) override { return true; }
    bool Ok() const { return ok_; }

private:
    QString folder_;
    QString name_;
    int answer_ = QDialog::Rejected;
    bool ok_ = true;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "użycie: %s FOLDER_NA_OBRAZY\n", argv[0]);
        return 2;
    }
    QApplication::setWindowIcon(nubra::app::ApplicationIcon());
    nubra::app::InstallPolishTranslation(app);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir().mkpath(folder);

    nubra::sim::PtyServer printer;
    printer.Start();
    QTemporaryDir data;
    {
        QFile ini(data.filePath(QStringLiteral("nx3config.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            return 1;
        ini.write(QStringLiteral("[PORT]\ncom=1\nCOM1=%1\n")
                      .arg(QString::fromStdString(printer.SlavePath()))
                      .toUtf8());
    }
    PictureSeam seam(folder);
    nubra::app::DialogSeam::Install(&seam);

    nubra::app::TFormMain main(data.path().toStdString() + "/");
    nubra::app::CreateStartupWindows(main);
    main.show();
    main.Action(QStringLiteral("AGetRegInfo"))->trigger();
    bool ok = Save(main, folder + QStringLiteral("okno-glowne.png"));

    seam.Next(QStringLiteral("port"), QDialog::Rejected);
    main.Action(QStringLiteral("ASetPort"))->trigger();

    main.Action(QStringLiteral("ALogWinow"))->trigger();
    seam.Next(QStringLiteral("raport-dobowy-numer"), QDialog::Accepted);
    main.Action(QStringLiteral("AGetDayReportNo"))->trigger();
    if (QWidget* log = main.FormLogWindow())
        ok = Save(*log, folder + QStringLiteral("podglad-danych.png")) && ok;

    main.Action(QStringLiteral("ATowary"))->trigger();
    if (QWidget* goods = main.Window(QStringLiteral("TFormTowary")))
        ok = Save(*goods, folder + QStringLiteral("towary.png")) && ok;

    // The folder a user sees, not this run's scratch folder.
    main.FormAbout()->SetDataFolder(QStringLiteral("/home/jan/.local/share/nubra5/"));
    seam.Next(QStringLiteral("o-programie"), QDialog::Accepted);
    main.Oprogramie1Click();

    nubra::app::DialogSeam::Install(nullptr);
    printer.Stop();
    return ok && seam.Ok() ? 0 : 1;
}
