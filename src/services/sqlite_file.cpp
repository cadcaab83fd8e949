#include "services/sqlite_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

namespace grossby {

namespace {

// SQLite result codes that mean the file is not a (sound) database.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADb = 26;

// Files SQLite may keep beside a database; they belong to it and move with it.
const char* const kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

QString uniqueConnectionName()
{
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("grossby-sqlite-%1").arg(++counter);
}

}  // namespace

bool isDamageError(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    // Extended result codes keep the primary code in the low byte.
    return ok && ((code & 0xff) == kSqliteNotADb || (code & 0xff) == kSqliteCorrupt);
}

namespace {

// SQLITE_READONLY and its extended codes (SQLITE_READONLY_ROLLBACK: a hot
// journal that a read-only connection cannot roll back).
bool isReadOnlyError(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok && (code & 0xff) == 8;
}

}  // namespace

SqliteConnection::SqliteConnection(const QString& path, Mode mode)
    : m_name(uniqueConnectionName())
    , m_path(path)
    , m_mode(mode)
{ }

SqliteConnection::~SqliteConnection()
{
    if (m_db) {
        m_db->close();
        m_db.reset();
        QSqlDatabase::removeDatabase(m_name);
    }
}

bool SqliteConnection::open(QString* error, bool* notADatabase)
{
    if (notADatabase)
        *notADatabase = false;
    const QFileInfo info(m_path);
    if (m_mode == Mode::Create) {
        if (info.exists() || info.isSymLink()) {
            *error = QStringLiteral("a file of that name already exists");
            return false;
        }
    } else {
        if (!info.exists()) {
            *error = QStringLiteral("the file does not exist");
            return false;
        }
        if (info.isDir()) {
            *error = QStringLiteral("it is a folder, not a file");
            return false;
        }
        // A named pipe, a device or a socket: SQLite would wait on it for ever.
        if (!info.isFile()) {
            *error = QStringLiteral("it is not a regular file (a named pipe, device or socket)");
            return false;
        }
        if (!info.isReadable()) {
            *error = QStringLiteral("the file cannot be read (permission denied)");
            return false;
        }
    }

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db->setDatabaseName(m_path);
    if (m_mode == Mode::ReadOnly)
        m_db->setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!m_db->open()) {
        *error = driverMessage(m_db->lastError());
        return false;
    }
    // SQLite opens lazily: reading the schema is what fails on a foreign file.
    QSqlQuery probe(*m_db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        *error = driverMessage(probe.lastError());
        // Read-only, SQLite cannot undo what a journal beside the file holds:
        // it says the database is read-only, which is not the cause.
        const QString journal = m_path + QStringLiteral("-journal");
        if (isReadOnlyError(probe.lastError()) && QFileInfo(journal).exists())
            *error = QStringLiteral("its journal \"%1\" is left from a change that did not finish, or is damaged (%2)")
                         .arg(journal, *error);
        if (notADatabase)
            *notADatabase = isDamageError(probe.lastError());
        return false;
    }
    return true;
}

QStringList SqliteConnection::tables()
{
    QStringList names;
    QSqlQuery query(*m_db);
    if (query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        while (query.next())
            names << query.value(0).toString();
    }
    return names;
}

QStringList SqliteConnection::columns(const QString& table)
{
    QStringList names;
    QSqlQuery query(*m_db);
    if (query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table)))) {
        while (query.next())
            names << query.value(1).toString();
    }
    return names;
}

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString driverMessage(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("unknown error");
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString moveAside(const QString& path, QString* error)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    const QString base = path + QStringLiteral(".damaged-") + stamp;
    auto taken = [](const QString& candidate) {
        if (QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink())
            return true;
        for (const char* suffix : kCompanionSuffixes) {
            if (QFileInfo::exists(candidate + QLatin1String(suffix)))
                return true;
        }
        return false;
    };
    QString target = base;
    for (int n = 2; taken(target); ++n)
        target = base + QStringLiteral("-%1").arg(n);

    // QFile::rename never replaces an existing file.
    QFile file(path);
    if (!file.rename(target)) {
        *error = file.errorString();
        return {};
    }
    // A journal left behind would be replayed into the fresh file that takes
    // the old name, so it goes with the file it belongs to.
    for (const char* suffix : kCompanionSuffixes) {
        QFile companion(path + QLatin1String(suffix));
        if (companion.exists() && !companion.rename(target + QLatin1String(suffix))) {
            *error = QStringLiteral("the file was moved to \"%1\" but \"%2\" could not follow it (%3)")
                         .arg(target, companion.fileName(), companion.errorString());
            return {};
        }
    }
    return target;
}

QString scratchPathBeside(const QString& path)
{
    static std::atomic<unsigned> counter{0};
    QString candidate;
    do {
        candidate = path + QStringLiteral(".new-%1-%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    } while (QFileInfo::exists(candidate));
    return candidate;
}

}  // namespace grossby
