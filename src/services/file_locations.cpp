#include "services/file_locations.h"

#include "core/module1.h"
#include "core/year_figures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>

namespace grossby {

namespace {

// Where an installed program's data files are, relative to its prefix.
const QLatin1String kInstalledData("/share/grossby");

// An installed program's data folder is shared by every user of the machine:
// never the place for one user's databases, even when it is writable (root).
bool isInstalledDataFolder(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath()).endsWith(kInstalledData);
}

}  // namespace

QString programFolder()
{
    if (!QCoreApplication::instance())
        return QDir::currentPath();
    // Installed, the executables are in <prefix>/bin and their data files in
    // <prefix>/share/grossby; in the build tree (or a portable copy) the data
    // files are beside the executables.
    const QString executables = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(executables + QStringLiteral("/..") + kInstalledData);
    if (QFileInfo(installed).isDir())
        return installed;
    return executables;
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

void addTaxYearFolders()
{
    // The program folder is found through the application object: the
    // command-line tool has none at start, so one is made for the look-up
    // and gone before any subcommand makes its own.
    std::unique_ptr<QCoreApplication> temporary;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "grossby";
        static char* argv[] = {name, nullptr};
        temporary = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QString folders[] = {programFolder(), appDataFolder()};
    temporary.reset();
    for (const QString& folder : folders)
        addTaxYearFolder(std::filesystem::path(QFile::encodeName(folder + QStringLiteral("/years")).toStdString()));
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
    if (!isInstalledDataFolder(programDir) && canCreateFilesIn(programDir))
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
