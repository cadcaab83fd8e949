#pragma once
// A row for the print database, built by the calculation library so the
// window and the command line stage exactly the same figures.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace grossby {

/// A staged value: an amount or other Double, an Integer/Long, or text.
using PrintValue = std::variant<double, std::int32_t, std::string>;

struct PrintField {
    std::string name;  ///< column name in the print table
    PrintValue value;
    friend bool operator==(const PrintField&, const PrintField&) = default;
};

/// Fields in the order they are written; a field written twice keeps its
/// last value.
using PrintRecord = std::vector<PrintField>;

/// A record bound for a table of the print database.
struct StagedTable {
    std::string table;
    std::vector<PrintRecord> rows;  ///< one row for single-row tables
};

/// SQLite type of a print column: REAL for amounts and other Double or
/// Single values, INTEGER for Integer, Long and flags, TEXT for labels,
/// dates written as text and other strings.
enum class PrintColumnType { Real, Integer, Text };

struct PrintColumn {
    std::string name;
    PrintColumnType type;
};

using PrintColumns = std::vector<PrintColumn>;

/// A table of the print database, declared by the subsystem whose printouts
/// fill it.
struct PrintTable {
    std::string name;
    /// Multi-row tables are emptied and refilled on every print; the others
    /// hold exactly one row that every print overwrites in place.
    bool multiRow = false;
    PrintColumns columns;

    /// The column called exactly `column`, or nullptr.
    const PrintColumn* find(std::string_view column) const
    {
        for (const PrintColumn& c : columns) {
            if (c.name == column)
                return &c;
        }
        return nullptr;
    }
};

/// What a subsystem's print table declarations say, briefly: `Columns c;
/// add(c, {"PAmt", "IntRate"}, R);`.
namespace print_columns {
using Columns = PrintColumns;
inline constexpr PrintColumnType R = PrintColumnType::Real;
inline constexpr PrintColumnType I = PrintColumnType::Integer;
inline constexpr PrintColumnType T = PrintColumnType::Text;

/// Appends columns of one type, in order.
inline void add(Columns& columns, std::initializer_list<const char*> names, PrintColumnType type)
{
    for (const char* name : names)
        columns.push_back({name, type});
}
}  // namespace print_columns

/// The language of a printout's labels (the check sheets print in either).
enum class PrintLanguage { English, Afrikaans };

/// Where a printout's rows go and how its report is shown: one type for
/// every calculator, read by the windows and the command line alike.
struct ReportDescriptor {
    std::string table;  ///< the print table holding the calculation's row(s)
    std::string templateName;  ///< report template in the program folder
    std::string previewTitle;  ///< preview window title; empty leaves it as it is
    bool languages = false;  ///< printed in English or Afrikaans
    friend bool operator==(const ReportDescriptor&, const ReportDescriptor&) = default;
};

/// What printing one calculation stages and fills: the rows for the print
/// tables, and the report.
struct PrintJob {
    std::vector<StagedTable> tables;
    ReportDescriptor report;

    /// The usual printout: one row in the report's own table.
    static PrintJob oneRow(ReportDescriptor report, PrintRecord row)
    {
        PrintJob job;
        job.tables.push_back(StagedTable{report.table, {std::move(row)}});
        job.report = std::move(report);
        return job;
    }
};

}  // namespace grossby
