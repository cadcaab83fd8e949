#pragma once
// The travel allowance deduction: what part of a travel allowance an
// employee may claim back for business travel, from deemed costs (the travel
// cost table for the vehicle's value) or from the actual costs of the year
// when accurate records were kept. Either way the claim never exceeds the
// allowance received.

#include "core/calc_outcome.h"
#include "vehicle/vehicle_state.h"

#include <optional>
#include <string>

namespace grossby {

/// Deemed costs for a period of `periodDays` days: the table's fixed cost
/// spread over the total distance (and the part of the year), plus the fuel
/// and maintenance rates that are included, times the business distance.
/// Rates in the result are cents per kilometre. `year` must have a travel
/// cost table.
CarAllowanceResult CalcDeemedTravelCost(const CarAllowanceInputs& in, double periodDays, const TaxYearFigures& year);

/// Actual costs: the year's costs times the business share of the distance;
/// without any distances, the costs less a deemed private use of the vehicle
/// (the year's deemed shares). Needs no travel cost table.
CarAllowanceResult CalcActualTravelCost(const CarAllowanceInputs& in, double periodDays, const TaxYearFigures& year);

/// The window's calculation, run on Calculate, Print, the include boxes,
/// opening and closing: the period's days from the dates, then the method
/// chosen, with the figures of the tax year `in.TaxYear`. The deemed method
/// needs a vehicle value, a period and a business distance; without one its
/// results are 0. Rejects a tax year the program does not have, dates
/// outside the tax year (or an end before the start), wear and tear together
/// with lease payments, a closing km reading below the opening one, and a
/// deemed-cost claim in a year whose file has no travel cost table.
CalcOutcome<CarAllowanceResult> CalcCarAllowance(const CarAllowanceInputs& in);

/// Whether a positive amount typed for wear and tear (or lease payments) must
/// be refused because the other already holds a positive amount.
bool wearAndTearLeaseConflict(double typed, double other);

/// The dates' check: the start in the tax year `year`, the end from the
/// start to the end of that year.
std::optional<InputError> checkAllowanceDates(double startDate, double endDate, const TaxYearFigures& year);

inline constexpr const char* kSinglePaymentTitle = "Single Payment";
inline constexpr const char* kSinglePaymentMessage =
    "Only one amount for either Wear & Tear or Lease payments will be accepted";

}  // namespace grossby
