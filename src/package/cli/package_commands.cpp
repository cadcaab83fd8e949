// The salary package calculators as subcommands: `package` from a total
// package forward to the take-home pay and the cost to company, `grossup`
// from a required take-home pay back to the gross salary; --annual for the
// annual windows' amounts. Both print the package statement.

#include "package/cli/package_commands.h"
#include "cli/described_command.h"
#include "package/package_calc.h"
#include "package/package_calculators.h"
#include "package/package_inputs.h"
#include "package/package_print.h"

namespace grossby::cli {
namespace {

std::optional<std::string> checkGiven(const PackageInputs& in, const GivenInputs&)
{
    return checkPackagePeriod(in);
}

// The package statement of the window the inputs stand for (monthly or
// annual, forward or reverse), as the description of that period prints it.
// As the windows disable "&Print" while the R/Fund warning shows, no
// statement is made then.
template <class Result, CalculatorDescription<PackageInputs, PackageSettings, Result> (*describePeriod)(PackagePeriod)>
std::optional<std::string> statement(const PackageInputs& in, const Result& r, PrintLanguage language, PrintJob& job)
{
    if (r.rfWarning)
        return std::string(kRFWarning) + " The package statement is not printed while they do.";
    const auto d = describePeriod(in.period);
    job.report = d.report;
    job.tables = {StagedTable{job.report.table, {d.print(in, r, language)}}};
    return std::nullopt;
}

// A package calculator's subcommand from its monthly description: the
// command line's inputs add --annual and the other-expense rows, and the
// settings the user does not give come from the store.
template <class Result>
CalculatorDef<PackageInputs, PackageSettings, Result>
packageDef(const CalculatorDescription<PackageInputs, PackageSettings, Result>& d, bool forward)
{
    auto def = withStoredSettings(commandOf(d), packageSettingsTable());
    def.inputs = &packageCommandInputTable(forward);
    def.check = &checkGiven;
    // The store's UIF limit is the user's figure for 2017/18; one given for
    // the calculation applies whatever its tax year.
    def.prepareSettings = [](PackageSettings& s, const GivenInputs& given) {
        if (given("uif-limit"))
            s.UIFLimitYear = 0;
    };
    return def;
}

CalcOutcome<GrossUpResult> runGrossUp(const PackageInputs& in, const PackageSettings& settings)
{
    // The reverse windows set both R/Fund percentages to 0 when they add up
    // to more than 27.5; a script is told instead, so the figures it gets are
    // never worked out on percentages other than the ones it gave or stored.
    PackageSettings limited = settings;
    const TaxYearFigures* year = findTaxYear(in.TaxYear);
    if (year && limitRetirementPercentages(limited, *year)) {
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
    auto def = packageDef(packageDescription(PackagePeriod::Monthly), true);
    def.printJob = &statement<PackageResult, &packageDescription>;
    return describe(std::move(def));
}

std::shared_ptr<const Calculator> grossUpCalculator()
{
    auto def = packageDef(grossUpDescription(PackagePeriod::Monthly), false);
    // The command line refuses R/Fund percentages the window would clear.
    def.compute = &runGrossUp;
    def.printJob = &statement<GrossUpResult, &grossUpDescription>;
    return describe(std::move(def));
}

}  // namespace

std::vector<std::shared_ptr<const Calculator>> packageCalculators()
{
    // The package subcommands, in the order --help shows them.
    return {packageCalculator(), grossUpCalculator()};
}

}  // namespace grossby::cli
