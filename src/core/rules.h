#pragma once
// The rules every PAYE period calculator applies: rebates by age, medical
// tax credits, the retirement-fund deduction, the taxable part of a travel
// allowance, UIF and the skills levy. The rules are the same in every tax
// year; the figures (rebates, credits, the 27.5 % share, the scale) are the
// year's, passed in.
//
// Each function states one rule for one pay period; the calculators convert
// annual limits and monthly credits to their own period before calling.
// Expressions keep the order of operations the rules are written in, so the
// cents agree with the published worked figures.

#include "core/calc_outcome.h"
#include "core/year_figures.h"

#include <utility>

namespace grossby {

/// The figures of the tax year ending in `year` (2018 for 2017/18), or the
/// rejection naming it and the years there are when the program has none.
CalcOutcome<const TaxYearFigures*> taxYearFor(int year);

/// Rebate subtracted from the annual tax: the primary rebate, with the
/// secondary from 65 and the tertiary from 75 (2017/18: 13 635, 21 114, 23 607).
double ageRebate(const TaxYearFigures& year, int age);

/// The annual tax on `income` before rebates (annualTax(year, income).annualTax).
double annualTaxOn(const TaxYearFigures& year, double income);

/// Travel allowance times the inclusion rate (0.8 or 0.2).
double taxableTravelAllowance(double travelAllowance, double inclusionRate);

/// What one pay period's employee receives, as every period calculator takes it.
struct PayFigures {
    double salary = 0;
    double commission = 0;
    double bonus = 0;
    double travelAllowance = 0;
    double employerRetirementFund = 0;
    double employeeRetirementFund = 0;
    double employerMedical = 0;
    double employeeMedical = 0;
};

/// Remuneration the 27.5 % retirement-fund limit is taken of: salary,
/// employer's medical contribution, commission, bonus, taxable travel
/// allowance and employer's R/Fund contribution.
double retirementFundRemuneration(const PayFigures& pay, double inclusionRate);

/// Retirement-fund deduction: both contributions, at most the year's share
/// (27.5 %) of `remuneration` (a tie takes the contributions), then at most
/// `cap` (reaching the cap takes the cap). Unrounded.
double retirementFundDeduction(const TaxYearFigures& year, const PayFigures& pay, double remuneration, double cap);

/// Monthly medical scheme fees credit for `beneficiaries` persons: 0 unless a
/// medical contribution is above 0; the year's credit for each of the first
/// two (2017/18: 303) and for each further one (204). Counts are expected in
/// 0..99; the arithmetic is wide enough that no count can overflow it.
int monthlyMedicalCredit(const TaxYearFigures& year, int beneficiaries, const PayFigures& pay);

/// True when either medical contribution is above 0.
bool hasMedicalContribution(const PayFigures& pay);

/// Additional medical credit for persons aged 65 and over: 0.333 times the two
/// medical contributions less three times `medicalCredit` (all for the same
/// period), never below 0; 0 under 65, without a contribution or without a
/// medical scheme fees credit.
double additionalMedicalCredit(const TaxYearFigures& year, int age, double medicalCredit, const PayFigures& pay);

/// Tax before credits less both credits, or 0 when that is not above 0.
double taxLiability(double paye, double medicalCredit, double additionalCredit);

/// Remuneration UIF is charged on: salary, employer's medical contribution,
/// bonus, taxable travel allowance and employer's R/Fund contribution
/// (commission is left out).
double uifRemuneration(const PayFigures& pay, double inclusionRate);

/// Employee and employer UIF on `remuneration`, limited to `periodLimit`.
std::pair<double, double> uifContributions(double remuneration, double periodLimit, double employeePercent,
                                           double employerPercent);

/// Skills levy: (UIF remuneration less the retirement-fund deduction plus
/// commission) times the levy percentage. No limit applies.
double skillsLevy(double uifRemuneration, double retirementFundDeduction, double commission, double levyPercent);

}  // namespace grossby
