#pragma once
// The tables the finance printouts print from.

#include "core/print_record.h"

#include <vector>

namespace grossby {

/// The print tables the finance printouts fill, with their columns and types.
const std::vector<PrintTable>& financePrintTables();

}  // namespace grossby
