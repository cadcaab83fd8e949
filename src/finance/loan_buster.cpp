#include "finance/loan_buster.h"

#include "finance/finance_figures.h"
#include "finance/loan.h"
#include "finance/period_search.h"

namespace grossby {

namespace {

constexpr const FinanceFigures& kF = kFinance;

double notBelowZero(double value)
{
    return value < 0 ? 0 : value;
}

}  // namespace

CalcOutcome<LoanBusterResult> BBCalc(const LoanBusterInputs& in)
{
    if (in.rate > kF.maxLoanRate)
        return InputError{kLoanRateTitle, kLoanRateMessage, "rate"};
    if (in.months > kF.maxLoanMonths)
        return InputError{kLoanPeriodTitle, kLoanPeriodMessage, "months"};

    const double p = in.principal;
    const double n = in.months;
    const double r = in.rate;
    LoanBusterResult out;
    out.extraPayment = in.extra;

    // BRPAYMENT over the period as entered.
    const double normal = RPAYMENT(p, n, r);
    out.evaluations = 1;
    out.normalRepayment = normal;
    out.normalInterest = notBelowZero(normal * n - p);
    out.normalTotal = notBelowZero(n * out.normalRepayment);
    if (p == 0 || n == 0 || r == 0)
        return out;  // an incomplete loan: every result 0

    if (in.extra == 0) {
        // No extra payment: the loan as it is.
        out.extraMonths = in.months;
        out.extraRepayment = normal;
        out.extraInterest = out.normalInterest;
        out.extraTotal = out.normalTotal;
        return out;
    }
    if (!(kF.extraPaymentFactor * normal >= in.extra)) {
        out.extraTooLarge = true;
        return out;
    }

    // The period search on the larger payment, started a cent low.
    const double loweredExtra = in.extra - kF.cent;
    const auto found = finance_detail::searchPeriod(p, r, loweredExtra + normal, kF.maxLoanMonths);
    out.evaluations += found.evaluations;
    double m = in.extra + normal;
    int months = found.months;
    switch (found.outcome) {
    case finance_detail::PeriodOutcome::Raised: m = found.repayment; break;
    case finance_detail::PeriodOutcome::Exact:
    case finance_detail::PeriodOutcome::OneMonth: break;
    case finance_detail::PeriodOutcome::Missing:
    case finance_detail::PeriodOutcome::None:
        // A payment a cent or so above the normal one on the longest loan:
        // rounding leaves it just short, yet it repays within the same period.
        months = in.months;
        break;
    }
    out.extraPayment = m - normal;
    out.extraRepayment = m;
    out.extraMonths = months;
    out.extraInterest = notBelowZero(m * months - p);
    out.extraTotal = notBelowZero(months * out.extraRepayment);
    out.totalSaving = n * normal - months * out.extraRepayment;
    if (out.extraPayment == 0) {
        out.extraMonths = months;
        out.extraInterest = out.normalInterest;
        out.extraTotal = out.normalTotal;
        out.totalSaving = 0;
    }
    return out;
}

}  // namespace grossby
