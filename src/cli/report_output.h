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

/// Fills the template `templateName` from the program folder with `tables`
/// as the print database would hand them over (the program's print database
/// is never touched) and writes `file`. Returns why the report could not be
/// made or written, or nothing.
std::optional<std::string> writeReport(const std::vector<StagedTable>& tables, const std::string& templateName,
                                       const std::string& title, const std::string& file);

/// A table of figures: column names, and rows of one figure a column.
struct FigureTable {
    std::vector<std::string> columns;
    std::vector<bool> whole;  ///< the column holds whole numbers
    std::vector<std::vector<double>> rows;
};

/// Writes `table` to `file` as CSV (figures at full precision) or as an
/// Excel workbook (one sheet, numbers as numbers) by the extension, through
/// the program's one output writer. Returns why it could not be written.
std::optional<std::string> writeTableFile(const FigureTable& table, const std::string& file);

}  // namespace grossby::cli
