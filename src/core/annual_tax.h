#pragma once
// The annual tax on a taxable income, on the 2017/18 scale.

#include "core/year_figures.h"

namespace grossby {

/// Index into the scale of the bracket an income falls in. An income equal
/// to a threshold belongs to the lower bracket; zero and negative incomes fall
/// in the first.
int taxBracketIndex(double income);

/// The tax on one annual taxable income and the bracket figures it was built from.
struct AnnualTaxResult {
    double marginalRate = 0;  ///< whole percent of the bracket
    double bracketBaseTax = 0;  ///< tax on the income up to the bracket's lower edge
    double taxOnExcess = 0;  ///< rate times the income above that edge
    double annualTax = 0;  ///< the two added; not rounded
};

/// The annual tax on `income` before rebates. No rounding is applied.
AnnualTaxResult annualTax(double income);

}  // namespace grossby
