#pragma once
// The finance subcommands: loans, schedules, loan buster, loan comparison, daily balance and inflation.

#include "cli/calculator.h"

#include <memory>
#include <vector>

namespace grossby::cli {

/// The subsystem's subcommands, in the order --help lists them.
std::vector<std::shared_ptr<const Calculator>> financeCalculators();

}  // namespace grossby::cli
