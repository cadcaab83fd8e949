#pragma once
// The annual tax on a taxable income, on a tax year's scale.

#include "core/year_figures.h"

namespace grossby {

/// Index into `year`'s scale of the bracket an income falls in. An income
/// equal to a threshold belongs to the lower bracket; zero and negative
/// incomes fall in the first.
int taxBracketIndex(const TaxYearFigures& year, double income);

/// The tax on one annual taxable income and the bracket figures it was built from.
struct AnnualTaxResult {
    double marginalRate = 0;  ///< whole percent of the bracket
    double bracketBaseTax = 0;  ///< tax on the income up to the bracket's lower edge
    double taxOnExcess = 0;  ///< rate times the income above that edge
    double annualTax = 0;  ///< the two added; not rounded
};

/// The annual tax on `income` before rebates, on `year`'s scale. No rounding
/// is applied.
AnnualTaxResult annualTax(const TaxYearFigures& year, double income);

}  // namespace grossby
