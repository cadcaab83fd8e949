#include "vehicle/car_allowance.h"

#include "core/numeric.h"
#include "core/tax_year.h"
#include "vehicle/company_car.h"
#include "vehicle/travel_table.h"

#include <cmath>

namespace grossby {
namespace {

// The claim never exceeds the allowance received (when one is given).
void capAtAllowance(const CarAllowanceInputs& in, CarAllowanceResult& r)
{
    if (in.AllowanceReceived != 0 && r.DeductionClaim > in.AllowanceReceived)
        r.DeductionClaim = in.AllowanceReceived;
}

void splitDistance(const CarAllowanceInputs& in, double periodDays, const VehicleFigures& f, CarAllowanceResult& r)
{
    r.TotalKm = in.CloseKm - in.OpenKm;
    const TravelDistances split = SplitTravelDistance(f, r.TotalKm, periodDays, in.BusinessKmInput);
    r.BusinessKm = split.business;
    r.PrivateKm = split.priv;
}

// The vehicle as the messages name it: the employee's, when a name is given.
std::string allowanceVehicle(const CarAllowanceInputs& in)
{
    return in.EmployeeName.empty() ? std::string("The vehicle") : "The vehicle of " + in.EmployeeName;
}

}  // namespace

CarAllowanceResult CalcDeemedTravelCost(const CarAllowanceInputs& in, double periodDays, const TaxYearFigures& year)
{
    const auto& f = year.vehicle;
    CarAllowanceResult r;
    r.PeriodDays = periodDays;
    splitDistance(in, periodDays, f, r);

    const TravelCostBand& band = LookupTravelCostTable(year, in.VehicleValue);
    r.TravelFixedCost = band.fixedCost;
    r.TravelFuelRate = in.IncludeFuel == 0 ? 0 : band.fuelCost;
    r.TravelMaintRate = in.IncludeMaintenance == 0 ? 0 : band.maintenanceCost;

    // Fixed cost per kilometre in rand, for the part of the year, cut (not
    // rounded) to six decimals. No division unless a kilometre was travelled.
    double fixed = r.TotalKm >= 1 ? r.TravelFixedCost / r.TotalKm : 0;
    if (periodDays > 0 && periodDays < f.daysPerYear)
        fixed = fixed * (periodDays / f.daysPerYear);
    fixed = std::floor(fixed * 1000000) / 1000000;

    // Everything in cents per kilometre from here.
    const double fixedCents = fixed * 100;
    r.TravelFuelRate = r.TravelFuelRate * 100;
    r.TravelMaintRate = r.TravelMaintRate * 100;
    const double totalCents = fixedCents + r.TravelFuelRate + r.TravelMaintRate;
    r.DeductionClaim = r.BusinessKm * totalCents / 100;
    // The rates as the claim uses them: the fixed cost has four decimals of
    // a cent (six of a rand), the table's rates two, so four decimals show
    // them exactly, and the parts add up to the total shown.
    r.FixedCostPerKm = roundHalfEven(fixedCents, 4);
    r.TotalRatePerKm = roundHalfEven(totalCents, 4);
    capAtAllowance(in, r);
    return r;
}

CarAllowanceResult CalcActualTravelCost(const CarAllowanceInputs& in, double periodDays, const TaxYearFigures& year)
{
    const auto& f = year.vehicle;
    CarAllowanceResult r;
    r.PeriodDays = periodDays;
    r.TotalCosts =
        in.FuelOilCost + in.RepairsCost + in.InsuranceLicenceCost + in.OtherCost + in.WearAndTear + in.LeasePayments;
    splitDistance(in, periodDays, f, r);

    if (in.CloseKm == 0 && in.OpenKm == 0 && in.BusinessKmInput == 0) {
        // No distances at all: a deemed private use of the vehicle's value,
        // less its fuel and maintenance where those are included.
        double c = in.VehicleValue * f.deemedPrivateShare * 12 * periodDays / f.daysPerYear;
        if (in.VehicleValue > 0) {
            if (in.IncludeFuel == 1) {
                c = c - f.deemedFuelShare * in.VehicleValue * periodDays / f.daysPerYear * 12;
                r.TravelFuelRate = f.deemedFuelCents;
            } else {
                r.TravelFuelRate = 0;
            }
            if (in.IncludeMaintenance == 1) {
                c = c - f.deemedMaintenanceShare * in.VehicleValue * periodDays / f.daysPerYear * 12;
                r.TravelMaintRate = f.deemedMaintenanceCents;
            } else {
                r.TravelMaintRate = 0;
            }
        }
        r.PrivateUse = c > r.TotalCosts ? 0 : c;
        r.DeductionClaim = r.TotalCosts - c;
        if (r.DeductionClaim < 0)
            r.DeductionClaim = 0;
        capAtAllowance(in, r);
        return r;
    }

    // The business share of the costs; no division unless the readings
    // differ by more than a kilometre.
    r.DeductionClaim = in.CloseKm - in.OpenKm > 1 ? r.TotalCosts * r.BusinessKm / r.TotalKm : 0;
    r.PrivateUse = r.TotalCosts - r.DeductionClaim;
    capAtAllowance(in, r);
    return r;
}

bool wearAndTearLeaseConflict(double typed, double other)
{
    return typed > 0 && other > 0;
}

std::optional<InputError> checkAllowanceDates(double startDate, double endDate, const TaxYearFigures& year)
{
    if (!year.holds(startDate))
        return InputError{kVehicleDateTitle, vehicleDateMessage(year.startText, year.year), "start"};
    if (!(endDate >= startDate && endDate <= year.end))
        return InputError{kVehicleDateTitle, vehicleDateMessage(formatDate(startDate), year.year), "end"};
    return std::nullopt;
}

CalcOutcome<CarAllowanceResult> CalcCarAllowance(const CarAllowanceInputs& in)
{
    const TaxYearFigures* year = findTaxYear(in.TaxYear);
    if (!year)
        return unavailableTaxYear(in.TaxYear);
    if (auto error = checkAllowanceDates(in.StartDate, in.EndDate, *year))
        return *error;
    if (wearAndTearLeaseConflict(in.WearAndTear, in.LeasePayments))
        return InputError{kSinglePaymentTitle, kSinglePaymentMessage, "wear-and-tear"};
    // A closing reading below the opening one would be a negative distance.
    if (in.CloseKm < in.OpenKm)
        return InputError{kReadingsTitle, readingsMessage(allowanceVehicle(in), in.OpenKm, in.CloseKm), "close-km"};

    const double periodDays = in.EndDate - in.StartDate + 1;
    CarAllowanceResult r;
    r.PeriodDays = periodDays;
    if (in.RecordKept == 1)
        return CalcActualTravelCost(in, periodDays, *year);
    if (in.VehicleValue == 0 || periodDays == 0 || in.BusinessKmInput == 0)
        return r;
    // Only the deemed costs need the table: actual costs work in any year.
    if (!year->hasTravelCosts())
        return InputError{kTravelTableTitle, missingTravelTableMessage(*year, "the deemed costs of a travel allowance"),
                          "year"};
    return CalcDeemedTravelCost(in, periodDays, *year);
}

}  // namespace grossby
