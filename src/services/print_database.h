#pragma once
// The print database: SQLite tables through which calculators hand their
// figures to the report templates.
//
// Single-row tables always hold their one row; staging overwrites fields of
// it. Multi-row tables are emptied and refilled. Each staging is one
// transaction: on failure the previous contents stay whole. Every operation
// first makes sure the file and its tables exist, so the database is created
// on first use; each opens the file for itself and closes it at the end.

#include "core/print_record.h"
#include "services/sqlite_file.h"  // DbStatus

#include <QString>
#include <QStringList>

#include <vector>

namespace grossby {

class PrintDatabase {
public:
    /// How staging waits for the disk. Durable: SQLite's default, each
    /// transaction on the disk before it returns (the program's own print
    /// database). Scratch: nothing is flushed, for a database made for one
    /// report and removed with it (the command-line tool's).
    enum class Writes { Durable, Scratch };

    explicit PrintDatabase(QString path, Writes writes = Writes::Durable);

    const QString& path() const { return m_path; }

    /// Creates the file with every table when it is missing, adds any table
    /// or column a newer program needs, and gives each single-row table its
    /// row. An unreadable or damaged file is reported, never overwritten.
    DbStatus ensure() const;

    /// Overwrites the named fields of the one row of `table`; other fields
    /// keep their values. A field named twice keeps its last value. A table
    /// or column the program does not know is an error naming it.
    DbStatus writeSingleRow(const std::string& table, const PrintRecord& fields) const;

    /// Empties the multi-row `table` and adds the rows, in one transaction.
    DbStatus replaceRows(const std::string& table, const std::vector<PrintRecord>& rows) const;

    /// Stages one calculator's tables (single-row or multi-row as the schema
    /// says; a single-row table takes exactly one record) in one transaction.
    DbStatus stage(const std::vector<StagedTable>& tables) const;

    /// Names of every table the program stages.
    static QStringList tableNames();

private:
    QString m_path;
    Writes m_writes;
};

}  // namespace grossby
