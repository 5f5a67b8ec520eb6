#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>

#include "Constants.h"

namespace nubra::app {
namespace {

QString WithSlash(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

bool IsPortable(const QString& programFolder) {
    const QDir dir(programFolder);
    QString tables = QString::fromLatin1(TablesDirectoryName);
    tables.chop(1);
    return QFileInfo(programFolder).isWritable() &&
           (QFileInfo(dir.filePath(QString::fromLatin1(ConfigFileName))).isFile() ||
            QFileInfo(dir.filePath(tables)).isDir());
}

} // namespace

QString ChooseDataFolder(const QString& programFolder, const QString& dataOption, const QString& xdgDataHome,
                         const QString& home) {
    if (!dataOption.isEmpty())
        return WithSlash(dataOption);
    if (IsPortable(programFolder))
        return WithSlash(programFolder);
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base-directory rules ask.
    const QString base = !xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome)
                             ? xdgDataHome
                             : home + QStringLiteral("/.local/share");
    return WithSlash(base + QStringLiteral("/nubra5"));
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
