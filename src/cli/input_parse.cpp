#include "cli/input_parse.h"

#include "cli/output.h"
#include "core/numeric.h"
#include "core/tax_year.h"

#include <cmath>

namespace grossby::cli {
namespace {

std::string quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

InputProblem notANumber(std::string_view text)
{
    return {true, quoted(text) + " is not a number"};
}

// "from 0 to 999 999 999 999.99": each bound with decimals only when it has them.
std::string span(const ValueRule& rule)
{
    const auto shown = [](double v) { return formatAmount(v, v == std::floor(v) ? 0 : 2); };
    return "from " + shown(rule.min) + " to " + shown(rule.max);
}

InputProblem outOfRange(const ValueRule& rule, std::string_view text)
{
    if (rule.rangeText)
        return {false, rule.rangeText};
    const char* what = rule.kind == InputKind::Whole ? "a whole number"
        : rule.kind == InputKind::Percent            ? "a percentage"
                                                     : "an amount";
    return {true, quoted(text) + " is out of range: give " + what + " " + span(rule)};
}

}  // namespace

std::optional<InputProblem> readValue(const ValueRule& rule, std::string_view raw, double& result)
{
    const std::string_view text = trimBlanks(raw);
    if (rule.kind == InputKind::Amount || rule.kind == InputKind::Percent) {
        // The common case first: a payroll row is mostly amounts.
        const auto value = parseDecimal(text);
        if (!value)
            return notANumber(text);
        if (*value < rule.min || *value > rule.max)
            return outOfRange(rule, text);
        result = *value == 0 ? 0.0 : *value;  // never -0
        return std::nullopt;
    }
    if (rule.kind == InputKind::Date) {
        const auto day = parseDate(text);
        if (!day)
            return InputProblem{true, quoted(text) + " is not a date in the form dd/mm/yyyy"};
        // The calculators check the dates themselves: their message names
        // the span allowed, which depends on the other date.
        result = *day;
        return std::nullopt;
    }
    const auto parsed = parseDecimal(text);
    if (!parsed)
        return notANumber(text);
    double value = *parsed;
    switch (rule.kind) {
    case InputKind::Rate: {
        // A rate may also be given as its percent figure: 80 for 0.8.
        for (const double choice : rule.choices) {
            if (value == choice * 100)
                value = choice;
        }
        for (const double choice : rule.choices) {
            if (value == choice) {
                result = value;
                return std::nullopt;
            }
        }
        std::string allowed;
        for (const double choice : rule.choices)
            allowed += (allowed.empty() ? "" : " or ") + formatAmount(choice, 1);
        return InputProblem{true, quoted(text) + " is not an inclusion rate: give " + allowed};
    }
    case InputKind::Whole:
        if (rule.rounds && std::fabs(value) <= 1e9)
            value = roundHalfEven(value);
        if (value != std::floor(value))
            return InputProblem{true, quoted(text) + " is not a whole number"};
        break;
    default: break;
    }
    if (value < rule.min || value > rule.max)
        return outOfRange(rule, text);
    result = value == 0 ? 0.0 : value;  // never -0
    return std::nullopt;
}

std::optional<InputProblem> readCounts(const ValueRule& rule, std::string_view text, std::span<int> out)
{
    const std::string what = rule.countsText ? rule.countsText : std::to_string(out.size()) + " whole numbers";
    ValueRule item = rule;
    item.kind = InputKind::Whole;
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t stop = text.find_first_of(",; \t", pos);
        if (stop == std::string_view::npos)
            stop = text.size();
        const std::string_view piece = text.substr(pos, stop - pos);
        pos = stop + 1;
        if (piece.empty())
            continue;
        if (count == out.size())
            return InputProblem{true, "give " + what + ", not more"};
        double value = 0;
        if (auto problem = readValue(item, piece, value))
            return problem;
        out[count++] = static_cast<int>(value);
    }
    if (count != out.size())
        return InputProblem{true, "give " + what + "; found " + std::to_string(count)};
    return std::nullopt;
}

}  // namespace grossby::cli
