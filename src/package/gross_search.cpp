// The reverse calculator's search for the gross salary.
//
// Trying every rand from 1 upwards takes one pass per rand: 24 000 passes for
// a monthly net of 20 000, millions for an annual one. The search here finds
// the same G in a few dozen passes by splitting the gross salaries into
// pieces on which the net pay is a straight line:
//
// - the tax scale's brackets: the scale's base amounts are whole rand, so the
//   tax jumps by a few cents at some thresholds (up at 296 540, 708 310 and
//   1 500 000) and the net pay can fall there even while it rises elsewhere;
// - below and above the UIF ceiling: below it a large employee UIF percentage
//   can make the net pay fall as the gross salary rises;
// - where the tax for the period passes the medical credits (the net pay
//   subtracts whichever is larger).
//
// On each piece the net pay is mathematically a line with a slope worked out
// from the settings; nothing is assumed about the sign. A rising piece is
// searched by interpolation (the line is straight, so one or two guesses
// land), a falling piece can only qualify at its first rand, and a piece too
// flat for its slope to outweigh rounding is decided from its ends or, on a
// near tie, walked rand by rand. The pieces are taken in order, so the first
// G found is the first the rand-by-rand search finds.

#include "core/annual_tax.h"
#include "package/package_calc.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace grossby {

namespace {

// Passes walked on a flat piece before giving up; only a near tie on a piece
// where the net pay neither rises nor falls gets here.
constexpr double kMaxWalk = 20'000'000;

// The first whole g in lo..hi with value(g) > threshold for a value that
// does not fall as g rises, or hi + 1 when there is none. Interpolates (the
// values are straight lines here) and bisects when a guess does not close
// the gap.
template <class Value> double firstAbove(Value&& value, double threshold, double lo, double hi)
{
    double vLo = value(lo);
    if (vLo > threshold)
        return lo;
    double vHi = value(hi);
    if (!(vHi > threshold))
        return hi + 1;
    bool interpolate = true;
    while (hi - lo > 1) {
        if (interpolate && vHi > vLo) {
            double g = lo + std::ceil((threshold - vLo) / (vHi - vLo) * (hi - lo));
            g = std::clamp(g, lo + 1, hi - 1);
            const double v = value(g);
            if (v > threshold) {
                hi = g;
                vHi = v;
                if (hi - lo > 1) {
                    const double below = value(g - 1);
                    if (below > threshold) {
                        hi = g - 1;
                        vHi = below;
                    } else {
                        lo = g - 1;
                        vLo = below;
                    }
                }
            } else {
                lo = g;
                vLo = v;
                if (hi - lo > 1) {
                    const double above = value(g + 1);
                    if (above > threshold) {
                        hi = g + 1;
                        vHi = above;
                    } else {
                        lo = g + 1;
                        vLo = above;
                    }
                }
            }
            interpolate = false;
        } else {
            const double g = lo + std::floor((hi - lo) / 2);
            const double v = value(g);
            if (v > threshold) {
                hi = g;
                vHi = v;
            } else {
                lo = g;
                vLo = v;
            }
            interpolate = true;
        }
    }
    return hi;
}

class Search {
public:
    explicit Search(const NetPayFunction& f)
        : m_f(f)
        , m_required(f.required())
        , m_magnitude(f.magnitude())
    { }

    GrossSearchOutcome run();

private:
    // The net pay for g; each gross salary is worked out once.
    double net(double g)
    {
        for (const GrossPass& p : m_seen) {
            if (p.grossSalary == g)
                return p.net;
        }
        m_seen.push_back(m_f.pass(g));
        return m_seen.back().net;
    }
    GrossSearchOutcome found(double g)
    {
        net(g);
        GrossSearchOutcome out;
        out.found = true;
        for (const GrossPass& p : m_seen) {
            if (p.grossSalary == g)
                out.pass = p;
        }
        out.evaluations = evaluations();
        return out;
    }
    std::int32_t evaluations() const { return static_cast<std::int32_t>(m_seen.size()) + m_walked; }
    // A bound on a pass's rounding error up to gross salary g.
    double noise(double g) const { return 5e-14 * (m_magnitude + std::fabs(g)) * (m_f.annual() ? 1 : 12); }

    std::optional<double> searchLine(double a, double b, double slope, bool open);

