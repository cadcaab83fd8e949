#pragma once
// The tables the company car and travel allowance printouts print from.

#include "core/print_record.h"

#include <vector>

namespace grossby {

/// The print tables the vehicle printouts fill, with their columns and types.
const std::vector<PrintTable>& vehiclePrintTables();

}  // namespace grossby
