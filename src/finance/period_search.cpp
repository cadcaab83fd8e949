#include "finance/period_search.h"

#include "finance/finance_figures.h"
#include "finance/loan.h"

#include <cmath>

namespace grossby::finance_detail {

PeriodFound searchPeriod(double principal, double rate, double loweredRepayment, int maxMonths)
{
    PeriodFound out;
    if (principal == 0 || rate == 0 || loweredRepayment == 0)
        return out;
    const double saved = principal;
    const auto principalFor = [&](double months, double repayment) {
        ++out.evaluations;
        return PAMOUNT(months, rate, repayment);
    };

    // The first month count whose repayments reach the principal.
    double reached = principalFor(maxMonths, loweredRepayment);
    if (!(reached >= saved)) {
        out.outcome = PeriodOutcome::None;
        return out;
    }
    int lo = 0;  // months that fall short (0: none tried)
    int hi = maxMonths;  // months that reach it, `reached` being their principal
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        const double p = principalFor(mid, loweredRepayment);
        if (p >= saved) {
            hi = mid;
            reached = p;
        } else {
            lo = mid;
        }
    }
    if (reached == saved) {
        out.outcome = PeriodOutcome::Exact;
        out.months = hi;
        return out;
    }
    if (hi == 1) {
        // Even one month pays off more than the principal and its interest.
        out.outcome = PeriodOutcome::OneMonth;
        out.months = 1;
        return out;
    }

    // One month fewer, and the smallest whole-cent rise that pays it off.
    const int months = hi - 1;
    const double m = static_cast<double>(months);
    const double i = rate / 12 / 100;
    const double estimate = saved * i / (1 - std::pow(1 + i, -m));
    const auto k = firstStepPassing(loweredRepayment, kFinance.cent, estimate, estimate, std::nullopt,
                                    [&](double repayment) { return principalFor(m, repayment) >= saved; });
    if (!k) {
        out.outcome = PeriodOutcome::None;
        return out;
    }
    out.outcome = PeriodOutcome::Raised;
    out.months = months;
    out.repayment = afterSteps(loweredRepayment, kFinance.cent, *k);
    return out;
}

}  // namespace grossby::finance_detail
