#include "TFormCurrency.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nubra::service {

TFormCurrency::TFormCurrency(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Wybór waluty"));
    auto* group = new QGroupBox(QStringLiteral(" Bieżąca waluta "), this);
    rbtnZloty_ = new QRadioButton(QStringLiteral("ZŁOTY"), group);
    rbtnZloty_->setObjectName(QStringLiteral("RBtn_Zloty"));
    rbtnZloty_->setChecked(true);
    rbtnEuro_ = new QRadioButton(QStringLiteral("EURO"), group);
    rbtnEuro_->setObjectName(QStringLiteral("RBtn_Euro"));
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(rbtnZloty_);
    choices->addWidget(rbtnEuro_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(2); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

} // namespace nubra::service
