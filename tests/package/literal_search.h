#pragma once
// The reverse calculator's search exactly as the rule reads: add one rand
// to the gross salary and work out the net pay, until it exceeds the
// requirement. The fast search must agree with it to the last bit.

#include "package/package_calc.h"

#include <cstdint>
#include <optional>

namespace grossby {

struct LiteralOutcome {
    GrossPass pass;
    std::int64_t passes = 0;
};

/// Nothing when no G up to `maxGross` qualifies.
inline std::optional<LiteralOutcome> literalGrossSearch(const NetPayFunction& f, double maxGross)
{
    LiteralOutcome out;
    double g = 0;
    do {
        g = g + 1;
        if (g > maxGross)
            return std::nullopt;
        out.pass = f.pass(g);
        ++out.passes;
    } while (!(out.pass.net > f.required()));
    return out;
}

}  // namespace grossby
