#include "TFormGetSetPTU.h"

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
        auto* edit = new app::RateEdit(this);
        edit->setObjectName(QStringLiteral("CE_PTU") + letter);
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

void TFormGetSetPTU::done(int result) {
    if (result == mrOk && !app::ReadRates(this, rates_))
        return;
    QDialog::done(result);
}

} // namespace nubra::settings
