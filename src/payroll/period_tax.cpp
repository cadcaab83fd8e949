#include "payroll/period_tax.h"

#include "core/tax_year.h"

#include <cmath>
#include <optional>

namespace grossby {
namespace {

// Periods in a year, as each calculator spreads the annual tax.
constexpr int kMonthsPerYear = 12;
const int kWeeksPerYear = defaultTaxYear().weeksPerYear;
const int kFortnightsPerYear = defaultTaxYear().fortnightsPerYear;
const int kWorkingDaysPerYear = defaultTaxYear().workingDaysPerYear;
constexpr int kDaysPerYear = 365;

std::optional<InputError> checkDatesInYear(double startDate, double endDate)
{
    if (!(startDate >= defaultTaxYear().start && startDate <= defaultTaxYear().end))
        return InputError{kIncorrectDateTitle, dateRejectionMessage(defaultTaxYear().startText), "start"};
    if (!(endDate >= defaultTaxYear().start && endDate <= defaultTaxYear().end))
        return InputError{kIncorrectDateTitle, dateRejectionMessage(formatDate(startDate)), "end"};
    return std::nullopt;
}

std::optional<InputError> checkBeneficiaries(int count)
{
    if (count < 0 || count > kMaxBeneficiaries)
        return InputError{kIncorrectBeneficiariesTitle, beneficiaryRangeMessage(), "beneficiaries"};
    return std::nullopt;
}

// Days in a month of the tax year as the monthly calculator counts them.
int monthlyCalculatorDays(int month)
{
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12: return 31;
    case 2: return 28;
    default: return 30;
    }
}

// The figures every period calculator but the annual one works out the same
// way once it knows its medical credit, its tax and its UIF limit for the
// period: UIF, skills levy, the additional credit and the tax liability.
void finishPeriod(PeriodResult& r, const EmployeeInputs& in, const PeriodSettings& s, double uifPeriodLimit)
{
    const double uifBase = uifRemuneration(in.pay, s.TAIncRate8020);
    const auto [employee, employer] = uifContributions(uifBase, uifPeriodLimit, s.EmployeeUIF, s.EmployerUIF);
    r.uifEmployee = employee;
    r.uifEmployer = employer;
    r.sdl = skillsLevy(uifBase, r.rfDeduction, in.pay.commission, s.SkillLevy);
    r.additionalMedicalCredit = additionalMedicalCredit(in.age, r.medicalCredit, in.pay);
    r.taxLiability = taxLiability(r.paye, r.medicalCredit, r.additionalMedicalCredit);
}

// Weekly, fortnightly and daily pay: `periods` a year, of which a short one
// is `thisDays` worked out of `normalDays` (a day is 1 of 1). Unlike the
// monthly and annual calculators, the rebate is netted against the regular
// tax only, so an unused rebate reduces the tax on a bonus.
PeriodResult shortPeriodTax(const EmployeeInputs& in, const PeriodSettings& s, int periods, double normalDays,
                            double thisDays, double medicalCredit)
{
    const PayFigures& pay = in.pay;
    PeriodResult r;
    r.medicalCredit = medicalCredit;
    r.rfDeduction = retirementFundDeduction(pay, retirementFundRemuneration(pay, s.TAIncRate8020),
                                            defaultTaxYear().retirementFundCap / periods);
    r.taxableTravelAllowance = taxableTravelAllowance(pay.travelAllowance, s.TAIncRate8020);
    const double periodIncome = pay.employerRetirementFund + pay.employerMedical +
        (r.taxableTravelAllowance + pay.salary + pay.commission - r.rfDeduction);
    const double annualEquivalent = (periods * (normalDays / thisDays)) * periodIncome;

    const double withBonus = annualEquivalent + pay.bonus;
    r.annualTaxableIncome = withBonus - pay.bonus;
    const double t1 = annualTaxOn(withBonus);
    const double t2 = annualTaxOn(r.annualTaxableIncome);

    const double rebate = ageRebate(in.age);
    const double regularTax = (thisDays * ((t2 - rebate) / periods)) / normalDays;
    const double paye = regularTax + (t1 - t2);
    r.paye = paye < 0 ? 0 : paye;

    finishPeriod(r, in, s, s.UIFLimit * 12 / periods);
    return r;
}

CalcOutcome<PeriodResult> checkedShortPeriodTax(const ShortPeriodInputs& in, const PeriodSettings& s, int periods,
                                                int creditDivisor, const char* normalLabel, const char* thisLabel)
{
    if (in.thisDays > in.normalDays)
        return InputError{kIncorrectDaysTitle,
                          std::string("The number of '") + normalLabel + "' days must be = to or larger than '" +
                              thisLabel + "'."};
    // The annual equivalent divides by this period's days.
    if (in.thisDays <= 0)
        return InputError{kIncorrectDaysTitle,
                          std::string("The number of '") + thisLabel + "' days must be larger than 0.", "days-worked"};
    if (auto e = checkBeneficiaries(in.beneficiaries))
        return *e;
    return shortPeriodTax(in, s, periods, in.normalDays, in.thisDays,
                          shortPeriodMedicalCredit(in.beneficiaries, in.pay, creditDivisor));
}

}  // namespace

