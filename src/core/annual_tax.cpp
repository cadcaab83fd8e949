#include "core/annual_tax.h"

#include "core/module1.h"

namespace grossby {

int taxBracketIndex(double income)
{
    const int last = static_cast<int>(kTaxScale2018.size()) - 1;
    for (int i = 0; i < last; ++i) {
        if (income <= kTaxScale2018[i].upper)
            return i;
    }
    return last;
}

void CalcAnnualTax(Module1& state)
{
    const double income = state.AnnualTaxableIncome;
    const TaxBracket& b = kTaxScale2018[taxBracketIndex(income)];
    state.MarginalRate = b.rate;
    state.BracketBaseTax = b.baseTax;
    // Subtract, multiply by the whole-number rate, then divide: this order
    // gives the published cents.
    state.TaxOnExcess = (income - b.lower) * b.rate / 100;
    state.AnnualTax = state.BracketBaseTax + state.TaxOnExcess;
}

}  // namespace grossby
