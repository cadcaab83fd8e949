#include "finance/step_search.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace grossby::finance_detail {

namespace {

constexpr double kTwo52 = 4503599627370496.0;
constexpr std::uint64_t kTwo53 = std::uint64_t{1} << 53;
/// No search goes further than this many steps.
constexpr std::uint64_t kMaxSteps = std::uint64_t{1} << 62;

}  // namespace

double afterSteps(double start, double step, std::uint64_t count)
{
    double x = start;
    // One addition as written; false when the value can no longer move.
    const auto single = [&]() {
        const double next = x + step;
        --count;
        if (next == x)
            return false;
        x = next;
        return true;
    };
    while (count > 0) {
        // Where the grid of doubles is not uniform enough to reason about
        // (zero, negatives, tiny values, a step larger than the value's own
        // precision can place), take one real step.
        if (!(x >= DBL_MIN) || !std::isfinite(x) || !(step > 0)) {
            if (!single())
                return x;
            continue;
        }
        // x lies in [2^(e-1), 2^e), where doubles are spaced `unit` apart.
        int e = 0;
        std::frexp(x, &e);
        const double unit = std::ldexp(1.0, e - 53);
        const double r = step / unit;  // exact: a power-of-two scale
        if (!(r < kTwo52)) {
            if (!single())
                return x;
            continue;
        }
        const auto a = static_cast<std::uint64_t>(x / unit);  // exact, in [2^52, 2^53)
        const double whole = std::floor(r);
        const auto w = static_cast<std::uint64_t>(whole);
        std::uint64_t d = 0;  // units each addition moves x by
        if (r - whole == 0.5) {
            // A tie rounds to the even neighbour: from an odd x one addition
            // makes it even, and from an even x every addition moves it by the
            // even one of floor(r) and floor(r) + 1.
            if (a % 2 != 0) {
                if (!single())
                    return x;
                continue;
            }
            d = w % 2 == 0 ? w : w + 1;
        } else {
            d = static_cast<std::uint64_t>(std::nearbyint(r));
        }
        if (d == 0)
            return x;  // the step is lost in rounding: the value never moves
        // While the exact sum stays below 2^e, every addition moves x by d units
        // exactly: a + j*d + r < 2^53, that is a + j*d <= 2^53 - floor(r) - 1.
        if (a + w + 1 > kTwo53) {
            if (!single())  // this addition crosses into the next power of two
                return x;
            continue;
        }
        const std::uint64_t limit = kTwo53 - w - 1 - a;
        const std::uint64_t safe = limit / d + 1;
        const std::uint64_t take = std::min(count, safe);
        x = static_cast<double>(a + take * d) * unit;
        count -= take;
    }
    return x;
}

std::optional<std::uint64_t> firstStepReaching(double start, double step, double value)
{
    std::uint64_t lo = 0;  // afterSteps(lo) < value, or lo == 0
    std::uint64_t hi = 1;
    while (!(afterSteps(start, step, hi) >= value)) {
        lo = hi;
        if (hi >= kMaxSteps)
            return std::nullopt;
        hi *= 2;
    }
    while (hi - lo > 1) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        if (afterSteps(start, step, mid) >= value)
            hi = mid;
        else
            lo = mid;
    }
    return hi;
}

std::optional<std::uint64_t> firstStepPassing(double start, double step, double below, double above,
                                              std::optional<double> knownTrue, const std::function<bool(double)>& test)
{
    const auto at = [&](std::uint64_t k) { return afterSteps(start, step, k); };
    const auto bisect = [&](std::uint64_t lo, std::uint64_t hi) {
        // test fails at lo (or lo is the start, which is never tested) and holds at hi
        while (hi - lo > 1) {
            const std::uint64_t mid = lo + (hi - lo) / 2;
            if (test(at(mid)))
                hi = mid;
            else
                lo = mid;
        }
        return hi;
    };

    // The last step still below the lower estimate.
    std::uint64_t lo = 0;
    if (const auto k = firstStepReaching(start, step, below))
        lo = *k - 1;
    if (lo > 0 && test(at(lo))) {
        // The change comes earlier than estimated: widen downwards.
        std::uint64_t hi = lo;
        std::uint64_t gap = 1;
        for (;;) {
            lo = hi > gap ? hi - gap : 0;
            if (lo == 0 || !test(at(lo)))
                break;
            hi = lo;
            gap *= 2;
        }
        return bisect(lo, hi);
    }

    // The first step at or above the upper estimate.
    std::uint64_t hi = lo + 1;
    if (const auto k = firstStepReaching(start, step, above); k && *k > hi)
        hi = *k;
    const double value = at(hi);
    if (!(knownTrue && value == *knownTrue) && !test(value)) {
        // The change comes later than estimated: widen upwards.
        std::uint64_t gap = 1;
        for (;;) {
            lo = hi;
            if (gap > kMaxSteps || lo > kMaxSteps)
                return std::nullopt;
            hi = lo + gap;
            if (test(at(hi)))
                break;
            gap *= 2;
        }
    }
    return bisect(lo, hi);
}

}  // namespace grossby::finance_detail
