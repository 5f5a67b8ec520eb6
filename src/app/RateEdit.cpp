#include "RateEdit.h"

#include <QLocale>
#include <cmath>

namespace nubra::service {

RateEdit::RateEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    setDecimals(2);
    setRange(0.0, kInactive / 100.0);
    setSuffix(QStringLiteral(" %"));
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignRight);
    SetHundredths(kInactive);
}

int RateEdit::Hundredths() const {
    // The box keeps its value rounded to two decimals; this only undoes the binary fraction.
    return static_cast<int>(std::lround(value() * 100.0));
}

void RateEdit::SetHundredths(int hundredths) {
    setValue(hundredths / 100.0);
}

} // namespace nubra::service
