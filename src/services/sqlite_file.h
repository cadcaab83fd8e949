#pragma once
// Small helpers shared by the two SQLite stores: the outcome type, a
// connection that is opened for one operation and fully released afterwards,
// identifier quoting, and moving a damaged file out of the way.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

namespace grossby {

/// Outcome of a database operation: empty message on success, otherwise a
/// sentence for the user naming the file (and table) and what went wrong.
struct DbStatus {
    QString error;
    /// Set when the file exists but is not in a shape the program can use
    /// (not a database, a table, column or record missing): setting it aside
    /// and starting a fresh one would help. Never set for a file that merely
    /// cannot be opened or written.
    bool damaged = false;

    bool ok() const { return error.isEmpty(); }
    explicit operator bool() const { return ok(); }

    static DbStatus success() { return {}; }
    static DbStatus failure(QString message) { return DbStatus{std::move(message), false}; }
    static DbStatus damage(QString message) { return DbStatus{std::move(message), true}; }
};

/// One SQLite connection under a name of its own, for one operation. The
/// destructor closes it and removes it from Qt's list of connections, so
/// nothing keeps the file open afterwards. Every QSqlQuery made on it must be
/// destroyed before the connection is.
class SqliteConnection {
public:
    /// ReadOnly and ReadWrite need an existing file; Create makes a new one
    /// and refuses a path that is taken.
    enum class Mode { ReadOnly, ReadWrite, Create };

    SqliteConnection(const QString& path, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    /// Opens the file (creating it only in Create mode) and reads its
    /// schema, which is the first thing to fail on a file that is not a
    /// SQLite database. On failure `error` holds the driver's explanation and
    /// `notADatabase` tells a foreign or damaged file from one that could not
    /// be opened at all.
    bool open(QString* error, bool* notADatabase = nullptr);

    QSqlDatabase& db() { return *m_db; }

    /// Names of the tables in the file.
    QStringList tables();
    /// Names of the columns of `table`, in their order; empty when it is missing.
    QStringList columns(const QString& table);

private:
    QString m_name;
    QString m_path;
    Mode m_mode;
    std::optional<QSqlDatabase> m_db;
};

/// `name` as an SQL identifier in double quotes, inner quotes doubled, so
/// names such as TAXCOM4/2 can be used as they stand.
QString quoteIdentifier(const QString& name);

/// True when `error` says the file is not a database or is corrupt (as
/// opposed to locked, read-only or out of reach).
bool isDamageError(const class QSqlError& error);

/// The driver's own explanation of the last error of a query or connection,
/// without Qt's generic suffix.
QString driverMessage(const class QSqlError& error);

/// Moves `path` (and any journal files SQLite keeps beside it) to a name that
/// is free beside it: "<name>.damaged-yyyyMMdd-hhmmss", with "-2", "-3", ...
/// added when that is taken. Nothing is deleted or overwritten. Returns the
/// new name of the file, or an empty string with `error` set.
QString moveAside(const QString& path, QString* error);

/// A path beside `path` that no file has yet, for building a new database
/// before it is renamed into place.
QString scratchPathBeside(const QString& path);

}  // namespace grossby
