#include "core/tax_year.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace grossby {
namespace {

// Days from 1970-01-01 to a civil date and back (H. Hinnant's algorithms).
constexpr long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(long z)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

// Day 0 of the day numbers, counted from 1970-01-01.
constexpr long kEpochOffset = daysFromCivil(1899, 12, 30);

bool readNumber(std::string_view text, int& out)
{
    if (text.empty())
        return false;
    const auto* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

}  // namespace

long dayNumberFromDate(const CivilDate& date)
{
    return daysFromCivil(date.year, date.month, date.day) - kEpochOffset;
}

CivilDate dateFromDayNumber(double dayNumber)
{
    return civilFromDays(static_cast<long>(std::floor(dayNumber)) + kEpochOffset);
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return kDays[month - 1];
}

std::string formatDate(double dayNumber)
{
    const CivilDate d = dateFromDayNumber(dayNumber);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day, d.month, d.year);
    return buf;
}

std::optional<double> parseDate(std::string_view text)
{
    const auto first = text.find('/');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto second = text.find('/', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const auto dayText = text.substr(0, first);
    const auto monthText = text.substr(first + 1, second - first - 1);
    const auto yearText = text.substr(second + 1);
    if (dayText.size() > 2 || monthText.size() > 2 || yearText.size() != 4)
        return std::nullopt;
    int day = 0, month = 0, year = 0;
    if (!readNumber(dayText, day) || !readNumber(monthText, month) || !readNumber(yearText, year))
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return static_cast<double>(dayNumberFromDate({year, month, day}));
}

}  // namespace grossby
