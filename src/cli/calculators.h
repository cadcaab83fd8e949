#pragma once
// The calculators the command line offers. Each subsystem describes its own
// (payroll_calculators.cpp); calculators() lists them in the order --help
// shows them, one line each.

#include "cli/calculator.h"

#include <memory>
#include <vector>

namespace grossby::cli {

std::shared_ptr<const Calculator> taxCalculator();
std::shared_ptr<const Calculator> quickTaxCalculator();
std::shared_ptr<const Calculator> monthlyCalculator();
std::shared_ptr<const Calculator> annualCalculator();
std::shared_ptr<const Calculator> weeklyCalculator();
std::shared_ptr<const Calculator> fortnightlyCalculator();
std::shared_ptr<const Calculator> dailyCalculator();

/// Each later subsystem's subcommands (package_calculators.cpp, ...).
std::vector<std::shared_ptr<const Calculator>> packageCalculators();
std::vector<std::shared_ptr<const Calculator>> vehicleCalculators();
std::vector<std::shared_ptr<const Calculator>> financeCalculators();

/// Every calculator, in the order of the subcommands.
std::vector<std::shared_ptr<const Calculator>> calculators();

}  // namespace grossby::cli
