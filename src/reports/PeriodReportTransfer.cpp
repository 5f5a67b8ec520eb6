// The periodic report as text: read line by line while the window system keeps running, so that
// "Zakończ" is heard between lines; whatever arrived is saved, also when the line fails half-way.
#include <QUrl>
#include <vector>

#include "Cp1250.h"
#include "DeviceText.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "QtLinkUi.h"
#include "ReportWindows.h"
#include "SaveFile.h"
#include "TFormMain.h"
#include "TFormSendRapOkres.h"
#include "TNX3Class.h"

namespace nubra::reports {
namespace {

constexpr float kTransferTimeout = 3.0f;
constexpr float kNormalTimeout = 2.0f;

// Every line in the file, each ended by a line break; the device's text in UTF-8 like every other
// text file of the desktop.
QByteArray FileText(const std::vector<std::string>& lines) {
    QByteArray text;
    for (const std::string& line : lines)
        text += QByteArray::fromStdString(cp1250::ToUtf8(line)) + '\n';
    return text;
}

bool SaveReport(app::TFormMain& main, const std::string& path, const std::vector<std::string>& lines) {
    return app::SaveFile(&main, QString::fromStdString(path), FileText(lines));
}

void OpenReport(app::TFormMain& main, const std::string& path) {
    if (!app::DialogSeam::Current().OpenUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        app::ShowMessageBox(
            &main, QMessageBox::NoIcon,
            QStringLiteral(
                "Przesłany raport został zapisany na dysku w pliku Raport.txt w katalogu aplikacji."));
    }
}

// While the lines come the window system runs, but no other device action may start: its frames would
// land in the middle of the report (as during the wait for a printout).
class LinkBusy {
public:
    explicit LinkBusy(app::TFormMain& main) : main_(main) { main_.WaitStateChanged(true); }
    ~LinkBusy() { main_.WaitStateChanged(false); }
    LinkBusy(const LinkBusy&) = delete;
    LinkBusy& operator=(const LinkBusy&) = delete;

private:
    app::TFormMain& main_;
};

// Reads lines until the report ends, fails or is cancelled; true when cancelled.
bool ReadReport(app::TFormMain& main, TFormSendRapOkres& window, std::vector<std::string>& lines) {
    TNX3Class& nx3 = main.Nx3();
    for (;;) {
        main.LinkUiImpl().ProcessMessages();
        if (TransferCancelled)
            return true;
        std::string line;
        if (!nx3.ReceiveReportLine(line))
            return false;
        if (!window.isVisible())
            window.show();
        // The closing code, whatever its length: a report line may be two characters long too.
        if (!nx3.ReportLineReceived())
            return false;
        lines.push_back(line);
        window.AddLine(app::FromDevice(line));
    }
}

} // namespace

void TransferPeriodReport(app::TFormMain& main, const std::string& from, const std::string& to) {
    auto* window = main.WindowAs<TFormSendRapOkres>(QStringLiteral("TFormSendRapOkres"));
    if (!window)
        return;
    TNX3Class& nx3 = main.Nx3();
    const std::string path = main.ProgramDirectory() + ReportFileName;
    std::vector<std::string> lines;
    auto end = [&] {
        nx3.SetTimeouts(kNormalTimeout);
        window->close();
    };
    nx3.SetTimeouts(kTransferTimeout);
    TransferCancelled = false;
    window->Clear();
    try {
        LinkBusy busy(main);
        // The printer does not stop with "Zakończ": what it still sends is not the next answer.
        if (nx3.SendPeriodReport(from, to) && ReadReport(main, *window, lines))
            nx3.SkipReportRest();
    } catch (...) {
        // A line lost half-way: the normal time-out, no window, and the lines so far kept and said to be
        // partial, before the error is shown. Lost before the first line, the old report stays.
        end();
        if (!lines.empty() && SaveReport(main, path, lines))
            main.LinkUiImpl().ShowMessage(TNX3Class::PartialReportMessage(ReportFileName, lines.size()),
                                          MessageIcon::Warning);
        throw;
    }
    end();
    if (SaveReport(main, path, lines) && !lines.empty())
        OpenReport(main, path);
}

} // namespace nubra::reports
