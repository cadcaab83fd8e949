#include "vehicle/travel_table.h"

#include <algorithm>
#include <cmath>

namespace grossby {

const TravelCostBand& lookupTravelCostBand(std::span<const TravelCostBand> table, double value)
{
    static const TravelCostBand none{0, 0, 0, 0};
    if (table.empty())
        return none;
    // A value belongs to a band when it is above the band below's bound and
    // not above its own, so the band is the first whose bound is >= value.
    const auto it = std::lower_bound(table.begin(), table.end(), value,
                                     [](const TravelCostBand& band, double v) { return band.upper < v; });
    return it == table.end() ? table.back() : *it;
}

const TravelCostBand& LookupTravelCostTable(const TaxYearFigures& year, double vehicleValue)
{
    return lookupTravelCostBand(year.vehicle.travelCosts, vehicleValue);
}

const TravelCostBand& PrintTravelCostTable(const TaxYearFigures& year, double vehicleValue)
{
    return lookupTravelCostBand(year.vehicle.printTravelCosts, vehicleValue);
}

std::string missingTravelTableMessage(const TaxYearFigures& year, const std::string& use)
{
    return "The " + year.label + " figures have no travel cost table (" + use +
        "). Choose another tax year, or add the table to the year's file.";
}

TravelDistances SplitTravelDistance(const VehicleFigures& f, double total, double days, double typedBusiness)
{
    // The rules are applied one after the other, each on what the last left;
    // later rules overrule earlier ones, in the order the rules were made.
    const double T = total;
    const double D = days;
    const double Bt = typedBusiness;
    double B = 0;
    double P = 0;

    // Private distance the part of the year allows, cut to whole cents of a kilometre.
    const auto privateAllowance = [&] { return std::floor(f.privateKm * D / f.daysPerYear * 100) / 100; };

    if (T > f.longDistanceKm) {
        B = f.businessKm * D / f.daysPerYear;
        P = std::floor((T - B) * 100) / 100;
        if (Bt > 0) {
            B = Bt;
            P = T - Bt;
        }
    } else {
        P = privateAllowance();
        if (P > T) {
            B = 0;
            P = T;
        } else {
            B = T - P;
        }
    }

    if (T < f.privateKm) {
        B = 0;
        P = T;
        if (Bt > 0) {
            B = Bt;
            P = T - Bt;
        }
    }

    if (Bt > 0) {
        B = Bt;
        P = T - Bt;
    }

    if (D < f.daysPerYear && T < f.longDistanceKm + 1) {
        const double U = f.longDistanceKm * D / f.daysPerYear;
        if (T > U) {
            const double X = std::floor((U - f.privateKm * D / f.daysPerYear) * 100) / 100;
            P = T - X;
            B = X;
        } else {
            P = privateAllowance();
            if (P > T) {
                P = T;
                B = 0;
            } else {
                B = T - P;
            }
        }
    }

    if (Bt > 0) {
        B = Bt;
        P = T - Bt;
    }
    return {B, P};
}

}  // namespace grossby
