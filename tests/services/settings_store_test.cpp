#include "services/settings_store.h"
#include "services/startup_values.h"

#include "sqlite_test_util.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

using namespace grossby;
using grossby::testing::fileBytes;
using grossby::testing::garbage;
using grossby::testing::sqlite;
using grossby::testing::writeBytes;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Settings.db")); }
    QStringList filesInFolder() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir m_dir;
};

SetupValues unusualValues()
{
    SetupValues v;
    v.EmployeeUIF = 0.1 + 0.2;  // not representable exactly: must still come back bit for bit
    v.EmployerUIF = 1.5;
    v.SkillLevy = 2.25;
    v.UIFLimit = 17712.37;
    v.TAIncRate8020 = 0.2;
    v.PensionCont = 7.5;
    v.EmployerPenCont = 1e-9;
    v.ProvCont = 12.125;
    v.EmployerProvCont = 3;
    v.CompCarFBRate8020 = 0.7;  // neither option button, still used as the rate
    v.CompCarMPYesNo = true;
    return v;
}

TEST_F(SettingsStoreTest, MissingStoreIsCreatedWithThe2017Values)
{
    const SettingsStore store(path());
    SetupValues loaded = unusualValues();
    ASSERT_TRUE(store.load(loaded).ok());
    EXPECT_TRUE(QFileInfo::exists(path()));
    EXPECT_EQ(loaded.EmployeeUIF, 1);
    EXPECT_EQ(loaded.EmployerUIF, 1);
    EXPECT_EQ(loaded.SkillLevy, 1);
    EXPECT_EQ(loaded.UIFLimit, 14872);
    EXPECT_EQ(loaded.TAIncRate8020, 0.8);
    EXPECT_EQ(loaded.PensionCont, 0);
    EXPECT_EQ(loaded.EmployerPenCont, 0);
    EXPECT_EQ(loaded.ProvCont, 0);
    EXPECT_EQ(loaded.EmployerProvCont, 0);
    EXPECT_EQ(loaded.CompCarFBRate8020, 0.8);
    EXPECT_FALSE(loaded.CompCarMPYesNo);
    // No scratch file is left beside it, and nothing holds the file open.
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("Settings.db")});
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());

    // The one record, with the eleven typed columns.
    const auto columns = sqlite(path(), QStringLiteral("SELECT name, type FROM pragma_table_info('Setup')"));
    ASSERT_EQ(columns.size(), 11u);
    EXPECT_EQ(columns.back()[0].toString(), QStringLiteral("CompCarMPYesNo"));
    EXPECT_EQ(columns.back()[1].toString(), QStringLiteral("INTEGER"));
    EXPECT_EQ(sqlite(path(), QStringLiteral("SELECT count(*) FROM Setup"))[0][0].toInt(), 1);
}

TEST_F(SettingsStoreTest, EveryValueAndTheFlagComeBackExactly)
{
    const SettingsStore store(path());
    for (bool flag : {true, false}) {
        SetupValues written = unusualValues();
        written.CompCarMPYesNo = flag;
        ASSERT_TRUE(store.save(written, SettingsStore::columnNames()).ok());
        SetupValues read;
        ASSERT_TRUE(store.load(read).ok());
        EXPECT_EQ(read, written) << "flag " << flag;
    }
}

// A calculator's settings take the stored values by name: each value into
// its own member, and a member the store has no value for keeps its own.
TEST(CopySetupValues, EachMemberTakesTheValueOfItsName)
{
    struct AllEleven {
        double EmployeeUIF = -1, EmployerUIF = -1, SkillLevy = -1, UIFLimit = -1, TAIncRate8020 = -1;
        double PensionCont = -1, EmployerPenCont = -1, ProvCont = -1, EmployerProvCont = -1, CompCarFBRate8020 = -1;
        bool CompCarMPYesNo = false;
    };
    const SetupValues v = unusualValues();
    AllEleven all;
    copySetupValues(v, all);
    const SetupValues back{all.EmployeeUIF,      all.EmployerUIF,       all.SkillLevy,       all.UIFLimit,
                           all.TAIncRate8020,    all.PensionCont,       all.EmployerPenCont, all.ProvCont,
                           all.EmployerProvCont, all.CompCarFBRate8020, all.CompCarMPYesNo};
    EXPECT_EQ(back, v);

    struct SomeOfThem {
        double UIFLimit = -1;
        double TAIncRate8020 = -1;
        double ownRate = 42;
    };
    SomeOfThem some;
    copySetupValues(v, some);
    EXPECT_EQ(some.UIFLimit, v.UIFLimit);
    EXPECT_EQ(some.TAIncRate8020, v.TAIncRate8020);
    EXPECT_EQ(some.ownRate, 42);
}

