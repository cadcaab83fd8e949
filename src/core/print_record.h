#pragma once
// A row for the print database, built by the calculation library so the
// window and the command line stage exactly the same figures.

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace grossby {

/// A staged value: an amount or other Double, an Integer/Long, or text.
using PrintValue = std::variant<double, std::int32_t, std::string>;

struct PrintField {
    std::string name;  ///< column name in the print table
    PrintValue value;
    friend bool operator==(const PrintField&, const PrintField&) = default;
};

/// Fields in the order they are written; a field written twice keeps its
/// last value.
using PrintRecord = std::vector<PrintField>;

/// A record bound for a table of the print database.
struct StagedTable {
    std::string table;
    std::vector<PrintRecord> rows;  ///< one row for single-row tables
};

/// The language of a printout's labels (the check sheets print in either).
enum class PrintLanguage { English, Afrikaans };

/// Where a printout's rows go and how its report is shown: one type for
/// every calculator, read by the windows and the command line alike.
struct ReportDescriptor {
    std::string table;  ///< the print table holding the calculation's row(s)
    std::string templateName;  ///< report template in the program folder
    std::string previewTitle;  ///< preview window title; empty leaves it as it is
    bool languages = false;  ///< printed in English or Afrikaans
    friend bool operator==(const ReportDescriptor&, const ReportDescriptor&) = default;
};

/// What printing one calculation stages and fills: the rows for the print
/// tables, and the report.
struct PrintJob {
    std::vector<StagedTable> tables;
    ReportDescriptor report;

    /// The usual printout: one row in the report's own table.
    static PrintJob oneRow(ReportDescriptor report, PrintRecord row)
    {
        PrintJob job;
        job.tables.push_back(StagedTable{report.table, {std::move(row)}});
        job.report = std::move(report);
        return job;
    }
};

}  // namespace grossby
