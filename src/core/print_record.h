#pragma once
// A row for the print database, built by the calculation library so the
// window and the command line stage exactly the same figures.

#include <cstdint>
#include <string>
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

}  // namespace grossby
