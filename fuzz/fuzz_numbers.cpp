// The one parser of option values and batch cells: decimal numbers, dates,
// whole numbers, rates, flags, choices, lists of counts and TEXT=AMOUNT
// entries, under each kind's rule. A value that is taken must be finite and
// within the rule's bounds.

#include "cli/input_parse.h"
#include "core/input_table.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace grossby;
using namespace grossby::cli;

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

const std::array<double, 2> kRates = {0.8, 0.2};
const std::array<double, 2> kFlag = {1, 0};
const std::array<const char*, 3> kWords = {"repayment", "principal", "period"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    if (const auto v = parseDecimal(text))
        check(std::isfinite(*v));

    ValueRule rule;
    switch (data[0] % 8) {
    case 0: rule = {InputKind::Amount, 0, kMaxAmount}; break;
    case 1: rule = {InputKind::Percent, 0, 100}; break;
    case 2: rule = {InputKind::Whole, 0, kMaxAge, true}; break;
    case 3: rule = {InputKind::Date, 0, 2958465}; break;
    case 4: rule = {InputKind::Rate, 0, 1, false, nullptr, kRates}; break;
    case 5: rule = {InputKind::Flag, 0, 1, false, nullptr, kFlag}; break;
    case 6: rule = {InputKind::Choice, 0, 2, false, nullptr, {}, nullptr, kWords}; break;
    default: rule = {InputKind::Amount, -5, 40}; break;
    }
    double value = 0;
    if (!readValue(rule, text, value))
        check(std::isfinite(value) && (rule.kind == InputKind::Date || (value >= rule.min && value <= rule.max)));

    std::array<int, 12> counts{};
    ValueRule countRule{InputKind::Counts, 0, 99, true};
    if (!readCounts(countRule, text, counts)) {
        for (const int c : counts)
            check(c >= 0 && c <= 99);
    }

    std::vector<LabelledAmount> items;
    if (!readItems(ValueRule{InputKind::Items, 0, kMaxAmount}, text, 4, items)) {
        check(items.size() <= 4);
        for (const auto& item : items)
            check(std::isfinite(item.amount) && std::isfinite(item.second) && item.amount >= 0 &&
                  item.amount <= kMaxAmount);
    }
    return 0;
}
