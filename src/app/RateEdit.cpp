#include "RateEdit.h"

#include <QLocale>

#include "PtuRate.h"

namespace nubra::app {

RateEdit::RateEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    setDecimals(2);
    setRange(0.0, ptu::Percent(kInactive));
    setSuffix(QStringLiteral(" %"));
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignRight);
    SetHundredths(kInactive);
}

int RateEdit::Hundredths() const {
    return ptu::Hundredths(value());
}

void RateEdit::SetHundredths(int hundredths) {
    setValue(ptu::Percent(hundredths));
}

} // namespace nubra::app
