// The payroll calculators as subcommands: the annual tax on the scale,
// QuickTax and the five PAYE period calculators, each from its input and
// result tables, its pure calculation and its printout.

#include "payroll/cli/payroll_commands.h"
#include "cli/described_command.h"
#include "payroll/period_calculators.h"
#include "payroll/period_inputs.h"
#include "payroll/period_print.h"
#include "payroll/period_tax.h"
#include "payroll/quicktax_calculators.h"

namespace grossby::cli {
namespace {

// A period calculator's subcommand, with the five settings the period
// calculators share and their store.
template <auto Describe> auto periodCommand()
{
    auto def = withStoredSettings(describedCommand<Describe>(), periodSettingsTable());
    // The store's UIF limit is the user's figure for 2017/18; one given for
    // the calculation applies whatever its tax year.
    def.prepareSettings = [](PeriodSettings& s, const GivenInputs& given) {
        if (given("uif-limit"))
            s.UIFLimitYear = 0;
    };
    return def;
}

std::shared_ptr<const Calculator> taxCalculator()
{
    return describe(describedCommand<&annualTaxDescription>());
}

std::shared_ptr<const Calculator> quickTaxCalculator()
{
    return describe(describedCommand<&quickTaxDescription>());
}

std::shared_ptr<const Calculator> monthlyCalculator()
{
    return describe(periodCommand<&monthlyDescription>());
}

std::shared_ptr<const Calculator> annualCalculator()
{
    auto def = periodCommand<&annualDescription>();
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
    return describe(periodCommand<&weeklyDescription>());
}

std::shared_ptr<const Calculator> fortnightlyCalculator()
{
    return describe(periodCommand<&fortnightlyDescription>());
}

std::shared_ptr<const Calculator> dailyCalculator()
{
    return describe(periodCommand<&dailyDescription>());
}

}  // namespace

std::vector<std::shared_ptr<const Calculator>> payrollCalculators()
{
    return {taxCalculator(),    quickTaxCalculator(),    monthlyCalculator(), annualCalculator(),
            weeklyCalculator(), fortnightlyCalculator(), dailyCalculator()};
}

}  // namespace grossby::cli
