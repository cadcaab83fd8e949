#pragma once
// The layout of the print database: every table the calculators stage for
// the report templates, with its columns and their SQL types.

#include <string>
#include <string_view>
#include <vector>

namespace grossby {

/// SQLite type of a print column: REAL for amounts and other Double or
/// Single values, INTEGER for Integer, Long and flags, TEXT for labels,
/// dates written as text and other strings.
enum class PrintColumnType { Real, Integer, Text };

struct PrintColumn {
    std::string name;
    PrintColumnType type;
};

struct PrintTable {
    std::string name;
    /// Multi-row tables are emptied and refilled on every print; the others
    /// hold exactly one row that every print overwrites in place.
    bool multiRow = false;
    std::vector<PrintColumn> columns;

    /// The column called exactly `column`, or nullptr.
    const PrintColumn* find(std::string_view column) const;
};

/// Every print table, in a fixed order.
const std::vector<PrintTable>& printSchema();

/// The table called exactly `name`, or nullptr.
const PrintTable* findPrintTable(std::string_view name);

/// "REAL", "INTEGER" or "TEXT".
const char* sqlTypeName(PrintColumnType type);

}  // namespace grossby
