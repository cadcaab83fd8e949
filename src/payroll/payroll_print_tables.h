#pragma once
// The tables the period check sheets and QuickTax print from.

#include "core/print_record.h"

#include <vector>

namespace grossby {

/// The print tables the payroll printouts fill, with their columns and types.
const std::vector<PrintTable>& payrollPrintTables();

}  // namespace grossby
