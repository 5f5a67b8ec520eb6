#pragma once
// "Konfiguracja portu": the choice of COM1..COM4. The dialog only returns the choice; the main
// window opens the port (ASetPortExecute).
#include <QDialog>
#include <QStringList>
#include <vector>

#include "SerialDevices.h"

class QComboBox;
class QPushButton;

namespace nubra::app {

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

    QComboBox* PortList() const { return cbPort_; }
    QComboBox* DeviceList() const { return cbDevice_; }
    QPushButton* SetButton() const { return setButton_; }
    QPushButton* CloseButton() const { return closeButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* cbPort_;
    QComboBox* cbDevice_;
    QPushButton* setButton_;
    QPushButton* closeButton_;
};

} // namespace nubra::app
