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

/// No settings: the calculator takes its inputs alone.
struct NoSettings { };

/// Where a calculator's command sits in the program's menus and how
/// "&Initialise All" treats its window.
struct MenuEntry {
    const char* window = "";  ///< the window's objectName: "frmMonthly"
    const char* command = "";  ///< the command that opens it: "mnuMonthly"
    const char* menu = "";  ///< the menu's objectName ("mnuTaxCalc"); empty: the menu bar itself
    const char* menuCaption = "";  ///< "&TaxCalcs"
    const char* caption = "";  ///< the command's caption: "&Monthly"
    /// Place among all calculator commands (the menus come in the order of
    /// their first command, after "&File").
    int order = 0;
    /// Place in the order "&Initialise All" closes windows (1 first); 0 for a
    /// window that stays open with what it shows.
    int initialiseAllRank = 0;
};

template <class In, class Settings, class Result> struct CalculatorDescription {
    const char* name = "";  ///< the subcommand: "monthly"
    const char* summary = "";  ///< one line for --help
    const std::vector<InputSpec<In>>* inputs = nullptr;
    const std::vector<ResultSpec<Result>>* results = nullptr;
    CalcOutcome<Result> (*compute)(const In&, const Settings&) = nullptr;
    In defaults{};  ///< the inputs nothing has been given for
    ReportDescriptor report;  ///< where the printout's row goes and how it is shown
    /// The report for these inputs when it depends on them (a template per
    /// method); null: always `report`.
    ReportDescriptor (*reportFor)(const In&) = nullptr;
    PrintRecord (*print)(const In&, const Result&, PrintLanguage) = nullptr;
    /// The whole printout when it is more than one row of `report` (several
    /// tables, or a pass of its own made for the printout); null: the one
    /// row `print` makes.
    PrintJob (*printJob)(const In&, const Result&, PrintLanguage) = nullptr;
    /// Whether these inputs and their result have something to print (some
    /// calculators decide from the inputs, others from the result); null:
    /// every calculation has. A window's "&Print" with nothing to print
    /// leaves the print panel down and gives "&OK" the focus, saying nothing.
    bool (*canPrint)(const In&, const Result&) = nullptr;
    /// Why there is nothing to print, as the command line says it.
    const char* nothingToPrint = "";
    /// The reason for these inputs and result when it depends on them; null:
    /// always `nothingToPrint`.
    const char* (*nothingToPrintFor)(const In&, const Result&) = nullptr;
    MenuEntry menu;
};

}  // namespace grossby
