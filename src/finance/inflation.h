#pragma once
// The inflation projection: a present cost carried forward a number of years
// at a constant yearly rate, and what the present amount will buy at the end;
// the two spin controls.

#include "core/calc_outcome.h"

namespace grossby {

struct InflationInputs {
    double presentCost = 0;  ///< whole rand
    double years = 0;  ///< whole years
    double rate = 0;  ///< percent a year, -5 to 40
};

struct InflationResult {
    double futureCost = 0;
    double buyingPower = 0;
    /// Above 9 999 999 999: the window shows "Amount too large to display"
    /// in its place and the projection cannot be printed.
    bool tooLarge = false;
};

/// Year by year: future += future * r / 100, power -= power * r / (r + 100).
/// Refuses a rate outside -5..40 % or more than 40 years.
CalcOutcome<InflationResult> ProjectInflation(const InflationInputs& in);

/// A spin control's new value, and whether the program beeps.
struct InflationSpin {
    double value = 0;
    bool beep = false;
};

/// `spInflation`: up by 0.25 (a beep on reaching exactly 0), wrapping to -5
/// above 30; down by 0.25, wrapping to 30 below -5.
InflationSpin spinInflationRate(double rate, bool up);

/// `spPeriod`, for a period other than 0: up by a year, wrapping to 1 above
/// 40; down by a year, wrapping to 40 with a beep on reaching 0.
InflationSpin spinInflationYears(double years, bool up);

inline constexpr const char* kInflationRateTitle = "Incorrect Inflation Rate!";
inline constexpr const char* kInflationRateMessage = "The range of the Inflation Rate is between -5% and 40%";
inline constexpr const char* kInflationPeriodTitle = "Incorrect Period!";
inline constexpr const char* kInflationPeriodMessage = "The maximum period allowed 40 years";
inline constexpr const char* kAmountTooLarge = "Amount too large to display";

}  // namespace grossby
