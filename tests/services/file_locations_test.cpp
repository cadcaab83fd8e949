#include "services/file_locations.h"

#include "core/module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grossby;

namespace {

class FileLocationsTest : public ::testing::Test {
protected:
    QString folder(const char* name) const
    {
        const QString path = m_dir.filePath(QLatin1String(name));
        QDir().mkpath(path);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(FileLocationsTest, WritableProgramFolderHoldsTheDatabases)
{
    const QString program = folder("program");
    const QString appData = m_dir.filePath(QStringLiteral("appdata"));
    EXPECT_EQ(dataFolder(program, appData), program);
    EXPECT_FALSE(QFileInfo::exists(appData));
    EXPECT_TRUE(QDir(program).entryList(QDir::Files | QDir::Hidden).isEmpty());  // the probe is gone

    Module1 state;
    setDatabasePaths(state, dataFolder(program, appData));
    EXPECT_EQ(QString::fromStdString(state.PrintDatabasePath), program + QStringLiteral("/Crysprin.db"));
    EXPECT_EQ(QString::fromStdString(state.SettingsDatabasePath), program + QStringLiteral("/Settings.db"));
}

TEST_F(FileLocationsTest, ProgramFolderThatCannotHoldFilesFallsBackToAppData)
{
    // A "folder" below a plain file can hold nothing, whoever runs the test.
    QFile plain(m_dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString appData = m_dir.filePath(QStringLiteral("share/Grossby 2018"));
    EXPECT_EQ(dataFolder(plain.fileName() + QStringLiteral("/bin"), appData), appData);
    EXPECT_TRUE(QFileInfo(appData).isDir());
}

TEST_F(FileLocationsTest, ReadOnlyProgramFolderFallsBackToAppData)
{
    const QString program = folder("program");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    const bool probeFails = !canCreateFilesIn(program);
    if (probeFails) {
        const QString appData = m_dir.filePath(QStringLiteral("appdata"));
        EXPECT_EQ(dataFolder(program, appData), appData);
    }
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!probeFails)
        GTEST_SKIP() << "permission bits do not stop this user from writing";
}

TEST_F(FileLocationsTest, RelativeFolderGivesFullPaths)
{
    Module1 state;
    setDatabasePaths(state, QStringLiteral("."));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(state.PrintDatabasePath)).isAbsolute());
    EXPECT_EQ(QFileInfo(QString::fromStdString(state.SettingsDatabasePath)).fileName(), QStringLiteral("Settings.db"));
}

}  // namespace
