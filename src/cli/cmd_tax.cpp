#include "cli/commands.h"
#include "cli/output.h"
#include "core/annual_tax.h"
#include "core/module1.h"

#include <iostream>
#include <memory>

namespace grossby::cli {

Runner addTaxCommand(CLI::App& app)
{
    struct Options {
        double income = 0;
        bool json = false;
    };
    auto opts = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("tax", "Annual tax on a taxable income, before rebates (2017/18 scale)");
    cmd->add_option("--income", opts->income, "Annual taxable income in rand")->required()->check(kFiniteNumber);
    cmd->add_flag("--json", opts->json, "Print one JSON object with every result at full precision");
    cmd->footer("Results:\n"
                "  marginal_rate     rate of the bracket the income falls in, percent\n"
                "  bracket_base_tax  tax on all income up to the bracket's lower threshold\n"
                "  tax_on_excess     tax on the part above the bracket's lower threshold\n"
                "  annual_tax        bracket_base_tax + tax_on_excess, before rebates");
    return [cmd, opts]() {
        if (!cmd->parsed())
            return -1;
        Module1 state;
        state.AnnualTaxableIncome = opts->income;
        CalcAnnualTax(state);
        printResult(std::cout,
                    {
                        {"marginal_rate", "Marginal rate %", state.MarginalRate, 0},
                        {"bracket_base_tax", "Tax on bracket threshold", state.BracketBaseTax},
                        {"tax_on_excess", "Tax on the excess", state.TaxOnExcess},
                        {"annual_tax", "Annual tax", state.AnnualTax},
                    },
                    opts->json);
        return 0;
    };
}

}  // namespace grossby::cli
