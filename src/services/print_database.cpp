#include "services/print_database.h"

#include "services/print_schema.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace grossby {

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QVariant toVariant(const PrintValue& value)
{
    struct Visitor {
        QVariant operator()(double v) const { return QVariant(v); }
        QVariant operator()(std::int32_t v) const { return QVariant(int(v)); }
        QVariant operator()(const std::string& v) const { return QVariant(qs(v)); }
    };
    return std::visit(Visitor{}, value);
}

// A new column starts as 0 or an empty text, so a template never meets a
// field that no print has written yet as NULL.
QString columnDefinition(const PrintColumn& column)
{
    return QStringLiteral("%1 %2 DEFAULT %3")
        .arg(quoteIdentifier(qs(column.name)), QLatin1String(sqlTypeName(column.type)),
             column.type == PrintColumnType::Text ? QStringLiteral("''") : QStringLiteral("0"));
}

class Staging {
public:
    Staging(const QString& path, SqliteConnection& connection)
        : m_path(path)
        , m_connection(connection)
    { }

    DbStatus cannotOpen(const QString& why) const
    {
        return DbStatus::failure(QStringLiteral("The print database \"%1\" cannot be opened: %2.").arg(m_path, why));
    }

    DbStatus notADatabase(const QString& why) const
    {
        return DbStatus::damage(QStringLiteral("The print database \"%1\" is not a database the program can use (%2). "
                                               "It has been left as it is; move it away or delete it and the program "
                                               "will make a fresh one.")
                                    .arg(m_path, why));
    }

    DbStatus openFailure(const QString& why, bool foreign) const
    {
        return foreign ? notADatabase(why) : cannotOpen(why);
    }

    DbStatus writeFailure(const QString& table, const QSqlError& error) const
    {
        return DbStatus::failure(QStringLiteral("The print database \"%1\" could not be written "
                                                "(table \"%2\"): %3.")
                                     .arg(m_path, table, driverMessage(error)));
    }

    DbStatus unknownTable(const std::string& table) const
    {
        return DbStatus::failure(
            QStringLiteral("The print database \"%1\" has no table \"%2\".").arg(m_path, qs(table)));
    }

    DbStatus unknownColumn(const PrintTable& table, const std::string& column) const
    {
        return DbStatus::failure(QStringLiteral("The print table \"%1\" has no column \"%2\" (print database \"%3\").")
                                     .arg(qs(table.name), qs(column), m_path));
    }

