#include "payroll/quicktax.h"

#include "core/annual_tax.h"
#include "core/module1.h"
#include "core/numeric.h"

#include <cmath>

namespace grossby {

QuickTaxResult CalcQuickTax(const QuickTaxInputs& in)
{
    const TaxYearFigures& y = kYear2018;
    QuickTaxResult r;
    r.income = in.income;
    r.age = in.age;
    r.primaryRebate = y.primaryRebate;
    if (in.age >= y.tertiaryRebateAge)
        r.ageRebate = y.secondaryRebate + y.tertiaryRebate;
    else if (in.age >= y.secondaryRebateAge)
        r.ageRebate = y.secondaryRebate;
    r.rebate = std::floor(r.primaryRebate + r.ageRebate);

    const AnnualTaxResult tax = annualTax(in.income);
    r.marginalRate = tax.marginalRate;
    r.bracketBaseTax = tax.bracketBaseTax;
    r.taxOnExcess = tax.taxOnExcess;

    // With no tax (an income of 0 or less) the rate shown is the bracket's.
    if (tax.annualTax > 0)
        r.averageRate = tax.annualTax / in.income * 100;
    else
        r.averageRate = tax.marginalRate;

    r.total = tax.annualTax;
    r.payable = r.total - r.rebate;
    if (r.payable < 0)
        r.payable = 0;

    if (tax.annualTax > 0)
        r.averageRateAfter = (tax.annualTax - r.rebate) / in.income * 100;
    if (r.averageRateAfter < 0)
        r.averageRateAfter = 0;
    return r;
}

void KeepQuickTax(Module1& s, const QuickTaxResult& r)
{
    s.QuickTaxPrimaryRebate = r.primaryRebate;
    s.QuickTaxAgeRebate = r.ageRebate;
    s.QuickTaxRebate = r.rebate;
    s.MarginalRate = r.marginalRate;
    s.BracketBaseTax = r.bracketBaseTax;
    s.TaxOnExcess = r.taxOnExcess;
    s.AnnualTax = r.total;
    s.QuickTaxTotal = r.total;
    s.QuickTaxPayable = r.payable;
    s.QuickTaxAverageRate = r.averageRate;
    s.QuickTaxAverageRateAfter = r.averageRateAfter;
}

void NEWCALC(Module1& s)
{
    KeepQuickTax(s, CalcQuickTax({s.AnnualTaxableIncome, s.QuickTaxAge}));
}

QuickTaxInputs QuickTaxCalculateInputs(Module1& s)
{
    s.QuickTaxIncome = s.AnnualTaxableIncome;
    return {s.AnnualTaxableIncome, s.QuickTaxAge};
}

void QuickTaxCalculate(Module1& s)
{
    KeepQuickTax(s, CalcQuickTax(QuickTaxCalculateInputs(s)));
}

void QuickTaxSetIncome(Module1& s, double income)
{
    s.QuickTaxIncome = income;
    s.AnnualTaxableIncome = income;
}

std::optional<std::string> QuickTaxSetAge(Module1& s, double age)
{
    const auto years = tryToInteger16(age);
    if (!years || *years < kQuickTaxAgeMin || *years > kQuickTaxAgeMax)
        return std::string(kQuickTaxAgeMessage);
    s.QuickTaxAge = *years;
    return std::nullopt;
}

PrintRecord KwikTaxRecord(const QuickTaxResult& r)
{
    return {
        {"AGE", std::int32_t{r.age}},   {"TAXINCOME", r.income},
        {"TAXTOPAY", r.bracketBaseTax}, {"MARGRATE", r.marginalRate},
        {"PORTION", r.taxOnExcess},     {"TOTTAX", r.total},
        {"REBATE", r.rebate},           {"TAXCOM4", r.payable},
        {"AVRATE", r.averageRate},      {"AVRATEAFT", r.averageRateAfter},
        {"TAXCOM4/2", r.monthlyTax()},
    };
}

PrintRecord KwikTaxRecord(const Module1& s)
{
    QuickTaxResult r;
    r.income = s.QuickTaxIncome;
    r.age = s.QuickTaxAge;
    r.bracketBaseTax = s.BracketBaseTax;
    r.marginalRate = s.MarginalRate;
    r.taxOnExcess = s.TaxOnExcess;
    r.total = s.QuickTaxTotal;
    r.rebate = s.QuickTaxRebate;
    r.payable = s.QuickTaxPayable;
    r.averageRate = s.QuickTaxAverageRate;
    r.averageRateAfter = s.QuickTaxAverageRateAfter;
    return KwikTaxRecord(r);
}

}  // namespace grossby
