#pragma once
// "Zmiana waluty ewidencyjnej": when the printer changes its accounting currency and to which one.
// The masked fields are read with their blanks in place ("20  -  -  "), so positions stay fixed.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace nubra::service {

class TFormEuro : public QDialog {
    Q_OBJECT
public:
    static constexpr int kUstaw = 1;
    static constexpr int kAnuluj = 2;

    explicit TFormEuro(QWidget* parent = nullptr);

    // Texts with their blanks as spaces: "2003-01-01", "00:00".
    QString Date() const;
    QString Time() const;
    QString NextCurrency() const;
    void Fill(const QString& date, const QString& time, const QString& next, const QString& current);

    QLineEdit* DateEdit() const { return mEditData_; }
    QLineEdit* TimeEdit() const { return mEditGodzina_; }
    QLineEdit* NextEdit() const { return mNextCurrency_; }
    QLineEdit* CurrentEdit() const { return mCurrentCurrency_; }
    QPushButton* UstawButton() const { return kbUstaw_; }

private:
    // "Ustaw": a field whose required digits are missing is refused, as leaving it would have been.
    void Confirm();

    QLineEdit* mEditData_;
    QLineEdit* mEditGodzina_;
    QLineEdit* mNextCurrency_;
    QLineEdit* mCurrentCurrency_;
    QPushButton* kbUstaw_;
    QPushButton* kbAnuluj_;
};

} // namespace nubra::service
