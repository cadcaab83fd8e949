#include "services/file_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace grossby {

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString dataFolder()
{
    const QString program = programFolder();
    const QFileInfo info(program);
    if (info.isDir() && info.isWritable())
        return program;
    QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (appData.isEmpty())
        appData = QDir::homePath() + QStringLiteral("/.grossby2018");
    QDir().mkpath(appData);
    return appData;
}

}  // namespace grossby
