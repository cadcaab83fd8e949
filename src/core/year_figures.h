#pragma once
// Every figure of the 2017/18 year of assessment the calculators use, in one
// place: the tax scale, the rebates and their ages, the medical tax credits,
// the retirement-fund limits, the UIF ceiling and the year's dates. A
// calculation reads its figures from here and nowhere else.

#include <array>
#include <limits>
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

/// One band of a travel cost table: vehicles valued (rand, VAT included)
/// above the previous band's `upper` up to and including this `upper`. The
/// first band also takes every value of 0 or below, the last one everything
/// above the band before it.
struct TravelCostBand {
    double upper;
    double fixedCost;  ///< rand per year
    double fuelCost;  ///< rand per kilometre
    double maintenanceCost;  ///< rand per kilometre
};

/// The year's motoring figures: the travel cost tables, the company car
/// benefit rates, the distance rules of a travel allowance and the deemed
/// private use when no distances are known.
struct VehicleFigures {
    /// The travel cost table the calculators use.
    std::array<TravelCostBand, 7> travelCosts;
    /// The older table, in bands of 80 000, that the company car printout
    /// values fuel with.
    std::array<TravelCostBand, 7> printTravelCosts;

    double daysPerYear;  ///< days in the year of assessment
    /// Monthly company car benefit, percent of the determined value, without
    /// and with a maintenance plan; the per-period amounts are written with
    /// the same rates as fractions.
    double carBenefitRate;
    double carBenefitRateWithPlan;
    double carBenefitShare;
    double carBenefitShareWithPlan;
    /// The two inclusion rates the per-period benefit amounts are given at.
    double higherInclusion;
    double lowerInclusion;

    /// Distance rules for a full year: above `longDistanceKm` the business
    /// distance is `businessKm`; up to it, the first `privateKm` are private.
    double longDistanceKm;
    double privateKm;
    double businessKm;

    /// Deemed private use without any distances: a monthly share of the
    /// vehicle's value, less monthly fuel and maintenance shares, and the
    /// cents per kilometre shown for fuel and maintenance then.
    double deemedPrivateShare;
    double deemedFuelShare;
    double deemedMaintenanceShare;
    double deemedFuelCents;
    double deemedMaintenanceCents;
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

    VehicleFigures vehicle;
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
    .vehicle =
        {
            .travelCosts = {{
                {85000, 28492, 0.912, 0.329},
                {170000, 50924, 1.018, 0.412},
                {255000, 73427, 1.106, 0.454},
                {340000, 93267, 1.189, 0.496},
                {425000, 113179, 1.272, 0.582},
                {510000, 134035, 1.460, 0.684},
                {std::numeric_limits<double>::infinity(), 154879, 1.509, 0.849},
            }},
            .printTravelCosts = {{
                {80000, 26675, 0.824, 0.308},
                {160000, 47644, 0.920, 0.386},
                {240000, 68684, 1.000, 0.425},
                {320000, 87223, 1.075, 0.464},
                {400000, 105822, 1.150, 0.545},
                {480000, 125303, 1.320, 0.640},
                {std::numeric_limits<double>::infinity(), 144784, 1.365, 0.795},
            }},
            .daysPerYear = 365,
            .carBenefitRate = 3.5,
            .carBenefitRateWithPlan = 3.25,
            .carBenefitShare = 0.035,
            .carBenefitShareWithPlan = 0.0325,
            .higherInclusion = 0.8,
            .lowerInclusion = 0.2,
            .longDistanceKm = 32000,
            .privateKm = 18000,
            .businessKm = 14000,
            .deemedPrivateShare = 0.025,
            .deemedFuelShare = 0.0022,
            .deemedMaintenanceShare = 0.0018,
            .deemedFuelCents = 120,
            .deemedMaintenanceCents = 85,
        },
};

// The year's dates as day numbers (days from 30 December 1899).
inline constexpr double TaxYearStart = 42795;  ///< 1 March 2017
inline constexpr double TaxYearEnd = 43159;  ///< 28 February 2018
inline constexpr double FirstMonthEnd = 42825;  ///< 31 March 2017

/// The two ends of the tax year as the date messages quote them.
inline constexpr std::string_view kTaxYearStartText = "01/03/2017";
inline constexpr std::string_view kTaxYearEndText = "28/02/2018";

}  // namespace grossby
