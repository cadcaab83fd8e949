#include "payroll/ui/payroll_windows.h"

#include "payroll/ui/annual_window.h"
#include "payroll/ui/daily_window.h"
#include "payroll/ui/monthly_window.h"
#include "payroll/ui/quicktax_window.h"
#include "payroll/ui/short_period_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

void registerPayrollWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order (0: stays open), place in the menus. The fortnightly
    // window and QuickTax stay open with what they show; QuickTax is a
    // command of the menu bar itself.
    const CalculatorMenu taxCalcs{"mnuTaxCalc", "&TaxCalcs"};
    registry.add({"frmAnnual", "mnuAnnual", windowFactory<AnnualWindow>(), {}, 1, {taxCalcs, "&Annual", 30}});
    registry.add({"frmMonthly", "mnuMonthly", windowFactory<MonthlyWindow>(), {}, 2, {taxCalcs, "&Monthly", 31}});
    registry.add(
        {"frmFortNight", "mnuFortNight", windowFactory<FortnightlyWindow>(), {}, 0, {taxCalcs, "&FortNightly", 32}});
    registry.add({"frmWeekly", "mnuWeekly", windowFactory<WeeklyWindow>(), {}, 3, {taxCalcs, "&Weekly", 33}});
    registry.add({"frmDaily", "mnuDaily", windowFactory<DailyWindow>(), {}, 4, {taxCalcs, "&Daily", 34}});
    registry.add({"frmKwikTax", "QuickTax", windowFactory<QuickTaxWindow>(), {}, 0, {{}, "&QuickTax", 40}});
}

}  // namespace grossby