TEST_F(SettingsStoreTest, SavingAWindowsColumnsLeavesTheOthers)
{
    const SettingsStore store(path());
    const SetupValues package = unusualValues();
    ASSERT_TRUE(store.save(package, SettingsStore::packageColumns()).ok());

    // A period window writes its five columns from its own (default) copy.
    SetupValues period;
    period.EmployeeUIF = 2;
    period.UIFLimit = 15000;
    ASSERT_TRUE(store.save(period, SettingsStore::periodColumns()).ok());

    SetupValues read;
    ASSERT_TRUE(store.load(read).ok());
    SetupValues expected = package;
    expected.EmployeeUIF = 2;
    expected.EmployerUIF = 1;
    expected.SkillLevy = 1;
    expected.UIFLimit = 15000;
    expected.TAIncRate8020 = 0.8;
    EXPECT_EQ(read, expected);
}

TEST_F(SettingsStoreTest, UnknownColumnIsRefusedAndNothingIsWritten)
{
    const SettingsStore store(path());
    ASSERT_TRUE(store.ensure().ok());
    const DbStatus s = store.save(unusualValues(), {QStringLiteral("EmployeeUIF"), QStringLiteral("Bogus")});
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(s.error.contains(QStringLiteral("\"Bogus\""))) << s.error.toStdString();
    SetupValues read;
    ASSERT_TRUE(store.load(read).ok());
    EXPECT_EQ(read, SetupValues{});
}

struct DamageCase {
    const char* name;
    std::function<void(const QString&)> make;
    const char* expected;  // part of the message
};

TEST_F(SettingsStoreTest, DamagedStoresAreReportedByNameAndLeftUntouched)
{
    std::vector<DamageCase> cases = {
        {"random bytes", [](const QString& p) { writeBytes(p, garbage()); }, "is not a settings database"},
        {"missing table", [](const QString& p) { sqlite(p, QStringLiteral("CREATE TABLE Other (x REAL)")); },
         "has no table \"Setup\""},
        {"missing columns",
         [](const QString& p) {
             sqlite(p,
                    {QStringLiteral("CREATE TABLE Setup (EmployeeUIF REAL, EmployerUIF REAL, SkillLevy REAL, "
                                    "UIFLimit REAL, TAIncRate8020 REAL, PensionCont REAL, "
                                    "EmployerPenCont REAL, ProvCont REAL, EmployerProvCont REAL)"),
                     QStringLiteral("INSERT INTO Setup DEFAULT VALUES")});
         },
         "lacks the columns \"CompCarFBRate8020\", \"CompCarMPYesNo\""},
        {"missing record",
         [](const QString& p) {
             SettingsStore(p).ensure();
             sqlite(p, QStringLiteral("DELETE FROM Setup"));
         },
         "holds no record"},
        {"empty value",
         [](const QString& p) {
             SettingsStore(p).ensure();
             sqlite(p, QStringLiteral("UPDATE Setup SET UIFLimit = NULL"));
         },
         "no usable value in the column \"UIFLimit\""},
    };
    // Values no window writes are damage too, named by column.
    const struct {
        const char* set;
        const char* column;
    } implausible[] = {
        {"EmployeeUIF = 'nan'", "EmployeeUIF"},
        {"SkillLevy = 9e999", "SkillLevy"},
        {"EmployerUIF = -1", "EmployerUIF"},
        {"PensionCont = 1e308", "PensionCont"},
        {"UIFLimit = 1e308", "UIFLimit"},
        {"UIFLimit = -0.01", "UIFLimit"},
        {"TAIncRate8020 = 1.5", "TAIncRate8020"},
        {"CompCarFBRate8020 = -9e999", "CompCarFBRate8020"},
        {"CompCarMPYesNo = 'inf'", "CompCarMPYesNo"},
        {"EmployerProvCont = 100.5", "EmployerProvCont"},
    };
    for (const auto& bad : implausible) {
        const QString update = QStringLiteral("UPDATE Setup SET ") + QLatin1String(bad.set);
        cases.push_back({bad.set,
                         [update](const QString& p) {
                             SettingsStore(p).ensure();
                             sqlite(p, update);
                         },
                         bad.column});
    }
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("Settings.db"));
        c.make(p);
        const QByteArray before = fileBytes(p);
        const SettingsStore store(p);

        SetupValues values = unusualValues();
        const DbStatus loaded = store.load(values);
        EXPECT_FALSE(loaded.ok());
        EXPECT_TRUE(loaded.damaged);
        EXPECT_TRUE(loaded.error.contains(p)) << loaded.error.toStdString();
        EXPECT_TRUE(loaded.error.contains(QLatin1String(c.expected))) << loaded.error.toStdString();
        EXPECT_EQ(values, unusualValues());  // the caller's copy is not half-filled

        EXPECT_FALSE(store.save(SetupValues{}, SettingsStore::columnNames()).ok());
        EXPECT_EQ(fileBytes(p), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings.db")});
    }
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST_F(SettingsStoreTest, SettingAsideKeepsTheOldFileAndStartsFresh)
{
    const QByteArray damaged = garbage();
    writeBytes(path(), damaged);
    // A journal beside the old file belongs to it: left behind, it would be
    // replayed into the fresh store.
    writeBytes(path() + QStringLiteral("-journal"), QByteArrayLiteral("old journal"));
    const SettingsStore store(path());

    QString keptAs;
    ASSERT_TRUE(store.setAsideAndRecreate(&keptAs).ok());
    EXPECT_TRUE(QFileInfo(keptAs).fileName().startsWith(QStringLiteral("Settings.db.damaged-")))
        << keptAs.toStdString();
    EXPECT_EQ(fileBytes(keptAs), damaged);
    EXPECT_EQ(fileBytes(keptAs + QStringLiteral("-journal")), QByteArrayLiteral("old journal"));
    EXPECT_FALSE(QFileInfo::exists(path() + QStringLiteral("-journal")));
    SetupValues read = unusualValues();
    ASSERT_TRUE(store.load(read).ok());
    EXPECT_EQ(read, SetupValues{});

    // A second set-aside within the same second finds another free name.
    QString keptAgain;
    ASSERT_TRUE(store.setAsideAndRecreate(&keptAgain).ok());
    EXPECT_NE(keptAgain, keptAs);
    EXPECT_EQ(fileBytes(keptAs), damaged);
    EXPECT_EQ(filesInFolder().size(), 4);  // two kept, one journal, the fresh store
}

