#include "payroll/quicktax.h"

#include "core/annual_tax.h"
#include "core/module1.h"
#include "core/numeric.h"
#include "core/rules.h"
#include "core/tax_year.h"

#include <cmath>

namespace grossby {

QuickTaxResult CalcQuickTax(const QuickTaxInputs& in, const TaxYearFigures& y)
{
    QuickTaxResult r;
    r.income = in.income;
    r.age = in.age;
    r.TaxYear = y.year;
    r.primaryRebate = y.primaryRebate;
    if (in.age >= y.tertiaryRebateAge)
        r.ageRebate = y.secondaryRebate + y.tertiaryRebate;
    else if (in.age >= y.secondaryRebateAge)
        r.ageRebate = y.secondaryRebate;
    r.rebate = std::floor(r.primaryRebate + r.ageRebate);

    const AnnualTaxResult tax = annualTax(y, in.income);
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

CalcOutcome<QuickTaxResult> CalcQuickTax(const QuickTaxInputs& in)
{
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    return CalcQuickTax(in, *std::get<const TaxYearFigures*>(year));
}

void CalcAnnualTax(Module1& state, const TaxYearFigures& year)
{
    const AnnualTaxResult r = annualTax(year, state.AnnualTaxableIncome);
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
    m.QuickTaxYear = r.TaxYear;
}

namespace {

void calculateAndKeep(Module1& state, const QuickTaxInputs& in)
{
    const auto outcome = CalcQuickTax(in);
    if (const auto* r = std::get_if<QuickTaxResult>(&outcome))
        KeepQuickTax(state, *r);
}

}  // namespace

void NEWCALC(Module1& state)
{
    const QuickTaxMemory& m = state.memory<QuickTaxMemory>();
    calculateAndKeep(state, {state.AnnualTaxableIncome, m.QuickTaxAge, m.QuickTaxYear});
}

QuickTaxInputs QuickTaxCalculateInputs(Module1& state)
{
    QuickTaxMemory& m = state.memory<QuickTaxMemory>();
    m.QuickTaxIncome = state.AnnualTaxableIncome;
    return {state.AnnualTaxableIncome, m.QuickTaxAge, m.QuickTaxYear};
}

void QuickTaxCalculate(Module1& state)
{
    calculateAndKeep(state, QuickTaxCalculateInputs(state));
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

namespace {

// "1 March 2017": a day of the calendar written out, as the printout's heading has it.
std::string longDate(int year, int month, int day)
{
    static constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
    return std::to_string(day) + " " + kMonths[month - 1] + " " + std::to_string(year);
}

}  // namespace

PrintRecord KwikTaxRecord(const QuickTaxResult& r)
{
    const int year = r.TaxYear;
    return {
        {"AGE", std::int32_t{r.age}},
        {"TAXINCOME", r.income},
        {"TAXTOPAY", r.bracketBaseTax},
        {"MARGRATE", r.marginalRate},
        {"PORTION", r.taxOnExcess},
        {"TOTTAX", r.total},
        {"REBATE", r.rebate},
        {"TAXCOM4", r.payable},
        {"AVRATE", r.averageRate},
        {"AVRATEAFT", r.averageRateAfter},
        {"TAXCOM4/2", r.monthlyTax()},
        {"TaxYear", taxYearLabel(year)},
        {"TaxYearHeading", year == kDefaultTaxYear ? std::string() : "Tax year " + taxYearLabel(year)},
        {"YearStart", longDate(year - 1, 3, 1)},
        {"YearEnd", longDate(year, 2, daysInMonth(year, 2))},
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
    r.TaxYear = m.QuickTaxYear;
    return KwikTaxRecord(r);
}

}  // namespace grossby
