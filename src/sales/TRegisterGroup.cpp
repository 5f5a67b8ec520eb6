#include "TRegisterGroup.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace nubra::app {

TRegisterGroup::TRegisterGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    setObjectName(QStringLiteral("RG_Rejestr"));
    buttons_ = new QButtonGroup(this);
    auto* layout = new QHBoxLayout(this);
    for (int i = 0; i < 8; ++i) {
        auto* item = new QRadioButton(QString::number(i + 1), this);
        item->setAccessibleName(QStringLiteral("Rejestr %1").arg(i + 1));
        buttons_->addButton(item, i);
        layout->addWidget(item);
    }
    // Tab stops at the chosen item only, as one control; the arrow keys move the choice.
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        buttons_->button(id)->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
        if (on)
            setFocusProxy(buttons_->button(id));
    });
    for (QAbstractButton* item : buttons_->buttons())
        item->setFocusPolicy(Qt::ClickFocus);
    buttons_->button(0)->setChecked(true);
    connect(buttons_, &QButtonGroup::idClicked, this, &TRegisterGroup::clicked);
}

int TRegisterGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void TRegisterGroup::SetItemIndex(int index) {
    if (QAbstractButton* item = buttons_->button(index))
        item->setChecked(true);
}

} // namespace nubra::app
