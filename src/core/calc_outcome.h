#pragma once
// What a calculation returns: its results, or the message the user must see
// and the input it is about. Nothing in the calculation library shows a
// message itself; the window shows it (with the focus on the field bound to
// that input) and the command line prints it.

#include <string>
#include <variant>

namespace grossby {

/// A rejected input: the message box's title and text, and the key in the
/// calculator's input table of the input it is about ("rate", "years"), so a
/// window can give that field the focus; empty when no one input is at fault.
struct InputError {
    std::string title;
    std::string text;
    std::string field = {};
    friend bool operator==(const InputError&, const InputError&) = default;
};

/// Either the results of a calculation or the reason it did not run.
template <class Result> using CalcOutcome = std::variant<Result, InputError>;

}  // namespace grossby
