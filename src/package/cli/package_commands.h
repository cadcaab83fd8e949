#pragma once
// The package subcommands.

#include "cli/calculator.h"

#include <memory>
#include <vector>

namespace grossby::cli {

/// The subsystem's subcommands, in the order --help lists them.
std::vector<std::shared_ptr<const Calculator>> packageCalculators();

}  // namespace grossby::cli
