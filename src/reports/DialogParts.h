#pragma once
// Small parts the report dialogs are built from.
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <initializer_list>
#include <utility>

namespace nubra::reports {

// A push button that ends the dialog with the given result.
inline QPushButton* ResultButton(QDialog& dialog, const QString& caption, const char* name, int result) {
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, result] { dialog.done(result); });
    return button;
}

// Rows of a caption and its field from the top of a fresh grid, the caption attached to the field.
inline void AddLabelledRows(QGridLayout& grid, std::initializer_list<std::pair<QString, QWidget*>> rows) {
    int at = 0;
    for (const auto& [caption, field] : rows) {
        auto* label = new QLabel(caption, field->parentWidget());
        label->setBuddy(field);
        grid.addWidget(label, at, 0);
        grid.addWidget(field, at++, 1);
    }
}

} // namespace nubra::reports