TEST_F(SettingsStoreTest, ReadOnlyStoreIsReportedOnSave)
{
    const SettingsStore store(path());
    ASSERT_TRUE(store.ensure().ok());
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (QFileInfo(path()).isWritable())
        GTEST_SKIP() << "permission bits do not stop this user from writing";
    const DbStatus s = store.save(unusualValues(), SettingsStore::columnNames());
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(s.error.contains(path()));
    EXPECT_TRUE(s.error.contains(QStringLiteral("read-only")));
    SetupValues read;
    ASSERT_TRUE(store.load(read).ok());
    EXPECT_EQ(read, SetupValues{});
}

TEST_F(SettingsStoreTest, ParallelFirstRunsShareOneStore)
{
    // Several runs find no store and create one at once: each uses the
    // store that won, none fails.
    for (int round = 0; round < 5; ++round) {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("Settings.db"));
        std::vector<std::thread> runs;
        std::atomic<int> failures{0};
        std::atomic<bool> go{false};
        QStringList errors;
        std::mutex lock;
        for (int i = 0; i < 6; ++i) {
            runs.emplace_back([&] {
                while (!go.load()) { }
                SetupValues read;
                const DbStatus s = SettingsStore(p).load(read);
                if (!s || !(read == SetupValues{})) {
                    ++failures;
                    const std::lock_guard<std::mutex> guard(lock);
                    errors << s.error;
                }
            });
        }
        go = true;
        for (std::thread& t : runs)
            t.join();
        EXPECT_EQ(failures.load(), 0) << errors.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings.db")});
    }
}

