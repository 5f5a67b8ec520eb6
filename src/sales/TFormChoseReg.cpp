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
    const DialogButtons buttons =
        MakeDialogButtons(this, "ButtonOK", QStringLiteral("OK"), "ButtonAnuluj", QStringLiteral("Anuluj"));
    buttonOk_ = buttons.accept;
    buttonAnuluj_ = buttons.reject;
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(rgRejestr_);
    layout->addLayout(buttons.row);
    setTabOrder(rgRejestr_, buttonOk_);
    setTabOrder(buttonOk_, buttonAnuluj_);
}

void TFormChoseReg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(this);
    rgRejestr_->setFocus();
}

} // namespace nubra::app
