#pragma once
// The year of assessment the program computes for, and calendar day numbers.
//
// A day number counts whole days from 30 December 1899 (day 0): 42795 is
// 1 March 2017. Dates are typed and shown as "dd/mm/yyyy".

#include "core/year_figures.h"

#include <optional>
#include <string>
#include <string_view>

namespace grossby {

struct CivilDate {
    int year = 1899;
    int month = 12;  ///< 1..12
    int day = 30;  ///< 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// Day number of a calendar date (proleptic Gregorian calendar).
long dayNumberFromDate(const CivilDate& date);
/// Calendar date of a whole day number; any fraction of a day is dropped.
CivilDate dateFromDayNumber(double dayNumber);
/// Number of days in the month (leap years counted).
int daysInMonth(int year, int month);

/// "dd/mm/yyyy" for a day number.
std::string formatDate(double dayNumber);
/// Reads "dd/mm/yyyy" (one- or two-digit day and month, four-digit year) and
/// returns its day number, or nothing when the text is not a real date.
std::optional<double> parseDate(std::string_view text);

}  // namespace grossby
