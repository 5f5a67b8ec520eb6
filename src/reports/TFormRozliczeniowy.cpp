#include "TFormRozliczeniowy.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::reports {

TFormRozliczeniowy::TFormRozliczeniowy(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormRozliczeniowy"));
    setWindowTitle(QStringLiteral("Raport rozliczeniowy"));
    range_ = new TReportRange(this);
    btnWykonaj_ = ResultButton(*this, QStringLiteral("Wykonaj"), "Btn_Wykonaj", Execute);
    btnCancel_ = ResultButton(*this, QStringLiteral("Anuluj"), "Btn_Cancel", Cancel);
    btnCancel_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnWykonaj_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(range_);
    layout->addLayout(buttons);
}

void TFormRozliczeniowy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        range_->Reset(printerType_);
}

} // namespace nubra::reports
