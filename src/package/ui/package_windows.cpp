#include "package/ui/package_windows.h"

#include "package/ui/package_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

namespace {

std::function<QWidget*(Module1&)> make(PackageWindow kind)
{
    return [kind](Module1& state) -> QWidget* { return CalculatorWindow::create<SalaryPackageWindow>(kind, state); };
}

}  // namespace

void registerPackageWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order. The reverse windows are under the Grossby menu, the
    // forward ones under Pelmora; each cascades the windows when it opens.
    const ArrangeRule cascade{.cascade = true};
    registry.add({"frmGrossbyMon", "mnuGrossbyMon", make(PackageWindow::GrossbyMon), cascade, 13});
    registry.add({"frmGrossbyAnn", "mnuGrossbyAnn", make(PackageWindow::GrossbyAnn), cascade, 14});
    registry.add({"frmPelmoraMon", "mnuPelmoraMon", make(PackageWindow::PelmoraMon), cascade, 15});
    registry.add({"frmPelmoraAnn", "mnuPelmoraAnn", make(PackageWindow::PelmoraAnn), cascade, 16});
}

}  // namespace grossby
