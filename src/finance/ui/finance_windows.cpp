#include "finance/ui/finance_windows.h"

#include "finance/finance_calculators.h"
#include "finance/ui/daily_balance_window.h"
#include "finance/ui/inflation_window.h"
#include "finance/ui/loan_buster_window.h"
#include "finance/ui/loan_comparison_window.h"
#include "finance/ui/loan_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

void registerFinanceWindows(CalculatorRegistry& registry)
{
    registry.add(calculatorEntry(inflationDescription().menu, windowFactory<InflationWindow>()));
    registry.add(calculatorEntry(loanDescription().menu, windowFactory<LoanWindow>()));
    registry.add(calculatorEntry(loanBusterDescription().menu, windowFactory<LoanBusterWindow>()));
    registry.add(calculatorEntry(loanComparisonDescription().menu, windowFactory<LoanComparisonWindow>()));
    registry.add(calculatorEntry(dailyBalanceDescription().menu, windowFactory<DailyBalanceWindow>()));
}

}  // namespace grossby
