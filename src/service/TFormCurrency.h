#pragma once
// "Wybór waluty": the program's native currency, ZŁOTY or EURO.
#include <QDialog>

class QRadioButton;

namespace nubra::service {

class TFormCurrency : public QDialog {
    Q_OBJECT
public:
    explicit TFormCurrency(QWidget* parent = nullptr);

    QRadioButton* Zloty() const { return rbtnZloty_; }
    QRadioButton* Euro() const { return rbtnEuro_; }

private:
    QRadioButton* rbtnZloty_;
    QRadioButton* rbtnEuro_;
};

} // namespace nubra::service