std::string dateRejectionMessage(const std::string& fromText)
{
    return "The date entered is not correct please enter a date between " + fromText + " and " +
        defaultTaxYear().endText;
}

std::string beneficiaryRangeMessage()
{
    return kBeneficiaryRangeMessage;
}

bool employedInMonth(int taxYearMonth, double startDate, double endDate)
{
    // Month index in the tax year, March = 0.
    auto index = [](double day) { return (dateFromDayNumber(day).month + 9) % 12; };
    return index(startDate) <= taxYearMonth && taxYearMonth <= index(endDate);
}

double shortPeriodMedicalCredit(int beneficiaries, const PayFigures& pay, int divisor)
{
    if (!hasMedicalContribution(pay))
        return 0;
    const double k = divisor;
    if (beneficiaries <= 2)
        return beneficiaries * defaultTaxYear().medicalCreditFirstTwo / k;
    return (beneficiaries - 2) * defaultTaxYear().medicalCreditFurther / k +
        2 * defaultTaxYear().medicalCreditFirstTwo / k;
}

double dailyMedicalCredit(int beneficiaries, const PayFigures& pay)
{
    if (!hasMedicalContribution(pay))
        return 0;
    const double days = kWorkingDaysPerYear;
    if (beneficiaries <= 2)
        return (beneficiaries * defaultTaxYear().medicalCreditFirstTwo * kMonthsPerYear) / days;
    return (((beneficiaries - 2) * defaultTaxYear().medicalCreditFurther * kMonthsPerYear) +
            2 * defaultTaxYear().medicalCreditFirstTwo * kMonthsPerYear) /
        days;
}

CalcOutcome<PeriodResult> CalcMonthlyTax(const MonthlyInputs& in, const PeriodSettings& s)
{
    if (auto e = checkDatesInYear(in.startDate, in.endDate))
        return *e;
    const CivilDate start = dateFromDayNumber(in.startDate);
    const CivilDate end = dateFromDayNumber(in.endDate);
    if (start.month != end.month)
        return InputError{kIncorrectDateTitle, kSameMonthMessage, "end"};
    if (start.day > end.day)
        return InputError{kIncorrectDateTitle, kStartBeforeEndMessage, "start"};
    if (auto e = checkBeneficiaries(in.beneficiaries))
        return *e;

    const PayFigures& pay = in.pay;
    PeriodResult r;
    r.medicalCredit = monthlyMedicalCredit(in.beneficiaries, pay);

    const double daysInMonth = monthlyCalculatorDays(start.month);
    r.rfDeduction = retirementFundDeduction(pay, retirementFundRemuneration(pay, s.TAIncRate8020),
                                            defaultTaxYear().retirementFundCap / kMonthsPerYear);
    const double daysWorked = in.endDate - in.startDate + 1;
    r.taxableTravelAllowance = taxableTravelAllowance(pay.travelAllowance, s.TAIncRate8020);
    const double monthlyIncome = pay.salary + pay.commission + r.taxableTravelAllowance + pay.employerMedical +
        pay.employerRetirementFund - r.rfDeduction;
    // A part month is scaled up to a full month before annualising.
    const double annualEquivalent = kMonthsPerYear * ((daysInMonth / daysWorked) * monthlyIncome);

    // The rebate is netted against both figures, each clamped at 0, so a
    // bonus bears tax only above the tax threshold.
    const double rebate = ageRebate(in.age);
    const double withBonus = annualEquivalent + pay.bonus;
    r.annualTaxableIncome = withBonus - pay.bonus;
    double t1 = annualTaxOn(withBonus) - rebate;
    if (t1 < 0)
        t1 = 0;
    double t2 = annualTaxOn(r.annualTaxableIncome) - rebate;
    if (t2 < 0)
        t2 = 0;

    const double paye = (t1 - t2) + (daysWorked * (t2 / kMonthsPerYear)) / daysInMonth;
    r.paye = paye < 0 ? 0 : paye;

    finishPeriod(r, in, s, s.UIFLimit);
    return r;
}

