#pragma once
// The travel cost tables both vehicle calculators value motoring with, and
// the distance rules that split a travel allowance's kilometres into business
// and private travel when no business distance is typed.

#include "core/year_figures.h"

#include <span>
#include <string>

namespace grossby {

/// The band of `table` that holds vehicle value `value`: the first whose
/// upper bound is not below it. Values of 0 or below fall in the first band,
/// values above the last bound in the last. An empty table (a year whose
/// file has none) gives a band of zeros: the calculators refuse such a year
/// before they look anything up.
const TravelCostBand& lookupTravelCostBand(std::span<const TravelCostBand> table, double value);

/// The year's table's band for a vehicle value: the fixed cost a year and
/// the fuel and maintenance costs per kilometre, in rand.
const TravelCostBand& LookupTravelCostTable(const TaxYearFigures& year, double vehicleValue);

/// The print-time table's band (2017/18: the older table in bands of 80 000;
/// other years their own table), used only when the company car printout
/// values fuel.
const TravelCostBand& PrintTravelCostTable(const TaxYearFigures& year, double vehicleValue);

/// The refusal for a year whose file has no travel cost table, naming the
/// year and what needed the table (`use`: "the deemed costs of a travel
/// allowance").
std::string missingTravelTableMessage(const TaxYearFigures& year, const std::string& use);

struct TravelDistances {
    double business = 0;  ///< kilometres
    double priv = 0;  ///< kilometres; negative when a typed business distance exceeds the total
    friend bool operator==(const TravelDistances&, const TravelDistances&) = default;
};

/// Business and private distance from the total distance `total`, the days
/// of the period `days` and the business distance typed `typedBusiness`
/// (0 when none), by the year's distance rules `f`. For a full year without
/// a typed distance (2017/18's figures): up to 18 000 km everything is
/// private, up to 32 000 km the private distance is 18 000 km, above that
/// the business distance is 14 000 km; a part year (fewer days than the
/// year has) scales those limits by its days. A typed business distance
/// always wins.
TravelDistances SplitTravelDistance(const VehicleFigures& f, double total, double days, double typedBusiness);

}  // namespace grossby
