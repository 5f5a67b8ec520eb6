#pragma once
// The radio group of the sale dialogs: items "1" to "8" in eight columns; the arrow keys move the
// choice, Tab leaves the group.
#include <QGroupBox>

class QButtonGroup;

namespace nubra::app {

class TRegisterGroup : public QGroupBox {
    Q_OBJECT
public:
    TRegisterGroup(const QString& caption, QWidget* parent = nullptr);

    // 0..7, as the item index; the register is ItemIndex() + 1.
    int ItemIndex() const;
    void SetItemIndex(int index);

signals:
    // The user chose an item.
    void clicked(int index);

private:
    QButtonGroup* buttons_ = nullptr;
};

} // namespace nubra::app
