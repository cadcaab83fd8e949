#include "payroll/quicktax.h"

#include "core/annual_tax.h"
#include "core/module1.h"
#include "core/numeric.h"

#include <cmath>

namespace grossby {

namespace {
constexpr double kPrimaryRebate = 13635;
constexpr double kSecondaryAgeRebate = 7479;  // 65 and over
constexpr double kTertiaryAgeRebate = 9972;  // 75 and over: 7 479 + 2 493
}  // namespace

void NEWCALC(Module1& s)
{
    s.QuickTaxPrimaryRebate = kPrimaryRebate;
    if (s.QuickTaxAge >= 75)
        s.QuickTaxAgeRebate = kTertiaryAgeRebate;
    else if (s.QuickTaxAge >= 65)
        s.QuickTaxAgeRebate = kSecondaryAgeRebate;
    else
        s.QuickTaxAgeRebate = 0;
    s.QuickTaxRebate = std::floor(s.QuickTaxPrimaryRebate + s.QuickTaxAgeRebate);

    s.AnnualTax = 0;
    s.QuickTaxTotal = 0;
    s.QuickTaxPayable = 0;
    CalcAnnualTax(s);

    // With no tax (an income of 0 or less) the rate shown is the bracket's.
    if (s.AnnualTax > 0)
        s.QuickTaxAverageRate = s.AnnualTax / s.AnnualTaxableIncome * 100;
    else
        s.QuickTaxAverageRate = s.MarginalRate;

    s.QuickTaxTotal = s.AnnualTax;
    s.QuickTaxPayable = s.QuickTaxTotal - s.QuickTaxRebate;
    if (s.QuickTaxPayable < 0)
        s.QuickTaxPayable = 0;

    if (s.AnnualTax > 0)
        s.QuickTaxAverageRateAfter = (s.AnnualTax - s.QuickTaxRebate) / s.AnnualTaxableIncome * 100;
    else
        s.QuickTaxAverageRateAfter = 0;
    if (s.QuickTaxAverageRateAfter < 0)
        s.QuickTaxAverageRateAfter = 0;
}

void QuickTaxCalculate(Module1& s)
{
    s.QuickTaxIncome = s.AnnualTaxableIncome;
    NEWCALC(s);
}

void QuickTaxSetIncome(Module1& s, double income)
{
    s.QuickTaxIncome = income;
    s.AnnualTaxableIncome = income;
}

std::optional<std::string> QuickTaxSetAge(Module1& s, double age)
{
    const auto years = tryToInteger16(age);
    if (!years)
        return std::string(kQuickTaxAgeMessage);
    s.QuickTaxAge = *years;
    return std::nullopt;
}

PrintRecord KwikTaxRecord(const Module1& s)
{
    return {
        {"AGE", std::int32_t{s.QuickTaxAge}},
        {"TAXINCOME", s.QuickTaxIncome},
        {"TAXTOPAY", s.BracketBaseTax},
        {"MARGRATE", s.MarginalRate},
        {"PORTION", s.TaxOnExcess},
        {"TOTTAX", s.QuickTaxTotal},
        {"REBATE", s.QuickTaxRebate},
        {"TAXCOM4", s.QuickTaxPayable},
        {"AVRATE", s.QuickTaxAverageRate},
        {"AVRATEAFT", s.QuickTaxAverageRateAfter},
        {"TAXCOM4/2", s.QuickTaxPayable / 12},
    };
}

}  // namespace grossby
