#include "services/settings_store.h"

#include "services/file_locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cerrno>
#include <cmath>
#include <utility>

#include <unistd.h>

namespace grossby {

namespace {

// Puts a finished file in place under `to` unless something is there
// already. QFile::rename refuses an existing target but, when it loses a race
// for the name, falls back to copying over the file that won, so a reader
// could meet it half written; link() takes the name atomically or not at
// all. A file system without hard links gets the plain rename.
bool placeWithoutReplacing(const QString& from, const QString& to)
{
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) {
        QFile::remove(from);
        return true;
    }
    if (errno == EEXIST)
        return false;
    return QFile::rename(from, to);
}

const QString kTable = QStringLiteral("Setup");
const QString kFlagColumn = QStringLiteral("CompCarMPYesNo");

// The number columns in table order, each with its field; the flag comes last.
struct NumberColumn {
    const char* name;
    double SetupValues::*field;
};

constexpr NumberColumn kNumberColumns[] = {
    {"EmployeeUIF", &SetupValues::EmployeeUIF},
    {"EmployerUIF", &SetupValues::EmployerUIF},
    {"SkillLevy", &SetupValues::SkillLevy},
    {"UIFLimit", &SetupValues::UIFLimit},
    {"TAIncRate8020", &SetupValues::TAIncRate8020},
    {"PensionCont", &SetupValues::PensionCont},
    {"EmployerPenCont", &SetupValues::EmployerPenCont},
    {"ProvCont", &SetupValues::ProvCont},
    {"EmployerProvCont", &SetupValues::EmployerProvCont},
    {"CompCarFBRate8020", &SetupValues::CompCarFBRate8020},
};

const NumberColumn* findNumberColumn(const QString& name)
{
    for (const NumberColumn& column : kNumberColumns) {
        if (name == QLatin1String(column.name))
            return &column;
    }
    return nullptr;
}

QVariant valueFor(const SetupValues& values, const QString& column)
{
    if (column == kFlagColumn)
        return QVariant(values.CompCarMPYesNo ? 1 : 0);
    return QVariant(values.*(findNumberColumn(column)->field));
}

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted << QLatin1Char('"') + name + QLatin1Char('"');
    return quoted.join(QStringLiteral(", "));
}

DbStatus cannotOpen(const QString& path, const QString& why)
{
    return DbStatus::failure(QStringLiteral("The settings file \"%1\" cannot be opened: %2.").arg(path, why));
}

DbStatus readFailure(const QString& path, const QSqlError& error)
{
    const QString message =
        QStringLiteral("The settings file \"%1\" cannot be read: %2.").arg(path, driverMessage(error));
    return isDamageError(error) ? DbStatus::damage(message) : DbStatus::failure(message);
}

DbStatus openFailure(const QString& path, const QString& why, bool foreign)
{
    if (foreign)
        return DbStatus::damage(
            QStringLiteral("The settings file \"%1\" is not a settings database (%2).").arg(path, why));
    return cannotOpen(path, why);
}

/// Checks an open store: the table, every column and at least one record.
DbStatus checkLayout(SqliteConnection& connection, const QString& path)
{
    if (!connection.tables().contains(kTable, Qt::CaseInsensitive))
        return DbStatus::damage(QStringLiteral("The settings file \"%1\" has no table \"%2\".").arg(path, kTable));
    const QStringList have = connection.columns(kTable);
    QStringList missing;
    for (const QString& column : SettingsStore::columnNames()) {
        if (!have.contains(column, Qt::CaseInsensitive))
            missing << column;
    }
    if (!missing.isEmpty())
        return DbStatus::damage(QStringLiteral("The settings file \"%1\" lacks the %2 %3 of the table \"%4\".")
                                    .arg(path,
                                         missing.size() == 1 ? QStringLiteral("column") : QStringLiteral("columns"),
                                         quotedList(missing), kTable));
    QSqlQuery count(connection.db());
    if (!count.exec(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(kTable))) || !count.next())
        return readFailure(path, count.lastError());
    if (count.value(0).toLongLong() == 0)
        return DbStatus::damage(
            QStringLiteral("The settings file \"%1\" holds no record in the table \"%2\".").arg(path, kTable));
    return DbStatus::success();
}

/// The first record: the one the program uses.
QString firstRecord()
{
    return QStringLiteral("rowid = (SELECT min(rowid) FROM %1)").arg(quoteIdentifier(kTable));
}

