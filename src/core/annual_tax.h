#pragma once
// The 2017/18 income-tax scale and the annual tax on a taxable income.

#include <array>

namespace grossby {

struct Module1;

/// One bracket of the tax scale: income above `lower` up to and including
/// `upper` is taxed at `rate` percent on the excess over `lower`, plus `baseTax`.
struct TaxBracket {
    double lower;
    double upper;
    double rate;
    double baseTax;
};

/// The scale for 1 March 2017 to 28 February 2018. The base amounts are the
/// published whole-rand figures, so the tax jumps by a few cents at some
/// thresholds; that is intended.
inline constexpr std::array<TaxBracket, 7> kTaxScale2018{{
    {0, 189880, 18, 0},
    {189880, 296540, 26, 34178},
    {296540, 410460, 31, 61910},
    {410460, 555600, 36, 97225},
    {555600, 708310, 39, 149475},
    {708310, 1500000, 41, 209032},
    {1500000, 9999999999.0, 45, 533625},
}};

/// Index into kTaxScale2018 of the bracket an income falls in. An income equal
/// to a threshold belongs to the lower bracket; zero and negative incomes fall
/// in the first.
int taxBracketIndex(double income);

/// Taxes `AnnualTaxableIncome` on the annual scale and sets `MarginalRate`,
/// `BracketBaseTax`, `TaxOnExcess` and `AnnualTax`. No rounding is applied.
void CalcAnnualTax(Module1& state);

}  // namespace grossby
