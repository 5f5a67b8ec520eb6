#include "SaveFile.h"

#include "AtomicFile.h"
#include "MessageBox.h"

namespace nubra::app {

// Not QSaveFile: its buffered writes lose the error of the last flush on a full disk, and an empty
// file then replaces the old one.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, std::error_code* reason) {
    return WriteFileAtomically(
        path.toStdString(), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), reason);
}

bool SaveFile(QWidget* parent, const QString& path, const QByteArray& bytes) {
    std::error_code reason;
    if (WriteWholeFile(path, bytes, &reason))
        return true;
    ShowMessageBox(parent, QMessageBox::Critical,
                   QStringLiteral("Błąd zapisu do pliku ") + path + QStringLiteral("\n") +
                       QString::fromLocal8Bit(reason.message()));
    return false;
}

} // namespace nubra::app
