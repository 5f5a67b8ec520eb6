#include "TFormPosts.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::settings {

TFormPosts::TFormPosts(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Numery stanowisk"));
    auto* form = new QFormLayout;
    for (int reg = 1; reg <= PostCount; ++reg) {
        auto* edit = new QSpinBox(this);
        edit->setObjectName(QStringLiteral("SEPost%1").arg(reg));
        edit->setRange(0, 99);
        posts_[static_cast<std::size_t>(reg - 1)] = edit;
        form->addRow(BuddyLabel(QStringLiteral("Rejestr %1, stanowisko nr:").arg(reg), edit, this), edit);
    }
    buttonOk_ = ResultButton(this, "ButtonOK", QStringLiteral("Ustaw"), mrOk);
    buttonOk_->setDefault(true);
    SetHint(buttonOk_, QStringLiteral("Ustaw numery stanowisk"));
    buttonAnuluj_ = ResultButton(this, "ButtonAnuluj", QStringLiteral("Anuluj"), mrCancel);
    SetHint(buttonAnuluj_, QStringLiteral("Zaniechaj ustawienia numerów stanowisk"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addLayout(ButtonRow({buttonOk_, buttonAnuluj_}));
}

void TFormPosts::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    buttonAnuluj_->setFocus();
}

} // namespace nubra::settings
