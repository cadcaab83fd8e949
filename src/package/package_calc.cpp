#include "package/package_calc.h"

#include "core/annual_tax.h"
#include "core/rules.h"
#include "core/tax_year.h"
#include "core/year_figures.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace grossby {

namespace {

bool isAnnual(const PackageInputs& in)
{
    return in.period == PackagePeriod::Annual;
}

// Car benefit, rebate, medical deductions and both medical credits: the
// first steps of both calculators. Beneficiaries count as a plain number, so
// no count can overflow the credit.
PackageFigures fixedFigures(const TaxYearFigures& y, const PackageInputs& in, const PackageSettings& set)
{
    const bool annual = isAnnual(in);
    PackageFigures f;

    const double share = set.CompCarMPYesNo ? y.vehicle.carBenefitShareWithPlan : y.vehicle.carBenefitShare;
    f.carFringeBenefit = in.carValue * share * set.CompCarFBRate8020;
    if (annual)
        f.carFringeBenefit = f.carFringeBenefit * 12;

    f.ageRebate = ageRebate(y, in.age);
    f.medicalDeductions = in.age < y.secondaryRebateAge ? 0 : in.medicalDeductions;

    const bool contributes = in.employeeMedical > 0 || in.employerMedical > 0;
    f.beneficiaries = contributes ? in.beneficiaries : 0;
    if (contributes) {
        // Two persons a month, or 24 beneficiary-months a year, at the higher credit.
        const double firstTwo = annual ? 2.0 * 12 : 2.0;
        const double n = in.beneficiaries;
        f.medicalCredit = n <= firstTwo ? n * y.medicalCreditFirstTwo
                                        : firstTwo * y.medicalCreditFirstTwo + (n - firstTwo) * y.medicalCreditFurther;
    }
    if (contributes && f.medicalCredit > 0 && in.age >= y.secondaryRebateAge) {
        const double credit =
            y.additionalCreditFactor * (in.employerMedical + in.employeeMedical - 3 * f.medicalCredit);
        f.additionalMedicalCredit = credit < 0 ? 0 : credit;
    }
    return f;
}

double retirementFundCap(const TaxYearFigures& y, bool annual)
{
    return annual ? y.retirementFundCap : y.retirementFundCap / 12;
}

// The lesser of the contributions and the limit (the contributions on a
// tie), then the yearly cap for the period.
double cappedDeduction(const TaxYearFigures& y, double contributions, double limit, bool annual)
{
    double deduction = limit >= contributions ? contributions : limit;
    const double cap = retirementFundCap(y, annual);
    if (deduction >= cap)
        deduction = cap;
    return deduction;
}

// Tax for the period from the period's taxable income.
double periodTax(const TaxYearFigures& y, double periodIncome, double rebate, bool annual)
{
    double income = annual ? periodIncome : 12 * periodIncome;
    if (income < 0)
        income = 0;
    double tax = annualTaxOn(y, income) - rebate;
    if (tax < 0)
        tax = 0;
    return annual ? tax : tax / 12;
}

std::pair<double, double> uifAmounts(double remuneration, double ceiling, const PackageSettings& set)
{
    const double base = remuneration > ceiling ? ceiling : remuneration;
    return {base * set.EmployeeUIF / 100, base * set.EmployerUIF / 100};
}

double onceOffCost(const PackageInputs& in)
{
    return in.carValue > 0 && in.carCost == 0 ? in.carValue : 0;
}

}  // namespace

double PackageInputs::otherExpensesTotal() const
{
    double total = 0;
    for (const OtherExpense& e : otherExpenses)
        total += e.amount;
    return total;
}

double packageUifCeiling(const PackageSettings& set, const TaxYearFigures& y, bool annual)
{
    if (set.UIFLimitYear == 0 || set.UIFLimitYear == y.year)
        return annual ? 12 * set.UIFLimit : set.UIFLimit;
    if (!annual)
        return y.uifLimitOn(y.start);
    double ceiling = 0;
    CivilDate month = dateFromDayNumber(y.start);
    for (int m = 0; m < 12; ++m) {
        ceiling += y.uifLimitOn(static_cast<double>(dayNumberFromDate(month)));
        month.month = month.month % 12 + 1;
        if (month.month == 1)
            ++month.year;
    }
    return ceiling;
}

bool limitRetirementPercentages(PackageSettings& settings, const TaxYearFigures& year)
{
    if (!(settings.PensionCont + settings.EmployerPenCont > year.retirementFundShare * 100))
        return false;
    settings.PensionCont = 0;
    settings.EmployerPenCont = 0;
    return true;
}

