#pragma once
// The annual tax on the scale and QuickTax, each described once: QuickTax's
// description is read by its window, its menu entry and the `quicktax`
// subcommand; the annual tax on the scale is the `tax` subcommand (it has no
// window of its own).

#include "core/annual_tax.h"
#include "core/calculator_description.h"
#include "payroll/quicktax.h"
#include "payroll/quicktax_inputs.h"

namespace grossby {

CalculatorDescription<AnnualTaxInputs, NoSettings, AnnualTaxResult> annualTaxDescription();
CalculatorDescription<QuickTaxInputs, NoSettings, QuickTaxResult> quickTaxDescription();

}  // namespace grossby