    /// Creates what is missing: tables, columns, and the one row of each
    /// single-row table (extra rows of a single-row table are dropped, so a
    /// template never shows a stale record).
    DbStatus applySchema()
    {
        const QStringList existing = m_connection.tables();
        for (const PrintTable& table : printSchema()) {
            const QString name = qs(table.name);
            if (!existing.contains(name, Qt::CaseInsensitive)) {
                QStringList definitions;
                for (const PrintColumn& column : table.columns)
                    definitions << columnDefinition(column);
                if (DbStatus s = exec(
                        name,
                        QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(name), definitions.join(u", ")));
                    !s)
                    return s;
            } else {
                const QStringList have = m_connection.columns(name);
                for (const PrintColumn& column : table.columns) {
                    if (have.contains(qs(column.name), Qt::CaseInsensitive))
                        continue;
                    if (DbStatus s = exec(name,
                                          QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                              .arg(quoteIdentifier(name), columnDefinition(column)));
                        !s)
                        return s;
                }
            }
            if (table.multiRow)
                continue;
            const QString quoted = quoteIdentifier(name);
            QSqlQuery count(m_connection.db());
            if (!count.exec(QStringLiteral("SELECT count(*) FROM %1").arg(quoted)) || !count.next())
                return writeFailure(name, count.lastError());
            const qlonglong rows = count.value(0).toLongLong();
            if (rows == 0) {
                if (DbStatus s = exec(name, QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted)); !s)
                    return s;
            } else if (rows > 1) {
                if (DbStatus s = exec(name,
                                      QStringLiteral("DELETE FROM %1 WHERE rowid > "
                                                     "(SELECT min(rowid) FROM %1)")
                                          .arg(quoted));
                    !s)
                    return s;
            }
        }
        return DbStatus::success();
    }

    DbStatus updateSingleRow(const PrintTable& table, const PrintRecord& fields)
    {
        QList<std::pair<QString, QVariant>> assignments;
        if (DbStatus s = collect(table, fields, assignments); !s)
            return s;
        if (assignments.isEmpty())
            return DbStatus::success();
        const QString name = qs(table.name);
        QStringList sets;
        for (const auto& a : assignments)
            sets << quoteIdentifier(a.first) + QStringLiteral(" = ?");
        QSqlQuery query(m_connection.db());
        query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = (SELECT min(rowid) FROM %1)")
                          .arg(quoteIdentifier(name), sets.join(u", ")));
        for (const auto& a : assignments)
            query.addBindValue(a.second);
        if (!query.exec())
            return writeFailure(name, query.lastError());
        if (query.numRowsAffected() != 1)
            return DbStatus::failure(
                QStringLiteral("The print table \"%1\" holds no row to write (print database \"%2\").")
                    .arg(name, m_path));
        return DbStatus::success();
    }

    DbStatus replaceRows(const PrintTable& table, const std::vector<PrintRecord>& rows)
    {
        const QString name = qs(table.name);
        if (DbStatus s = exec(name, QStringLiteral("DELETE FROM %1").arg(quoteIdentifier(name))); !s)
            return s;
        // Rows that write the same columns share one prepared statement.
        QSqlQuery query(m_connection.db());
        QStringList prepared;
        bool ready = false;
        for (const PrintRecord& row : rows) {
            QList<std::pair<QString, QVariant>> values;
            if (DbStatus s = collect(table, row, values); !s)
                return s;
            QStringList columns;
            columns.reserve(values.size());
            for (const auto& v : values)
                columns << quoteIdentifier(v.first);
            if (!ready || columns != prepared) {
                const QString sql = columns.isEmpty()
                    ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(name))
                    : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(quoteIdentifier(name), columns.join(u", "),
                               QStringList(columns.size(), QStringLiteral("?")).join(u", "));
                if (!query.prepare(sql))
                    return writeFailure(name, query.lastError());
                prepared = std::move(columns);
                ready = true;
            }
            for (qsizetype i = 0; i < values.size(); ++i)
                query.bindValue(static_cast<int>(i), values[i].second);
            if (!query.exec())
                return writeFailure(name, query.lastError());
        }
        return DbStatus::success();
    }

private:
    DbStatus exec(const QString& table, const QString& sql)
    {
        QSqlQuery query(m_connection.db());
        if (!query.exec(sql))
            return writeFailure(table, query.lastError());
        return DbStatus::success();
    }

    /// The fields of `record` as (column, value) pairs, checked against the
    /// table; a field named twice keeps its first place and its last value.
    DbStatus collect(const PrintTable& table, const PrintRecord& record, QList<std::pair<QString, QVariant>>& out) const
    {
        for (const PrintField& field : record) {
            if (!table.find(field.name))
                return unknownColumn(table, field.name);
            const QString column = qs(field.name);
            auto it = std::find_if(out.begin(), out.end(), [&column](const auto& a) { return a.first == column; });
            if (it != out.end())
                it->second = toVariant(field.value);
            else
                out.append({column, toVariant(field.value)});
        }
        return DbStatus::success();
    }

    QString m_path;
    SqliteConnection& m_connection;
};

}  // namespace

PrintDatabase::PrintDatabase(QString path, Writes writes)
    : m_path(std::move(path))
    , m_writes(writes)
{ }

namespace {

/// A scratch database keeps its journal in memory and never flushes: it is
/// read once and removed, so a crash may lose it whole but nothing else.
void applyWrites(QSqlDatabase& db, PrintDatabase::Writes writes)
{
    if (writes != PrintDatabase::Writes::Scratch)
        return;
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    query.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
}

}  // namespace

