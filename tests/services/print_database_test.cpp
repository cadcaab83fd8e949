#include "services/print_database.h"
#include "services/print_schema.h"

#include "sqlite_test_util.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grossby;
using grossby::testing::fileBytes;
using grossby::testing::garbage;
using grossby::testing::sqlite;
using grossby::testing::writeBytes;

namespace {

class PrintDatabaseTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Crysprin.db")); }

    std::vector<QVariantList> rows(const QString& sql) const { return sqlite(path(), sql); }

    QTemporaryDir m_dir;
};

TEST(PrintSchema, NamesAreUniqueWithinEachTable)
{
    // SQLite compares names without case, so two columns differing only in
    // case would clash.
    QSet<QString> tables;
    for (const PrintTable& table : printSchema()) {
        EXPECT_FALSE(tables.contains(QString::fromStdString(table.name).toLower())) << table.name;
        tables.insert(QString::fromStdString(table.name).toLower());
        QSet<QString> columns;
        for (const PrintColumn& column : table.columns) {
            const QString key = QString::fromStdString(column.name).toLower();
            EXPECT_FALSE(columns.contains(key)) << table.name << "." << column.name;
            columns.insert(key);
        }
    }
    EXPECT_EQ(PrintDatabase::tableNames().size(), 15);  // with the company car register's totals
}

TEST_F(PrintDatabaseTest, FirstUseCreatesEveryTableWithItsColumnsAndRows)
{
    const PrintDatabase db(path());
    ASSERT_TRUE(db.ensure().ok());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Crysprin.db")});

    for (const PrintTable& table : printSchema()) {
        SCOPED_TRACE(table.name);
        const QString name = QString::fromStdString(table.name);
        const auto info = rows(QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(name));
        ASSERT_EQ(info.size(), table.columns.size());
        for (size_t i = 0; i < info.size(); ++i) {
            EXPECT_EQ(info[i][0].toString().toStdString(), table.columns[i].name);
            EXPECT_EQ(info[i][1].toString().toStdString(), sqlTypeName(table.columns[i].type));
        }
        const int count = rows(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(name))[0][0].toInt();
        EXPECT_EQ(count, table.multiRow ? 0 : 1);
    }
    // A second ensure changes nothing.
    const QByteArray before = fileBytes(path());
    ASSERT_TRUE(db.ensure().ok());
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST_F(PrintDatabaseTest, SingleRowIsOverwrittenFieldByField)
{
    const PrintDatabase db(path());
    ASSERT_TRUE(
        db.writeSingleRow(
              "kwiktax",
              {{"AGE", std::int32_t(40)}, {"TAXINCOME", 500000.0}, {"TAXCOM4", 115824.4}, {"TAXCOM4/2", 115824.4 / 12}})
            .ok());
    // A later print writes some fields; a field written twice keeps its last value.
    ASSERT_TRUE(
        db.writeSingleRow("kwiktax", {{"TAXINCOME", 70000.0}, {"AGE", std::int32_t(65)}, {"AGE", std::int32_t(70)}})
            .ok());
    const auto r = rows(QStringLiteral("SELECT AGE, TAXINCOME, TAXCOM4, \"TAXCOM4/2\", TOTTAX FROM kwiktax"));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0].toInt(), 70);
    EXPECT_EQ(r[0][1].toDouble(), 70000.0);
    EXPECT_EQ(r[0][2].toDouble(), 115824.4);
    EXPECT_EQ(r[0][3].toDouble(), 115824.4 / 12);
    EXPECT_EQ(r[0][4].toDouble(), 0.0);  // never written: 0, not NULL

    ASSERT_TRUE(db.writeSingleRow("IRP5Mon", {{"Employee", std::string("Vir : Zoë Nel")}}).ok());
    EXPECT_EQ(rows(QStringLiteral("SELECT Employee, TypeAM FROM IRP5Mon"))[0],
              (QVariantList{QStringLiteral("Vir : Zoë Nel"), QString()}));
}

TEST_F(PrintDatabaseTest, MultiRowTableIsEmptiedAndRefilled)
{
    const PrintDatabase db(path());
    auto year = [](int y, double capital) {
        return PrintRecord{{"Year", std::int32_t(y)}, {"Capital", capital}, {"Interest", 1.5}, {"Required", 0.0}};
    };
    ASSERT_TRUE(db.replaceRows("Amort", {year(1, 10), year(2, 20), year(3, 30)}).ok());
    ASSERT_TRUE(db.replaceRows("Amort", {year(1, 11), year(2, 22)}).ok());
    const auto r = rows(QStringLiteral("SELECT Year, Capital FROM Amort ORDER BY rowid"));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], (QVariantList{2, 22.0}));

    // An empty register leaves an empty table.
    ASSERT_TRUE(db.replaceRows("compcar", {{{"CarNum", std::int32_t(1)}}}).ok());
    ASSERT_TRUE(db.stage({{"compcar", {}}}).ok());
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM compcar"))[0][0].toInt(), 0);
}

