#pragma once
// A year of assessment's figures, and the years the program knows.
//
// Each year is a data file (`resources/years/<year>.json`, named by the
// calendar year the tax year ends in, as SARS names years of assessment):
// the tax scale, the rebates and their ages, the medical tax credits, the
// retirement-fund limits, the UIF ceiling, the year's dates and its motoring
// figures. The shipped files are built into the program; a file placed in
// the program's or the user's `years` folder adds a year or replaces one
// without a rebuild. A calculation is given the year it computes for and
// reads its figures from it, nowhere else.

#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    /// The travel cost table the calculators use; empty when the year's file
    /// has none (what needs it is refused, naming the year and the table).
    std::vector<TravelCostBand> travelCosts;
    /// The table the company car printout values fuel with: for 2017/18 the
    /// older table in bands of 80 000; for a year whose file names none, the
    /// year's own table.
    std::vector<TravelCostBand> printTravelCosts;

    double daysPerYear = 365;  ///< days in the year of assessment (366 when it holds 29 February)
    /// Monthly company car benefit, percent of the determined value, without
    /// and with a maintenance plan; the per-period amounts are written with
    /// the same rates as fractions.
    double carBenefitRate = 0;
    double carBenefitRateWithPlan = 0;
    double carBenefitShare = 0;
    double carBenefitShareWithPlan = 0;
    /// The two inclusion rates the per-period benefit amounts are given at.
    double higherInclusion = 0;
    double lowerInclusion = 0;

    /// Distance rules for a full year: above `longDistanceKm` the business
    /// distance is `businessKm`; up to it, the first `privateKm` are private.
    double longDistanceKm = 0;
    double privateKm = 0;
    double businessKm = 0;

    /// Deemed private use without any distances: a monthly share of the
    /// vehicle's value, less monthly fuel and maintenance shares, and the
    /// cents per kilometre shown for fuel and maintenance then.
    double deemedPrivateShare = 0;
    double deemedFuelShare = 0;
    double deemedMaintenanceShare = 0;
    double deemedFuelCents = 0;
    double deemedMaintenanceCents = 0;
};

/// The UIF remuneration ceiling from one date on (a ceiling may change
/// during a year: 1 June 2021).
struct UifCeiling {
    double from;  ///< day number of the first day it applies
    double monthly;  ///< rand per month
};

struct TaxYearFigures {
    int year = 0;  ///< the calendar year the tax year ends in: 2018 for 2017/18
    std::string label;  ///< "2017/18"
    double start = 0;  ///< day number of 1 March
    double end = 0;  ///< day number of the last day of February
    double firstMonthEnd = 0;  ///< day number of 31 March
    std::string startText;  ///< "01/03/2017", as the date messages quote it
    std::string endText;  ///< "28/02/2018"

    /// The scale, lowest bracket first; the top bracket's `upper` is
    /// 9 999 999 999. The base amounts are the published whole-rand figures,
    /// so the tax jumps by a few cents at some thresholds; that is intended.
    std::vector<TaxBracket> scale;

    double primaryRebate = 0;  ///< every taxpayer
    double secondaryRebate = 0;  ///< added from `secondaryRebateAge`
    double tertiaryRebate = 0;  ///< added from `tertiaryRebateAge`
    int secondaryRebateAge = 65;  ///< also the age of the additional medical credit
    int tertiaryRebateAge = 75;

    /// Monthly medical scheme fees credit for each of the first two
    /// beneficiaries, and for every further one.
    int medicalCreditFirstTwo = 0;
    int medicalCreditFurther = 0;
    /// Factor of the additional medical credit for persons aged 65 and over
    /// (the rule uses 0.333, not a third).
    double additionalCreditFactor = 0;

    /// Share of remuneration that retirement-fund contributions may be deducted up to.
    double retirementFundShare = 0;
    /// Yearly cap on the retirement-fund deduction.
    double retirementFundCap = 0;

    /// UIF ceilings, earliest first; the first applies from the year's start.
    std::vector<UifCeiling> uifCeilings;
    /// The ceiling at the year's start: the settings store's start value.
    double uifMonthlyLimit = 0;

    /// Pay periods in a year as the period calculators annualise them.
    int weeksPerYear = 52;
    int fortnightsPerYear = 26;
    int workingDaysPerYear = 260;

    VehicleFigures vehicle;

    /// Where the figures were read from: "built in" or the file's path.
    std::string origin;
    /// The public pages and documents the figures were checked against.
    std::vector<std::string> sources;
    /// Anything a user should know about the figures (a table missing, a
    /// figure inferred).
    std::string notes;

    /// The UIF ceiling for a pay period that starts on `day`.
    double uifLimitOn(double day) const;
    /// Whether `day` lies in the year.
    bool holds(double day) const { return day >= start && day <= end; }
    bool hasTravelCosts() const { return !vehicle.travelCosts.empty(); }
};

/// The year every calculation uses when none is chosen: 2017/18.
inline constexpr int kDefaultTaxYear = 2018;

/// Reads one year's file. Gives the figures, or nothing with `problem` set
/// to what is wrong (a missing or out-of-range figure, brackets out of
/// order, base amounts that do not add up), naming the figure.
std::optional<TaxYearFigures> readTaxYear(std::string_view json, const std::string& origin, std::string& problem);

/// A year file that could not be taken, and why.
struct YearFileProblem {
    std::string file;
    std::string message;
};

/// The years available, ascending: the built-in ones and those added from folders.
std::vector<const TaxYearFigures*> taxYears();
/// The year ending in `year` (2026 for 2025/26), or null when there is none.
const TaxYearFigures* findTaxYear(int year);
/// 2017/18.
const TaxYearFigures& defaultTaxYear();
/// Reads every `*.json` in `folder` (a missing folder is no problem). A
/// file whose year is already known replaces it; a damaged or incomplete
/// file is left out and listed by taxYearProblems(). Call at start, before
/// any calculation; figures already handed out stay valid.
void addTaxYearFolder(const std::filesystem::path& folder);
/// The files left out so far, with their reasons.
std::vector<YearFileProblem> taxYearProblems();

/// A tax year as typed: "2026" (the year it ends in), "2025/26" or
/// "2025-26". Gives the year it ends in; nothing when the text is neither.
std::optional<int> parseTaxYear(std::string_view text);
/// "2025/26" for 2026.
std::string taxYearLabel(int year);
/// The same day of the year in another tax year: 15/06/2017 in 2017/18 is
/// 15/06/2025 in 2025/26; the year's last day is the other year's last day
/// (28 February or 29 February), and 29 February becomes 28 February.
double sameDayInTaxYear(double day, const TaxYearFigures& from, const TaxYearFigures& to);
/// "2017/18 to 2026/27": the span of the years available, for messages.
std::string availableTaxYearsText();

}  // namespace grossby
