#pragma once
// --report FILE for the subcommands that have a printout: the same rows the
// window's print routine stages, filled into the same template, written as
// PDF, HTML, ODF text, CSV or Excel by the file's extension.

#include "core/print_record.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace grossby::cli {

/// Adds `--report FILE` to `cmd`; a name without a known extension is a
/// usage error (exit 2).
CLI::Option* addReportOption(CLI::App* cmd, std::string& file);

/// Stages `tables` in a print database of its own (the program's print
/// database is never touched), fills the template `templateName` from the
/// program folder and writes `file`. Returns why the report could not be
/// made or written, or nothing.
std::optional<std::string> writeReport(const std::vector<StagedTable>& tables, const std::string& templateName,
                                       const std::string& title, const std::string& file);

}  // namespace grossby::cli
