#pragma once
// The payroll subcommands: the annual tax on the scale, QuickTax and the five PAYE period calculators.

#include "cli/calculator.h"

#include <memory>
#include <vector>

namespace grossby::cli {

/// The subsystem's subcommands, in the order --help lists them.
std::vector<std::shared_ptr<const Calculator>> payrollCalculators();

}  // namespace grossby::cli
