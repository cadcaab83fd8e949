#include "package/ui/package_windows.h"

#include "package/ui/package_window.h"
#include "widgets/calculator_registry.h"

namespace grossby {

void registerPackageWindows(CalculatorRegistry& registry)
{
    // window, menu command, factory, arrangement, place in "&Initialise All"'s
    // closing order, place in the menus. The reverse windows are under the
    // Grossby menu, the forward ones under Pelmora; each cascades the windows
    // when it opens.
    const ArrangeRule cascade{.cascade = true};
    const CalculatorMenu grossby{"mnuGrossby", "&Grossby"};
    const CalculatorMenu pelmora{"mnuPelmora", "P&elmora"};
    auto make = [](PackageWindow kind) { return windowFactory<SalaryPackageWindow>(kind); };
    registry.add(
        {"frmGrossbyMon", "mnuGrossbyMon", make(PackageWindow::GrossbyMon), cascade, 13, {grossby, "&Monthly", 10}});
    registry.add(
        {"frmGrossbyAnn", "mnuGrossbyAnn", make(PackageWindow::GrossbyAnn), cascade, 14, {grossby, "&Annual", 11}});
    registry.add(
        {"frmPelmoraMon", "mnuPelmoraMon", make(PackageWindow::PelmoraMon), cascade, 15, {pelmora, "&Monthly", 20}});
    registry.add(
        {"frmPelmoraAnn", "mnuPelmoraAnn", make(PackageWindow::PelmoraAnn), cascade, 16, {pelmora, "&Annual", 21}});
}

}  // namespace grossby
