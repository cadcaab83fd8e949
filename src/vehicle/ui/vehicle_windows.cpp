#include "vehicle/ui/vehicle_windows.h"

#include "vehicle/ui/car_allowance_window.h"
#include "vehicle/ui/company_car_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

namespace {

// The company car window needs the main window at least this wide.
constexpr int kCompanyCarWidthTwips = 13405;

}  // namespace

void registerVehicleWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order, place in the menus. Both cascade; the company car window
    // first widens a main window in the normal state.
    const CalculatorMenu cars{"mnuCarCalcs", "&Car Calculations"};
    registry.add({"frmCompCar",
                  "mnuCompCar",
                  windowFactory<CompanyCarWindow>(),
                  {.cascade = true, .widenToTwips = kCompanyCarWidthTwips},
                  5,
                  {cars, "&Company car", 50}});
    registry.add({"frmCarAll1",
                  "mnuCarAll1",
                  windowFactory<CarAllowanceWindow>(),
                  {.cascade = true},
                  6,
                  {cars, "Car Allowance", 51}});
}

}  // namespace grossby
