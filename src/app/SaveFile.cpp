#include "SaveFile.h"

#include <QSaveFile>

#include "MessageBox.h"

namespace nubra::app {

bool SaveFile(QWidget* parent, const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    ShowMessageBox(parent, QMessageBox::Critical,
                   QStringLiteral("Błąd zapisu do pliku ") + path + QStringLiteral("\n") +
                       file.errorString());
    return false;
}

} // namespace nubra::app
