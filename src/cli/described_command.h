#pragma once
// A subcommand made from a calculator's description: its name, summary,
// input and result tables, calculation, defaults and printout, as the
// windows read them. A subsystem's cli/ folder adds only the command line's
// own rules (checks of what was given, list results, stored settings).

#include "cli/calculator.h"
#include "cli/settings_source.h"
#include "core/calculator_description.h"

#include <optional>
#include <string>
#include <vector>

namespace grossby::cli {

/// The printout `d` makes for these inputs and result: its one row on the
/// report the inputs take, or why there is nothing to print.
template <class In, class Settings, class Result>
std::optional<std::string> describedPrintout(const CalculatorDescription<In, Settings, Result>& d, const In& in,
                                             const Result& r, PrintLanguage language, PrintJob& job)
{
    if (d.canPrint && !d.canPrint(in, r))
        return std::string(d.nothingToPrintFor ? d.nothingToPrintFor(in, r) : d.nothingToPrint);
    if (d.reportFor)
        job.report = d.reportFor(in);
    job.tables = {StagedTable{job.report.table, {d.print(in, r, language)}}};
    return std::nullopt;
}

/// describedPrintout of the description `Describe()` returns, as a
/// CalculatorDef::printJob.
template <auto Describe, class In, class Result>
std::optional<std::string> describedPrintJob(const In& in, const Result& r, PrintLanguage language, PrintJob& job)
{
    static const auto d = Describe();
    return describedPrintout(d, in, r, language, job);
}

/// The subcommand `d` describes. Its printout, when it has one, is the
/// description's one row on the description's report.
template <class In, class Settings, class Result>
CalculatorDef<In, Settings, Result> commandOf(const CalculatorDescription<In, Settings, Result>& d)
{
    CalculatorDef<In, Settings, Result> def;
    def.name = d.name;
    def.description = d.summary;
    def.inputs = d.inputs;
    def.results = d.results;
    def.compute = d.compute;
    def.defaults = d.defaults;
    if (d.print) {
        def.report = d.report;
        def.print = d.print;
    }
    return def;
}

namespace calc_detail {

template <auto Describe, class In, class Settings, class Result>
CalculatorDef<In, Settings, Result> describedCommandOf(const CalculatorDescription<In, Settings, Result>& d)
{
    auto def = commandOf(d);
    // A report that depends on the inputs, or inputs with nothing to print,
    // need the description when printing.
    if (d.print && (d.reportFor || d.canPrint))
        def.printJob = &describedPrintJob<Describe, In, Result>;
    return def;
}

}  // namespace calc_detail

/// The subcommand the description `Describe()` returns describes, printing
/// as the description says (the report for the inputs, nothing to print).
template <auto Describe> auto describedCommand()
{
    return calc_detail::describedCommandOf<Describe>(Describe());
}

/// `def` with the settings in `table`: those the user does not give come
/// from the settings store.
template <class In, class Settings, class Result>
CalculatorDef<In, Settings, Result> withStoredSettings(CalculatorDef<In, Settings, Result> def,
                                                       const std::vector<InputSpec<Settings>>& table)
{
    def.settings = &table;
    def.loadSettings = &loadStoredSettings<Settings>;
    return def;
}

}  // namespace grossby::cli
