#pragma once
// The layout of the print database: the tables the subsystems declare for
// their printouts (each beside its print rows), gathered once at start.

#include "core/print_record.h"

#include <string_view>
#include <vector>

namespace grossby {

/// Adds the tables a subsystem declares; a table declared again under the
/// same name replaces the earlier declaration. Done once at start, before
/// the print database is opened.
void declarePrintTables(const std::vector<PrintTable>& tables);

/// Every print table declared, in the order declared.
const std::vector<PrintTable>& printSchema();

/// The table called exactly `name`, or nullptr.
const PrintTable* findPrintTable(std::string_view name);

/// "REAL", "INTEGER" or "TEXT".
const char* sqlTypeName(PrintColumnType type);

}  // namespace grossby
