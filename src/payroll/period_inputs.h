#pragma once
// The inputs and results of the PAYE period calculators as tables: the
// windows bind their fields to these, the command line makes its options,
// batch columns, JSON keys and --help from them.

#include "core/input_table.h"
#include "payroll/period_tax.h"

#include <vector>

namespace grossby {

const std::vector<InputSpec<MonthlyInputs>>& monthlyInputTable();
const std::vector<InputSpec<AnnualInputs>>& annualInputTable();
/// Weekly and fortnightly differ only in their help texts.
const std::vector<InputSpec<ShortPeriodInputs>>& weeklyInputTable();
const std::vector<InputSpec<ShortPeriodInputs>>& fortnightlyInputTable();
const std::vector<InputSpec<DailyInputs>>& dailyInputTable();

/// The five settings of the settings store the period calculators use.
const std::vector<InputSpec<PeriodSettings>>& periodSettingsTable();

/// Results of the monthly, weekly, fortnightly and daily calculators, in
/// output order.
const std::vector<ResultSpec<PeriodResult>>& periodResultTable();
/// The period results as the monthly window shows them: as periodResultTable(),
/// the taxable travel allowance shown to the whole rand.
const std::vector<ResultSpec<PeriodResult>>& monthlyResultTable();
/// Results of the annual calculator (the monthly counts as used apart).
const std::vector<ResultSpec<AnnualResult>>& annualResultTable();
/// The annual calculator's monthly beneficiary counts as used.
const CountsResultSpec<AnnualResult>& annualCountsResult();

}  // namespace grossby
