#include "TFormGetSetPTU.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::settings {

TFormGetSetPTU::TFormGetSetPTU(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Stawki PTU"));
    auto* form = new QFormLayout;
    for (int i = 0; i < RateCount; ++i) {
        const QChar letter(u'A' + i);
        auto* edit = new QDoubleSpinBox(this);
        edit->setObjectName(QStringLiteral("CE_PTU") + letter);
        // Two decimals: the edit holds whole hundredths of a percent, as the printer does.
        edit->setDecimals(2);
        edit->setRange(0.0, 99.99);
        edit->setSuffix(QStringLiteral(" %"));
        edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
        edit->setValue(99.99);
        rates_[static_cast<std::size_t>(i)] = edit;
        form->addRow(BuddyLabel(QStringLiteral("PTU %1:").arg(letter), edit, this), edit);
    }
    auto* legend = new QLabel(QStringLiteral("99.99 % - nieaktywna\n99.98 % - zwolniona"), this);

    setButton_ = ResultButton(this, "Ustaw", QStringLiteral("Ustaw"), mrOk);
    setButton_->setDefault(true);
    QPushButton* cancel = ResultButton(this, "Anuluj", QStringLiteral("Anuluj"), mrCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addWidget(legend);
    layout->addLayout(ButtonRow({setButton_, cancel}));
}

} // namespace nubra::settings
