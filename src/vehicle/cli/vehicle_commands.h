#pragma once
// The vehicle subcommands: the company car register and the car allowance.

#include "cli/calculator.h"

#include <memory>
#include <vector>

namespace grossby::cli {

/// The subsystem's subcommands, in the order --help lists them.
std::vector<std::shared_ptr<const Calculator>> vehicleCalculators();

}  // namespace grossby::cli
