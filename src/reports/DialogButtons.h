#pragma once
// A push button of a report dialog that ends the dialog with the given result.
#include <QDialog>
#include <QPushButton>

namespace nubra::reports {

inline QPushButton* ResultButton(QDialog& dialog, const QString& caption, const char* name, int result) {
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, result] { dialog.done(result); });
    return button;
}

} // namespace nubra::reports
