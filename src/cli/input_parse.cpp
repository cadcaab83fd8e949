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

bool sameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A choice among words, or a flag's yes or no.
std::optional<InputProblem> readWord(const ValueRule& rule, std::string_view text, double& result)
{
    if (rule.kind == InputKind::Choice) {
        std::string allowed;
        for (std::size_t i = 0; i < rule.words.size(); ++i) {
            if (sameWord(text, rule.words[i])) {
                result = static_cast<double>(i);
                return std::nullopt;
            }
            allowed += (i == 0 ? "" : i + 1 == rule.words.size() ? " or " : ", ") + std::string(rule.words[i]);
        }
        return InputProblem{true, quoted(text) + " is not one of the choices: give " + allowed};
    }
    for (const char* yes : {"yes", "true", "1"}) {
        if (sameWord(text, yes) && !rule.choices.empty()) {
            result = rule.choices.front();
            return std::nullopt;
        }
    }
    for (const char* no : {"no", "false", "0"}) {
        if (sameWord(text, no) && rule.choices.size() > 1) {
            result = rule.choices[1];
            return std::nullopt;
        }
    }
    return InputProblem{true,
                        quoted(text) +
                            (rule.choices.size() > 1 ? " is not yes or no" : " is not yes: give yes, or leave it out")};
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
    if (rule.kind == InputKind::TaxYear) {
        const auto year = parseTaxYear(text);
        if (!year)
            return InputProblem{
                true, quoted(text) + " is not a tax year: give the year it ends in (2026) or both years (2025/26)"};
        if (!findTaxYear(*year))
            return InputProblem{true,
                                "the tax year " + taxYearLabel(*year) + " is not available: the years are " +
                                    availableTaxYearsText()};
        result = *year;
        return std::nullopt;
    }
    // A rate of 1 or 0 is a yes/no setting (the car's maintenance plan).
    const bool yesNoRate =
        rule.kind == InputKind::Rate && rule.choices.size() == 2 && rule.choices[0] == 1 && rule.choices[1] == 0;
    if (rule.kind == InputKind::Choice || rule.kind == InputKind::Flag || yesNoRate)
        return readWord(rule, text, result);
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

std::optional<InputProblem> readItems(const ValueRule& rule, std::string_view text, std::size_t maxItems,
                                      std::vector<LabelledAmount>& out)
{
    out.clear();
    ValueRule amount = rule;
    amount.kind = InputKind::Amount;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t stop = text.find(';', pos);
        if (stop == std::string_view::npos)
            stop = text.size();
        const std::string_view entry = trimBlanks(text.substr(pos, stop - pos));
        pos = stop + 1;
        if (entry.empty())
            continue;
        if (out.size() == maxItems)
            return InputProblem{true, "give at most " + std::to_string(maxItems) + " entries"};
        // The amounts follow the last '=': the description may hold '=' or ':'.
        const std::size_t eq = entry.rfind('=');
        if (eq == std::string_view::npos)
            return InputProblem{true, quoted(entry) + " is not TEXT=AMOUNT or TEXT=AMOUNT:AMOUNT"};
        LabelledAmount item;
        item.text = std::string(trimBlanks(entry.substr(0, eq)));
        std::string_view figures = entry.substr(eq + 1);
        const std::size_t colon = figures.find(':');
        if (colon != std::string_view::npos) {
            if (auto problem = readValue(amount, figures.substr(colon + 1), item.second))
                return problem;
            item.hasSecond = true;
            figures = figures.substr(0, colon);
        }
        if (auto problem = readValue(amount, figures, item.amount))
            return problem;
        out.push_back(std::move(item));
    }
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
