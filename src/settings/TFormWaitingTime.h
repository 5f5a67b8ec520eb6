#pragma once
// "Czas oczekiwania": the minutes the printer waits for a document to be finished. Values only; the
// main window reads and writes them (AGetSetWaitingTimeExecute).
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace nubra::settings {

class TFormWaitingTime : public QDialog {
    Q_OBJECT
public:
    explicit TFormWaitingTime(QWidget* parent = nullptr);

    QLineEdit* ME_Czas() const { return meCzas_; }
    QPushButton* Btn_Ustaw() const { return btnUstaw_; }

protected:
    // ME_Czas takes digits and backspace only; any other key rings the bell.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* meCzas_;
    QPushButton* btnUstaw_;
};

} // namespace nubra::settings
