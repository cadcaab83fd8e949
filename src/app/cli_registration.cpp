#include "app/cli_registration.h"

#include "app/print_tables.h"
#include "cli/subcommand.h"
#include "finance/cli/finance_commands.h"
#include "package/cli/package_commands.h"
#include "payroll/cli/payroll_commands.h"
#include "vehicle/cli/vehicle_commands.h"

namespace grossby::cli {

std::vector<std::shared_ptr<const Calculator>> calculators()
{
    declareProgramPrintTables();
    std::vector<std::shared_ptr<const Calculator>> all;
    for (auto more : {payrollCalculators(), packageCalculators(), vehicleCalculators(), financeCalculators()})
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
