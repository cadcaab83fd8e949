#pragma once
// The loan comparison: one bond amount and rate over terms of 5, 10, 15, 20,
// 25 and 30 years, with the monthly repayment, total interest and total paid
// for each.

#include "core/calc_outcome.h"

#include <array>
#include <string>

namespace grossby {

struct LoanComparisonInputs {
    double principal = 0;  ///< the bond amount P
    float rate = 0;  ///< R, percent a year (kept in single precision)
};

struct ComparisonTerm {
    int months = 0;  ///< 60, 120, .. 360
    double years = 0;  ///< months / 12
    std::string label;  ///< " 5 yrs." .. " 30 yrs."
    double repayment = 0;  ///< 0 when P or R is 0
    double interest = 0;  ///< months * repayment - P
    double total = 0;  ///< months * repayment
};

struct LoanComparisonResult {
    std::array<ComparisonTerm, 6> terms;
};

/// `BCPayCalc` over the six terms. Refuses a rate above 50 %.
CalcOutcome<LoanComparisonResult> CompareLoans(const LoanComparisonInputs& in);

}  // namespace grossby
