#pragma once
// Message boxes of the program's own: caption "nubra5", run through the dialog seam.
#include <QMessageBox>
#include <QString>
#include <string>

#include "LinkUi.h"

namespace nubra::app {

// Program texts carry Windows line ends ("\r\n"); Qt wants "\n".
QString ProgramText(const std::string& utf8);
QString ProgramText(const QString& text);

QMessageBox::Icon ToQtIcon(MessageIcon icon);

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

} // namespace nubra::app
