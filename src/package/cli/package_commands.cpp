// The salary package calculators as subcommands: `package` from a total
// package forward to the take-home pay and the cost to company, `grossup`
// from a required take-home pay back to the gross salary; --annual for the
// annual windows' amounts. Both print the package statement.

#include "package/cli/package_commands.h"
#include "cli/settings_source.h"
#include "package/package_calc.h"
#include "package/package_inputs.h"
#include "package/package_print.h"

namespace grossby::cli {
namespace {

// The settings the package windows read from the store. The two provident
// percentages are shown by the windows only, so they are not read here.
std::optional<std::string> loadPackageSettings(PackageSettings& settings)
{
    SetupValues values;
    if (auto error = readStoredSettings(values))
        return error;
    settings.PensionCont = values.PensionCont;
    settings.EmployerPenCont = values.EmployerPenCont;
    settings.EmployeeUIF = values.EmployeeUIF;
    settings.EmployerUIF = values.EmployerUIF;
    settings.SkillLevy = values.SkillLevy;
    settings.UIFLimit = values.UIFLimit;
    settings.TAIncRate8020 = values.TAIncRate8020;
    settings.CompCarFBRate8020 = values.CompCarFBRate8020;
    settings.CompCarMPYesNo = values.CompCarMPYesNo;
    return std::nullopt;
}

std::optional<std::string> checkGiven(const PackageInputs& in, const GivenInputs&)
{
    return checkPackagePeriod(in);
}

PackageWindow windowFor(const PackageInputs& in, bool forward)
{
    const bool annual = in.period == PackagePeriod::Annual;
    if (forward)
        return annual ? PackageWindow::PelmoraAnn : PackageWindow::PelmoraMon;
    return annual ? PackageWindow::GrossbyAnn : PackageWindow::GrossbyMon;
}

// The package statement of the window the inputs stand for (monthly or
// annual, forward or reverse). As the windows disable "&Print" while the
// R/Fund warning shows, no statement is made then.
template <class Result, bool forward>
std::optional<std::string> statement(const PackageInputs& in, const Result& r, PrintLanguage, PrintJob& job)
{
    if (r.rfWarning)
        return std::string(kRFWarning) + " The package statement is not printed while they do.";
    const PackageWindow window = windowFor(in, forward);
    job.report = packageReport(window);
    job.tables = {StagedTable{job.report.table, {SalPackPrint(window, in, r)}}};
    return std::nullopt;
}

CalcOutcome<GrossUpResult> runGrossUp(const PackageInputs& in, const PackageSettings& settings)
{
    // The reverse windows set both R/Fund percentages to 0 when they add up
    // to more than 27.5; a script is told instead, so the figures it gets are
    // never worked out on percentages other than the ones it gave or stored.
    PackageSettings limited = settings;
    if (limitRetirementPercentages(limited)) {
        return InputError{kPackageTitle,
                          "The employee and employer R/Fund percentages add up to " +
                              generalNumber(settings.PensionCont + settings.EmployerPenCont) +
                              ", more than the 27.5 the reverse calculator takes between them: give "
                              "--employee-rf-percent and --employer-rf-percent (0 for typed amounts)."};
    }
    return FindGrossSalary(in, settings);
}

std::shared_ptr<const Calculator> packageCalculator()
{
    return describe(CalculatorDef<PackageInputs, PackageSettings, PackageResult>{
        .name = "package",
        .description = "Salary package: from a total package to the tax, UIF, SDL, take-home pay and cost to "
                       "company (monthly, or --annual)",
        .inputs = &packageCommandInputTable(true),
        .results = &packageResultTable(),
        .compute = &CalcPackage,
        .settings = &packageSettingsTable(),
        .loadSettings = &loadPackageSettings,
        .report = packageReport(PackageWindow::PelmoraMon),
        .check = &checkGiven,
        .printJob = &statement<PackageResult, true>,
    });
}

std::shared_ptr<const Calculator> grossUpCalculator()
{
    return describe(CalculatorDef<PackageInputs, PackageSettings, GrossUpResult>{
        .name = "grossup",
        .description = "Reverse salary package: the gross salary that yields a required take-home pay, and its "
                       "cost to company (monthly, or --annual)",
        .inputs = &packageCommandInputTable(false),
        .results = &grossUpResultTable(),
        .compute = &runGrossUp,
        .settings = &packageSettingsTable(),
        .loadSettings = &loadPackageSettings,
        .report = packageReport(PackageWindow::GrossbyMon),
        .check = &checkGiven,
        .printJob = &statement<GrossUpResult, false>,
    });
}

}  // namespace

std::vector<std::shared_ptr<const Calculator>> packageCalculators()
{
    // The package subcommands, in the order --help shows them.
    return {packageCalculator(), grossUpCalculator()};
}

}  // namespace grossby::cli
