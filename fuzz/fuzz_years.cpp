// The year file reader: any text is either refused with a reason or gives a
// year whose figures the calculations can use (brackets ascending from 0,
// bands ascending, a UIF ceiling from the year's first day, dates in order).

#include "core/year_figures.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

using namespace grossby;

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto year = readTaxYear(text, "fuzz", problem);
    if (!year) {
        check(!problem.empty());
        return 0;
    }
    check(year->label == taxYearLabel(year->year));
    check(year->start < year->end && year->firstMonthEnd < year->end);
    check(!year->scale.empty() && year->scale.front().lower == 0);
    for (std::size_t i = 1; i < year->scale.size(); ++i)
        check(year->scale[i].lower > year->scale[i - 1].lower && year->scale[i - 1].upper == year->scale[i].lower);
    for (std::size_t i = 1; i < year->vehicle.travelCosts.size(); ++i)
        check(year->vehicle.travelCosts[i].upper > year->vehicle.travelCosts[i - 1].upper);
    check(!year->uifCeilings.empty() && year->uifCeilings.front().from == year->start);
    check(std::isfinite(year->uifLimitOn(year->end)) && year->uifLimitOn(year->end) > 0);
    check(year->vehicle.daysPerYear == 365 || year->vehicle.daysPerYear == 366);
    return 0;
}
