#include "cli/commands.h"
#include "cli/output.h"
#include "cli/report_output.h"
#include "core/module1.h"
#include "payroll/quicktax.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace grossby::cli {

Runner addQuickTaxCommand(CLI::App& app)
{
    struct Options {
        double income = 0;
        double age = 0;
        bool json = false;
        std::string report;
    };
    auto opts = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("quicktax", "Income tax on an annual taxable income at an age, after rebates");
    cmd->add_option("--income", opts->income, "Annual taxable income in rand")->required()->check(kFiniteNumber);
    cmd->add_option("--age", opts->age, "Age in years (65 and 75 bring the larger rebates); rounded half to even")
        ->required()
        ->check(kFiniteNumber);
    cmd->add_flag("--json", opts->json, "Print one JSON object with every result at full precision");
    addReportOption(cmd, opts->report);
    cmd->footer("Results:\n"
                "  tax_on_threshold    tax on all income up to the bracket's lower threshold\n"
                "  marginal_rate       rate of the bracket the income falls in, percent\n"
                "  portion             tax on the part above the threshold, at the marginal rate\n"
                "  total_tax           tax_on_threshold + portion, before rebates\n"
                "  rebate              primary rebate plus any rebate for age\n"
                "  tax_payable         total_tax - rebate, never below 0\n"
                "  average_rate        total_tax as a percent of the income\n"
                "  average_rate_after  tax after rebates as a percent of the income, never below 0\n"
                "  monthly_tax         tax_payable / 12");
    return [cmd, opts]() {
        if (!cmd->parsed())
            return -1;
        Module1 state;
        QuickTaxSetIncome(state, opts->income);
        if (auto message = QuickTaxSetAge(state, opts->age)) {
            printError(std::cout, std::cerr, *message, opts->json);
            return 1;
        }
        QuickTaxCalculate(state);
        if (!opts->report.empty()) {
            const StagedTable row{kKwikTaxTable, {KwikTaxRecord(state)}};
            if (const int code = writeReport({row}, kKwikTaxTemplate, kKwikTaxTitle, opts->report, std::cerr))
                return code;
        }
        printResult(std::cout,
                    {
                        {"tax_on_threshold", "Tax on taxable income", state.BracketBaseTax},
                        {"marginal_rate", "Marginal rate %", state.MarginalRate, 0},
                        {"portion", "Portion at marginal rate", state.TaxOnExcess},
                        {"total_tax", "Total tax", state.QuickTaxTotal},
                        {"rebate", "Less rebates", state.QuickTaxRebate},
                        {"tax_payable", "Tax commitment", state.QuickTaxPayable},
                        {"average_rate", "Average rate before rebates %", state.QuickTaxAverageRate},
                        {"average_rate_after", "Average rate after rebates %", state.QuickTaxAverageRateAfter},
                        {"monthly_tax", "Monthly tax", state.QuickTaxPayable / 12},
                    },
                    opts->json);
        return 0;
    };
}

}  // namespace grossby::cli
