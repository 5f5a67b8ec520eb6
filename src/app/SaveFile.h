#pragma once
// A text file of the program written whole or not at all.
#include <QByteArray>
#include <QString>
#include <system_error>

class QWidget;

namespace nubra::app {

// WriteFileAtomically with a QString path: the old file stays whole when this fails.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, std::error_code* reason = nullptr);

// Written beside the old file and renamed over it, so a failed write (a full disk too) leaves the old
// one whole. False when the file could not be written, after "Błąd zapisu do pliku" and the reason
// have been shown.
bool SaveFile(QWidget* parent, const QString& path, const QByteArray& bytes);

} // namespace nubra::app
