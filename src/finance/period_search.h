#pragma once
// The period search the loan calculator and the loan buster share: the
// whole months a repayment needs to pay off a principal, and the cents it
// must rise by to do it in those months.

#include "finance/step_search.h"

namespace grossby::finance_detail {

enum class PeriodOutcome {
    Missing,  ///< principal, rate or repayment is 0: nothing to search
    None,  ///< more months than allowed (or the repayment never covers the interest)
    Exact,  ///< the repayment pays off the principal in whole months exactly
    Raised,  ///< one month fewer, with the repayment raised by whole cents
    OneMonth,  ///< the repayment pays off more than one month's principal and interest
};

struct PeriodFound {
    PeriodOutcome outcome = PeriodOutcome::Missing;
    int months = 0;  ///< 0 for Missing and None
    double repayment = 0;  ///< the raised repayment (Raised only)
    int evaluations = 0;  ///< of the principal formula
};

/// Searches with the repayment already lowered by a cent. The principal
/// formula grows with the months and with the repayment, so a bisection over
/// 1..maxMonths and a bisection over the cents give what trying each month
/// and each cent in turn gives.
PeriodFound searchPeriod(double principal, double rate, double loweredRepayment, int maxMonths);

}  // namespace grossby::finance_detail
