#include "TFormChoseReg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "SaleWidgets.h"
#include "TRegisterGroup.h"

namespace nubra::app {

TFormChoseReg::TFormChoseReg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormChoseReg"));
    setWindowTitle(QStringLiteral("Rejestr"));
    rgRejestr_ = new TRegisterGroup(QStringLiteral("Rejestr"), this);
    buttonOk_ = new QPushButton(QStringLiteral("OK"), this);
    buttonOk_->setObjectName(QStringLiteral("ButtonOK"));
    buttonOk_->setDefault(true);
    buttonAnuluj_ = new QPushButton(QStringLiteral("Anuluj"), this);
    buttonAnuluj_->setObjectName(QStringLiteral("ButtonAnuluj"));
    connect(buttonOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttonAnuluj_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(buttonOk_);
    buttons->addWidget(buttonAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(rgRejestr_);
    layout->addLayout(buttons);
    setTabOrder(rgRejestr_, buttonOk_);
    setTabOrder(buttonOk_, buttonAnuluj_);
}

void TFormChoseReg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(this);
    rgRejestr_->setFocus();
}

} // namespace nubra::app
