#pragma once
// A VAT rate edit: 0,00..99,99 % with two decimals, read and written as whole hundredths of a
// percent, so 7 % is exactly 700 and no binary fraction reaches the printer.
#include <QDoubleSpinBox>

namespace nubra::app {

class RateEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    static constexpr int kInactive = 9999;

    explicit RateEdit(QWidget* parent = nullptr);

    int Hundredths() const;
    void SetHundredths(int hundredths);
};

} // namespace nubra::app
