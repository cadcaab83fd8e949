#include "finance/ui/finance_windows.h"

#include "finance/ui/daily_balance_window.h"
#include "finance/ui/inflation_window.h"
#include "finance/ui/loan_buster_window.h"
#include "finance/ui/loan_comparison_window.h"
#include "finance/ui/loan_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

namespace {

template <class Window> QWidget* make(Module1& state)
{
    return CalculatorWindow::create<Window>(state);
}

}  // namespace

void registerFinanceWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order. Windows not yet built keep the program's planned entries,
    // their commands disabled.
    registry.add({"frmInflation", "mnuInflationProject", make<InflationWindow>, {}, 8});
    registry.add({"frmLoans", "mnuLoans", make<LoanWindow>, {}, 9});
    registry.add({"frmLoanBuster", "mnuLoansBuster", make<LoanBusterWindow>, {}, 10});
    registry.add({"frmLoanComp", "mnuLoansComparison", make<LoanComparisonWindow>, {}, 11});
    registry.add({"frmDayBal", "mnuDailyBalance", make<DailyBalanceWindow>, {}, 12});
}

}  // namespace grossby
