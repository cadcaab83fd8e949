#pragma once
// A calculator described once, in its subsystem's calculation library, with
// no Qt: its input and result tables, its pure calculation, its printout and
// the subcommand it is on the command line. The window base and the command
// line both read it, so neither describes the calculator again.

#include "core/calc_outcome.h"
#include "core/input_table.h"
#include "core/print_record.h"

#include <vector>

namespace grossby {

template <class In, class Settings, class Result> struct CalculatorDescription {
    const char* name = "";  ///< the subcommand: "monthly"
    const char* summary = "";  ///< one line for --help
    const std::vector<InputSpec<In>>* inputs = nullptr;
    const std::vector<ResultSpec<Result>>* results = nullptr;
    CalcOutcome<Result> (*compute)(const In&, const Settings&) = nullptr;
    In defaults{};  ///< the inputs nothing has been given for
    ReportDescriptor report;  ///< where the printout's row goes and how it is shown
    PrintRecord (*print)(const In&, const Result&, PrintLanguage) = nullptr;
};

}  // namespace grossby
