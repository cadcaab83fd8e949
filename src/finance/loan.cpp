#include "finance/loan.h"

#include "finance/finance_figures.h"
#include "finance/period_search.h"

#include <cmath>
#include <cstdlib>

namespace grossby {

namespace {

constexpr const FinanceFigures& kF = kFinance;

}  // namespace

std::string_view loanModeText(LoanMode mode)
{
    switch (mode) {
    case LoanMode::Repayment: return "Monthly repayment";
    case LoanMode::Principal: return "Principal amount";
    case LoanMode::Period: return "Repayment period";
    case LoanMode::Rate: return "Interest rate";
    }
    return "Monthly repayment";
}

std::optional<LoanMode> loanModeFrom(std::string_view name)
{
    static constexpr struct {
        std::string_view word;
        LoanMode mode;
    } kWords[] = {
        {"repayment", LoanMode::Repayment},
        {"principal", LoanMode::Principal},
        {"period", LoanMode::Period},
        {"rate", LoanMode::Rate},
    };
    for (const auto& w : kWords) {
        if (name == w.word || name == loanModeText(w.mode))
            return w.mode;
    }
    return std::nullopt;
}

double RPAYMENT(double principal, double months, double rate)
{
    if (principal == 0 || months == 0 || rate == 0)
        return 0;
    const double i = rate / 12 / 100;
    return i * principal / (1 - std::pow(1 + i, -months));
}

double PAMOUNT(double months, double rate, double repayment)
{
    if (months == 0 || rate == 0 || repayment == 0)
        return 0;
    const double i = rate / 12 / 100;
    return (1 - std::pow(1 + i, -months)) * repayment / i;
}

PeriodSearch PER(double principal, double rate, double repayment)
{
    // The search starts a cent below the entered repayment, so that a
    // repayment which already fits a whole number of months is found again.
    // A repayment within a cent of the month's interest would then no longer
    // cover it and find no period at all: it is searched as entered.
    double lowered = repayment - kF.cent;
    if (const double interest = principal * (rate / 12 / 100); !(lowered > interest) && repayment > interest)
        lowered = repayment;
    const auto found = finance_detail::searchPeriod(principal, rate, lowered, kF.maxLoanMonths);
    PeriodSearch out;
    out.evaluations = found.evaluations;
    out.months = found.months;
    out.repayment = found.outcome == finance_detail::PeriodOutcome::Raised ? found.repayment : repayment;
    return out;
}

RateSearch Rate(double principal, double months, double repayment)
{
    RateSearch out;
    if (principal == 0 || months == 0 || repayment == 0)
        return out;
    const double target = repayment;
    const auto exceeds = [&](double r) {
        ++out.evaluations;
        return RPAYMENT(principal, months, r) > target;
    };

    // The level payment lies between i * P and i * P + P / N, which brackets
    // the first phase; each later phase ends below where the one before
    // exceeded the target.
    double below = 1200 * (target / principal - 1 / months);
    double above = 1200 * (target / principal);
    std::optional<double> knownTrue;
    double r = 0;
    for (const double step : kF.rateSearchSteps) {
        const auto k = finance_detail::firstStepPassing(r, step, below, above, knownTrue, exceeds);
        if (!k)
            return {0, out.evaluations};  // no rate ever exceeds the target
        const double over = finance_detail::afterSteps(r, step, *k);
        r = over - step;
        below = r;
        above = over;
        knownTrue = over;
    }
    out.rate = r;
    return out;
}

CalcOutcome<LoanResult> LoanCalc(const LoanInputs& in)
{
    if (in.mode != LoanMode::Rate && in.rate > kF.maxLoanRate)
        return InputError{kLoanRateTitle, kLoanRateMessage, "rate"};
    if (in.mode != LoanMode::Period && in.months > kF.maxLoanMonths)
        return InputError{kLoanPeriodTitle, kLoanPeriodMessage, "months"};

    LoanResult r;
    r.principal = in.principal;
    r.months = in.months;
    r.rate = in.rate;
    r.repayment = in.repayment;
    r.evaluations = 1;
    switch (in.mode) {
    case LoanMode::Repayment: r.repayment = RPAYMENT(r.principal, r.months, r.rate); break;
    case LoanMode::Principal: r.principal = PAMOUNT(r.months, r.rate, r.repayment); break;
    case LoanMode::Period: {
        const PeriodSearch s = PER(r.principal, r.rate, r.repayment);
        r.months = s.months;
        r.repayment = s.repayment;
        r.evaluations = s.evaluations;
        break;
    }
    case LoanMode::Rate: {
        const RateSearch s = Rate(r.principal, r.months, r.repayment);
        r.rate = s.rate;
        r.evaluations = s.evaluations;
        r.rateAboveLimit = r.rate > kF.maxLoanRate;
        break;
    }
    }
    r.totalInterest = r.repayment * r.months - r.principal;
    r.totalRepayments = r.repayment * r.months;
    return r;
}

std::vector<AmortLine> monthlySchedule(double principal, double months, double rate)
{
    std::vector<AmortLine> lines;
    if (principal == 0 || rate == 0 || !(months >= 1 && months <= kF.maxLoanMonths))
        return lines;
    const int n = static_cast<int>(months);
    const double i = rate / 12 / 100;
    // The exact level payment, not the repayment shown, so the balance runs out.
    const double payment = i * principal / (1 - std::pow(1 + i, -months));
    double balance = principal;
    lines.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
        AmortLine line;
        line.period = k;
        line.capital = payment * std::pow(1 + i, static_cast<double>(k) - months - 1);
        line.interest = payment - line.capital;
        balance = std::fabs(balance - line.capital);
        line.balance = balance;
        lines.push_back(line);
    }
    return lines;
}

