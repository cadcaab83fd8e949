#pragma once
// The inputs and results of the annual tax on the scale and of QuickTax as
// tables, as for the period calculators: the command line makes its options,
// batch columns, JSON keys and --help from them.

#include "core/annual_tax.h"
#include "core/input_table.h"
#include "core/year_figures.h"
#include "payroll/quicktax.h"

#include <vector>

namespace grossby {

/// What the annual tax on the scale is asked: a taxable income.
struct AnnualTaxInputs {
    double income = 0;
    int TaxYear = kDefaultTaxYear;  ///< the year of assessment, by the year it ends in
};

const std::vector<InputSpec<AnnualTaxInputs>>& annualTaxInputTable();
const std::vector<ResultSpec<AnnualTaxResult>>& annualTaxResultTable();

const std::vector<InputSpec<QuickTaxInputs>>& quickTaxInputTable();
/// QuickTax's figures in the order the window shows them.
const std::vector<ResultSpec<QuickTaxResult>>& quickTaxResultTable();

}  // namespace grossby
