#pragma once
// The finance calculators' inputs and results as tables: the windows bind
// their fields to these, the command line makes its options, JSON keys and
// --help from them.

#include "core/input_table.h"
#include "finance/daily_balance.h"
#include "finance/finance_print.h"
#include "finance/inflation.h"
#include "finance/loan.h"
#include "finance/loan_buster.h"
#include "finance/loan_comparison.h"

#include <vector>

namespace grossby {

/// Principal, months, rate and repayment; the mode (--solve) is chosen apart
/// with loanModeFrom, and the quantity it solves is not read.
const std::vector<InputSpec<LoanInputs>>& loanInputTable();
/// Principal, months and rate: what a schedule is built from.
const std::vector<InputSpec<LoanInputs>>& scheduleInputTable();
const std::vector<InputSpec<LoanBusterInputs>>& loanBusterInputTable();

/// A loan as the command line takes it: the quantity to solve, and which
/// schedule the printout includes.
struct LoanCommandInputs : LoanInputs {
    ScheduleKind schedule = ScheduleKind::None;
};
/// --solve, the four quantities and --schedule. Every entry but --solve's
/// reads the same member as loanInputTable's entry of that key.
const std::vector<InputSpec<LoanCommandInputs>>& loanCommandInputTable();

/// A schedule as the command line takes it: the loan and whether the
/// schedule is yearly.
struct ScheduleCommandInputs : LoanInputs {
    bool annual = false;
};
/// Principal, months and rate (required), and the --annual switch.
const std::vector<InputSpec<ScheduleCommandInputs>>& scheduleCommandInputTable();
const std::vector<InputSpec<LoanComparisonInputs>>& loanComparisonInputTable();
const std::vector<InputSpec<DailyBalanceInputs>>& dailyBalanceInputTable();
const std::vector<InputSpec<InflationInputs>>& inflationInputTable();

const std::vector<ResultSpec<LoanResult>>& loanResultTable();
const std::vector<ResultSpec<LoanBusterResult>>& loanBusterResultTable();
/// The comparison's single figures: none, its figures are the six terms.
const std::vector<ResultSpec<LoanComparisonResult>>& loanComparisonResultTable();
/// One row of the comparison: years, repayment, interest, total.
const std::vector<ResultSpec<ComparisonTerm>>& comparisonTermResultTable();
const std::vector<ResultSpec<DailyBalanceResult>>& dailyBalanceResultTable();
const std::vector<ResultSpec<InflationResult>>& inflationResultTable();
/// Columns of a schedule line; the first is "month" or "year".
const std::vector<ResultSpec<AmortLine>>& scheduleResultTable(bool annual);

}  // namespace grossby
