#include "payroll/period_calculators.h"

#include "payroll/period_inputs.h"
#include "payroll/period_print.h"

namespace grossby {

namespace {

// The PAYE calculators share the "&TaxCalcs" menu. The fortnightly window
// stays open with what it shows when everything is initialised.
MenuEntry taxCalcs(const char* window, const char* command, const char* caption, int order, int initialiseAllRank)
{
    return {window, command, "mnuTaxCalc", "&TaxCalcs", caption, order, initialiseAllRank};
}

}  // namespace

CalculatorDescription<MonthlyInputs, PeriodSettings, PeriodResult> monthlyDescription()
{
    return {.name = "monthly",
            .summary = "PAYE, medical credits, UIF and SDL for a month or part of one",
            .inputs = &monthlyInputTable(),
            .results = &monthlyResultTable(),
            .compute = &CalcMonthlyTax,
            .report = monthlyReport(),
            .print = &PrintMonthly,
            .menu = taxCalcs("frmMonthly", "mnuMonthly", "&Monthly", 31, 2)};
}

CalculatorDescription<AnnualInputs, PeriodSettings, AnnualResult> annualDescription()
{
    return {.name = "annual",
            .summary = "PAYE and medical credits for the tax year or part of it, from annual totals",
            .inputs = &annualInputTable(),
            .results = &annualResultTable(),
            .compute = &CalcAnnualPAYE,
            .report = annualReport(),
            .print = &PrintAnnual,
            .menu = taxCalcs("frmAnnual", "mnuAnnual", "&Annual", 30, 1)};
}

CalculatorDescription<ShortPeriodInputs, PeriodSettings, PeriodResult> weeklyDescription()
{
    ShortPeriodInputs week;
    week.normalDays = week.thisDays = 7;
    return {.name = "weekly",
            .summary = "PAYE, medical credits, UIF and SDL for a week (52 a year)",
            .inputs = &weeklyInputTable(),
            .results = &periodResultTable(),
            .compute = &CalcWeeklyTax,
            .defaults = week,
            .report = weeklyReport(),
            .print = &PrintWeekly,
            .menu = taxCalcs("frmWeekly", "mnuWeekly", "&Weekly", 33, 3)};
}

CalculatorDescription<ShortPeriodInputs, PeriodSettings, PeriodResult> fortnightlyDescription()
{
    ShortPeriodInputs fortnight;
    fortnight.normalDays = fortnight.thisDays = 14;
    return {.name = "fortnightly",
            .summary = "PAYE, medical credits, UIF and SDL for a fortnight (26 a year)",
            .inputs = &fortnightlyInputTable(),
            .results = &periodResultTable(),
            .compute = &CalcFortnightlyTax,
            .defaults = fortnight,
            .report = fortnightlyReport(),
            .print = &PrintFortnightly,
            .menu = taxCalcs("frmFortNight", "mnuFortNight", "&FortNightly", 32, 0)};
}

CalculatorDescription<DailyInputs, PeriodSettings, PeriodResult> dailyDescription()
{
    return {.name = "daily",
            .summary = "PAYE, medical credits, UIF and SDL for a day's pay (260 days a year)",
            .inputs = &dailyInputTable(),
            .results = &periodResultTable(),
            .compute = &CalcDailyTax,
            .report = dailyReport(),
            .print = &PrintDaily,
            .menu = taxCalcs("frmDaily", "mnuDaily", "&Daily", 34, 4)};
}

}  // namespace grossby
