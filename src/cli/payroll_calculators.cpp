// The payroll calculators as subcommands: the annual tax on the scale,
// QuickTax and the five PAYE period calculators, each from its input and
// result tables, its pure calculation and its printout.

#include "cli/calculators.h"
#include "cli/settings_source.h"
#include "payroll/period_inputs.h"
#include "payroll/period_print.h"
#include "payroll/period_tax.h"
#include "payroll/quicktax_inputs.h"

namespace grossby::cli {
namespace {

// The five settings the period calculators take from the store.
std::optional<std::string> loadPeriodSettings(PeriodSettings& settings)
{
    SetupValues values;
    if (auto error = readStoredSettings(values))
        return error;
    settings.EmployeeUIF = values.EmployeeUIF;
    settings.EmployerUIF = values.EmployerUIF;
    settings.SkillLevy = values.SkillLevy;
    settings.UIFLimit = values.UIFLimit;
    settings.TAIncRate8020 = values.TAIncRate8020;
    return std::nullopt;
}

// The period calculators share their settings, store and printout kind.
template <class In, class Result>
CalculatorDef<In, PeriodSettings, Result>
periodDef(const char* name, const char* description, const std::vector<InputSpec<In>>& inputs,
          const std::vector<ResultSpec<Result>>& results,
          CalcOutcome<Result> (*compute)(const In&, const PeriodSettings&), const ReportDescriptor& report,
          PrintRecord (*print)(const In&, const Result&, PrintLanguage))
{
    CalculatorDef<In, PeriodSettings, Result> def;
    def.name = name;
    def.description = description;
    def.inputs = &inputs;
    def.results = &results;
    def.compute = compute;
    def.settings = &periodSettingsTable();
    def.loadSettings = &loadPeriodSettings;
    def.report = report;
    def.print = print;
    return def;
}

}  // namespace

std::shared_ptr<const Calculator> taxCalculator()
{
    return describe(CalculatorDef<AnnualTaxInputs, NoSettings, AnnualTaxResult>{
        .name = "tax",
        .description = "Annual tax on a taxable income, before rebates (2017/18 scale)",
        .inputs = &annualTaxInputTable(),
        .results = &annualTaxResultTable(),
        .compute = [](const AnnualTaxInputs& in, const NoSettings&) -> CalcOutcome<AnnualTaxResult> {
            return annualTax(in.income);
        },
    });
}

std::shared_ptr<const Calculator> quickTaxCalculator()
{
    return describe(CalculatorDef<QuickTaxInputs, NoSettings, QuickTaxResult>{
        .name = "quicktax",
        .description = "Income tax on an annual taxable income at an age, after rebates",
        .inputs = &quickTaxInputTable(),
        .results = &quickTaxResultTable(),
        .compute = [](const QuickTaxInputs& in, const NoSettings&) -> CalcOutcome<QuickTaxResult> {
            return CalcQuickTax(in);
        },
        .report = quickTaxReport(),
        .print = [](const QuickTaxInputs&, const QuickTaxResult& r, PrintLanguage) { return KwikTaxRecord(r); },
    });
}

std::shared_ptr<const Calculator> monthlyCalculator()
{
    return describe(periodDef("monthly", "PAYE, medical credits, UIF and SDL for a month or part of one",
                              monthlyInputTable(), monthlyResultTable(), &CalcMonthlyTax, monthlyReport(),
                              &PrintMonthly));
}

std::shared_ptr<const Calculator> annualCalculator()
{
    auto def = periodDef("annual", "PAYE and medical credits for the tax year or part of it, from annual totals",
                         annualInputTable(), annualResultTable(), &CalcAnnualPAYE, annualReport(), &PrintAnnual);
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
    auto def = periodDef("weekly", "PAYE, medical credits, UIF and SDL for a week (52 a year)", weeklyInputTable(),
                         periodResultTable(), &CalcWeeklyTax, weeklyReport(), &PrintWeekly);
    def.defaults.normalDays = def.defaults.thisDays = 7;
    return describe(std::move(def));
}

std::shared_ptr<const Calculator> fortnightlyCalculator()
{
    auto def = periodDef("fortnightly", "PAYE, medical credits, UIF and SDL for a fortnight (26 a year)",
                         fortnightlyInputTable(), periodResultTable(), &CalcFortnightlyTax, fortnightlyReport(),
                         &PrintFortnightly);
    def.defaults.normalDays = def.defaults.thisDays = 14;
    return describe(std::move(def));
}

std::shared_ptr<const Calculator> dailyCalculator()
{
    return describe(periodDef("daily", "PAYE, medical credits, UIF and SDL for a day's pay (260 days a year)",
                              dailyInputTable(), periodResultTable(), &CalcDailyTax, dailyReport(), &PrintDaily));
}

}  // namespace grossby::cli