CalcOutcome<PackageResult> CalcPackage(const PackageInputs& in, const PackageSettings& set)
{
    const bool annual = isAnnual(in);
    const double package = in.amount;
    if (!(package > 0))
        return InputError{kPackageTitle, kNoPackageMessage, "package"};
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    const TaxYearFigures& y = *std::get<const TaxYearFigures*>(year);

    PackageResult r;
    static_cast<PackageFigures&>(r) = fixedFigures(y, in, set);

    r.employeeRF = set.PensionCont > 0 ? package * set.PensionCont / 100 : in.employeeRF;
    r.employerRF = set.EmployerPenCont > 0 ? package * set.EmployerPenCont / 100 : in.employerRF;

    const double contributions = r.employerRF + r.employeeRF;
    const double limit =
        y.retirementFundShare * (package + in.employerMedical + in.travelAllowance * set.TAIncRate8020 + r.employerRF);
    r.rfDeduction = cappedDeduction(y, contributions, limit, annual);

    // The travel allowance is part of the package; only its inclusion enters
    // the taxable income.
    const double taxable =
        package - in.travelAllowance + in.travelAllowance * set.TAIncRate8020 + r.carFringeBenefit - r.rfDeduction;
    r.packageTax = periodTax(y, taxable, r.ageRebate, annual);

    r.uifRemuneration = package - in.travelAllowance + in.travelAllowance * set.TAIncRate8020 + r.carFringeBenefit;
    const double ceiling = packageUifCeiling(set, y, annual);
    std::tie(r.uifEmployee, r.uifEmployer) = uifAmounts(r.uifRemuneration, ceiling, set);
    r.sdl = (r.uifRemuneration - r.rfDeduction) * set.SkillLevy / 100;
    r.rfWarning = r.employeeRF + r.employerRF > r.rfDeduction;

    r.taxCredit = r.medicalCredit + r.additionalMedicalCredit;
    const double afterCredits = r.packageTax - (r.medicalCredit + r.additionalMedicalCredit);
    r.taxDeduction = afterCredits > 0 ? afterCredits : 0;
    r.takeHome = package - in.employeeMedical - in.otherFringeBenefits - r.employeeRF - r.medicalDeductions -
        r.uifEmployee - r.taxDeduction - in.employerMedical - r.employerRF;
    r.onceOff = onceOffCost(in);
    r.totalCostToCompany = package + 0.0 + r.employerRF + r.uifEmployer + r.sdl + in.carCost;
    return r;
}

// ---------------------------------------------------------------------------
// Reverse calculator

CalcOutcome<NetPayFunction> NetPayFunction::prepare(const PackageInputs& in, const PackageSettings& set)
{
    if (!(in.amount > 0))
        return InputError{kPackageTitle, kNoNetRequiredMessage, "net-required"};
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    const TaxYearFigures& y = *std::get<const TaxYearFigures*>(year);

    const double oexp = in.otherExpensesTotal();
    // The typed R/Fund amounts count only where no percentage replaces them.
    const double typedEmployee = set.PensionCont > 0 ? 0 : in.employeeRF;
    const double typedEmployer = set.EmployerPenCont > 0 ? 0 : in.employerRF;
    double benefits = in.travelAllowance + in.otherFringeBenefits + oexp;
    if (isAnnual(in))
        benefits = benefits - typedEmployer + typedEmployee;
    if (benefits > in.amount)
        return InputError{kPackageTitle, kBenefitsMessage, "travel-allowance"};

    NetPayFunction f;
    f.m_in = in;
    f.m_set = set;
    f.m_required = in.amount;
    f.m_annual = isAnnual(in);
    f.m_year = &y;
    f.m_uifCeiling = packageUifCeiling(set, y, f.m_annual);
    f.m_fixed = fixedFigures(y, in, set);
    f.m_credits = f.m_fixed.medicalCredit + f.m_fixed.additionalMedicalCredit;
    f.m_otherExpenses = oexp;
    f.m_typedEmployeeRF = typedEmployee;
    f.m_typedEmployerRF = typedEmployer;
    return f;
}

double NetPayFunction::magnitude() const
{
    const PackageInputs& in = m_in;
    double sum = 1;
    for (const double v : {m_required, m_fixed.carFringeBenefit, in.travelAllowance, in.otherFringeBenefits,
                           m_otherExpenses, m_fixed.medicalDeductions, in.employeeMedical, in.employerMedical,
                           m_credits, m_typedEmployeeRF, m_typedEmployerRF, uifCeiling(), m_fixed.ageRebate})
        sum += std::fabs(v);
    return sum;
}

double NetPayFunction::incomeSlope() const
{
    return m_set.PensionCont > 0 ? 1 - m_set.PensionCont / 100 : 1;
}

double NetPayFunction::uifSlope() const
{
    return m_set.EmployerPenCont > 0 ? 1 + m_set.EmployerPenCont / 100 : 1;
}

double NetPayFunction::employeeRFAt(double g) const
{
    const double base = g + m_in.employeeMedical + m_in.employerMedical - m_credits;
    return m_set.PensionCont > 0 ? base * m_set.PensionCont / 100 : m_typedEmployeeRF;
}

double NetPayFunction::employerRFAt(double g) const
{
    const double base = g + m_in.employeeMedical + m_in.employerMedical - m_credits;
    return m_set.EmployerPenCont > 0 ? base * m_set.EmployerPenCont / 100 : m_typedEmployerRF;
}

