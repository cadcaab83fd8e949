#include "package/ui/package_windows.h"

#include "package/package_calculators.h"
#include "package/ui/package_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

void registerPackageWindows(CalculatorRegistry& registry)
{
    // Each package window cascades the windows when it opens.
    const ArrangeRule cascade{.cascade = true};
    auto make = [](PackageWindow kind) { return windowFactory<SalaryPackageWindow>(kind); };
    registry.add(
        calculatorEntry(grossUpDescription(PackagePeriod::Monthly).menu, make(PackageWindow::GrossbyMon), cascade));
    registry.add(
        calculatorEntry(grossUpDescription(PackagePeriod::Annual).menu, make(PackageWindow::GrossbyAnn), cascade));
    registry.add(
        calculatorEntry(packageDescription(PackagePeriod::Monthly).menu, make(PackageWindow::PelmoraMon), cascade));
    registry.add(
        calculatorEntry(packageDescription(PackagePeriod::Annual).menu, make(PackageWindow::PelmoraAnn), cascade));
}

}  // namespace grossby
