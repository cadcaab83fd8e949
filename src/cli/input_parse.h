#pragma once
// How the command line reads a value, from an option or a batch cell: one
// parser for every subcommand, driven by the input's table entry, so an
// option and a cell, and every calculator, read numbers the same way.
//
// Numbers are decimal only ("12", "-3.5", "1e3"); blanks around them are
// ignored; hexadecimal, "inf", "nan" and anything beyond a double are not
// numbers. Values outside the table's bounds are refused: with the
// calculator's own message when the table gives one, else as a bad value.

#include "core/input_table.h"
#include "core/tax_year.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// A batch reads a dozen values a row through these few small functions;
// keeping them in the caller keeps the row's cost near the parse's own.
#if defined(__GNUC__)
#define GROSSBY_HOT_INLINE inline __attribute__((always_inline))
#else
#define GROSSBY_HOT_INLINE inline
#endif

namespace grossby::cli {

/// Why a value could not be taken: a malformed value (a usage error, exit 2)
/// or one the calculator itself rejects (its message, exit 1).
struct InputProblem {
    bool usage = true;
    std::string message;
};

/// `text` without the blanks (spaces, tabs) around it.
GROSSBY_HOT_INLINE std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

/// Reads a plain decimal from `p` on: an optional '-', digits, and an
/// optional '.' with digits after it, fifteen digits at most, into `value`;
/// `decimals` is how many follow the point. Those digits make an exact
/// integer, and that integer divided by an exact power of ten is correctly
/// rounded: the value std::from_chars gives, found without it. Returns
/// where the decimal ends (what follows is the caller's to judge), or
/// nullptr (and nothing stored) when no plain decimal starts at `p`.
GROSSBY_HOT_INLINE const char* readPlainNumber(const char* p, const char* const end, double& value,
                                               std::size_t& decimals)
{
    static constexpr double kPow10[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    const char* const digitsStart = p;
    std::uint64_t n = 0;
    while (p != end && static_cast<unsigned char>(*p - '0') < 10)
        n = n * 10 + static_cast<unsigned>(*p++ - '0');
    if (p == digitsStart)
        return nullptr;
    std::size_t fraction = 0;
    if (p != end && *p == '.') {
        const char* const fractionStart = ++p;
        while (p != end && static_cast<unsigned char>(*p - '0') < 10)
            n = n * 10 + static_cast<unsigned>(*p++ - '0');
        fraction = static_cast<std::size_t>(p - fractionStart);
        if (fraction == 0)
            return nullptr;
    }
    if (p - digitsStart - (fraction ? 1 : 0) > 15)
        return nullptr;
    const double magnitude = fraction ? static_cast<double>(n) / kPow10[fraction] : static_cast<double>(n);
    value = negative ? -magnitude : magnitude;
    decimals = fraction;
    return p;
}

/// Reads `text` into `value` when it is a plain decimal and nothing else
/// (see readPlainNumber()). False (and nothing stored) for anything else.
GROSSBY_HOT_INLINE bool readPlainDecimal(std::string_view text, double& value, std::size_t& decimals)
{
    const char* const end = text.data() + text.size();
    double read = 0;
    std::size_t places = 0;
    if (readPlainNumber(text.data(), end, read, places) != end)
        return false;
    value = read;
    decimals = places;
    return true;
}

/// Whether `text` is empty or blanks (spaces, tabs) only.
GROSSBY_HOT_INLINE bool isBlank(std::string_view text)
{
    for (const char c : text) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

/// Reads `text` into `day` when it is a date written dd/mm/yyyy in full,
/// the form a batch file holds: the day number parseDate() gives, found
/// without it. False (and nothing stored) for anything else, a day the
/// month does not have among it.
GROSSBY_HOT_INLINE bool readPlainDate(std::string_view text, double& day)
{
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return false;
    int digits[8];
    constexpr int kAt[8] = {0, 1, 3, 4, 6, 7, 8, 9};
    for (int i = 0; i < 8; ++i) {
        digits[i] = static_cast<unsigned char>(text[static_cast<std::size_t>(kAt[i])]) - '0';
        if (digits[i] < 0 || digits[i] > 9)
            return false;
    }
    const CivilDate date{digits[4] * 1000 + digits[5] * 100 + digits[6] * 10 + digits[7], digits[2] * 10 + digits[3],
                         digits[0] * 10 + digits[1]};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > daysInMonth(date.year, date.month))
        return false;
    day = static_cast<double>(dayNumberFromDate(date));
    return true;
}

/// Reads a finite decimal number and nothing else into `value`; blanks
/// around it are ignored. False (and nothing stored) when it is not one.
GROSSBY_HOT_INLINE bool readDecimal(std::string_view text, double& value)
{
    text = trimBlanks(text);
    std::size_t decimals = 0;
    if (readPlainDecimal(text, value, decimals))
        return true;
    // from_chars takes no '+', reads no hexadecimal in the general format,
    // but does read "inf" and "nan": those are refused as not finite.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return false;
    }
    double parsed = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

/// A finite decimal number and nothing else; blanks around it are ignored.
inline std::optional<double> parseDecimal(std::string_view text)
{
    double value = 0;
    if (!readDecimal(text, value))
        return std::nullopt;
    return value;
}

/// The parts of an input's table entry that say how its value is read.
struct ValueRule {
    InputKind kind = InputKind::Amount;
    double min = 0;
    double max = kMaxAmount;
    bool rounds = false;
    const char* rangeText = nullptr;
    std::span<const double> choices;
    const char* countsText = nullptr;
    std::span<const char* const> words;

    template <class In> static ValueRule of(const InputSpec<In>& desc)
    {
        return {desc.kind, desc.min, desc.max, desc.rounds, desc.rangeText, desc.choices, desc.countsText, desc.words};
    }
};

/// Reads a number, date, rate, whole number, choice or flag (any kind but
/// Text and Counts) into `value`, or says why it cannot be taken. A choice is
/// one of the rule's words (any case), stored as its place in the list; a
/// flag is yes, true or 1 (its value, `choices.front()`), or no, false or 0
/// (`choices[1]` when the table gives one, else refused).
std::optional<InputProblem> readValue(const ValueRule& rule, std::string_view text, double& value);

/// Reads a list of whole numbers separated by commas, semicolons or blanks
/// into `out`, which must be filled exactly.
std::optional<InputProblem> readCounts(const ValueRule& rule, std::string_view text, std::span<int> out);

/// Reads entries TEXT=AMOUNT or TEXT=AMOUNT:AMOUNT separated by ';' into
/// `out`, at most `maxItems` of them; each amount within the rule's bounds.
std::optional<InputProblem> readItems(const ValueRule& rule, std::string_view text, std::size_t maxItems,
                                      std::vector<LabelledAmount>& out);

/// Reads `text` into the input `desc` of `in`; `rule` is ValueRule::of(desc),
/// made once by a caller that reads many values.
template <class In>
GROSSBY_HOT_INLINE std::optional<InputProblem> applyInput(const InputSpec<In>& desc, const ValueRule& rule, In& in,
                                                          std::string_view text)
{
    switch (desc.kind) {
    case InputKind::Text: desc.text(in).assign(trimBlanks(text)); return std::nullopt;
    case InputKind::Counts: return readCounts(rule, text, desc.counts(in));
    case InputKind::Items: {
        std::vector<LabelledAmount> entries;
        if (auto problem = readItems(rule, text, desc.maxItems, entries))
            return problem;
        desc.items(in, entries);
        return std::nullopt;
    }
    default: {
        // The common cases inline: an amount or percentage in range, a whole
        // number written as one and in range. The rest, and every message,
        // is readValue's.
        double value = 0;
        std::size_t decimals = 0;
        const bool plain = (desc.kind == InputKind::Amount || desc.kind == InputKind::Percent)
            ? readDecimal(text, value)
            : desc.kind == InputKind::Whole && readPlainDecimal(trimBlanks(text), value, decimals) && decimals == 0;
        if (plain && value >= rule.min && value <= rule.max) {
            desc.set(in, value == 0 ? 0.0 : value);  // never -0
            return std::nullopt;
        }
        if (desc.kind == InputKind::Date && readPlainDate(trimBlanks(text), value)) {
            desc.set(in, value);
            return std::nullopt;
        }
        if (auto problem = readValue(rule, text, value))
            return problem;
        desc.set(in, value);
        return std::nullopt;
    }
    }
}

/// Reads the cell of a plain batch record (no quotes, cells ending at a
/// comma or the record's end) that starts at `p` into the input `desc` of
/// `in` when it is written the usual way: an amount, percentage or whole
/// number as a plain decimal within bounds, a date as dd/mm/yyyy. Returns
/// the end of the cell; nullptr (and nothing stored) for any other cell,
/// which applyInput() then reads. What it stores is what applyInput()
/// stores for the same text.
template <class In>
GROSSBY_HOT_INLINE const char* readPlainCell(const InputSpec<In>& desc, const ValueRule& rule, In& in, const char* p,
                                             const char* const end)
{
    switch (desc.kind) {
    case InputKind::Amount:
    case InputKind::Percent:
    case InputKind::Whole: {
        double value = 0;
        std::size_t decimals = 0;
        const char* const stop = readPlainNumber(p, end, value, decimals);
        if (!stop || (stop != end && *stop != ',') || (desc.kind == InputKind::Whole && decimals != 0) ||
            !(value >= rule.min && value <= rule.max))
            return nullptr;
        desc.set(in, value == 0 ? 0.0 : value);  // never -0
        return stop;
    }
    case InputKind::Date: {
        double day = 0;
        if (end - p < 10 || (end - p > 10 && p[10] != ',') || !readPlainDate(std::string_view(p, 10), day))
            return nullptr;
        desc.set(in, day);
        return p + 10;
    }
    default: return nullptr;
    }
}

}  // namespace grossby::cli
