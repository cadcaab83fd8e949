#include "cli/calculators.h"

#include "cli/commands.h"
#include "cli/subcommand.h"

namespace grossby::cli {

std::vector<std::shared_ptr<const Calculator>> calculators()
{
    std::vector<std::shared_ptr<const Calculator>> all = {
        taxCalculator(),    quickTaxCalculator(),    monthlyCalculator(), annualCalculator(),
        weeklyCalculator(), fortnightlyCalculator(), dailyCalculator(),
    };
    for (auto more : {packageCalculators(), vehicleCalculators(), financeCalculators()})
        all.insert(all.end(), more.begin(), more.end());
    return all;
}

std::vector<Runner> addCalculatorCommands(CLI::App& app)
{
    std::vector<Runner> runners;
    for (auto& calc : calculators())
        runners.push_back(addCalculatorCommand(app, std::move(calc)));
    return runners;
}

}  // namespace grossby::cli