/// Why a value read from column `name` is not one any window would write,
/// or an empty string when it is sound.
QString implausible(const QString& name, double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("it is not a finite number");
    // The windows write 0.8 or 0.2; another stored fraction selects neither
    // option and is still used as the rate, so only a non-fraction is damage.
    if (name == QLatin1String("TAIncRate8020") || name == QLatin1String("CompCarFBRate8020"))
        return value >= 0 && value <= 1 ? QString() : QStringLiteral("an inclusion rate is a fraction from 0 to 1");
    if (name == QLatin1String("UIFLimit"))
        return value >= 0 && value <= 1e9 ? QString() : QStringLiteral("the UIF limit is from 0 to 1 000 000 000");
    if (name == kFlagColumn)
        return {};
    return value >= 0 && value <= 100 ? QString() : QStringLiteral("a percentage is from 0 to 100");
}

/// The program folder's store, read in place of a store in the app-data
/// folder that has not been written yet (see SettingsStore).
QString defaultSeedFor(const QString& path)
{
    const QString folder = QDir::cleanPath(QFileInfo(path).absolutePath());
    const QString program = QDir::cleanPath(QFileInfo(programFolder()).absoluteFilePath());
    if (folder == program || folder != QDir::cleanPath(QFileInfo(appDataFolder()).absoluteFilePath()))
        return {};
    return QDir(program).filePath(QLatin1String(kSettingsFileName));
}

bool present(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

SettingsStore::SettingsStore(QString path)
    : m_path(std::move(path))
    , m_seed(defaultSeedFor(m_path))
{ }

SettingsStore::SettingsStore(QString path, QString seedPath)
    : m_path(std::move(path))
    , m_seed(std::move(seedPath))
{ }

QString SettingsStore::readPath() const
{
    if (!present(m_path) && !m_seed.isEmpty() && present(m_seed))
        return m_seed;
    return m_path;
}

QStringList SettingsStore::columnNames()
{
    QStringList names;
    for (const NumberColumn& column : kNumberColumns)
        names << QLatin1String(column.name);
    names << kFlagColumn;
    return names;
}

QStringList SettingsStore::periodColumns()
{
    return {QStringLiteral("EmployeeUIF"), QStringLiteral("EmployerUIF"), QStringLiteral("SkillLevy"),
            QStringLiteral("UIFLimit"), QStringLiteral("TAIncRate8020")};
}

QStringList SettingsStore::packageColumns()
{
    return columnNames();
}

DbStatus SettingsStore::createFresh() const
{
    // The new store is built under a scratch name and renamed into place;
    // the rename never replaces a file that appeared meanwhile.
    const QString scratch = scratchPathBeside(m_path);
    auto fail = [&](const QString& why) {
        QFile::remove(scratch);
        return DbStatus::failure(
            QStringLiteral("A fresh settings file \"%1\" cannot be created: %2.").arg(m_path, why));
    };
    {
        SqliteConnection connection(scratch, SqliteConnection::Mode::Create);
        QString why;
        if (!connection.open(&why))
            return fail(why);
        QStringList definitions;
        for (const NumberColumn& column : kNumberColumns)
            definitions << quoteIdentifier(QLatin1String(column.name)) + QStringLiteral(" REAL");
        definitions << quoteIdentifier(kFlagColumn) + QStringLiteral(" INTEGER");
        const SetupValues defaults;
        QStringList columns;
        QStringList marks;
        for (const QString& name : columnNames()) {
            columns << quoteIdentifier(name);
            marks << QStringLiteral("?");
        }
        QSqlQuery create(connection.db());
        if (!create.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(kTable), definitions.join(u", "))))
            return fail(driverMessage(create.lastError()));
        QSqlQuery insert(connection.db());
        insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(quoteIdentifier(kTable), columns.join(u", "), marks.join(u", ")));
        for (const QString& name : columnNames())
            insert.addBindValue(valueFor(defaults, name));
        if (!insert.exec())
            return fail(driverMessage(insert.lastError()));
    }
    if (!placeWithoutReplacing(scratch, m_path)) {
        // Another run made the store first (the rename never replaces a
        // file): use theirs. load() checks it like any other store.
        if (present(m_path)) {
            QFile::remove(scratch);
            return DbStatus::success();
        }
        return fail(QStringLiteral("the file cannot be put in its folder"));
    }
    return DbStatus::success();
}

DbStatus SettingsStore::copySeed() const
{
    // The copy is made under a scratch name and renamed into place, so a run
    // that reads meanwhile sees the seed or the whole copy, never half of it.
    const QString scratch = scratchPathBeside(m_path);
    QFile::remove(scratch);
    if (!QFile::copy(m_seed, scratch)) {
        QFile::remove(scratch);
        return DbStatus::failure(
            QStringLiteral("The settings cannot be saved: \"%1\" cannot be copied to \"%2\".").arg(m_seed, m_path));
    }
    QFile::setPermissions(scratch, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!placeWithoutReplacing(scratch, m_path)) {
        QFile::remove(scratch);
        if (!present(m_path))
            return DbStatus::failure(
                QStringLiteral("The settings cannot be saved: \"%1\" cannot be put in its folder.").arg(m_path));
    }
    return DbStatus::success();
}

