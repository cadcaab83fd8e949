#include "finance/finance_inputs.h"

#include "core/year_figures.h"

namespace grossby {

namespace {

constexpr const FinanceFigures& kF = kFinance2018;

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
        resultAt<R, &R::principal>("principal", "Principal amount"),
        resultAt<R, &R::months>({.key = "months", .label = "Period", .kind = ResultKind::Whole}),
        resultAt<R, &R::rate>({.key = "rate", .label = "Interest rate", .decimals = 3}),
        resultAt<R, &R::repayment>("repayment", "Monthly repayment"),
        resultAt<R, &R::rateAboveLimit>(
            {.key = "rate_above_limit", .label = "Rate above 50%", .kind = ResultKind::YesNo}),
        resultAt<R, &R::totalInterest>("total_interest", "Total Interest"),
        resultAt<R, &R::totalRepayments>("total_repayments", "Total Repayments"),
        resultAt<R, &R::evaluations>({.key = "evaluations", .label = "Formula evaluations", .kind = ResultKind::Whole}),
    };
    return table;
}

const std::vector<ResultSpec<LoanBusterResult>>& loanBusterResultTable()
{
    using R = LoanBusterResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::normalRepayment>("normal_repayment", "Monthly repayment"),
        resultAt<R, &R::normalInterest>("normal_interest", "Total interest"),
        resultAt<R, &R::normalTotal>("normal_total", "Total repayments"),
        resultAt<R, &R::extraPayment>("extra_payment", "Extra voluntary payments"),
        resultAt<R, &R::extraMonths>({.key = "extra_months", .label = "Period", .kind = ResultKind::Whole}),
        resultAt<R, &R::extraRepayment>("extra_repayment", "New monthly repayment"),
        resultAt<R, &R::extraInterest>("extra_interest", "New total interest"),
        resultAt<R, &R::extraTotal>("extra_total", "New total repayments"),
        resultAt<R, &R::totalSaving>("total_saving", "Total saving"),
        resultAt<R, &R::extraTooLarge>(
            {.key = "extra_too_large", .label = "Extra payment above ten repayments", .kind = ResultKind::YesNo}),
        resultAt<R, &R::evaluations>({.key = "evaluations", .label = "Formula evaluations", .kind = ResultKind::Whole}),
    };
    return table;
}

const std::vector<ResultSpec<ComparisonTerm>>& comparisonTermResultTable()
{
    using T = ComparisonTerm;
    static const std::vector<ResultSpec<T>> table = {
        resultAt<T, &T::years>({.key = "years", .label = "Period (years)", .kind = ResultKind::Whole}),
        resultAt<T, &T::repayment>("repayment", "Monthly repayment"),
        resultAt<T, &T::interest>("interest", "Total Interest"),
        resultAt<T, &T::total>("total", "Total Paid"),
    };
    return table;
}

const std::vector<ResultSpec<DailyBalanceResult>>& dailyBalanceResultTable()
{
    using R = DailyBalanceResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::days>({.key = "days", .label = "Number of days", .kind = ResultKind::Whole}),
        resultAt<R, &R::interest>("interest", "Interest accrued"),
    };
    return table;
}

const std::vector<ResultSpec<InflationResult>>& inflationResultTable()
{
    using R = InflationResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::futureCost>("future_cost", "Future value/cost"),
        resultAt<R, &R::buyingPower>("buying_power", "Buying power"),
        resultAt<R, &R::tooLarge>(
            {.key = "too_large", .label = "Amount too large to display", .kind = ResultKind::YesNo}),
    };
    return table;
}

const std::vector<ResultSpec<AmortLine>>& scheduleResultTable(bool annual)
{
    using A = AmortLine;
    static const std::vector<ResultSpec<A>> monthly = {
        resultAt<A, &A::period>({.key = "month", .label = "Month", .kind = ResultKind::Whole}),
        resultAt<A, &A::capital>("capital", "Capital payment"),
        resultAt<A, &A::interest>("interest", "Interest payment"),
        resultAt<A, &A::balance>("balance", "Balance"),
    };
    static const std::vector<ResultSpec<A>> yearly = {
        resultAt<A, &A::period>({.key = "year", .label = "Year", .kind = ResultKind::Whole}),
        resultAt<A, &A::capital>("capital", "Capital payments"),
        resultAt<A, &A::interest>("interest", "Interest payment"),
        resultAt<A, &A::balance>("balance", "Balance"),
    };
    return annual ? yearly : monthly;
}

}  // namespace grossby