AnnualSchedule CalcAnnAmort(double principal, double months, double rate, double repayment)
{
    AnnualSchedule s;
    const std::vector<AmortLine> monthly = monthlySchedule(principal, months, rate);
    if (monthly.empty())
        return s;
    const int n = static_cast<int>(monthly.size());
    double capitalTotal = 0;
    double interestTotal = 0;
    for (int k = 12; k <= n; k += 12) {
        AmortLine year;
        year.period = k / 12;
        for (int m = k - 11; m <= k; ++m) {
            year.capital += monthly[static_cast<std::size_t>(m - 1)].capital;
            year.interest += monthly[static_cast<std::size_t>(m - 1)].interest;
        }
        capitalTotal += year.capital;
        interestTotal += year.interest;
        year.balance = monthly[static_cast<std::size_t>(k - 1)].balance;
        s.lines.push_back(year);
    }
    s.kind = 1;
    s.fullYears = n / 12;
    s.years = s.fullYears;
    if (n % 12 != 0) {
        // The partial last year takes what the whole years left over.
        AmortLine last;
        last.period = s.fullYears + 1;
        last.capital = principal - capitalTotal;
        last.interest = (repayment * months - principal) - interestTotal;
        last.balance = 0;
        s.lines.push_back(last);
        s.kind = 2;
        s.years = s.fullYears + 1;
    }
    return s;
}

bool loanComplete(const LoanResult& loan)
{
    return loan.principal != 0 && loan.months != 0 && loan.rate != 0 && loan.repayment != 0;
}

bool loanGraphAvailable(const LoanResult& loan)
{
    return loan.principal != 0 && loan.rate != 0 && loan.repayment != 0 && loan.months >= 13;
}

const char* noPeriodReason(const LoanInputs& in, const LoanResult& r)
{
    if (in.mode != LoanMode::Period || r.months != 0 || in.principal <= 0 || in.rate <= 0 || in.repayment <= 0)
        return nullptr;
    if (in.repayment <= in.principal * in.rate / 12 / 100)
        return "The monthly repayment does not cover the month's interest: no period repays the loan.";
    return "The monthly repayment does not repay the loan within 600 months.";
}

const char* noGraphReason(const LoanResult& loan)
{
    if (loan.principal == 0 || loan.rate == 0 || loan.repayment == 0 || loan.months == 0)
        return "The graph needs a principal amount, period, interest rate and monthly repayment above 0.";
    return "The graph shows the loan year by year: it needs a period of more than 12 months.";
}

}  // namespace grossby
