// The settings snapshot of the menu "Narzędzia": save the printer's settings to a file, compare them
// with a file (or two files), restore them from a file.
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>

#include "DialogSeam.h"
#include "FileText.h"
#include "FlatJson.h"
#include "MessageBox.h"
#include "QtLinkUi.h"
#include "TFormMain.h"
#include "TFormSettingsDiff.h"
#include "TNX3Class.h"
#include "ToolsMenu.h"

namespace nubra::toolkit {
namespace {

const QString kFilter = QStringLiteral("Ustawienia kasy (*.nx3.json);;Wszystkie pliki (*)");

// The file the user picks; empty when cancelled.
QString ChooseFile(app::TFormMain& main, const QString& title, bool save) {
    QFileDialog dialog(&main, title, QString(), kFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("nx3.json"));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (app::DialogSeam::Current().Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// The copy in a file; false after telling the user why it was refused.
bool LoadFile(app::TFormMain& main, const QString& file, SettingsSnapshot& snapshot) {
    try {
        snapshot = SnapshotFromJson(ReadWholeFile(file.toStdString()));
        return true;
    } catch (const JsonError& e) {
        app::ShowMessageBox(
            &main, QMessageBox::Critical,
            QStringLiteral(
                "Plik %1 nie jest poprawnym plikiem ustawień kasy:\n%2.\nNic nie zostało wysłane do kasy.")
                .arg(file, QString::fromStdString(e.what())));
        return false;
    }
}

// The printer's settings now; false when it refused (the link has shown why).
bool ReadDevice(app::TFormMain& main, SettingsSnapshot& snapshot) {
    const std::string now =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    if (ReadSnapshot(main.Nx3(), now, snapshot))
        return true;
    app::ShowMessageBox(&main, QMessageBox::Critical,
                        QStringLiteral("Odczyt ustawień kasy nie powiódł się."));
    return false;
}

void ShowDifferences(app::TFormMain& main, const SettingsSnapshot& first, const SettingsSnapshot& second,
                     const QString& firstHeading, const QString& secondHeading) {
    TFormSettingsDiff window(TFormSettingsDiff::Purpose::Compare, CompareSnapshots(first, second),
                             firstHeading, secondHeading, &main);
    app::DialogSeam::Current().Exec(window);
}

// A copy the user picks, then the printer's settings; false when either is not there. The file is
// checked first, so a broken one sends nothing.
bool LoadFileAndDevice(app::TFormMain& main, const QString& title, SettingsSnapshot& saved,
                       SettingsSnapshot& device) {
    if (main.Nx3().PrinterType == -1)
        return false;
    const QString file = ChooseFile(main, title, false);
    return !file.isEmpty() && LoadFile(main, file, saved) && ReadDevice(main, device);
}

QString ShortName(const QString& file) {
    return QFileInfo(file).fileName();
}

} // namespace

void SaveSettingsExecute(app::TFormMain& main) {
    if (main.Nx3().PrinterType == -1)
        return;
    const QString file = ChooseFile(main, QStringLiteral("Zapisz ustawienia kasy do pliku"), true);
    SettingsSnapshot snapshot;
    if (file.isEmpty() || !ReadDevice(main, snapshot))
        return;
    WriteWholeFile(file.toStdString(), SnapshotToJson(snapshot));
    app::ShowMessageBox(&main, QMessageBox::Information,
                        QStringLiteral("Ustawienia kasy (numer unikatowy %1) zapisane do pliku %2.")
                            .arg(QString::fromStdString(snapshot.uniqueNo), file));
}

void CompareSettingsExecute(app::TFormMain& main) {
    SettingsSnapshot saved, device;
    if (!LoadFileAndDevice(main, QStringLiteral("Porównaj z plikiem"), saved, device))
        return;
    ShowDifferences(main, saved, device, QStringLiteral("W pliku"), QStringLiteral("W kasie"));
}

void CompareFilesExecute(app::TFormMain& main) {
    const QString first = ChooseFile(main, QStringLiteral("Porównaj dwa pliki: pierwszy plik"), false);
    SettingsSnapshot a, b;
    if (first.isEmpty() || !LoadFile(main, first, a))
        return;
    const QString second = ChooseFile(main, QStringLiteral("Porównaj dwa pliki: drugi plik"), false);
    if (second.isEmpty() || !LoadFile(main, second, b))
        return;
    ShowDifferences(main, a, b, QStringLiteral("W pliku %1").arg(ShortName(first)),
                    QStringLiteral("W pliku %1").arg(ShortName(second)));
}

void RestoreSettingsExecute(app::TFormMain& main) {
    SettingsSnapshot saved, device;
    if (!LoadFileAndDevice(main, QStringLiteral("Przywróć z pliku"), saved, device))
        return;
    if (saved.uniqueNo != device.uniqueNo &&
        app::ShowMessageBox(
            &main, QMessageBox::Warning,
            QStringLiteral("Plik pochodzi z innej kasy (numer unikatowy %1, ta kasa: %2).\n"
                           "Czy mimo to przywrócić z niego ustawienia?")
                .arg(QString::fromStdString(saved.uniqueNo), QString::fromStdString(device.uniqueNo)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const std::vector<SettingDifference> differences = CompareSnapshots(saved, device);
    TFormSettingsDiff window(TFormSettingsDiff::Purpose::Restore, differences, QStringLiteral("W pliku"),
                             QStringLiteral("W kasie"), &main);
    if (app::DialogSeam::Current().Exec(window) != QDialog::Accepted || differences.empty())
        return;
    std::vector<std::string> written;
    const bool ok =
        RestoreSnapshot(main.Nx3(), main.LinkUiImpl(), saved, differences, window.WithRates(), written);
    if (!ok)
        return;
    QStringList groups;
    for (const std::string& g : written)
        groups << QString::fromStdString(g);
    app::ShowMessageBox(
        &main, QMessageBox::Information,
        groups.isEmpty() ? QStringLiteral("Nic nie zostało zapisane do kasy.")
                         : QStringLiteral("Przywrócono z pliku: %1.").arg(groups.join(QStringLiteral(", "))));
}

} // namespace nubra::toolkit
