#pragma once
// The PAYE period calculators: tax, medical credits, tax liability, UIF and
// skills levy for one employee and one month, tax year (or part of it),
// week, fortnight or day.
//
// Each calculator validates its inputs and returns either its results or the
// message the user must see; nothing here shows anything itself.

#include "core/calc_outcome.h"
#include "core/rules.h"
#include "core/year_figures.h"

#include <array>
#include <cstdint>
#include <string>
#include <variant>

namespace grossby {

/// The user-adjustable rates of the settings store that the period
/// calculators use (percent figures, rand per month, and a fraction).
struct PeriodSettings {
    double EmployeeUIF = 0;  ///< employee UIF percentage
    double EmployerUIF = 0;  ///< employer UIF percentage
    double SkillLevy = 0;  ///< skills levy percentage
    double UIFLimit = 0;  ///< UIF remuneration ceiling, rand per month
    double TAIncRate8020 = 0;  ///< travel-allowance inclusion rate, 0.8 or 0.2
    /// The tax year `UIFLimit` is the user's figure for: the settings store
    /// holds 2017/18's. A calculation for another year uses that year's own
    /// ceiling instead; 0 when the limit was given for this calculation,
    /// whatever its year (`--uif-limit`).
    int UIFLimitYear = kDefaultTaxYear;
};

/// The UIF ceiling, rand per month, for a pay period of `year` starting on
/// `day`: the user's `limit` when it is for that year (`limitYear` is the
/// year or 0), otherwise the year's own ceiling on that day.
double uifMonthlyLimit(double limit, int limitYear, const TaxYearFigures& year, double day);

/// What every period calculator is given about the employee: age, the
/// period's amounts and the medical aid beneficiaries.
struct EmployeeInputs {
    std::string name;
    int age = 0;
    PayFigures pay;
    int beneficiaries = 0;  ///< persons on the medical scheme, 0..99
    int TaxYear = kDefaultTaxYear;  ///< the year of assessment, by the year it ends in
};

/// Largest number of medical aid beneficiaries a calculator accepts.
inline constexpr int kMaxBeneficiaries = 99;
/// Largest monthly count the annual calculator accepts (principal member and
/// beneficiaries).
inline constexpr int kMaxMonthlyBeneficiaries = 24;

struct MonthlyInputs : EmployeeInputs {
    double startDate = 42795;  ///< first day worked in the month (day number)
    double endDate = 42825;  ///< last day worked in the month
};

struct AnnualInputs : EmployeeInputs {
    double startDate = 42795;  ///< first day of employment in the tax year
    double endDate = 43159;  ///< last day of employment in the tax year
    /// Beneficiaries in each month of the tax year, March first, February last.
    std::array<int, 12> beneficiariesByMonth{};
};

/// Weekly and fortnightly pay: a short period is the ratio of the day counts.
struct ShortPeriodInputs : EmployeeInputs {
    int normalDays = 0;  ///< days in a normal week or fortnight
    int thisDays = 0;  ///< days worked in this one
};

/// The day's figures: every amount is for one day.
using DailyInputs = EmployeeInputs;

/// Results of the monthly, weekly, fortnightly and daily calculators.
struct PeriodResult {
    double rfDeduction = 0;  ///< allowable R/Fund deduction, unrounded
    double taxableTravelAllowance = 0;  ///< travel allowance times the inclusion rate
    double paye = 0;  ///< tax for the period before medical credits
    double medicalCredit = 0;  ///< medical scheme fees credit for the period
    double additionalMedicalCredit = 0;  ///< additional credit for 65 and over
    double taxLiability = 0;  ///< paye less both credits, or 0
    double uifEmployee = 0;
    double uifEmployer = 0;
    double sdl = 0;
    double annualTaxableIncome = 0;  ///< annual income without the bonus, as last taxed
};

/// Results of the annual calculator.
struct AnnualResult {
    double rfDeduction = 0;
    double taxableTravelAllowance = 0;
    double paye = 0;  ///< tax for the period of employment before credits
    double medicalCredit = 0;  ///< summed over the months of employment
    double additionalMedicalCredit = 0;
    double taxLiability = 0;
    double annualTaxableIncome = 0;
    int daysEmployed = 0;
    /// The monthly counts as used, March first: months outside the period of
    /// employment are 0.
    std::array<int, 12> beneficiariesByMonth{};
};

/// Tax for one month (or part of one month between the two dates, which must
/// lie in the same month of the tax year). A part month is scaled to a full
/// month, annualised, taxed with and without the bonus, and the regular tax
/// brought back to the days worked; the whole tax on the bonus falls in the
/// month.
CalcOutcome<PeriodResult> CalcMonthlyTax(const MonthlyInputs& in, const PeriodSettings& settings);

/// Tax for the tax year or the part of it between the two dates, from the
/// period's totals. A part year is annualised by 365 / days employed; the
/// medical credit is summed over the months the employment reaches into.
/// There is no UIF or skills levy.
CalcOutcome<AnnualResult> CalcAnnualPAYE(const AnnualInputs& in, const PeriodSettings& settings);

/// Tax for one week (52 a year) of which `thisDays` out of `normalDays` were worked.
CalcOutcome<PeriodResult> CalcWeeklyTax(const ShortPeriodInputs& in, const PeriodSettings& settings);

/// Tax for one fortnight (26 a year) of which `thisDays` out of `normalDays` were worked.
CalcOutcome<PeriodResult> CalcFortnightlyTax(const ShortPeriodInputs& in, const PeriodSettings& settings);

/// Tax for one day's pay, on 260 working days a year.
CalcOutcome<PeriodResult> CalcDailyTax(const DailyInputs& in, const PeriodSettings& settings);

/// Whether a month of the tax year (0 = March .. 11 = February) counts for
/// the annual medical credit: the employment between the two dates reaches
/// into it.
bool employedInMonth(int taxYearMonth, double startDate, double endDate);

/// The period's medical scheme fees credit from a monthly credit: a week takes
/// a quarter, a fortnight a half.
double shortPeriodMedicalCredit(const TaxYearFigures& year, int beneficiaries, const PayFigures& pay, int divisor);

/// A day's medical scheme fees credit: the monthly credit times 12 / 260.
double dailyMedicalCredit(const TaxYearFigures& year, int beneficiaries, const PayFigures& pay);

// Messages the calculators give.
inline constexpr const char* kIncorrectDateTitle = "Incorrect Date";
inline constexpr const char* kSameMonthMessage = "The Start and End dates entered must be for the same Month";
inline constexpr const char* kStartBeforeEndMessage = "The Start date entered must be before the End date";
inline constexpr const char* kIncorrectDaysTitle = "Incorrect Number of Days";
inline constexpr const char* kIncorrectBeneficiariesTitle = "Incorrect Number of Beneficiaries";
inline constexpr const char* kBeneficiaryRangeMessage =
    "The number of medical aid fund beneficiaries must be a whole number from 0 to 99.";
inline constexpr const char* kMonthlyMaximumMessage =
    "Only a maximum of 24 are allowed i.e. Principal member & first beneficiary!";

/// "The date entered is not correct please enter a date between 01/03/2017
/// and 28/02/2018" (`fromText` and the last day of `year`).
std::string dateRejectionMessage(const TaxYearFigures& year, const std::string& fromText);

/// The message for a beneficiary count outside 0..99.
std::string beneficiaryRangeMessage();

}  // namespace grossby
