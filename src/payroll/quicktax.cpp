#include "payroll/quicktax.h"

#include "core/annual_tax.h"
#include "core/module1.h"
#include "core/numeric.h"

#include <cmath>

namespace grossby {

QuickTaxResult CalcQuickTax(const QuickTaxInputs& in)
{
    const TaxYearFigures& y = defaultTaxYear();
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

void CalcAnnualTax(Module1& state)
{
    const AnnualTaxResult r = annualTax(state.AnnualTaxableIncome);
    QuickTaxMemory& m = state.memory<QuickTaxMemory>();
    m.MarginalRate = r.marginalRate;
    m.BracketBaseTax = r.bracketBaseTax;
    m.TaxOnExcess = r.taxOnExcess;
    m.AnnualTax = r.annualTax;
}

void KeepQuickTax(Module1& state, const QuickTaxResult& r)
{
    QuickTaxMemory& m = state.memory<QuickTaxMemory>();
    m.QuickTaxPrimaryRebate = r.primaryRebate;
    m.QuickTaxAgeRebate = r.ageRebate;
    m.QuickTaxRebate = r.rebate;
    m.MarginalRate = r.marginalRate;
    m.BracketBaseTax = r.bracketBaseTax;
    m.TaxOnExcess = r.taxOnExcess;
    m.AnnualTax = r.total;
    m.QuickTaxTotal = r.total;
    m.QuickTaxPayable = r.payable;
    m.QuickTaxAverageRate = r.averageRate;
    m.QuickTaxAverageRateAfter = r.averageRateAfter;
}

void NEWCALC(Module1& state)
{
    KeepQuickTax(state, CalcQuickTax({state.AnnualTaxableIncome, state.memory<QuickTaxMemory>().QuickTaxAge}));
}

QuickTaxInputs QuickTaxCalculateInputs(Module1& state)
{
    QuickTaxMemory& m = state.memory<QuickTaxMemory>();
    m.QuickTaxIncome = state.AnnualTaxableIncome;
    return {state.AnnualTaxableIncome, m.QuickTaxAge};
}

void QuickTaxCalculate(Module1& state)
{
    KeepQuickTax(state, CalcQuickTax(QuickTaxCalculateInputs(state)));
}

void QuickTaxSetIncome(Module1& state, double income)
{
    state.memory<QuickTaxMemory>().QuickTaxIncome = income;
    state.AnnualTaxableIncome = income;
}

std::optional<std::string> QuickTaxSetAge(Module1& state, double age)
{
    const auto years = tryToInteger16(age);
    if (!years || *years < kQuickTaxAgeMin || *years > kQuickTaxAgeMax)
        return std::string(kQuickTaxAgeMessage);
    state.memory<QuickTaxMemory>().QuickTaxAge = *years;
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

PrintRecord KwikTaxRecord(Module1& state)
{
    const QuickTaxMemory& m = state.memory<QuickTaxMemory>();
    QuickTaxResult r;
    r.income = m.QuickTaxIncome;
    r.age = m.QuickTaxAge;
    r.bracketBaseTax = m.BracketBaseTax;
    r.marginalRate = m.MarginalRate;
    r.taxOnExcess = m.TaxOnExcess;
    r.total = m.QuickTaxTotal;
    r.rebate = m.QuickTaxRebate;
    r.payable = m.QuickTaxPayable;
    r.averageRate = m.QuickTaxAverageRate;
    r.averageRateAfter = m.QuickTaxAverageRateAfter;
    return KwikTaxRecord(r);
}

}  // namespace grossby
