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
    return ChooseDataFolder(programFolder, dataOption, qEnvironmentVariable("XDG_DATA_HOME"),
                            QDir::homePath());
}

bool MakeDataFolder(const QString& folder) {
    QDir().mkpath(folder);
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace nubra::app