DbStatus SettingsStore::ensure() const
{
    SetupValues scratch;
    return load(scratch);
}

DbStatus SettingsStore::load(SetupValues& values) const
{
    const QString path = readPath();
    if (!present(path)) {
        if (DbStatus s = createFresh(); !s)
            return s;
    }
    return readFrom(path, values);
}

DbStatus SettingsStore::readFrom(const QString& file, SetupValues& values)
{
    SqliteConnection connection(file, SqliteConnection::Mode::ReadOnly);
    QString why;
    bool foreign = false;
    if (!connection.open(&why, &foreign))
        return openFailure(file, why, foreign);
    if (DbStatus s = checkLayout(connection, file); !s)
        return s;

    QStringList columns;
    for (const QString& name : columnNames())
        columns << quoteIdentifier(name);
    QSqlQuery query(connection.db());
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                        .arg(columns.join(u", "), quoteIdentifier(kTable), firstRecord())))
        return readFailure(file, query.lastError());
    if (!query.next())
        return DbStatus::damage(
            QStringLiteral("The settings file \"%1\" holds no record in the table \"%2\".").arg(file, kTable));

    SetupValues read = values;
    const QStringList names = columnNames();
    for (int i = 0; i < names.size(); ++i) {
        const QVariant v = query.value(i);
        bool ok = !v.isNull();
        const double number = ok ? v.toDouble(&ok) : 0.0;
        if (!ok)
            return DbStatus::damage(
                QStringLiteral("The settings file \"%1\" holds no usable value in the column \"%2\" of the "
                               "table \"%3\".")
                    .arg(file, names[i], kTable));
        if (const QString fault = implausible(names[i], number); !fault.isEmpty())
            return DbStatus::damage(QStringLiteral("The settings file \"%1\" holds the value %2 in the column \"%3\" "
                                                   "of the table \"%4\", which no window writes: %5.")
                                        .arg(file, v.toString(), names[i], kTable, fault));
        if (names[i] == kFlagColumn)
            read.CompCarMPYesNo = number != 0;
        else
            read.*(findNumberColumn(names[i])->field) = number;
    }
    values = read;
    return DbStatus::success();
}

DbStatus SettingsStore::save(const SetupValues& values, const QStringList& columns) const
{
    for (const QString& name : columns) {
        if (!columnNames().contains(name))
            return DbStatus::failure(QStringLiteral("The settings cannot be saved to \"%1\": the table \"%2\" "
                                                    "has no column \"%3\".")
                                         .arg(m_path, kTable, name));
    }
    if (DbStatus s = ensure(); !s)
        return s;
    if (columns.isEmpty())
        return DbStatus::success();
    // The first save of a store read from the program folder writes a copy.
    if (readPath() != m_path) {
        if (DbStatus s = copySeed(); !s)
            return s;
    }
    if (!QFileInfo(m_path).isWritable())
        return DbStatus::failure(
            QStringLiteral("The settings cannot be saved: the file \"%1\" is read-only.").arg(m_path));

    SqliteConnection connection(m_path, SqliteConnection::Mode::ReadWrite);
    QString why;
    bool foreign = false;
    if (!connection.open(&why, &foreign))
        return openFailure(m_path, why, foreign);
    QStringList sets;
    for (const QString& name : columns)
        sets << quoteIdentifier(name) + QStringLiteral(" = ?");
    QSqlQuery update(connection.db());
    update.prepare(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(quoteIdentifier(kTable), sets.join(u", "), firstRecord()));
    for (const QString& name : columns)
        update.addBindValue(valueFor(values, name));
    if (!update.exec())
        return DbStatus::failure(QStringLiteral("The settings cannot be saved to \"%1\": %2.")
                                     .arg(m_path, driverMessage(update.lastError())));
    if (update.numRowsAffected() != 1)
        return DbStatus::damage(
            QStringLiteral("The settings file \"%1\" holds no record in the table \"%2\".").arg(m_path, kTable));
    return DbStatus::success();
}

DbStatus SettingsStore::setAsideAndRecreate(QString* keptAs) const
{
    const QFileInfo info(m_path);
    if (info.exists() || info.isSymLink()) {
        QString why;
        const QString moved = moveAside(m_path, &why);
        if (moved.isEmpty())
            return DbStatus::failure(
                QStringLiteral("The settings file \"%1\" cannot be moved aside: %2.").arg(m_path, why));
        if (keptAs)
            *keptAs = moved;
    }
    return createFresh();
}

}  // namespace grossby