double NetPayFunction::taxableAt(double g, double employeeRF) const
{
    // The credits reduce the income rather than the tax; the employee's
    // R/Fund contribution is deducted in full and the employer's not at all.
    const PackageInputs& in = m_in;
    return m_fixed.carFringeBenefit + g + in.travelAllowance * m_set.TAIncRate8020 + in.otherFringeBenefits +
        m_otherExpenses - employeeRF - m_fixed.medicalDeductions + in.employeeMedical - m_credits + in.employerMedical;
}

double NetPayFunction::uifRemunerationAt(double g, double employerRF) const
{
    const PackageInputs& in = m_in;
    return m_fixed.carFringeBenefit + g + in.travelAllowance * m_set.TAIncRate8020 + in.otherFringeBenefits +
        m_otherExpenses + in.employerMedical + employerRF - m_credits;
}

GrossPass NetPayFunction::pass(double g) const
{
    const PackageInputs& in = m_in;
    const double c = m_credits;
    GrossPass p;
    p.grossSalary = g;
    p.employeeRF = employeeRFAt(g);
    p.employerRF = employerRFAt(g);
    p.packageTax = periodTax(*m_year, taxableAt(g, p.employeeRF), m_fixed.ageRebate, m_annual);
    p.uifRemuneration = uifRemunerationAt(g, p.employerRF);
    std::tie(p.uifEmployee, p.uifEmployer) = uifAmounts(p.uifRemuneration, uifCeiling(), m_set);
    p.sdl = (p.uifRemuneration - (p.employeeRF + p.employerRF)) * m_set.SkillLevy / 100;

    if (c < p.packageTax)
        p.net = g + in.travelAllowance - p.employeeRF - m_fixed.medicalDeductions - p.packageTax - p.uifEmployee;
    else
        p.net = g + in.travelAllowance - p.employeeRF - m_fixed.medicalDeductions - p.uifEmployee - c;
    return p;
}

double NetPayFunction::annualIncomeBeforeClamp(double g) const
{
    const double taxable = taxableAt(g, employeeRFAt(g));
    return m_annual ? taxable : 12 * taxable;
}

double NetPayFunction::uifRemunerationAt(double g) const
{
    return uifRemunerationAt(g, employerRFAt(g));
}

double NetPayFunction::packageTaxAt(double g) const
{
    return periodTax(*m_year, taxableAt(g, employeeRFAt(g)), m_fixed.ageRebate, m_annual);
}

GrossUpResult NetPayFunction::finish(const GrossPass& p, std::int32_t evaluations) const
{
    const PackageInputs& in = m_in;
    GrossUpResult r;
    static_cast<PackageFigures&>(r) = m_fixed;
    r.grossSalaryFound = p.grossSalary;
    r.netPay = p.net;
    r.evaluations = evaluations;
    r.employeeRF = p.employeeRF;
    r.employerRF = p.employerRF;
    r.packageTax = p.packageTax;
    r.uifRemuneration = p.uifRemuneration;
    r.uifEmployee = p.uifEmployee;
    r.uifEmployer = p.uifEmployer;
    r.sdl = p.sdl;

    // The deduction does not enter the tax here; it only decides the warning.
    const double contributions = r.employerRF + r.employeeRF;
    const double limit = m_year->retirementFundShare *
        (p.grossSalary + in.employerMedical + in.employeeMedical + in.travelAllowance * m_set.TAIncRate8020 +
         r.employerRF);
    r.rfDeduction = cappedDeduction(*m_year, contributions, limit, m_annual);
    r.rfWarning = r.employeeRF + r.employerRF > r.rfDeduction;

    r.taxCredit = m_credits;
    const double afterCredits = r.packageTax - m_credits;
    r.taxDeduction = afterCredits > 0 ? afterCredits : 0;
    // Built up from the requirement rather than taken from G, so it can
    // differ from G by the last pass's overshoot.
    r.grossSalary = m_required + r.medicalDeductions + r.uifEmployee + r.taxDeduction + m_otherExpenses + r.employeeRF +
        in.employeeMedical;
    r.onceOff = onceOffCost(in);
    r.totalCostToCompany = r.grossSalary + in.employerMedical + r.uifEmployer + r.sdl + in.carCost + r.employerRF;
    return r;
}

CalcOutcome<GrossUpResult> FindGrossSalary(const PackageInputs& in, const PackageSettings& settings)
{
    auto prepared = NetPayFunction::prepare(in, settings);
    if (auto* error = std::get_if<InputError>(&prepared))
        return *error;
    const NetPayFunction& f = std::get<NetPayFunction>(prepared);
    const GrossSearchOutcome search = searchGrossSalary(f);
    if (!search.found) {
        // A net pay that cannot rise is the settings' doing, not one input's.
        if (search.netCannotRise)
            return InputError{kPackageTitle, kNetCannotRiseMessage};
        return InputError{kPackageTitle, kGrossTooLargeMessage, "net-required"};
    }
    return f.finish(search.pass, search.evaluations);
}

}  // namespace grossby
