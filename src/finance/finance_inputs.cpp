#include "finance/finance_inputs.h"

#include "finance/finance_figures.h"

namespace grossby {

namespace {

constexpr const FinanceFigures& kF = kFinance;

/// Largest amount a finance field takes.
constexpr double kMaxFinanceAmount = 999'999'999.99;
/// Largest capital of the daily balance, which keeps it in single precision.
constexpr double kMaxBalanceCapital = 9'999'999.99;
/// Day numbers a daily balance date may take: 2 January 1800 to 31 December 9999.
constexpr double kFirstBalanceDay = -36520;
constexpr double kLastBalanceDay = 2958465;

template <class In, auto Member> InputSpec<In> principalInput(const char* help, bool required = false)
{
    return inputAt<In, Member>(
        {.key = "principal", .max = kMaxFinanceAmount, .typeName = "RAND", .help = help, .required = required});
}

template <class In, auto Member> InputSpec<In> monthsInput(bool required = false)
{
    return inputAt<In, Member>({.key = "months",
                                .kind = InputKind::Whole,
                                .max = kF.maxLoanMonths,
                                .typeName = "MONTHS",
                                .help = "Repayment period in whole months, up to 600",
                                .rangeTitle = kLoanPeriodTitle,
                                .rangeText = kLoanPeriodMessage,
                                .required = required});
}

template <class In, auto Member> InputSpec<In> loanRateInput(bool required = false)
{
    return inputAt<In, Member>({.key = "rate",
                                .kind = InputKind::Percent,
                                .max = kF.maxLoanRate,
                                .typeName = "PERCENT",
                                .help = "Interest rate, percent a year compounded monthly, up to 50",
                                .rangeTitle = kLoanRateTitle,
                                .rangeText = kLoanRateMessage,
                                .required = required});
}

}  // namespace

const std::vector<InputSpec<LoanInputs>>& loanInputTable()
{
    using L = LoanInputs;
    static const std::vector<InputSpec<L>> table = {
        principalInput<L, &L::principal>("Principal amount of the loan"),
        monthsInput<L, &L::months>(),
        loanRateInput<L, &L::rate>(),
        inputAt<L, &L::repayment>(
            {.key = "repayment", .max = kMaxFinanceAmount, .typeName = "RAND", .help = "Monthly repayment"}),
    };
    return table;
}

const std::vector<InputSpec<LoanInputs>>& scheduleInputTable()
{
    using L = LoanInputs;
    static const std::vector<InputSpec<L>> table = {
        principalInput<L, &L::principal>("Principal amount of the loan"),
        monthsInput<L, &L::months>(),
        loanRateInput<L, &L::rate>(),
    };
    return table;
}

const std::vector<InputSpec<LoanCommandInputs>>& loanCommandInputTable()
{
    using L = LoanCommandInputs;
    static const std::vector<InputSpec<L>> table = [] {
        InputSpec<L> solve{.key = "solve",
                           .kind = InputKind::Choice,
                           .max = 3,
                           .typeName = "repayment|principal|period|rate",
                           .help = "The quantity to work out from the other three (default: repayment)",
                           .words = {"repayment", "principal", "period", "rate"}};
        solve.get = [](const L& in) { return static_cast<double>(static_cast<int>(in.mode)); };
        solve.set = [](L& in, double v) { in.mode = static_cast<LoanMode>(static_cast<int>(v)); };
        InputSpec<L> schedule{.key = "schedule",
                              .kind = InputKind::Choice,
                              .max = 2,
                              .typeName = "none|annual|monthly",
                              .help = "The amortisation schedule the printout includes (default: none)",
                              .words = {"none", "annual", "monthly"}};
        schedule.get = [](const L& in) { return static_cast<double>(static_cast<int>(in.schedule)); };
        schedule.set = [](L& in, double v) { in.schedule = static_cast<ScheduleKind>(static_cast<int>(v)); };
        return std::vector<InputSpec<L>>{
            solve,
            principalInput<L, &L::principal>("Principal amount of the loan"),
            monthsInput<L, &L::months>(),
            loanRateInput<L, &L::rate>(),
            inputAt<L, &L::repayment>(
                {.key = "repayment", .max = kMaxFinanceAmount, .typeName = "RAND", .help = "Monthly repayment"}),
            schedule,
        };
    }();
    return table;
}

const std::vector<InputSpec<ScheduleCommandInputs>>& scheduleCommandInputTable()
{
    using S = ScheduleCommandInputs;
    static const std::vector<InputSpec<S>> table = {
        principalInput<S, &S::principal>("Principal amount of the loan", true),
        monthsInput<S, &S::months>(true),
        loanRateInput<S, &S::rate>(true),
        inputAt<S, &S::annual>({.key = "annual",
                                .kind = InputKind::Flag,
                                .max = 1,
                                .help = "The yearly schedule instead of the monthly one",
                                .choices = {1, 0}}),
    };
    return table;
}

const std::vector<InputSpec<LoanBusterInputs>>& loanBusterInputTable()
{
    using B = LoanBusterInputs;
    static const std::vector<InputSpec<B>> table = {
        principalInput<B, &B::principal>("Principal amount of the loan", true),
        monthsInput<B, &B::months>(true),
        loanRateInput<B, &B::rate>(true),
        inputAt<B, &B::extra>({.key = "extra",
                               .max = kMaxFinanceAmount,
                               .typeName = "RAND",
                               .help = "Extra voluntary payment each month, up to ten times the repayment"}),
    };
    return table;
}

const std::vector<InputSpec<LoanComparisonInputs>>& loanComparisonInputTable()
{
    using C = LoanComparisonInputs;
    static const std::vector<InputSpec<C>> table = {
        principalInput<C, &C::principal>("Bond amount", true),
        loanRateInput<C, &C::rate>(true),
    };
    return table;
}

const std::vector<InputSpec<DailyBalanceInputs>>& dailyBalanceInputTable()
{
    using D = DailyBalanceInputs;
    static const std::vector<InputSpec<D>> table = {
        inputAt<D, &D::capital>({.key = "capital",
                                 .max = kMaxBalanceCapital,
                                 .typeName = "RAND",
                                 .help = "Capital amount (held in single precision)",
                                 .required = true}),
        inputAt<D, &D::rate>({.key = "rate",
                              .kind = InputKind::Percent,
                              .max = kF.maxDailyBalanceRate,
                              .typeName = "PERCENT",
                              .help = "Simple interest rate, percent a year of 365 days, up to 40",
                              .rangeTitle = kDailyBalanceRateTitle,
                              .rangeText = kDailyBalanceRateMessage,
                              .required = true}),
        inputAt<D, &D::start>({.key = "start",
                               .kind = InputKind::Date,
                               .min = kFirstBalanceDay,
                               .max = kLastBalanceDay,
                               .typeName = "DD/MM/YYYY",
                               .help = "Start date",
                               .required = true}),
        inputAt<D, &D::end>({.key = "end",
                             .kind = InputKind::Date,
                             .min = kFirstBalanceDay,
                             .max = kLastBalanceDay,
                             .typeName = "DD/MM/YYYY",
                             .help = "End date, from the start date to 10 960 days after it",
                             .required = true}),
    };
    return table;
}

const std::vector<InputSpec<InflationInputs>>& inflationInputTable()
{
    using I = InflationInputs;
    static const std::vector<InputSpec<I>> table = {
        inputAt<I, &I::presentCost>({.key = "present-cost",
                                     .kind = InputKind::Whole,
                                     .max = kF.largestShownAmount,
                                     .typeName = "RAND",
                                     .help = "Present cost in whole rand",
                                     .required = true}),
        inputAt<I, &I::years>({.key = "years",
                               .kind = InputKind::Whole,
                               .max = kF.maxInflationYears,
                               .typeName = "YEARS",
                               .help = "Period in whole years, up to 40",
                               .rangeTitle = kInflationPeriodTitle,
                               .rangeText = kInflationPeriodMessage,
                               .required = true}),
        inputAt<I, &I::rate>({.key = "rate",
                              .kind = InputKind::Percent,
                              .min = kF.minInflationRate,
                              .max = kF.maxInflationRate,
                              .typeName = "PERCENT",
                              .help = "Inflation rate, percent a year, -5 to 40",
                              .rangeTitle = kInflationRateTitle,
                              .rangeText = kInflationRateMessage,
                              .required = true}),
    };
    return table;
}

const std::vector<ResultSpec<LoanResult>>& loanResultTable()
{
    using R = LoanResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::principal>({.key = "principal",
                                    .label = "Principal amount",
                                    .help = "the principal amount (solved with --solve principal)"}),
        resultAt<R, &R::months>({.key = "months",
                                 .label = "Period",
                                 .help = "the period in whole months (solved with --solve period; 0 when no period of "
                                         "up to 600 months repays the loan)",
                                 .kind = ResultKind::Whole}),
        resultAt<R, &R::rate>({.key = "rate",
                               .label = "Interest rate",
                               .help = "the interest rate, percent a year (solved with --solve rate; no upper bound)",
                               .decimals = 3}),
        resultAt<R, &R::repayment>({.key = "repayment",
                                    .label = "Monthly repayment",
                                    .help = "the monthly repayment (solved with --solve repayment; with --solve "
                                            "period, raised by whole cents to fit the months)"}),
        resultAt<R, &R::rateAboveLimit>(
            {.key = "rate_above_limit",
             .label = "Rate above 50%",
             .help = "true when the solved rate is above 50 %, which the window marks \"   Error\"",
             .kind = ResultKind::YesNo}),
        resultAt<R, &R::totalInterest>({.key = "total_interest",
                                        .label = "Total Interest",
                                        .help = "the finance charges: repayment times months less the principal"}),
        resultAt<R, &R::totalRepayments>(
            {.key = "total_repayments", .label = "Total Repayments", .help = "repayment times months"}),
        resultAt<R, &R::evaluations>(
            {.key = "evaluations",
             .label = "Formula evaluations",
             .help = "formula evaluations the calculation used (1 for a formula used directly)",
             .kind = ResultKind::Whole}),
    };
    return table;
}

