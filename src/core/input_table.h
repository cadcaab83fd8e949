#pragma once
// One table of a calculator's inputs. The window binds its fields to it, the
// command line makes its options, --help and batch columns from it, so an
// input is named, bounded and described once.
//
// Reading typed text into a value (digit grouping, dates, messages) belongs
// to the window and the command line; the table only says what an input is
// and where it lives in the calculator's inputs struct.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace grossby {

/// Largest amount any field or option takes: far above every real figure,
/// small enough that every calculation stays finite.
inline constexpr double kMaxAmount = 999'999'999'999.99;

/// Oldest age in years the calculators take.
inline constexpr int kMaxAge = 150;

enum class InputKind {
    Text,  ///< free text, such as a name
    Amount,  ///< rand, typed with up to two decimals
    Percent,  ///< percent figure (1 means 1 %), up to three decimals
    Whole,  ///< whole number: ages, counts, days
    Date,  ///< day number, typed dd/mm/yyyy
    Rate,  ///< one of `choices` (an inclusion rate 0.8 or 0.2)
    Counts,  ///< a fixed-length list of whole numbers, such as twelve monthly counts
    Flag,  ///< a switch without a value: giving it stores `choices.front()`, leaving it out keeps the default
    Choice,  ///< one of the words in `words`, stored as its place in the list (0, 1, ...)
    Items,  ///< up to `maxItems` entries TEXT=AMOUNT[:AMOUNT] (other expenses); the option is given once for each
    TaxYear,  ///< a tax year the program has, typed 2026 or 2025/26, stored as the year it ends in
};

/// One entry of an Items input: a description and an amount, with an
/// optional second amount (such as its cost to company).
struct LabelledAmount {
    std::string text;
    double amount = 0;
    double second = 0;
    bool hasSecond = false;
};

/// One input of calculator inputs struct `In`.
template <class In> struct InputSpec {
    const char* key = "";  ///< option without its dashes, CSV column: "salary", "travel-allowance"
    InputKind kind = InputKind::Amount;
    double min = 0;  ///< smallest accepted value (each count's, for Counts)
    double max = kMaxAmount;  ///< largest accepted value
    const char* typeName = "";  ///< placeholder in --help: RAND, YEARS, DD/MM/YYYY
    const char* help = "";  ///< one line for --help and the user guide
    /// A value outside min..max is the calculator's own rejection, with this
    /// title and text (as the window's message box shows it); without them it
    /// is a malformed value.
    const char* rangeTitle = nullptr;
    const char* rangeText = nullptr;
    /// Rate: the values allowed. Flag: the one value the switch stores.
    std::vector<double> choices = {};
    /// The command line needs a value for it (a window field always has one).
    bool required = false;
    /// Whole: a fraction is rounded half to even (ages) instead of refused.
    bool rounds = false;
    /// Counts: what the list holds, for messages ("twelve counts, March to February").
    const char* countsText = nullptr;
    /// Choice: the words allowed, in the order of the values they store.
    std::vector<const char*> words = {};
    /// Items: how many entries at most (`min` and `max` bound each amount).
    std::size_t maxItems = 0;

    // Where the value lives. Numbers and dates use get/set, Text uses text,
    // Counts uses counts.
    double (*get)(const In&) = nullptr;
    void (*set)(In&, double) = nullptr;
    std::string& (*text)(In&) = nullptr;
    std::span<int> (*counts)(In&) = nullptr;
    /// Items: replaces the list with `entries` (at most `maxItems` of them).
    void (*items)(In&, std::span<const LabelledAmount> entries) = nullptr;

    bool whole() const { return kind == InputKind::Whole || kind == InputKind::Counts; }
};

namespace input_detail {

template <class In, auto... Path> double getAt(const In& in)
{
    return static_cast<double>((in.*....*Path));
}

template <class In, auto... Path> void setAt(In& in, double value)
{
    auto& target = (in.*....*Path);
    target = static_cast<std::remove_reference_t<decltype(target)>>(value);
}

template <class In, auto... Path> std::string& textAt(In& in)
{
    return (in.*....*Path);
}

template <class In, auto... Path> std::span<int> countsAt(In& in)
{
    return std::span<int>((in.*....*Path));
}

}  // namespace input_detail

/// An input held at `in.*Path...` (one or more member pointers, outermost
/// first). The member's type decides how it is reached: text, a fixed list
/// of counts, or a number (amounts, whole numbers, dates).
template <class In, auto... Path> InputSpec<In> inputAt(InputSpec<In> desc)
{
    using Target = std::remove_cvref_t<decltype((std::declval<In&>().*....*Path))>;
    if constexpr (std::is_same_v<Target, std::string>) {
        desc.text = &input_detail::textAt<In, Path...>;
    } else if constexpr (std::is_arithmetic_v<Target>) {
        desc.get = &input_detail::getAt<In, Path...>;
        desc.set = &input_detail::setAt<In, Path...>;
    } else {
        desc.counts = &input_detail::countsAt<In, Path...>;
    }
    return desc;
}

/// The input of `table` named `key`, or nullptr.
template <class In> const InputSpec<In>* findInput(const std::vector<InputSpec<In>>& table, std::string_view key)
{
    for (const InputSpec<In>& desc : table) {
        if (key == desc.key)
            return &desc;
    }
    return nullptr;
}

/// What a result is, for JSON and the batch columns: a figure, a whole
/// number (written without decimals), or a yes/no answer (JSON true/false).
enum class ResultKind { Number, Whole, YesNo };

/// One result of a calculator's results struct `Result`, for JSON, the
/// batch columns and the aligned text output.
template <class Result> struct ResultSpec {
    const char* key = "";  ///< JSON key and batch column: "paye"
    const char* label = "";  ///< the label the window shows: "Total tax deduction"
    double (*get)(const Result&) = nullptr;
    const char* help = "";  ///< what it is, for --help and the user guide
    int decimals = 2;  ///< decimals shown to people (0 for a whole percent)
    bool wholeRand = false;  ///< shown rounded half to even to the rand, as the window shows it
    ResultKind kind = ResultKind::Number;
};

/// A result held at `result.*Path...`.
template <class Result, auto... Path> ResultSpec<Result> resultAt(const char* key, const char* label)
{
    return {key, label, &input_detail::getAt<Result, Path...>};
}

/// A result held at `result.*Path...`, described by `desc` (its `get` is set here).
template <class Result, auto... Path> ResultSpec<Result> resultAt(ResultSpec<Result> desc)
{
    desc.get = &input_detail::getAt<Result, Path...>;
    return desc;
}

/// A result that is a fixed list of whole numbers, such as the twelve monthly
/// counts the annual calculator used.
template <class Result> struct CountsResultSpec {
    const char* key = "";
    const char* label = "";
    const char* help = "";
    std::span<const int> (*get)(const Result&) = nullptr;
};

}  // namespace grossby
