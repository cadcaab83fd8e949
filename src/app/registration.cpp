#include "app/registration.h"

#include "app/print_tables.h"
#include "finance/ui/finance_windows.h"
#include "package/ui/package_windows.h"
#include "payroll/ui/payroll_windows.h"
#include "vehicle/ui/vehicle_windows.h"

namespace grossby {

CalculatorRegistry programCalculators()
{
    declareProgramPrintTables();
    CalculatorRegistry registry;
    registerPayrollWindows(registry);
    registerPackageWindows(registry);
    registerVehicleWindows(registry);
    registerFinanceWindows(registry);
    return registry;
}

}  // namespace grossby
