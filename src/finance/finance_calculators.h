#pragma once
// The finance calculators, each described once: read by their subcommands, by their windows (which
// run on the description) and by the registration of the windows (menu
// place, Initialise All rank).

#include "core/calculator_description.h"
#include "finance/daily_balance.h"
#include "finance/finance_inputs.h"
#include "finance/inflation.h"
#include "finance/loan_buster.h"
#include "finance/loan_comparison.h"

namespace grossby {

/// A loan solved for the quantity its mode names. The printout row is the
/// command line's (finance charges shown); a schedule and the window's
/// finance charges toggle are added by the printout's owner. Nothing to print
/// unless all four quantities are above 0.
CalculatorDescription<LoanCommandInputs, NoSettings, LoanResult> loanDescription();

/// A present cost carried forward; nothing to print when the future cost is
/// 0 or too large to show.
CalculatorDescription<InflationInputs, NoSettings, InflationResult> inflationDescription();

/// Simple interest between two dates; nothing to print without interest and
/// days.
CalculatorDescription<DailyBalanceInputs, NoSettings, DailyBalanceResult> dailyBalanceDescription();

/// One bond over six terms; its figures are the terms (a list), so the result
/// table is empty. Nothing to print without a bond amount and a rate.
CalculatorDescription<LoanComparisonInputs, NoSettings, LoanComparisonResult> loanComparisonDescription();

/// What an extra monthly payment saves; nothing to print without a principal.
CalculatorDescription<LoanBusterInputs, NoSettings, LoanBusterResult> loanBusterDescription();

}  // namespace grossby
