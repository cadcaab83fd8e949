#pragma once
// What the calculation tests share: reading a calculation's outcome as the
// test expects it (results, or a rejection), and how many random cases an
// oracle comparison runs.

#include "core/calc_outcome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <variant>

namespace grossby::test {

/// The results of a calculation expected to succeed; a test failure naming
/// the message when it was rejected.
template <class R> R ok(const CalcOutcome<R>& outcome)
{
    if (const auto* e = std::get_if<InputError>(&outcome))
        ADD_FAILURE() << "rejected: " << e->text;
    const R* r = std::get_if<R>(&outcome);
    return r ? *r : R{};
}

/// The rejection of a calculation expected to refuse its inputs; a test
/// failure when it calculated.
template <class R> InputError rejected(const CalcOutcome<R>& outcome)
{
    const auto* e = std::get_if<InputError>(&outcome);
    if (!e) {
        ADD_FAILURE() << "expected a rejection";
        return {};
    }
    return *e;
}

/// How many random cases an oracle comparison (a fast search against the
/// literal one it replaces) runs: `full`, or the share of it that
/// GROSSBY_ORACLE_SHARE gives (0 < share <= 1), at least one. The sanitizer
/// test preset runs them with a tenth; ctest labels them `oracle`.
inline int oracleCases(int full)
{
    const char* text = std::getenv("GROSSBY_ORACLE_SHARE");
    if (!text || !*text)
        return full;
    char* end = nullptr;
    const double share = std::strtod(text, &end);
    if (*end != '\0' || !(share > 0) || share >= 1)
        return full;
    return std::max(1, static_cast<int>(full * share));
}

}  // namespace grossby::test
