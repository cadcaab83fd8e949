#pragma once
// The calculators the command line offers: each subsystem's subcommands, in
// the order --help shows them.

#include "cli/calculator.h"
#include "cli/commands.h"

#include <memory>
#include <vector>

namespace grossby::cli {

/// Every calculator, in the order of the subcommands.
std::vector<std::shared_ptr<const Calculator>> calculators();

/// Every calculator's subcommand, made from its description.
std::vector<Runner> addCalculatorCommands(CLI::App& app);

}  // namespace grossby::cli
