#pragma once
// "Konfiguracja portu": the choice of COM1..COM4. The dialog only returns the choice; the main
// window opens the port (ASetPortExecute).
#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace nubra::app {

class TFormSetPort : public QDialog {
    Q_OBJECT
public:
    explicit TFormSetPort(QWidget* parent = nullptr);

    // Shown beside each COM number: the device it stands for.
    void SetDevicePaths(const QStringList& paths);
    // 0 clears the selection.
    void SelectPort(int portNumber);
    // Selected index + 1; 0 when nothing is selected.
    int SelectedPort() const;

    QComboBox* PortList() const { return cbPort_; }
    QPushButton* SetButton() const { return setButton_; }
    QPushButton* CloseButton() const { return closeButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* cbPort_;
    QPushButton* setButton_;
    QPushButton* closeButton_;
};

} // namespace nubra::app
