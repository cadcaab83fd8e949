#include "payroll/ui/payroll_windows.h"

#include "payroll/period_calculators.h"
#include "payroll/quicktax_calculators.h"
#include "payroll/ui/annual_window.h"
#include "payroll/ui/daily_window.h"
#include "payroll/ui/monthly_window.h"
#include "payroll/ui/quicktax_window.h"
#include "payroll/ui/short_period_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

void registerPayrollWindows(CalculatorRegistry& registry)
{
    registry.add(calculatorEntry(annualDescription().menu, windowFactory<AnnualWindow>()));
    registry.add(calculatorEntry(monthlyDescription().menu, windowFactory<MonthlyWindow>()));
    registry.add(calculatorEntry(fortnightlyDescription().menu, windowFactory<FortnightlyWindow>()));
    registry.add(calculatorEntry(weeklyDescription().menu, windowFactory<WeeklyWindow>()));
    registry.add(calculatorEntry(dailyDescription().menu, windowFactory<DailyWindow>()));
    registry.add(calculatorEntry(quickTaxDescription().menu, windowFactory<QuickTaxWindow>()));
}

}  // namespace grossby
