#include "core/annual_tax.h"

namespace grossby {

int taxBracketIndex(const TaxYearFigures& year, double income)
{
    const auto& scale = year.scale;
    const int last = static_cast<int>(scale.size()) - 1;
    for (int i = 0; i < last; ++i) {
        if (income <= scale[static_cast<std::size_t>(i)].upper)
            return i;
    }
    return last;
}

AnnualTaxResult annualTax(const TaxYearFigures& year, double income)
{
    const TaxBracket& b = year.scale[static_cast<std::size_t>(taxBracketIndex(year, income))];
    AnnualTaxResult r;
    r.marginalRate = b.rate;
    r.bracketBaseTax = b.baseTax;
    // Subtract, multiply by the whole-number rate, then divide: this order
    // gives the published cents.
    r.taxOnExcess = (income - b.lower) * b.rate / 100;
    r.annualTax = r.bracketBaseTax + r.taxOnExcess;
    return r;
}

}  // namespace grossby
