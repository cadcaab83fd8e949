#pragma once
// The loan searches as first written: every month from 1, then every cent;
// every rate step of 5, then 1, 0.1 and 0.01. Slow, but plainly right, so
// the fast searches are compared with them.

#include "finance/loan.h"

#include <cstdint>

namespace grossby::literal {

struct Period {
    double months = 0;
    double repayment = 0;
    std::int64_t evaluations = 0;
};

/// The period search on the repayment lowered by a cent (as the loan
/// calculator and the loan buster start it). `raised` tells whether the
/// repayment was raised; months and repayment as the search leaves them.
/// Where the steps would never end (one month already pays too much), it
/// stops with one month and the repayment unraised.
struct RawPeriod {
    int months = 0;
    double repayment = 0;
    bool raised = false;
    std::int64_t evaluations = 0;
};

inline RawPeriod searchLowered(double principal, double rate, double lowered)
{
    RawPeriod out;
    double m = lowered;
    if (principal == 0 || rate == 0 || m == 0)
        return out;
    const double saved = principal;
    double n = 1;
    for (;;) {
        double p = PAMOUNT(n, rate, m);
        ++out.evaluations;
        if (n > 600)
            return out;
        if (p > saved) {
            n = n - 1;
            if (n == 0) {
                out.months = 1;
                return out;
            }
            do {
                m = m + 0.01;
                p = PAMOUNT(n, rate, m);
                ++out.evaluations;
            } while (!(p >= saved));
            out.months = static_cast<int>(n);
            out.repayment = m;
            out.raised = true;
            return out;
        }
        if (p == saved) {
            out.months = static_cast<int>(n);
            return out;
        }
        n = n + 1;
    }
}

/// `PER` as the loan calculator runs it on the entered repayment.
inline Period PER(double principal, double rate, double repayment)
{
    // A cent below the interest would never pay it off: then as entered.
    double lowered = repayment - 0.01;
    if (const double interest = principal * (rate / 12 / 100); !(lowered > interest) && repayment > interest)
        lowered = repayment;
    const RawPeriod raw = searchLowered(principal, rate, lowered);
    return {static_cast<double>(raw.months), raw.raised ? raw.repayment : repayment, raw.evaluations};
}

struct RateFound {
    double rate = 0;
    std::int64_t evaluations = 0;
};

/// `Rate`: step up until the repayment exceeds the target, back once, finer.
inline RateFound Rate(double principal, double months, double target)
{
    RateFound out;
    if (principal == 0 || months == 0 || target == 0)
        return out;
    double r = 0;
    for (const double step : {5.0, 1.0, 0.1, 0.01}) {
        double m = 0;
        do {
            r = r + step;
            m = RPAYMENT(principal, months, r);
            ++out.evaluations;
        } while (m <= target);
        r = r - step;
    }
    out.rate = r;
    return out;
}

}  // namespace grossby::literal