const std::vector<ResultSpec<LoanBusterResult>>& loanBusterResultTable()
{
    using R = LoanBusterResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::normalRepayment>({.key = "normal_repayment",
                                          .label = "Monthly repayment",
                                          .help = "the monthly repayment without the extra payment"}),
        resultAt<R, &R::normalInterest>(
            {.key = "normal_interest", .label = "Total interest", .help = "total interest without the extra payment"}),
        resultAt<R, &R::normalTotal>(
            {.key = "normal_total", .label = "Total repayments", .help = "total repayments without the extra payment"}),
        resultAt<R, &R::extraPayment>(
            {.key = "extra_payment",
             .label = "Extra voluntary payments",
             .help = "the extra payment as used: raised by whole cents so a whole number of months repays the loan"}),
        resultAt<R, &R::extraMonths>({.key = "extra_months",
                                      .label = "Period",
                                      .help = "the shorter period in whole months",
                                      .kind = ResultKind::Whole}),
        resultAt<R, &R::extraRepayment>({.key = "extra_repayment",
                                         .label = "New monthly repayment",
                                         .help = "the repayment with the extra payment"}),
        resultAt<R, &R::extraInterest>(
            {.key = "extra_interest", .label = "New total interest", .help = "total interest with the extra payment"}),
        resultAt<R, &R::extraTotal>(
            {.key = "extra_total", .label = "New total repayments", .help = "total repayments with the extra payment"}),
        resultAt<R, &R::totalSaving>(
            {.key = "total_saving", .label = "Total saving", .help = "what the extra payment saves"}),
        resultAt<R, &R::extraTooLarge>(
            {.key = "extra_too_large",
             .label = "Extra payment above ten repayments",
             .help = "true when the extra payment is more than ten repayments: the extra results are then 0",
             .kind = ResultKind::YesNo}),
        resultAt<R, &R::evaluations>(
            {.key = "evaluations",
             .label = "Formula evaluations",
             .help = "formula evaluations the calculation used (1 for a formula used directly)",
             .kind = ResultKind::Whole}),
    };
    return table;
}

