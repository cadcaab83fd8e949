#include "services/file_locations.h"

#include "core/module1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace grossby {

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString appDataFolder()
{
    // Named here rather than taken from the application object, so the
    // desktop program and the command-line tool always agree on the folder.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return QDir::homePath() + QStringLiteral("/.grossby2018");
    return base + QStringLiteral("/Grossby/Grossby 2018");
}

bool canCreateFilesIn(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".grossby-write-probe-XXXXXX")));
    return probe.open();  // removed again when `probe` goes
}

QString dataFolder(const QString& programDir, const QString& appDataDir)
{
    if (canCreateFilesIn(programDir))
        return QDir::cleanPath(programDir);
    QDir().mkpath(appDataDir);
    return QDir::cleanPath(appDataDir);
}

QString dataFolder()
{
    return dataFolder(programFolder(), appDataFolder());
}

void setDatabasePaths(Module1& state, const QString& folder)
{
    const QDir dir(QFileInfo(folder).absoluteFilePath());
    state.PrintDatabasePath = dir.filePath(QLatin1String(kPrintFileName)).toStdString();
    state.SettingsDatabasePath = dir.filePath(QLatin1String(kSettingsFileName)).toStdString();
}

void locateDatabases(Module1& state)
{
    setDatabasePaths(state, dataFolder());
}

}  // namespace grossby
