#include "finance/daily_balance.h"

#include "core/tax_year.h"
#include "finance/finance_figures.h"

namespace grossby {

namespace {

constexpr const FinanceFigures& kF = kFinance;

}  // namespace

bool dayBalanceDateSet(std::int32_t day)
{
    return day >= kF.unsetDay + 2;
}

CalcOutcome<DailyBalanceResult> CalcDailyBalance(const DailyBalanceInputs& in)
{
    DailyBalanceResult out;
    if (!dayBalanceDateSet(in.start) || !dayBalanceDateSet(in.end))
        return out;
    const DayRange allowed = endDateRange(in.start);
    if (in.end < allowed.first || in.end > allowed.last)
        return InputError{kDateOutOfRangeTitle, endDateOutOfRangeMessage(in.start), "end"};
    out.days = in.end - in.start;
    const float yearly = in.capital * in.rate / 100;
    out.interest = static_cast<float>(yearly * static_cast<double>(out.days) / kF.daysPerYear);
    return out;
}

DayRange endDateRange(std::int32_t start)
{
    return {start, start + kF.maxDaySpan};
}

DayRange startDateRange(std::int32_t end)
{
    return {end - kF.maxDaySpan, end - 1};
}

std::string endDateOutOfRangeMessage(std::int32_t start)
{
    return "The date entered is more than 30 years(360 months) after " + formatDate(start) + ".";
}

std::string startDateOutOfRangeMessage(std::int32_t end)
{
    return "The date entered is more than 30 years(360 months) before " + formatDate(end) + ".";
}

std::int32_t spinEndDate(std::int32_t start, std::int32_t end, bool up)
{
    if (up)
        return end + 1;
    return end - 1 < start ? start : end - 1;
}

SpinValue spinDailyBalanceRate(double rate, double step, bool up)
{
    if (up) {
        const double next = rate + step;
        return {next > kF.maxSpinRate ? step : next, false};
    }
    const double next = rate - step;
    if (next <= 0)
        return {kF.maxSpinRate, true};
    return {next, false};
}

}  // namespace grossby
