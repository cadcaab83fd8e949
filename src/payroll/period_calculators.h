#pragma once
// The five period calculators, each described once: read by its window and
// by its subcommand (the command line adds only its own options: the annual
// calculator's --beneficiaries spread over the months).

#include "core/calculator_description.h"
#include "payroll/period_tax.h"

namespace grossby {

CalculatorDescription<MonthlyInputs, PeriodSettings, PeriodResult> monthlyDescription();
CalculatorDescription<AnnualInputs, PeriodSettings, AnnualResult> annualDescription();
CalculatorDescription<ShortPeriodInputs, PeriodSettings, PeriodResult> weeklyDescription();
CalculatorDescription<ShortPeriodInputs, PeriodSettings, PeriodResult> fortnightlyDescription();
CalculatorDescription<DailyInputs, PeriodSettings, PeriodResult> dailyDescription();

}  // namespace grossby