CalcOutcome<AnnualResult> CalcAnnualPAYE(const AnnualInputs& in, const PeriodSettings& s)
{
    if (auto e = checkDatesInYear(in.startDate, in.endDate))
        return *e;
    if (in.endDate < in.startDate)
        return InputError{kIncorrectDateTitle, dateRejectionMessage(formatDate(in.startDate)), "end"};
    for (const int count : in.beneficiariesByMonth) {
        if (count > kMaxMonthlyBeneficiaries)
            return InputError{kIncorrectBeneficiariesTitle, kMonthlyMaximumMessage, "beneficiaries-by-month"};
        if (count < 0)
            return InputError{kIncorrectBeneficiariesTitle,
                              "The number of medical aid beneficiaries in a month cannot be negative.",
                              "beneficiaries-by-month"};
    }

    const PayFigures& pay = in.pay;
    AnnualResult r;
    // Months outside the period of employment give no credit and show 0.
    for (int m = 0; m < 12; ++m) {
        const bool counted = employedInMonth(m, in.startDate, in.endDate);
        r.beneficiariesByMonth[m] = counted ? in.beneficiariesByMonth[m] : 0;
        r.medicalCredit += monthlyMedicalCredit(r.beneficiariesByMonth[m], pay);
    }

    const double rebate = ageRebate(in.age);
    const double days = in.endDate - in.startDate + 1;
    r.daysEmployed = static_cast<int>(days);
    r.rfDeduction = retirementFundDeduction(pay, retirementFundRemuneration(pay, s.TAIncRate8020),
                                            defaultTaxYear().retirementFundCap);
    r.taxableTravelAllowance = taxableTravelAllowance(pay.travelAllowance, s.TAIncRate8020);

    // With a travel allowance or commission the two tax figures are truncated
    // to whole rand; without, they are not.
    const bool truncated = pay.travelAllowance + pay.commission > 0;
    double income;
    if (truncated)
        income = pay.travelAllowance * s.TAIncRate8020 + pay.salary + pay.commission - r.rfDeduction +
            pay.employerMedical + pay.employerRetirementFund;
    else
        income = pay.salary - r.rfDeduction + pay.employerMedical + pay.employerRetirementFund;
    if (days < kDaysPerYear)
        income = income * kDaysPerYear / days;

    double t1 = annualTaxOn(income + pay.bonus) - rebate;
    double t2 = annualTaxOn(income) - rebate;
    r.annualTaxableIncome = income;
    if (truncated) {
        t1 = std::floor(t1);
        t2 = std::floor(t2);
    }
    if (t1 < 0)
        t1 = 0;
    if (t2 < 0)
        t2 = 0;

    // Only the regular tax is prorated; the tax on the bonus falls in full.
    const double paye = days >= kDaysPerYear ? t1 : days * t2 / kDaysPerYear + (t1 - t2);
    r.paye = paye < 0 ? 0 : paye;

    r.additionalMedicalCredit = additionalMedicalCredit(in.age, r.medicalCredit, pay);
    r.taxLiability = taxLiability(r.paye, r.medicalCredit, r.additionalMedicalCredit);
    return r;
}

CalcOutcome<PeriodResult> CalcWeeklyTax(const ShortPeriodInputs& in, const PeriodSettings& s)
{
    return checkedShortPeriodTax(in, s, kWeeksPerYear, 4, "Normal work-week", "This work-week");
}

CalcOutcome<PeriodResult> CalcFortnightlyTax(const ShortPeriodInputs& in, const PeriodSettings& s)
{
    return checkedShortPeriodTax(in, s, kFortnightsPerYear, 2, "Normal fortnight", "This fortnight");
}

CalcOutcome<PeriodResult> CalcDailyTax(const DailyInputs& in, const PeriodSettings& s)
{
    if (auto e = checkBeneficiaries(in.beneficiaries))
        return *e;
    return shortPeriodTax(in, s, kWorkingDaysPerYear, 1, 1, dailyMedicalCredit(in.beneficiaries, in.pay));
}

}  // namespace grossby
