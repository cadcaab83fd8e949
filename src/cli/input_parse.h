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

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace grossby::cli {

/// Why a value could not be taken: a malformed value (a usage error, exit 2)
/// or one the calculator itself rejects (its message, exit 1).
struct InputProblem {
    bool usage = true;
    std::string message;
};

/// `text` without the blanks (spaces, tabs) around it.
std::string_view trimBlanks(std::string_view text);

/// A finite decimal number and nothing else; blanks around it are ignored.
std::optional<double> parseDecimal(std::string_view text);

/// The parts of an input's table entry that say how its value is read.
struct ValueRule {
    InputKind kind = InputKind::Amount;
    double min = 0;
    double max = kMaxAmount;
    bool rounds = false;
    const char* rangeText = nullptr;
    std::span<const double> choices;
    const char* countsText = nullptr;

    template <class In> static ValueRule of(const InputSpec<In>& spec)
    {
        return {spec.kind, spec.min, spec.max, spec.rounds, spec.rangeText, spec.choices, spec.countsText};
    }
};

/// Reads a number, date, rate or whole number (any kind but Text and Counts).
std::variant<double, InputProblem> readValue(const ValueRule& rule, std::string_view text);

/// Reads a list of whole numbers separated by commas, semicolons or blanks
/// into `out`, which must be filled exactly.
std::optional<InputProblem> readCounts(const ValueRule& rule, std::string_view text, std::span<int> out);

/// Reads `text` into the input `spec` of `in`.
template <class In> std::optional<InputProblem> applyInput(const InputSpec<In>& spec, In& in, std::string_view text)
{
    switch (spec.kind) {
    case InputKind::Text: spec.text(in) = std::string(trimBlanks(text)); return std::nullopt;
    case InputKind::Counts: return readCounts(ValueRule::of(spec), text, spec.counts(in));
    default: {
        auto value = readValue(ValueRule::of(spec), text);
        if (auto* problem = std::get_if<InputProblem>(&value))
            return std::move(*problem);
        spec.set(in, std::get<double>(value));
        return std::nullopt;
    }
    }
}

}  // namespace grossby::cli
