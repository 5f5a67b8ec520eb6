#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>

#include "DataFolderChoice.h"

namespace nubra::app {

QString ChooseDataFolder(const QString& programFolder, const QString& dataOption, const QString& xdgDataHome,
                         const QString& home) {
    const auto isWritable = [](const std::string& folder) {
        return QFileInfo(QString::fromStdString(folder)).isWritable();
    };
    return QString::fromStdString(nubra::ChooseDataFolder(programFolder.toStdString(),
                                                          dataOption.toStdString(), xdgDataHome.toStdString(),
                                                          home.toStdString(), isWritable));
}

QString ChooseDataFolder(const QString& programFolder, const QString& dataOption) {
#ifdef Q_OS_WIN
    // %APPDATA%\nubra5, where nx3cli looks too.
    const QString dataHome = qEnvironmentVariable("APPDATA");
#else
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
#endif
    return ChooseDataFolder(programFolder, dataOption, dataHome, QDir::homePath());
}

bool MakeDataFolder(const QString& folder) {
    QDir().mkpath(folder);
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace nubra::app