DbStatus PrintDatabase::ensure() const
{
    if (!QFileInfo::exists(m_path) && !QFileInfo(m_path).isSymLink()) {
        // Build the new file under a scratch name and rename it into place,
        // so a failure half way never leaves a half-made database behind.
        const QString scratch = scratchPathBeside(m_path);
        {
            SqliteConnection connection(scratch, SqliteConnection::Mode::Create);
            Staging staging(m_path, connection);
            QString why;
            if (!connection.open(&why)) {
                QFile::remove(scratch);
                return DbStatus::failure(
                    QStringLiteral("The print database \"%1\" cannot be created: %2.").arg(m_path, why));
            }
            applyWrites(connection.db(), m_writes);
            connection.db().transaction();
            DbStatus s = staging.applySchema();
            if (s && !connection.db().commit())
                s = DbStatus::failure(QStringLiteral("The print database \"%1\" cannot be created: %2.")
                                          .arg(m_path, driverMessage(connection.db().lastError())));
            if (!s) {
                connection.db().rollback();
                connection.db().close();
                QFile::remove(scratch);
                return s;
            }
        }
        if (QFile::rename(scratch, m_path))
            return DbStatus::success();
        QFile::remove(scratch);
        if (!QFileInfo::exists(m_path))
            return DbStatus::failure(
                QStringLiteral("The print database \"%1\" cannot be created in its folder.").arg(m_path));
        // Someone else made it in the meantime: check theirs as below.
    }

    SqliteConnection connection(m_path, SqliteConnection::Mode::ReadWrite);
    Staging staging(m_path, connection);
    QString why;
    bool foreign = false;
    if (!connection.open(&why, &foreign))
        return staging.openFailure(why, foreign);
    applyWrites(connection.db(), m_writes);
    if (!connection.db().transaction())
        return staging.cannotOpen(driverMessage(connection.db().lastError()));
    DbStatus s = staging.applySchema();
    if (s && !connection.db().commit())
        s = staging.writeFailure(QStringLiteral("(all)"), connection.db().lastError());
    if (!s)
        connection.db().rollback();
    return s;
}

DbStatus PrintDatabase::writeSingleRow(const std::string& table, const PrintRecord& fields) const
{
    const PrintTable* schema = findPrintTable(table);
    if (schema && schema->multiRow)
        return DbStatus::failure(
            QStringLiteral("The print table \"%1\" holds many rows; it cannot be written as a single row "
                           "(print database \"%2\").")
                .arg(qs(table), m_path));
    return stage({StagedTable{table, {fields}}});
}

DbStatus PrintDatabase::replaceRows(const std::string& table, const std::vector<PrintRecord>& rows) const
{
    const PrintTable* schema = findPrintTable(table);
    if (schema && !schema->multiRow)
        return DbStatus::failure(
            QStringLiteral("The print table \"%1\" holds a single row; it cannot be emptied and refilled "
                           "(print database \"%2\").")
                .arg(qs(table), m_path));
    return stage({StagedTable{table, rows}});
}

DbStatus PrintDatabase::stage(const std::vector<StagedTable>& tables) const
{
    if (DbStatus s = ensure(); !s)
        return s;

    SqliteConnection connection(m_path, SqliteConnection::Mode::ReadWrite);
    Staging staging(m_path, connection);
    QString why;
    bool foreign = false;
    if (!connection.open(&why, &foreign))
        return staging.openFailure(why, foreign);
    applyWrites(connection.db(), m_writes);
    if (!connection.db().transaction())
        return staging.cannotOpen(driverMessage(connection.db().lastError()));

    DbStatus s;
    for (const StagedTable& staged : tables) {
        const PrintTable* table = findPrintTable(staged.table);
        if (!table) {
            s = staging.unknownTable(staged.table);
        } else if (table->multiRow) {
            s = staging.replaceRows(*table, staged.rows);
        } else if (staged.rows.size() != 1) {
            s = DbStatus::failure(QStringLiteral("The print table \"%1\" holds a single row but %2 were "
                                                 "given (print database \"%3\").")
                                      .arg(qs(staged.table))
                                      .arg(staged.rows.size())
                                      .arg(m_path));
        } else {
            s = staging.updateSingleRow(*table, staged.rows.front());
        }
        if (!s)
            break;
    }
    if (s && !connection.db().commit())
        s = staging.writeFailure(tables.empty() ? QString() : qs(tables.back().table), connection.db().lastError());
    if (!s)
        connection.db().rollback();
    return s;
}

QStringList PrintDatabase::tableNames()
{
    QStringList names;
    for (const PrintTable& table : printSchema())
        names << qs(table.name);
    return names;
}

}  // namespace grossby
