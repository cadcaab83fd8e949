#include "vehicle/ui/vehicle_windows.h"

#include "vehicle/ui/car_allowance_window.h"
#include "vehicle/ui/company_car_window.h"
#include "vehicle/vehicle_calculators.h"
#include "widgets/calculator_registry.h"

namespace grossby {

namespace {

// The company car window needs the main window at least this wide.
constexpr int kCompanyCarWidthTwips = 13405;

}  // namespace

void registerVehicleWindows(CalculatorRegistry& registry)
{
    // Both cascade; the company car window first widens a main window in the
    // normal state.
    registry.add(calculatorEntry(companyCarDescription().menu, windowFactory<CompanyCarWindow>(),
                                 {.cascade = true, .widenToTwips = kCompanyCarWidthTwips}));
    registry.add(
        calculatorEntry(carAllowanceDescription().menu, windowFactory<CarAllowanceWindow>(), {.cascade = true}));
}

}  // namespace grossby
