// The payroll calculators as subcommands: the annual tax on the scale,
// QuickTax and the five PAYE period calculators, each from its input and
// result tables, its pure calculation and its printout.

#include "payroll/cli/payroll_commands.h"
#include "cli/settings_source.h"
#include "payroll/period_calculators.h"
#include "payroll/period_inputs.h"
#include "payroll/period_print.h"
#include "payroll/period_tax.h"
#include "payroll/quicktax_calculators.h"

namespace grossby::cli {
namespace {

// A calculator's subcommand from its description: its tables, calculation,
// defaults and printout (when it has one).
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

// A period calculator's subcommand, with the five settings the period
// calculators share and their store.
template <class In, class Result>
CalculatorDef<In, PeriodSettings, Result> periodDef(const CalculatorDescription<In, PeriodSettings, Result>& d)
{
    auto def = commandOf(d);
    def.settings = &periodSettingsTable();
    def.loadSettings = &loadStoredSettings<PeriodSettings>;
    return def;
}

std::shared_ptr<const Calculator> taxCalculator()
{
    return describe(commandOf(annualTaxDescription()));
}

std::shared_ptr<const Calculator> quickTaxCalculator()
{
    return describe(commandOf(quickTaxDescription()));
}

std::shared_ptr<const Calculator> monthlyCalculator()
{
    return describe(periodDef(monthlyDescription()));
}

std::shared_ptr<const Calculator> annualCalculator()
{
    auto def = periodDef(annualDescription());
    def.counts = {annualCountsResult()};
    def.exclusive = {{"beneficiaries", "beneficiaries-by-month"}};
    // --beneficiaries counts in every month unless the months are given one by one.
    def.prepare = [](AnnualInputs& in, const GivenInputs& given) {
        if (!given("beneficiaries-by-month"))
            in.beneficiariesByMonth.fill(in.beneficiaries);
    };
    return describe(std::move(def));
}

std::shared_ptr<const Calculator> weeklyCalculator()
{
    return describe(periodDef(weeklyDescription()));
}

std::shared_ptr<const Calculator> fortnightlyCalculator()
{
    return describe(periodDef(fortnightlyDescription()));
}

std::shared_ptr<const Calculator> dailyCalculator()
{
    return describe(periodDef(dailyDescription()));
}

}  // namespace

std::vector<std::shared_ptr<const Calculator>> payrollCalculators()
{
    return {taxCalculator(),    quickTaxCalculator(),    monthlyCalculator(), annualCalculator(),
            weeklyCalculator(), fortnightlyCalculator(), dailyCalculator()};
}

}  // namespace grossby::cli
