#pragma once
// The travel cost tables both vehicle calculators value motoring with, and
// the distance rules that split a travel allowance's kilometres into business
// and private travel when no business distance is typed.

#include "core/year_figures.h"

#include <span>

namespace grossby {

/// The band of `table` that holds vehicle value `value`: the first whose
/// upper bound is not below it. Values of 0 or below fall in the first band,
/// values above the last bound in the last.
const TravelCostBand& lookupTravelCostBand(std::span<const TravelCostBand> table, double value);

/// The current table's band for a vehicle value: the fixed cost a year and
/// the fuel and maintenance costs per kilometre, in rand.
const TravelCostBand& LookupTravelCostTable(double vehicleValue);

/// The print-time table's band (bands of 80 000), used only when the company
/// car printout values fuel.
const TravelCostBand& PrintTravelCostTable(double vehicleValue);

struct TravelDistances {
    double business = 0;  ///< kilometres
    double priv = 0;  ///< kilometres; negative when a typed business distance exceeds the total
    friend bool operator==(const TravelDistances&, const TravelDistances&) = default;
};

/// Business and private distance from the total distance `total`, the days
/// of the period `days` and the business distance typed `typedBusiness`
/// (0 when none). For a full year without a typed distance: up to 18 000 km
/// everything is private, up to 32 000 km the private distance is 18 000 km,
/// above that the business distance is 14 000 km; a part year scales those
/// limits by its days. A typed business distance always wins.
TravelDistances SplitTravelDistance(double total, double days, double typedBusiness);

}  // namespace grossby
