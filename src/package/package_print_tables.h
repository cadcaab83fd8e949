#pragma once
// The table the salary package statements print from.

#include "core/print_record.h"

#include <vector>

namespace grossby {

/// The print tables the package printouts fill, with their columns and types.
const std::vector<PrintTable>& packagePrintTables();

}  // namespace grossby
