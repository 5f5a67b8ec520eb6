#pragma once
// A text file of the program written whole or not at all.
#include <QByteArray>
#include <QString>

class QWidget;

namespace nubra::app {

// Written beside the old file and renamed over it, so a failed write leaves the old one whole. False
// when the file could not be written, after "Błąd zapisu do pliku" and the reason have been shown.
bool SaveFile(QWidget* parent, const QString& path, const QByteArray& bytes);

} // namespace nubra::app
