#include "app/registration.h"

#include "finance/ui/finance_windows.h"
#include "package/ui/package_windows.h"
#include "payroll/ui/payroll_windows.h"
#include "vehicle/ui/vehicle_windows.h"
#include "widgets/twips.h"

namespace grossby {

namespace {

// The company car window needs the main window at least this wide.
constexpr int kCompanyCarWidthTwips = 13405;

// Windows of the subsystems still to come. Their commands are in the menus,
// disabled until a subsystem registers the window with its factory; their
// arrangement and place in "&Initialise All"'s order are fixed already.
void registerPlannedWindows(CalculatorRegistry& registry)
{
    const ArrangeRule cascade{.cascade = true};
    registry.add({"frmGrossbyMon", "mnuGrossbyMon", nullptr, cascade, 13});
    registry.add({"frmGrossbyAnn", "mnuGrossbyAnn", nullptr, cascade, 14});
    registry.add({"frmPelmoraMon", "mnuPelmoraMon", nullptr, cascade, 15});
    registry.add({"frmPelmoraAnn", "mnuPelmoraAnn", nullptr, cascade, 16});
    registry.add({"frmCompCar", "mnuCompCar", nullptr, {.cascade = true, .widenToTwips = kCompanyCarWidthTwips}, 5});
    registry.add({"frmCarAll1", "mnuCarAll1", nullptr, cascade, 6});
    // 7 is the help window, the main window's own.
    registry.add({"frmInflation", "mnuInflationProject", nullptr, {}, 8});
    registry.add({"frmLoans", "mnuLoans", nullptr, {}, 9});
    registry.add({"frmLoanBuster", "mnuLoansBuster", nullptr, {}, 10});
    registry.add({"frmLoanComp", "mnuLoansComparison", nullptr, {}, 11});
    registry.add({"frmDayBal", "mnuDailyBalance", nullptr, {}, 12});
}

}  // namespace

CalculatorRegistry programCalculators()
{
    CalculatorRegistry registry;
    registerPlannedWindows(registry);
    registerPayrollWindows(registry);
    registerPackageWindows(registry);
    registerVehicleWindows(registry);
    registerFinanceWindows(registry);
    return registry;
}

}  // namespace grossby