TEST_F(SettingsStoreTest, ProgramFolderStoreIsReadUntilTheFirstSaveCopiesIt)
{
    // The program folder's store (which this user may not be able to write)
    // and an app-data folder that has no store yet.
    const QString program = m_dir.filePath(QStringLiteral("program"));
    const QString appData = m_dir.filePath(QStringLiteral("appdata"));
    QDir().mkpath(program);
    QDir().mkpath(appData);
    const QString seed = QDir(program).filePath(QStringLiteral("Settings.db"));
    const QString own = QDir(appData).filePath(QStringLiteral("Settings.db"));
    SetupValues shipped;
    shipped.EmployeeUIF = 2;
    shipped.UIFLimit = 20000;
    ASSERT_TRUE(SettingsStore(seed).save(shipped, SettingsStore::columnNames()).ok());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray seedBytes = fileBytes(seed);

    const SettingsStore store(own, seed);
    EXPECT_EQ(store.readPath(), seed);
    SetupValues read;
    ASSERT_TRUE(store.load(read).ok());
    EXPECT_EQ(read, shipped);
    EXPECT_FALSE(QFileInfo::exists(own)) << "reading makes no copy";

    SetupValues changed = shipped;
    changed.SkillLevy = 0.5;
    changed.PensionCont = 7.5;  // not written: only the period columns are saved
    ASSERT_TRUE(store.save(changed, SettingsStore::periodColumns()).ok());
    EXPECT_EQ(store.readPath(), own);
    ASSERT_TRUE(store.load(read).ok());
    SetupValues expected = shipped;
    expected.SkillLevy = 0.5;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(fileBytes(seed), seedBytes);
    EXPECT_EQ(QDir(appData).entryList(QDir::Files), QStringList{QStringLiteral("Settings.db")});

    // A damaged program-folder store is reported by its own name.
    QTemporaryDir other;
    const QString badSeed = other.filePath(QStringLiteral("Settings.db"));
    writeBytes(badSeed, garbage());
    const QString fresh = other.filePath(QStringLiteral("own.db"));
    const DbStatus s = SettingsStore(fresh, badSeed).load(read);
    EXPECT_TRUE(s.damaged);
    EXPECT_TRUE(s.error.contains(badSeed)) << s.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(fresh));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SettingsStoreTest, StartupValuesReadAsDefaultsWithoutCreatingAnything)
{
    StartupValues missing = readStartupValues(path());
    EXPECT_TRUE(missing.ViewAbout);
    EXPECT_TRUE(missing.Var1.isEmpty());
    EXPECT_TRUE(filesInFolder().isEmpty());

    writeBytes(path(), garbage());
    const StartupValues damaged = readStartupValues(path());
    EXPECT_TRUE(damaged.ViewAbout);
    EXPECT_TRUE(damaged.Var1.isEmpty());
    const DbStatus s = writeVar1(path(), QStringLiteral("120"));
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(s.error.contains(path()));
    EXPECT_EQ(fileBytes(path()), garbage());

    // A sound settings file from before start-up values were kept.
    QFile::remove(path());
    ASSERT_TRUE(SettingsStore(path()).ensure().ok());
    EXPECT_TRUE(readStartupValues(path()).ViewAbout);
}

TEST_F(SettingsStoreTest, StartupValuesAreStoredBesideTheSettings)
{
    ASSERT_TRUE(writeViewAbout(path(), false).ok());  // creates the store
    SetupValues settings = unusualValues();
    ASSERT_TRUE(SettingsStore(path()).load(settings).ok());
    EXPECT_EQ(settings, SetupValues{});

    ASSERT_TRUE(writeVar1(path(), QString::number(versionNumber(1, 2, 0))).ok());
    StartupValues read = readStartupValues(path());
    EXPECT_FALSE(read.ViewAbout);  // the other value is kept
    EXPECT_EQ(read.Var1, QStringLiteral("120"));

    ASSERT_TRUE(writeViewAbout(path(), true).ok());
    read = readStartupValues(path());
    EXPECT_TRUE(read.ViewAbout);
    EXPECT_EQ(read.Var1, QStringLiteral("120"));
    EXPECT_EQ(sqlite(path(), QStringLiteral("SELECT count(*) FROM StartUp"))[0][0].toInt(), 1);
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST(StartupVersion, NumberAndStoredVersion)
{
    EXPECT_EQ(versionNumber(1, 2, 0), 120);
    EXPECT_EQ(versionNumber(1, 2, 1), 121);
    EXPECT_EQ(versionNumber(1, 10, 3), 1103);

    const std::pair<const char*, long long> stored[] = {
        {"", 0}, {"120", 120}, {" 120 ", 120}, {"12abc", 12}, {"abc", 0}, {"-5", -5},
    };
    for (const auto& [text, number] : stored)
        EXPECT_EQ(acceptedVersion(QString::fromLatin1(text)), number) << text;
}

}  // namespace