const std::vector<ResultSpec<LoanComparisonResult>>& loanComparisonResultTable()
{
    static const std::vector<ResultSpec<LoanComparisonResult>> none;
    return none;
}

const std::vector<ResultSpec<ComparisonTerm>>& comparisonTermResultTable()
{
    using T = ComparisonTerm;
    static const std::vector<ResultSpec<T>> table = {
        resultAt<T, &T::years>(
            {.key = "years", .label = "Period (years)", .help = "the term in years", .kind = ResultKind::Whole}),
        resultAt<T, &T::repayment>(
            {.key = "repayment", .label = "Monthly repayment", .help = "the monthly repayment over the term"}),
        resultAt<T, &T::interest>(
            {.key = "interest", .label = "Total Interest", .help = "the repayments over the term less the principal"}),
        resultAt<T, &T::total>({.key = "total", .label = "Total Paid", .help = "total paid over the term"}),
    };
    return table;
}

const std::vector<ResultSpec<DailyBalanceResult>>& dailyBalanceResultTable()
{
    using R = DailyBalanceResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::days>({.key = "days",
                               .label = "Number of days",
                               .help = "days from the start date to the end date",
                               .kind = ResultKind::Whole}),
        resultAt<R, &R::interest>(
            {.key = "interest", .label = "Interest accrued", .help = "the simple interest, a single-precision figure"}),
    };
    return table;
}

