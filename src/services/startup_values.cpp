#include "services/startup_values.h"

#include "services/settings_store.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <limits>

namespace grossby {

namespace {

const QString kTable = QStringLiteral("StartUp");
const QString kViewAbout = QStringLiteral("ViewAbout");
const QString kVar1 = QStringLiteral("Var1");

DbStatus writeValue(const QString& path, const QString& column, const QVariant& value)
{
    // The settings file must be sound (or absent, when a fresh one is made)
    // before anything is added to it.
    if (DbStatus s = SettingsStore(path).ensure(); !s)
        return s;

    SqliteConnection connection(path, SqliteConnection::Mode::ReadWrite);
    QString why;
    if (!connection.open(&why))
        return DbStatus::failure(QStringLiteral("The settings file \"%1\" cannot be opened: %2.").arg(path, why));
    auto failure = [&path](const QSqlError& error) {
        return DbStatus::failure(
            QStringLiteral("The start-up settings cannot be saved to \"%1\": %2.").arg(path, driverMessage(error)));
    };
    QSqlDatabase& db = connection.db();
    if (!db.transaction())
        return failure(db.lastError());

    const QString table = quoteIdentifier(kTable);
    const QString viewAboutColumn = quoteIdentifier(kViewAbout) + QStringLiteral(" INTEGER DEFAULT 1");
    const QString var1Column = quoteIdentifier(kVar1) + QStringLiteral(" TEXT DEFAULT ''");
    QStringList steps;
    if (!connection.tables().contains(kTable, Qt::CaseInsensitive)) {
        steps << QStringLiteral("CREATE TABLE %1 (%2, %3)").arg(table, viewAboutColumn, var1Column);
    } else {
        const QStringList have = connection.columns(kTable);
        if (!have.contains(kViewAbout, Qt::CaseInsensitive))
            steps << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(table, viewAboutColumn);
        if (!have.contains(kVar1, Qt::CaseInsensitive))
            steps << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(table, var1Column);
    }
    // The one row, holding the defaults until written.
    steps << QStringLiteral("INSERT INTO %1 (%2, %3) SELECT 1, '' WHERE NOT EXISTS (SELECT 1 FROM %1)")
                 .arg(table, quoteIdentifier(kViewAbout), quoteIdentifier(kVar1));
    for (const QString& sql : steps) {
        QSqlQuery query(db);
        if (!query.exec(sql)) {
            const DbStatus s = failure(query.lastError());
            db.rollback();
            return s;
        }
    }
    {
        QSqlQuery update(db);
        update.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = (SELECT min(rowid) FROM %1)")
                           .arg(table, quoteIdentifier(column)));
        update.addBindValue(value);
        if (!update.exec()) {
            const DbStatus s = failure(update.lastError());
            db.rollback();
            return s;
        }
    }
    if (!db.commit()) {
        const DbStatus s = failure(db.lastError());
        db.rollback();
        return s;
    }
    return DbStatus::success();
}

}  // namespace

StartupValues readStartupValues(const QString& settingsPath)
{
    StartupValues values;
    if (!QFileInfo::exists(settingsPath))
        return values;
    SqliteConnection connection(settingsPath, SqliteConnection::Mode::ReadOnly);
    QString why;
    if (!connection.open(&why) || !connection.tables().contains(kTable, Qt::CaseInsensitive))
        return values;
    const QStringList have = connection.columns(kTable);
    QSqlQuery query(connection.db());
    const QString table = quoteIdentifier(kTable);
    if (have.contains(kViewAbout, Qt::CaseInsensitive) &&
        query.exec(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = (SELECT min(rowid) FROM %2)")
                       .arg(quoteIdentifier(kViewAbout), table)) &&
        query.next() && !query.value(0).isNull()) {
        bool ok = false;
        const double flag = query.value(0).toDouble(&ok);
        if (ok)
            values.ViewAbout = flag != 0;
    }
    if (have.contains(kVar1, Qt::CaseInsensitive) &&
        query.exec(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = (SELECT min(rowid) FROM %2)")
                       .arg(quoteIdentifier(kVar1), table)) &&
        query.next() && !query.value(0).isNull()) {
        values.Var1 = query.value(0).toString();
    }
    return values;
}

DbStatus writeViewAbout(const QString& settingsPath, bool viewAbout)
{
    return writeValue(settingsPath, kViewAbout, QVariant(viewAbout ? 1 : 0));
}

DbStatus writeVar1(const QString& settingsPath, const QString& var1)
{
    return writeValue(settingsPath, kVar1, QVariant(var1));
}

int versionNumber(int major, int minor, int revision)
{
    return QStringLiteral("%1%2%3").arg(major).arg(minor).arg(revision).toInt();
}

long long acceptedVersion(const QString& var1)
{
    const QString text = var1.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long number = 0;
    constexpr long long kMax = std::numeric_limits<long long>::max();
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        const int digit = text[i].digitValue();
        number = number > (kMax - digit) / 10 ? kMax : number * 10 + digit;
    }
    return negative ? -number : number;
}

}  // namespace grossby
