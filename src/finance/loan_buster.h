#pragma once
// The loan buster: what a fixed extra monthly payment does to a loan. The
// normal repayment and its totals, then the whole months the larger payment
// needs, the payment raised by whole cents to fit those months exactly or
// just over, its totals and the saving.

#include "core/calc_outcome.h"

#include <cstdint>

namespace grossby {

struct LoanBusterInputs {
    double principal = 0;  ///< P, rand
    int months = 0;  ///< N, whole months as entered
    float rate = 0;  ///< R, percent a year (kept in single precision)
    double extra = 0;  ///< X, extra payment a month
};

struct LoanBusterResult {
    double normalRepayment = 0;
    double normalInterest = 0;  ///< never below 0
    double normalTotal = 0;  ///< never below 0
    /// The extra payment as used: raised by whole cents so that a whole number
    /// of months repays the loan.
    double extraPayment = 0;
    int extraMonths = 0;  ///< the new period
    double extraRepayment = 0;  ///< normal repayment plus the extra payment
    double extraInterest = 0;  ///< never below 0
    double extraTotal = 0;  ///< never below 0
    double totalSaving = 0;
    /// The extra payment is more than ten times the normal repayment: the
    /// extra results are not worked out and stay 0 (kExtraTooLargeMessage).
    bool extraTooLarge = false;
    int evaluations = 0;  ///< of the repayment and principal formulas
};

/// `BBCalc`: the normal repayment of P over N months at R, then, for an extra
/// payment up to ten times that repayment, the shorter period and its figures.
/// Without an extra payment the extra results are the normal ones. Refuses a
/// rate above 50 % or a period above 600 months.
CalcOutcome<LoanBusterResult> BBCalc(const LoanBusterInputs& in);

/// Why the extra results are empty when `extraTooLarge` is set.
inline constexpr const char* kExtraTooLargeMessage =
    "The extra payment is more than ten times the monthly repayment: the shorter period is not worked out.";

}  // namespace grossby
