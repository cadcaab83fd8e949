#include "payroll/period_tax.h"

#include "core/tax_year.h"

#include <cmath>
#include <optional>

namespace grossby {
namespace {

// Months in a year, as the monthly calculator spreads the annual tax; the
// other periods are the year's (52 weeks, 26 fortnights, 260 working days).
constexpr int kMonthsPerYear = 12;

std::optional<InputError> checkDatesInYear(const TaxYearFigures& y, double startDate, double endDate)
{
    if (!y.holds(startDate))
        return InputError{kIncorrectDateTitle, dateRejectionMessage(y, y.startText), "start"};
    if (!y.holds(endDate))
        return InputError{kIncorrectDateTitle, dateRejectionMessage(y, formatDate(startDate)), "end"};
    return std::nullopt;
}

std::optional<InputError> checkBeneficiaries(int count)
{
    if (count < 0 || count > kMaxBeneficiaries)
        return InputError{kIncorrectBeneficiariesTitle, beneficiaryRangeMessage(), "beneficiaries"};
    return std::nullopt;
}

// Days in the year of assessment: 366 when it holds 29 February.
double daysInTaxYear(const TaxYearFigures& y)
{
    return y.end - y.start + 1;
}

// The figures every period calculator but the annual one works out the same
// way once it knows its medical credit, its tax and its UIF limit for the
// period: UIF, skills levy, the additional credit and the tax liability.
void finishPeriod(const TaxYearFigures& y, PeriodResult& r, const EmployeeInputs& in, const PeriodSettings& s,
                  double uifPeriodLimit)
{
    const double uifBase = uifRemuneration(in.pay, s.TAIncRate8020);
    const auto [employee, employer] = uifContributions(uifBase, uifPeriodLimit, s.EmployeeUIF, s.EmployerUIF);
    r.uifEmployee = employee;
    r.uifEmployer = employer;
    r.sdl = skillsLevy(uifBase, r.rfDeduction, in.pay.commission, s.SkillLevy);
    r.additionalMedicalCredit = additionalMedicalCredit(y, in.age, r.medicalCredit, in.pay);
    r.taxLiability = taxLiability(r.paye, r.medicalCredit, r.additionalMedicalCredit);
}

// Weekly, fortnightly and daily pay: `periods` a year, of which a short one
// is `thisDays` worked out of `normalDays` (a day is 1 of 1). Unlike the
// monthly and annual calculators, the rebate is netted against the regular
// tax only, so an unused rebate reduces the tax on a bonus. These periods
// have no dates: the UIF ceiling is the one in force at the year's start.
PeriodResult shortPeriodTax(const TaxYearFigures& y, const EmployeeInputs& in, const PeriodSettings& s, int periods,
                            double normalDays, double thisDays, double medicalCredit)
{
    const PayFigures& pay = in.pay;
    PeriodResult r;
    r.medicalCredit = medicalCredit;
    r.rfDeduction = retirementFundDeduction(y, pay, retirementFundRemuneration(pay, s.TAIncRate8020),
                                            y.retirementFundCap / periods);
    r.taxableTravelAllowance = taxableTravelAllowance(pay.travelAllowance, s.TAIncRate8020);
    const double periodIncome = pay.employerRetirementFund + pay.employerMedical +
        (r.taxableTravelAllowance + pay.salary + pay.commission - r.rfDeduction);
    const double annualEquivalent = (periods * (normalDays / thisDays)) * periodIncome;

    const double withBonus = annualEquivalent + pay.bonus;
    r.annualTaxableIncome = withBonus - pay.bonus;
    const double t1 = annualTaxOn(y, withBonus);
    const double t2 = annualTaxOn(y, r.annualTaxableIncome);

    const double rebate = ageRebate(y, in.age);
    const double regularTax = (thisDays * ((t2 - rebate) / periods)) / normalDays;
    const double paye = regularTax + (t1 - t2);
    r.paye = paye < 0 ? 0 : paye;

    finishPeriod(y, r, in, s, uifMonthlyLimit(s.UIFLimit, s.UIFLimitYear, y, y.start) * 12 / periods);
    return r;
}

// Weekly (52 a year, a quarter of the monthly credit) or fortnightly (26, a half).
enum class ShortPeriod { Week, Fortnight };

CalcOutcome<PeriodResult> checkedShortPeriodTax(const ShortPeriodInputs& in, const PeriodSettings& s,
                                                ShortPeriod period, const char* normalLabel, const char* thisLabel)
{
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    const TaxYearFigures& y = *std::get<const TaxYearFigures*>(year);
    const bool week = period == ShortPeriod::Week;
    const int periods = week ? y.weeksPerYear : y.fortnightsPerYear;
    const int creditDivisor = week ? 4 : 2;
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
    return shortPeriodTax(y, in, s, periods, in.normalDays, in.thisDays,
                          shortPeriodMedicalCredit(y, in.beneficiaries, in.pay, creditDivisor));
}

}  // namespace

double uifMonthlyLimit(double limit, int limitYear, const TaxYearFigures& year, double day)
{
    return limitYear == 0 || limitYear == year.year ? limit : year.uifLimitOn(day);
}

std::string dateRejectionMessage(const TaxYearFigures& year, const std::string& fromText)
{
    return "The date entered is not correct please enter a date between " + fromText + " and " + year.endText;
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

double shortPeriodMedicalCredit(const TaxYearFigures& y, int beneficiaries, const PayFigures& pay, int divisor)
{
    if (!hasMedicalContribution(pay))
        return 0;
    const double k = divisor;
    if (beneficiaries <= 2)
        return beneficiaries * y.medicalCreditFirstTwo / k;
    return (beneficiaries - 2) * y.medicalCreditFurther / k + 2 * y.medicalCreditFirstTwo / k;
}

double dailyMedicalCredit(const TaxYearFigures& y, int beneficiaries, const PayFigures& pay)
{
    if (!hasMedicalContribution(pay))
        return 0;
    const double days = y.workingDaysPerYear;
    if (beneficiaries <= 2)
        return (beneficiaries * y.medicalCreditFirstTwo * kMonthsPerYear) / days;
    return (((beneficiaries - 2) * y.medicalCreditFurther * kMonthsPerYear) +
            2 * y.medicalCreditFirstTwo * kMonthsPerYear) /
        days;
}

CalcOutcome<PeriodResult> CalcMonthlyTax(const MonthlyInputs& in, const PeriodSettings& s)
{
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    const TaxYearFigures& y = *std::get<const TaxYearFigures*>(year);
    if (auto e = checkDatesInYear(y, in.startDate, in.endDate))
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
    r.medicalCredit = monthlyMedicalCredit(y, in.beneficiaries, pay);

    // A leap year's February has 29 days.
    const double monthDays = daysInMonth(start.year, start.month);
    r.rfDeduction = retirementFundDeduction(y, pay, retirementFundRemuneration(pay, s.TAIncRate8020),
                                            y.retirementFundCap / kMonthsPerYear);
    const double daysWorked = in.endDate - in.startDate + 1;
    r.taxableTravelAllowance = taxableTravelAllowance(pay.travelAllowance, s.TAIncRate8020);
    const double monthlyIncome = pay.salary + pay.commission + r.taxableTravelAllowance + pay.employerMedical +
        pay.employerRetirementFund - r.rfDeduction;
    // A part month is scaled up to a full month before annualising.
    const double annualEquivalent = kMonthsPerYear * ((monthDays / daysWorked) * monthlyIncome);

    // The rebate is netted against both figures, each clamped at 0, so a
    // bonus bears tax only above the tax threshold.
    const double rebate = ageRebate(y, in.age);
    const double withBonus = annualEquivalent + pay.bonus;
    r.annualTaxableIncome = withBonus - pay.bonus;
    double t1 = annualTaxOn(y, withBonus) - rebate;
    if (t1 < 0)
        t1 = 0;
    double t2 = annualTaxOn(y, r.annualTaxableIncome) - rebate;
    if (t2 < 0)
        t2 = 0;

    const double paye = (t1 - t2) + (daysWorked * (t2 / kMonthsPerYear)) / monthDays;
    r.paye = paye < 0 ? 0 : paye;

    // The ceiling in force when the month starts (2021/22 raised it on 1 June).
    finishPeriod(y, r, in, s, uifMonthlyLimit(s.UIFLimit, s.UIFLimitYear, y, in.startDate));
    return r;
}

CalcOutcome<AnnualResult> CalcAnnualPAYE(const AnnualInputs& in, const PeriodSettings& s)
{
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    const TaxYearFigures& y = *std::get<const TaxYearFigures*>(year);
    if (auto e = checkDatesInYear(y, in.startDate, in.endDate))
        return *e;
    if (in.endDate < in.startDate)
        return InputError{kIncorrectDateTitle, dateRejectionMessage(y, formatDate(in.startDate)), "end"};
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
        r.medicalCredit += monthlyMedicalCredit(y, r.beneficiariesByMonth[m], pay);
    }

    const double rebate = ageRebate(y, in.age);
    const double days = in.endDate - in.startDate + 1;
    const double yearDays = daysInTaxYear(y);
    r.daysEmployed = static_cast<int>(days);
    r.rfDeduction =
        retirementFundDeduction(y, pay, retirementFundRemuneration(pay, s.TAIncRate8020), y.retirementFundCap);
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
    if (days < yearDays)
        income = income * yearDays / days;

    double t1 = annualTaxOn(y, income + pay.bonus) - rebate;
    double t2 = annualTaxOn(y, income) - rebate;
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
    const double paye = days >= yearDays ? t1 : days * t2 / yearDays + (t1 - t2);
    r.paye = paye < 0 ? 0 : paye;

    r.additionalMedicalCredit = additionalMedicalCredit(y, in.age, r.medicalCredit, pay);
    r.taxLiability = taxLiability(r.paye, r.medicalCredit, r.additionalMedicalCredit);
    return r;
}

CalcOutcome<PeriodResult> CalcWeeklyTax(const ShortPeriodInputs& in, const PeriodSettings& s)
{
    return checkedShortPeriodTax(in, s, ShortPeriod::Week, "Normal work-week", "This work-week");
}

CalcOutcome<PeriodResult> CalcFortnightlyTax(const ShortPeriodInputs& in, const PeriodSettings& s)
{
    return checkedShortPeriodTax(in, s, ShortPeriod::Fortnight, "Normal fortnight", "This fortnight");
}

CalcOutcome<PeriodResult> CalcDailyTax(const DailyInputs& in, const PeriodSettings& s)
{
    const auto year = taxYearFor(in.TaxYear);
    if (auto* e = std::get_if<InputError>(&year))
        return *e;
    const TaxYearFigures& y = *std::get<const TaxYearFigures*>(year);
    if (auto e = checkBeneficiaries(in.beneficiaries))
        return *e;
    return shortPeriodTax(y, in, s, y.workingDaysPerYear, 1, 1, dailyMedicalCredit(y, in.beneficiaries, in.pay));
}

}  // namespace grossby
