#pragma once
// Every figure of the 2017/18 year of assessment the calculators use, in one
// place: the tax scale, the rebates and their ages, the medical tax credits,
// the retirement-fund limits, the UIF ceiling and the year's dates. A
// calculation reads its figures from here and nowhere else.

#include <array>
#include <string_view>

namespace grossby {

/// One bracket of the tax scale: income above `lower` up to and including
/// `upper` is taxed at `rate` percent on the excess over `lower`, plus `baseTax`.
struct TaxBracket {
    double lower;
    double upper;
    double rate;
    double baseTax;
};

struct TaxYearFigures {
    /// The scale for 1 March 2017 to 28 February 2018. The base amounts are the
    /// published whole-rand figures, so the tax jumps by a few cents at some
    /// thresholds; that is intended.
    std::array<TaxBracket, 7> scale;

    double primaryRebate;  ///< every taxpayer
    double secondaryRebate;  ///< added from `secondaryRebateAge`
    double tertiaryRebate;  ///< added from `tertiaryRebateAge`
    int secondaryRebateAge;  ///< also the age of the additional medical credit
    int tertiaryRebateAge;

    /// Monthly medical scheme fees credit for each of the first two
    /// beneficiaries, and for every further one.
    int medicalCreditFirstTwo;
    int medicalCreditFurther;
    /// Factor of the additional medical credit for persons aged 65 and over
    /// (the rule uses 0.333, not a third).
    double additionalCreditFactor;

    /// Share of remuneration that retirement-fund contributions may be deducted up to.
    double retirementFundShare;
    /// Yearly cap on the retirement-fund deduction.
    double retirementFundCap;

    /// UIF remuneration ceiling per month, the settings store's start value.
    double uifMonthlyLimit;

    /// Pay periods in a year as the period calculators annualise them.
    int weeksPerYear;
    int fortnightsPerYear;
    int workingDaysPerYear;
};

inline constexpr TaxYearFigures kYear2018{
    .scale = {{
        {0, 189880, 18, 0},
        {189880, 296540, 26, 34178},
        {296540, 410460, 31, 61910},
        {410460, 555600, 36, 97225},
        {555600, 708310, 39, 149475},
        {708310, 1500000, 41, 209032},
        {1500000, 9999999999.0, 45, 533625},
    }},
    .primaryRebate = 13635,
    .secondaryRebate = 7479,
    .tertiaryRebate = 2493,
    .secondaryRebateAge = 65,
    .tertiaryRebateAge = 75,
    .medicalCreditFirstTwo = 303,
    .medicalCreditFurther = 204,
    .additionalCreditFactor = 0.333,
    .retirementFundShare = 0.275,
    .retirementFundCap = 350000,
    .uifMonthlyLimit = 14872,
    .weeksPerYear = 52,
    .fortnightsPerYear = 26,
    .workingDaysPerYear = 260,
};

// The year's dates as day numbers (days from 30 December 1899).
inline constexpr double TaxYearStart = 42795;  ///< 1 March 2017
inline constexpr double TaxYearEnd = 43159;  ///< 28 February 2018
inline constexpr double FirstMonthEnd = 42825;  ///< 31 March 2017

/// The two ends of the tax year as the date messages quote them.
inline constexpr std::string_view kTaxYearStartText = "01/03/2017";
inline constexpr std::string_view kTaxYearEndText = "28/02/2018";

}  // namespace grossby
