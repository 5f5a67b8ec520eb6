#pragma once
// "Data i czas": the printer's date and time beside the computer's clock. The buttons "Ustaw" and
// "Odśwież" only signal; the main window talks to the printer (ASetDateTimeExecute,
// AGetDateTimeExecute).
#include <QDateTime>
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace nubra::settings {

class TFormDateTime : public QDialog {
    Q_OBJECT
public:
    explicit TFormDateTime(QWidget* parent = nullptr);

    QLineEdit* ME_Date() const { return meDate_; }
    QLineEdit* ME_Time() const { return meTime_; }
    QLabel* L_CompDateTime() const { return lCompDateTime_; }
    QCheckBox* CB_OnlyHour() const { return cbOnlyHour_; }
    QPushButton* BtnSetDateTime() const { return btnSetDateTime_; }
    QPushButton* BtnRefresh() const { return btnRefresh_; }
    QTimer* Timer() const { return timer_; }

    // The computer's clock; tests fix it.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // Shows the computer's clock as 20yy-mm-dd hh:nn:ss.
    void TimerTimer();

signals:
    void setDateTimeClicked();
    void refreshClicked();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CB_OnlyHourClick();
    bool TypeDateDigit(QChar digit);

    QLineEdit* meDate_;
    QLineEdit* meTime_;
    QLabel* lCompDateTime_;
    QCheckBox* cbOnlyHour_;
    QPushButton* btnSetDateTime_;
    QPushButton* btnRefresh_;
    QTimer* timer_;
    // The digits typed one after another from the year's first place, and the date they overwrite.
    QString typed_;
    QString typedOver_;
    int typedEnd_ = -1;
};

} // namespace nubra::settings
