#include "finance/ui/finance_windows.h"

#include "finance/ui/daily_balance_window.h"
#include "finance/ui/inflation_window.h"
#include "finance/ui/loan_buster_window.h"
#include "finance/ui/loan_comparison_window.h"
#include "finance/ui/loan_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

void registerFinanceWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order, place in the menus.
    const CalculatorMenu business{"mnuBusinessCalcs", "Bu&siness Calculations"};
    registry.add({"frmInflation",
                  "mnuInflationProject",
                  windowFactory<InflationWindow>(),
                  {},
                  8,
                  {business, "Inflation Projections", 60}});
    registry.add({"frmLoans", "mnuLoans", windowFactory<LoanWindow>(), {}, 9, {business, "Loans", 61}});
    registry.add(
        {"frmLoanBuster", "mnuLoansBuster", windowFactory<LoanBusterWindow>(), {}, 10, {business, "Loan buster", 62}});
    registry.add({"frmLoanComp",
                  "mnuLoansComparison",
                  windowFactory<LoanComparisonWindow>(),
                  {},
                  11,
                  {business, "Loan comparison", 63}});
    registry.add(
        {"frmDayBal", "mnuDailyBalance", windowFactory<DailyBalanceWindow>(), {}, 12, {business, "Daily balance", 64}});
}

}  // namespace grossby
