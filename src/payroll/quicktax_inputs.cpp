#include "payroll/quicktax_inputs.h"

namespace grossby {

const std::vector<InputSpec<AnnualTaxInputs>>& annualTaxInputTable()
{
    using In = AnnualTaxInputs;
    static const std::vector<InputSpec<In>> table = {
        inputAt<In, &In::income>(
            {.key = "income", .typeName = "RAND", .help = "Annual taxable income in rand", .required = true}),
        inputAt<In, &In::TaxYear>({.key = "year",
                                   .kind = InputKind::TaxYear,
                                   .typeName = "YEAR",
                                   .help = "tax year: 2026 or 2025/26 (default 2017/18)"}),
    };
    return table;
}

const std::vector<ResultSpec<AnnualTaxResult>>& annualTaxResultTable()
{
    using R = AnnualTaxResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::marginalRate>({.key = "marginal_rate",
                                       .label = "Marginal rate %",
                                       .help = "rate of the bracket the income falls in, percent",
                                       .decimals = 0}),
        resultAt<R, &R::bracketBaseTax>({.key = "bracket_base_tax",
                                         .label = "Tax on bracket threshold",
                                         .help = "tax on all income up to the bracket's lower threshold"}),
        resultAt<R, &R::taxOnExcess>({.key = "tax_on_excess",
                                      .label = "Tax on the excess",
                                      .help = "tax on the part above the bracket's lower threshold"}),
        resultAt<R, &R::annualTax>(
            {.key = "annual_tax", .label = "Annual tax", .help = "bracket_base_tax + tax_on_excess, before rebates"}),
    };
    return table;
}

const std::vector<InputSpec<QuickTaxInputs>>& quickTaxInputTable()
{
    using In = QuickTaxInputs;
    static const std::vector<InputSpec<In>> table = {
        inputAt<In, &In::income>(
            {.key = "income", .typeName = "RAND", .help = "Annual taxable income in rand", .required = true}),
        inputAt<In, &In::age>({.key = "age",
                               .kind = InputKind::Whole,
                               .min = kQuickTaxAgeMin,
                               .max = kQuickTaxAgeMax,
                               .typeName = "YEARS",
                               .help = "Age in years, 0 to 150 (65 and 75 bring the larger rebates); rounded half "
                                       "to even",
                               .rangeTitle = kQuickTaxAgeTitle,
                               .rangeText = kQuickTaxAgeMessage,
                               .required = true,
                               .rounds = true}),
        inputAt<In, &In::TaxYear>({.key = "year",
                                   .kind = InputKind::TaxYear,
                                   .typeName = "YEAR",
                                   .help = "tax year: 2026 or 2025/26 (default 2017/18)"}),
    };
    return table;
}

const std::vector<ResultSpec<QuickTaxResult>>& quickTaxResultTable()
{
    using R = QuickTaxResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::bracketBaseTax>({.key = "tax_on_threshold",
                                         .label = "Tax on taxable income",
                                         .help = "tax on all income up to the bracket's lower threshold"}),
        resultAt<R, &R::marginalRate>({.key = "marginal_rate",
                                       .label = "Marginal rate %",
                                       .help = "rate of the bracket the income falls in, percent",
                                       .decimals = 0}),
        resultAt<R, &R::taxOnExcess>({.key = "portion",
                                      .label = "Portion at marginal rate",
                                      .help = "tax on the part above the threshold, at the marginal rate"}),
        resultAt<R, &R::total>(
            {.key = "total_tax", .label = "Total tax", .help = "tax_on_threshold + portion, before rebates"}),
        resultAt<R, &R::rebate>(
            {.key = "rebate", .label = "Less rebates", .help = "primary rebate plus any rebate for age"}),
        resultAt<R, &R::payable>(
            {.key = "tax_payable", .label = "Tax commitment", .help = "total_tax - rebate, never below 0"}),
        resultAt<R, &R::averageRate>({.key = "average_rate",
                                      .label = "Average rate before rebates %",
                                      .help = "total_tax as a percent of the income"}),
        resultAt<R, &R::averageRateAfter>({.key = "average_rate_after",
                                           .label = "Average rate after rebates %",
                                           .help = "tax after rebates as a percent of the income, never below 0"}),
        {.key = "monthly_tax",
         .label = "Monthly tax",
         .get = [](const R& r) { return r.monthlyTax(); },
         .help = "tax_payable / 12"},
    };
    return table;
}

}  // namespace grossby
