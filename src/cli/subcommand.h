#pragma once
// A calculator's subcommand, made from its description: an option per input,
// --json, --batch/--out, --report/--language when it has a printout, and a
// --help whose footer lists the results.

#include "cli/calculator.h"
#include "cli/commands.h"

#include <memory>
#include <string>

namespace grossby::cli {

/// Adds the subcommand for `calc` to `app`.
Runner addCalculatorCommand(CLI::App& app, std::shared_ptr<const Calculator> calc);

/// The --help footer of a calculator's subcommand.
std::string calculatorFooter(const Calculator& calc);

/// Which settings store the subcommands read, for --help.
extern const char* const kSettingsStoreHelp;

}  // namespace grossby::cli
