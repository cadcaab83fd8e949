#pragma once
// The daily balance: simple interest on a capital amount between two dates,
// actual days over a 365-day year, in single precision as the window keeps
// its figures; the date limits and the two spin controls.

#include "core/calc_outcome.h"

#include <cstdint>
#include <string>

namespace grossby {

struct DailyBalanceInputs {
    float capital = 0;
    float rate = 0;  ///< percent a year
    std::int32_t start = -36522;  ///< day number; -36522 (1 January 1800) when not set
    std::int32_t end = -36522;
};

struct DailyBalanceResult {
    std::int32_t days = 0;  ///< `DayCount`: end - start
    float interest = 0;  ///< `InterestAccrued`
};

/// Whether a date field holds a date (its day number is not below -36520).
bool dayBalanceDateSet(std::int32_t day);

/// Days and interest: (capital * rate / 100) * days / 365, the product and
/// first division in single precision, the result stored in single precision.
/// Both 0 while either date is not set. Refuses an end date before the start
/// date or more than 10 960 days after it, with the end date field's message.
/// The rate is not checked here: the field refuses typed rates above 40 %,
/// while the spin control may reach 50 %.
CalcOutcome<DailyBalanceResult> CalcDailyBalance(const DailyBalanceInputs& in);

/// The range a date field accepts, from the other date.
struct DayRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
};
/// End date: from the start date to 10 960 days after it.
DayRange endDateRange(std::int32_t start);
/// Start date: from 10 960 days before the end date to the day before it.
DayRange startDateRange(std::int32_t end);

/// "The date entered is more than 30 years(360 months) after dd/mm/yyyy."
std::string endDateOutOfRangeMessage(std::int32_t start);
/// "The date entered is more than 30 years(360 months) before dd/mm/yyyy."
std::string startDateOutOfRangeMessage(std::int32_t end);

/// `spDate`: the end date a day later, or a day earlier but not before the
/// start date.
std::int32_t spinEndDate(std::int32_t start, std::int32_t end, bool up);

/// A spin control's new value, and whether the program beeps.
struct SpinValue {
    double value = 0;
    bool beep = false;
};

/// `spRate`: up by `step`, wrapping to `step` above 50; down by `step`,
/// wrapping to 50 with a beep on reaching 0 or going below it.
SpinValue spinDailyBalanceRate(double rate, double step, bool up);

inline constexpr const char* kInvalidDateTitle = "INVALID DATE";
inline constexpr const char* kInvalidDateMessage = "The date entered is invalid please enter a valid date.";
inline constexpr const char* kDateOutOfRangeTitle = "DATE OUT OF RANGE";
inline constexpr const char* kDailyBalanceRateTitle = "Incorrect Interest Rate!";
inline constexpr const char* kDailyBalanceRateMessage = "The maximum Interest Rate allowed is 40%";

}  // namespace grossby
