#include "vehicle/ui/vehicle_windows.h"

#include "widgets/calculator_registry.h"

namespace grossby {

void registerVehicleWindows(CalculatorRegistry& registry)
{
    // The windows are registered here as they are built; until then the
    // program's planned entries keep their commands disabled.
    (void)registry;
}

}  // namespace grossby
