#pragma once
// Searches along a value that is raised by a fixed step again and again, as
// the loan searches raise a repayment by a cent or a rate by 5, 1, 0.1 and
// 0.01. The value after k steps is worked out directly, with exactly the
// rounding that k separate additions give, so a search can jump to any step
// and test only the few values a bisection needs.

#include <cstdint>
#include <functional>
#include <optional>

namespace grossby::finance_detail {

/// `start` after `count` additions of `step`, each rounded to double as a
/// separate `x = x + step` rounds it. Costs a few operations per power of two
/// the value passes through, whatever `count` is.
double afterSteps(double start, double step, std::uint64_t count);

/// The first count from 1 at which afterSteps(start, step, count) >= value,
/// or nothing when the value is never reached (a step too small to move it).
std::optional<std::uint64_t> firstStepReaching(double start, double step, double value);

/// The first count from 1 at which `test` holds for afterSteps(start, step,
/// count), for a test that is false up to some count and true from there on.
/// `below` and `above` are estimates of the values just before and at the
/// change; they only decide where the search looks first, never the answer.
/// `knownTrue`, when given, is a value at which the test is already known to
/// hold. Nothing when the test never holds.
std::optional<std::uint64_t> firstStepPassing(double start, double step, double below, double above,
                                              std::optional<double> knownTrue, const std::function<bool(double)>& test);

}  // namespace grossby::finance_detail