TEST_F(PrintDatabaseTest, FailedStagingLeavesThePreviousContentsWhole)
{
    const PrintDatabase db(path());
    ASSERT_TRUE(db.stage({{"Loans", {{{"Heading", std::string("Monthly repayment")}, {"Num1", 100000.0}}}},
                          {"Amort", {{{"Year", std::int32_t(1)}, {"Capital", 5.0}}}}})
                    .ok());
    const QByteArray before = fileBytes(path());

    // The first table is written before the second one fails.
    const DbStatus s =
        db.stage({{"Loans", {{{"Heading", std::string("Interest rate")}, {"Num1", 1.0}}}},
                  {"Amort", {{{"Year", std::int32_t(1)}}, {{"Year", std::int32_t(2)}, {"Bogus", 1.0}}}}});
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(s.damaged);
    for (const char* part : {"\"Bogus\"", "\"Amort\""})
        EXPECT_TRUE(s.error.contains(QLatin1String(part))) << s.error.toStdString();
    EXPECT_TRUE(s.error.contains(path())) << s.error.toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT Heading, Num1 FROM Loans"))[0],
              (QVariantList{QStringLiteral("Monthly repayment"), 100000.0}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Year, Capital FROM Amort")), (std::vector<QVariantList>{{1, 5.0}}));
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST_F(PrintDatabaseTest, MisdirectedWritesAreRefusedByName)
{
    const PrintDatabase db(path());
    struct Case {
        const char* what;
        DbStatus status;
        const char* expected;
    };
    const Case cases[] = {
        {"unknown table", db.writeSingleRow("IRP5Fort", {{"TypeAM", std::string("x")}}), "\"IRP5Fort\""},
        {"column of another table", db.writeSingleRow("IRP5Mon", {{"RecBefNum", 1.0}}), "\"RecBefNum\""},
        {"name differs in case", db.writeSingleRow("kwiktax", {{"age", std::int32_t(1)}}), "\"age\""},
        {"single row emptied", db.replaceRows("kwiktax", {}), "\"kwiktax\""},
        {"multi-row as single", db.writeSingleRow("Amort", {{"Year", std::int32_t(1)}}), "\"Amort\""},
        {"two rows for one", db.stage({{"Inflation", {{}, {}}}}), "\"Inflation\""},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.status.ok()) << c.what;
        EXPECT_TRUE(c.status.error.contains(QLatin1String(c.expected)))
            << c.what << ": " << c.status.error.toStdString();
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM kwiktax"))[0][0].toInt(), 1);
}

TEST_F(PrintDatabaseTest, OlderFileGainsMissingTablesColumnsAndRows)
{
    sqlite(path(),
           {QStringLiteral("CREATE TABLE kwiktax (AGE INTEGER, TAXINCOME REAL)"),
            QStringLiteral("INSERT INTO kwiktax VALUES (40, 500000)"),
            QStringLiteral("INSERT INTO kwiktax VALUES (41, 1)"),
            QStringLiteral("CREATE TABLE Inflation (PresCost REAL)"), QStringLiteral("CREATE TABLE Notes (text TEXT)"),
            QStringLiteral("INSERT INTO Notes VALUES ('kept')")});
    const PrintDatabase db(path());
    ASSERT_TRUE(db.ensure().ok());
    const auto k = rows(QStringLiteral("SELECT AGE, TAXINCOME, \"TAXCOM4/2\" FROM kwiktax"));
    ASSERT_EQ(k.size(), 1u);  // a single-row table keeps its first row only
    EXPECT_EQ(k[0], (QVariantList{40, 500000.0, 0.0}));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Inflation"))[0][0].toInt(), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM pragma_table_info('Inflation')"))[0][0].toInt(), 5);
    EXPECT_EQ(rows(QStringLiteral("SELECT text FROM Notes"))[0][0].toString(), QStringLiteral("kept"));
    ASSERT_TRUE(db.writeSingleRow("Inflation", {{"ANS2", 385.54}}).ok());
}

TEST_F(PrintDatabaseTest, DamagedFileIsReportedAndNeverOverwritten)
{
    writeBytes(path(), garbage());
    const PrintDatabase db(path());
    for (const DbStatus& s :
         {db.ensure(), db.writeSingleRow("kwiktax", {{"AGE", std::int32_t(1)}}), db.replaceRows("Amort", {})}) {
        EXPECT_FALSE(s.ok());
        EXPECT_TRUE(s.damaged);
        EXPECT_TRUE(s.error.contains(path())) << s.error.toStdString();
    }
    EXPECT_EQ(fileBytes(path()), garbage());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Crysprin.db")});
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST_F(PrintDatabaseTest, FolderThatCannotHoldTheFileIsReported)
{
    const QString inside = m_dir.filePath(QStringLiteral("missing-folder/Crysprin.db"));
    const DbStatus s = PrintDatabase(inside).ensure();
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(s.damaged);
    EXPECT_TRUE(s.error.contains(inside)) << s.error.toStdString();
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
