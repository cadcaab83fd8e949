#pragma once
// Reading and preparing SQLite files in tests, through a connection of the
// test's own (not the code under test).

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <gtest/gtest.h>

#include <vector>

namespace grossby::testing {

/// Runs each statement of `sql` (or the one query) on the file and returns
/// the rows of the last one.
inline std::vector<QVariantList> sqlite(const QString& path, const QStringList& sql)
{
    std::vector<QVariantList> rows;
    const QString name = QStringLiteral("test-connection");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (const QString& statement : sql) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(statement))
                << statement.toStdString() << ": " << query.lastError().text().toStdString();
            rows.clear();
            while (query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row << query.value(i);
                rows.push_back(row);
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

inline std::vector<QVariantList> sqlite(const QString& path, const QString& sql)
{
    return sqlite(path, QStringList{sql});
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

/// Bytes that are no SQLite file: a fixed pseudo-random pattern.
inline QByteArray garbage(int size = 4096)
{
    QByteArray bytes(size, '\0');
    quint32 x = 2463534242u;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x & 0xff);
    }
    return bytes;
}

}  // namespace grossby::testing