const std::vector<ResultSpec<InflationResult>>& inflationResultTable()
{
    using R = InflationResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::futureCost>({.key = "future_cost",
                                     .label = "Future value/cost",
                                     .help = "the present cost carried forward at the rate"}),
        resultAt<R, &R::buyingPower>({.key = "buying_power",
                                      .label = "Buying power",
                                      .help = "what the present cost will buy at the end of the period"}),
        resultAt<R, &R::tooLarge>(
            {.key = "too_large",
             .label = "Amount too large to display",
             .help = "true when the future cost is above 9 999 999 999 (\"Amount too large to display\"; no printout)",
             .kind = ResultKind::YesNo}),
    };
    return table;
}

const std::vector<ResultSpec<AmortLine>>& scheduleResultTable(bool annual)
{
    using A = AmortLine;
    static const std::vector<ResultSpec<A>> monthly = {
        resultAt<A, &A::period>({.key = "month", .label = "Month", .help = "month number", .kind = ResultKind::Whole}),
        resultAt<A, &A::capital>(
            {.key = "capital", .label = "Capital payment", .help = "capital paid in the month or year"}),
        resultAt<A, &A::interest>(
            {.key = "interest", .label = "Interest payment", .help = "interest paid in the month or year"}),
        resultAt<A, &A::balance>({.key = "balance", .label = "Balance", .help = "balance owed at its end"}),
    };
    static const std::vector<ResultSpec<A>> yearly = {
        resultAt<A, &A::period>({.key = "year",
                                 .label = "Year",
                                 .help = "year number (a partial last year included)",
                                 .kind = ResultKind::Whole}),
        resultAt<A, &A::capital>(
            {.key = "capital", .label = "Capital payments", .help = "capital paid in the month or year"}),
        resultAt<A, &A::interest>(
            {.key = "interest", .label = "Interest payment", .help = "interest paid in the month or year"}),
        resultAt<A, &A::balance>({.key = "balance", .label = "Balance", .help = "balance owed at its end"}),
    };
    return annual ? yearly : monthly;
}

}  // namespace grossby
