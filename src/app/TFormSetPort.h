#pragma once
// "Konfiguracja portu": the choice of COM1..COM4. The dialog only returns the choice; the main
// window opens the port (ASetPortExecute). "Wykryj" probes the serial devices for an NX-3 and offers
// the one that answered.
#include <QDialog>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ProbeOps.h"
#include "SerialDevices.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace nubra::app {

// What "Wykryj" needs from the program; without it the button is hidden.
struct PortProbe {
    // The devices to try, read at the press: an adapter plugged in meanwhile is among them.
    std::function<std::vector<ops::ProbeTarget>()> targets;
    // One device; runs on a thread of its own.
    std::function<ops::ProbeOutcome(const std::string& path)> probe;
    // Before the first device: the program lets its own port go, or the device it holds reads as busy.
    std::function<void()> release;
    // What "/dev/..." of the listed devices stands for (a fake tree in tests).
    std::filesystem::path deviceRoot = "/";
};

class TFormSetPort : public QDialog {
    Q_OBJECT
public:
    explicit TFormSetPort(QWidget* parent = nullptr);

    // Shown beside each COM number: the device it stands for.
    void SetDevicePaths(const QStringList& paths);
    // The serial devices of the machine, offered for the chosen COM number.
    void SetSerialDevices(const std::vector<SerialDevice>& devices);
    // The device (its stable name) to give the chosen COM number; empty keeps the one it has.
    QString ChosenDevice() const;
    // 0 clears the selection.
    void SelectPort(int portNumber);
    // Selected index + 1; 0 when nothing is selected.
    int SelectedPort() const;
    void SetProbe(PortProbe probe);
    // "Wykryj": every device in turn off the window's thread, with a progress bar whose "Anuluj"
    // stops before the next device. The first NX-3 that answered is offered: its COM number
    // selected, or the device given to the chosen COM number; none gives a message.
    void Detect();

    QPushButton* DetectButton() const { return detectButton_; }
    // What the last "Wykryj" found.
    QLabel* FoundLabel() const { return foundLabel_; }

    QComboBox* PortList() const { return cbPort_; }
    QComboBox* DeviceList() const { return cbDevice_; }
    QPushButton* SetButton() const { return setButton_; }
    QPushButton* CloseButton() const { return closeButton_; }

signals:
    // Before device `index` of the run is tried.
    void probeStep(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* cbPort_;
    QComboBox* cbDevice_;
    QPushButton* setButton_;
    QPushButton* closeButton_;
    QPushButton* detectButton_;
    QLabel* foundLabel_;
    PortProbe probe_;

    // Gives the chosen COM number the device at this path, adding it to the list when not there.
    void OfferDevice(const std::string& path);
};

} // namespace nubra::app
