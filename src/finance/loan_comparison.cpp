#include "finance/loan_comparison.h"

#include "finance/finance_figures.h"
#include "finance/loan.h"

namespace grossby {

CalcOutcome<LoanComparisonResult> CompareLoans(const LoanComparisonInputs& in)
{
    const FinanceFigures& f = kFinance;
    if (in.rate > f.maxLoanRate)
        return InputError{kLoanRateTitle, kLoanRateMessage, "rate"};
    LoanComparisonResult out;
    for (int k = 1; k <= f.comparisonTerms; ++k) {
        ComparisonTerm& t = out.terms[static_cast<std::size_t>(k - 1)];
        t.months = f.comparisonTermStep * k;
        const double n = t.months;
        t.repayment = RPAYMENT(in.principal, n, in.rate);
        t.interest = n * t.repayment - in.principal;
        t.total = n * t.repayment;
        t.years = n / 12;
        // A number turned into text keeps a blank where a minus sign would go.
        t.label = " " + std::to_string(t.months / 12) + " yrs.";
    }
    return out;
}

}  // namespace grossby
