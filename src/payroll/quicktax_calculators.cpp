#include "payroll/quicktax_calculators.h"

#include "core/rules.h"

namespace grossby {

namespace {

CalcOutcome<AnnualTaxResult> taxOnTheScale(const AnnualTaxInputs& in, const NoSettings&)
{
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    return annualTax(*std::get<const TaxYearFigures*>(year), in.income);
}

CalcOutcome<QuickTaxResult> quickTax(const QuickTaxInputs& in, const NoSettings&)
{
    return CalcQuickTax(in);
}

PrintRecord quickTaxRow(const QuickTaxInputs&, const QuickTaxResult& r, PrintLanguage)
{
    return KwikTaxRecord(r);
}

}  // namespace

CalculatorDescription<AnnualTaxInputs, NoSettings, AnnualTaxResult> annualTaxDescription()
{
    return {.name = "tax",
            .summary = "Annual tax on a taxable income, before rebates, on the tax year's scale",
            .inputs = &annualTaxInputTable(),
            .results = &annualTaxResultTable(),
            .compute = &taxOnTheScale,
            .report = {},
            .menu = {}};
}

CalculatorDescription<QuickTaxInputs, NoSettings, QuickTaxResult> quickTaxDescription()
{
    // A command of the menu bar itself; the window stays open with what it
    // shows when everything is initialised.
    return {.name = "quicktax",
            .summary = "Income tax on an annual taxable income at an age, after rebates",
            .inputs = &quickTaxInputTable(),
            .results = &quickTaxResultTable(),
            .compute = &quickTax,
            .report = quickTaxReport(),
            .print = &quickTaxRow,
            .menu = {.window = "frmKwikTax", .command = "QuickTax", .caption = "&QuickTax", .order = 40}};
}

}  // namespace grossby
