// The port choice, the port switch, the log window and the other shell actions of the main window.
#include <QMenuBar>
#include <QToolButton>

#include "DialogSeam.h"
#include "MessageBox.h"
#include "ProbeOps.h"
#include "ProfileFile.h"
#include "SerialDevices.h"
#include "SystemSerialLine.h"
#include "TControlBar.h"
#include "TFormAbout.h"
#include "TFormLogWindow.h"
#include "TFormMain.h"
#include "TFormSetPort.h"
#include "TNX3Class.h"

namespace nubra::app {

void TFormMain::ASetPortExecute(QObject* sender) {
    TFormSetPort* form = FormSetPort();
    if (!form)
        return;
    form->SetDevicePaths(devicePaths_);
    form->SetSerialDevices(ListSerialDevices(deviceRoot_));
    form->SelectPort(portNumber_);
    bool released = false;
    PortProbe probe;
    probe.targets = [this] { return ops::ProbeTargets(*config_, SerialDeviceFolder(deviceRoot_)); };
    probe.probe = [folder = programDirectory_](const std::string& path) {
        return ops::ProbeDevice(path, folder);
    };
    probe.release = [this, &released] {
        if (nx3_->PortOpen) {
            nx3_->ClosePort();
            SetPortPanel({});
            released = true;
        }
    };
    probe.deviceRoot = deviceRoot_;
    form->SetProbe(std::move(probe));
    if (sender != form && DialogSeam::Current().Exec(*form) != QDialog::Accepted) {
        form->SetProbe({});
        // Let go for "Wykryj": the port the user kept is taken again.
        if (released && nx3_->OpenPort(portNumber_))
            SetPortPanel(QStringLiteral("COM %1").arg(portNumber_));
        else if (released)
            sbCloseOpenPort_->setChecked(true);
        return;
    }
    form->SetProbe({});
    if (sender != form)
        storedPortNumber_.reset(); // the user's choice is kept
    portNumber_ = form->SelectedPort();
    const QString device = form->ChosenDevice();
    if (portNumber_ > 0 && !device.isEmpty()) {
        // Written at once, not at the end: the assignment is what the technician came for.
        const std::string key = "COM" + std::to_string(portNumber_);
        devicePaths_[portNumber_ - 1] = device;
        if (portLine_)
            portLine_->SetDevicePath(portNumber_, device.toStdString());
        config_->WriteString("PORT", key, device.toStdString());
        if (!config_->Flush())
            ShowMessageBox(this, QMessageBox::Critical,
                           QStringLiteral("Nie udało się zapisać ustawień programu w pliku %1.")
                               .arg(QString::fromStdString(config_->Path())));
    }
    nx3_->ClosePort();
    SetPortPanel({});
    if (nx3_->OpenPort(portNumber_)) {
        SetPortPanel(QStringLiteral("COM %1").arg(portNumber_));
        sbCloseOpenPort_->setChecked(false);
    } else {
        portNumber_ = 0;
        sbCloseOpenPort_->setChecked(true);
    }
}

void TFormMain::SetRunPort(int port) {
    if (!storedPortNumber_)
        storedPortNumber_ = portNumber_;
    portNumber_ = port;
}

void TFormMain::SB() {
    // The button has toggled already: down means closed.
    if (portNumber_ == 0) {
        sbCloseOpenPort_->setChecked(true);
        return;
    }
    if (sbCloseOpenPort_->isChecked()) {
        nx3_->ClosePort();
        SetPortPanel({});
    } else if (nx3_->OpenPort(portNumber_)) {
        SetPortPanel(QStringLiteral("COM %1").arg(portNumber_));
    }
}

void TFormMain::ALogWinowExecute() {
    TFormLogWindow* log = FormLogWindow();
    if (!log)
        return;
    // Just below the tool bars, its left edge 20 pixels left of ours.
    const QRect frame = frameGeometry();
    const int clientHeight = height() - menuBar()->height();
    log->move(frame.left() - 20, frame.top() + frame.height() - clientHeight + controlBar_->height());
    log->show();
    log->raise();
}

void TFormMain::Wyjcie1Click() {
    close();
}

void TFormMain::Oprogramie1Click() {
    if (TFormAbout* about = FormAbout())
        DialogSeam::Current().Exec(*about);
}

} // namespace nubra::app
