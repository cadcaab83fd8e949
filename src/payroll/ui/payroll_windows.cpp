#include "payroll/ui/payroll_windows.h"

#include "payroll/ui/annual_window.h"
#include "payroll/ui/daily_window.h"
#include "payroll/ui/monthly_window.h"
#include "payroll/ui/quicktax_window.h"
#include "payroll/ui/short_period_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

namespace {

template <class Window> QWidget* make(Module1& state)
{
    return CalculatorWindow::create<Window>(state);
}

}  // namespace

void registerPayrollWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order (0: stays open). The fortnightly window and QuickTax stay
    // open with what they show.
    registry.add({"frmAnnual", "mnuAnnual", make<AnnualWindow>, {}, 1});
    registry.add({"frmMonthly", "mnuMonthly", make<MonthlyWindow>, {}, 2});
    registry.add({"frmWeekly", "mnuWeekly", make<WeeklyWindow>, {}, 3});
    registry.add({"frmDaily", "mnuDaily", make<DailyWindow>, {}, 4});
    registry.add({"frmFortNight", "mnuFortNight", make<FortnightlyWindow>, {}, 0});
    registry.add({"frmKwikTax", "QuickTax", make<QuickTaxWindow>, {}, 0});
}

}  // namespace grossby