    const NetPayFunction& m_f;
    double m_required;
    double m_magnitude;
    std::vector<GrossPass> m_seen;
    std::int32_t m_walked = 0;  ///< passes of a walk, not kept
    bool m_cannotRise = false;
};

// The first g in a..b whose net pay exceeds the requirement, where the net
// pay is a line of the given slope. `open`: b is only the search's ceiling.
std::optional<double> Search::searchLine(double a, double b, double slope, bool open)
{
    const auto above = [this](double g) { return net(g); };
    if (open) {
        const double atA = net(a);
        if (atA > m_required)
            return a;
        // A net pay that rises but stays below the requirement all the way
        // to the ceiling: the search's bound, not the settings, is why
        // nothing is found.
        if (slope > 0 && atA + slope * (b - a) + 4 * noise(b) <= m_required)
            return std::nullopt;
        double end = std::min(b, std::ceil(a + (m_required - atA) / slope) + 2);
        for (;;) {
            if (!(slope > 4 * noise(end))) {
                m_cannotRise = true;
                return std::nullopt;
            }
            if (net(end) > m_required)
                return firstAbove(above, m_required, a, end);
            if (end >= b)
                return std::nullopt;
            end = std::min(b, a + 2 * (end - a));
        }
    }
    const double margin = 4 * noise(b);
    if (slope >= margin) {
        if (!(net(b) > m_required))
            return std::nullopt;
        return firstAbove(above, m_required, a, b);
    }
    if (slope <= -margin)
        return net(a) > m_required ? std::optional<double>(a) : std::nullopt;

    // Flat: the values lie within the rounding error of the ends.
    const double atA = net(a);
    if (atA > m_required)
        return a;
    if (a == b || std::max(atA, net(b)) + 2 * noise(b) <= m_required)
        return std::nullopt;
    for (double g = a + 1; g <= b && g - a <= kMaxWalk; ++g) {
        const GrossPass p = m_f.pass(g);
        if (p.net > m_required) {
            m_seen.push_back(p);
            return g;
        }
        ++m_walked;
    }
    return std::nullopt;
}

GrossSearchOutcome Search::run()
{
    const double s = m_f.incomeSlope();
    if (!(s > 0)) {
        // The employee's R/Fund percentage takes every further rand and more:
        // the net pay can only fall.
        if (net(1) > m_required)
            return found(1);
        GrossSearchOutcome out;
        out.netCannotRise = true;
        out.evaluations = evaluations();
        return out;
    }

    const double ceiling = m_f.uifCeiling();
    std::vector<double> starts = {1};
    const auto& scale = m_f.year().scale;
    for (std::size_t k = 0; k + 1 < scale.size(); ++k) {
        const double g =
            firstAbove([this](double x) { return m_f.annualIncomeBeforeClamp(x); }, scale[k].upper, 1, kMaxGrossSalary);
        if (g > 1 && g <= kMaxGrossSalary)
            starts.push_back(g);
    }
    const double overCeiling =
        firstAbove([this](double x) { return m_f.uifRemunerationAt(x); }, ceiling, 1, kMaxGrossSalary);
    if (overCeiling > 1 && overCeiling <= kMaxGrossSalary)
        starts.push_back(overCeiling);
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    const double credits = std::max(m_f.credits(), 0.0);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const bool last = i + 1 == starts.size();
        const double a = starts[i];
        const double b = last ? kMaxGrossSalary : starts[i + 1] - 1;
        const double income = std::max(0.0, m_f.annualIncomeBeforeClamp(a));
        const double rate = scale[static_cast<std::size_t>(taxBracketIndex(m_f.year(), income))].rate;
        const bool underCeiling = !(m_f.uifRemunerationAt(a) > ceiling);

        // Net pay less the credits while they cover the tax, less the tax after.
        const double flatTaxSlope = s - (underCeiling ? m_f.uifSlope() * m_f.employeeUIFShare() : 0);
        const double taxedSlope = flatTaxSlope - s * rate / 100;
        const double taxed = firstAbove([this](double x) { return m_f.packageTaxAt(x); }, credits, a, b);
        if (taxed > a) {
            if (const auto g = searchLine(a, taxed - 1, flatTaxSlope, last && taxed > b))
                return found(*g);
        }
        if (taxed <= b) {
            if (const auto g = searchLine(taxed, b, taxedSlope, last))
                return found(*g);
        }
    }
    GrossSearchOutcome out;
    out.netCannotRise = m_cannotRise;
    out.evaluations = evaluations();
    return out;
}

}  // namespace

GrossSearchOutcome searchGrossSalary(const NetPayFunction& f)
{
    return Search(f).run();
}

}  // namespace grossby
