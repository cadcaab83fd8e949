#pragma once
// Each subcommand registers itself on the application and runs when chosen.

#include <CLI/CLI.hpp>

#include <functional>
#include <vector>

namespace grossby::cli {

/// What a subcommand does once its options are parsed; returns the exit code.
using Runner = std::function<int()>;

/// Adds the subcommand to `app`; returns the code to run when it is chosen.
/// `settings`: shows the settings store and changes its values.
Runner addSettingsCommand(CLI::App& app);
/// `years`: lists the tax years available and the year files left out.
Runner addYearsCommand(CLI::App& app);

}  // namespace grossby::cli
