#include "TFormMoveTime.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::settings {

TFormMoveTime::TFormMoveTime(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Zmiana czasu letni/zimowy"));
    rgPlusMinus_ = new TRadioGroup("RG_PlusMinus", QString(),
                                   {QStringLiteral("Przesunięcie zegara kasy do &przodu o godzinę o 2:00"),
                                    QStringLiteral("Przesunięcie zegara kasy do &tyłu o godzinę o 3:00")},
                                   1, this);
    buttonOk_ = ResultButton(this, "ButtonOK", QStringLiteral("Ustaw"), mrOk);
    buttonOk_->setDefault(true);
    SetHint(buttonOk_, QStringLiteral("Wymuś przesunięcie czasu"));
    buttonAnuluj_ = ResultButton(this, "ButtonAnuluj", QStringLiteral("Anuluj"), mrCancel);
    SetHint(buttonAnuluj_, QStringLiteral("Zaniechaj przesunięcia czasu"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(rgPlusMinus_);
    layout->addLayout(ButtonRow({buttonOk_, buttonAnuluj_}));
}

void TFormMoveTime::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    buttonAnuluj_->setFocus();
}

} // namespace nubra::settings
