#include "package/package_calculators.h"

#include "package/package_inputs.h"

namespace grossby {

namespace {

// The reverse windows are under the Grossby menu, the forward ones under
// Pelmora.
MenuEntry grossbyMenu(const char* window, const char* command, const char* caption, int order, int initialiseAllRank)
{
    return {window, command, "mnuGrossby", "&Grossby", caption, order, initialiseAllRank};
}

MenuEntry pelmoraMenu(const char* window, const char* command, const char* caption, int order, int initialiseAllRank)
{
    return {window, command, "mnuPelmora", "P&elmora", caption, order, initialiseAllRank};
}

// The package statement of the window the inputs stand for.
PrintRecord forwardStatement(const PackageInputs& in, const PackageResult& r, PrintLanguage)
{
    return SalPackPrint(packageWindowFor(in, true), in, r);
}

PrintRecord reverseStatement(const PackageInputs& in, const GrossUpResult& r, PrintLanguage)
{
    return SalPackPrint(packageWindowFor(in, false), in, r);
}

}  // namespace

PackageWindow packageWindowFor(const PackageInputs& in, bool forward)
{
    const bool annual = in.period == PackagePeriod::Annual;
    if (forward)
        return annual ? PackageWindow::PelmoraAnn : PackageWindow::PelmoraMon;
    return annual ? PackageWindow::GrossbyAnn : PackageWindow::GrossbyMon;
}

CalculatorDescription<PackageInputs, PackageSettings, PackageResult> packageDescription(PackagePeriod period)
{
    const bool annual = period == PackagePeriod::Annual;
    PackageInputs defaults;
    defaults.period = period;
    return {.name = "package",
            .summary = "Salary package: from a total package to the tax, UIF, SDL, take-home pay and cost to "
                       "company (monthly, or --annual)",
            .inputs = &packageInputTable(period),
            .results = &packageResultTable(),
            .compute = &CalcPackage,
            .defaults = defaults,
            .report = packageReport(packageWindowFor(defaults, true)),
            .print = &forwardStatement,
            .menu = annual ? pelmoraMenu("frmPelmoraAnn", "mnuPelmoraAnn", "&Annual", 21, 16)
                           : pelmoraMenu("frmPelmoraMon", "mnuPelmoraMon", "&Monthly", 20, 15)};
}

CalculatorDescription<PackageInputs, PackageSettings, GrossUpResult> grossUpDescription(PackagePeriod period)
{
    const bool annual = period == PackagePeriod::Annual;
    PackageInputs defaults;
    defaults.period = period;
    return {.name = "grossup",
            .summary = "Reverse salary package: the gross salary that yields a required take-home pay, and its "
                       "cost to company (monthly, or --annual)",
            .inputs = &grossUpInputTable(period),
            .results = &grossUpResultTable(),
            .compute = &FindGrossSalary,
            .defaults = defaults,
            .report = packageReport(packageWindowFor(defaults, false)),
            .print = &reverseStatement,
            .menu = annual ? grossbyMenu("frmGrossbyAnn", "mnuGrossbyAnn", "&Annual", 11, 14)
                           : grossbyMenu("frmGrossbyMon", "mnuGrossbyMon", "&Monthly", 10, 13)};
}

}  // namespace grossby
