#include "vehicle/ui/vehicle_windows.h"

#include "vehicle/ui/car_allowance_window.h"
#include "vehicle/ui/company_car_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

namespace {

// The company car window needs the main window at least this wide.
constexpr int kCompanyCarWidthTwips = 13405;

template <class Window> QWidget* make(Module1& state)
{
    return CalculatorWindow::create<Window>(state);
}

}  // namespace

void registerVehicleWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order. Both cascade; the company car window first widens a main
    // window in the normal state.
    registry.add({"frmCompCar",
                  "mnuCompCar",
                  make<CompanyCarWindow>,
                  {.cascade = true, .widenToTwips = kCompanyCarWidthTwips},
                  5});
    registry.add({"frmCarAll1", "mnuCarAll1", make<CarAllowanceWindow>, {.cascade = true}, 6});
}

}  // namespace grossby
