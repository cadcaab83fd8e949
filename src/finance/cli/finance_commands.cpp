// The finance calculators as subcommands: the loan solved four ways, its
// schedule, the loan buster, the loan comparison, the daily balance and the
// inflation projection, each from its input and result tables, its pure
// calculation and its printout.

#include "finance/cli/finance_commands.h"
#include "finance/finance_inputs.h"
#include "finance/finance_print.h"

#include <span>

namespace grossby::cli {
namespace {

// --- loan ---------------------------------------------------------------

// The option of each quantity, and what solving it is called in messages.
struct Quantity {
    LoanMode mode;
    const char* key;  ///< its option
    const char* word;  ///< its --solve word
    const char* solving;
};
constexpr Quantity kQuantities[] = {
    {LoanMode::Repayment, "repayment", "repayment", "the repayment"},
    {LoanMode::Principal, "principal", "principal", "the principal"},
    {LoanMode::Period, "months", "period", "the period"},
    {LoanMode::Rate, "rate", "rate", "the rate"},
};

// The solved quantity is worked out, so it may not be given; the other three
// are what it is worked out from, so each must be (a missing one would be
// taken as 0 and give 0 without a word).
std::optional<std::string> checkLoan(const LoanCommandInputs& in, const GivenInputs& given)
{
    const char* solving = "";
    for (const Quantity& q : kQuantities) {
        if (q.mode == in.mode)
            solving = q.solving;
    }
    for (const Quantity& q : kQuantities) {
        if (q.mode == in.mode && given(q.key))
            return std::string("--") + q.key + " is what --solve " + q.word + " works out: leave it out";
        if (q.mode != in.mode && !given(q.key))
            return std::string("--") + q.key + " is needed to work out " + solving;
    }
    return std::nullopt;
}

std::optional<std::string> printLoan(const LoanCommandInputs& in, const LoanResult& loan, PrintLanguage, PrintJob& job)
{
    if (!loanComplete(loan))
        return std::string("Nothing to print: the principal, period, rate and repayment must all be above 0.");
    const ReportDescriptor report = loanReport(in.mode, in.schedule);
    job.report = report;
    // The command line prints the finance charges: they are among its results.
    job.tables = {StagedTable{report.table, {PrintLoan(in.mode, loan, true, in.schedule)}}};
    if (in.schedule == ScheduleKind::Annual)
        job.tables.push_back(
            {kAmortTable, PrintAmort(CalcAnnAmort(loan.principal, loan.months, loan.rate, loan.repayment).lines)});
    else if (in.schedule == ScheduleKind::Monthly)
        job.tables.push_back({kAmortTable, PrintAmort(monthlySchedule(loan.principal, loan.months, loan.rate))});
    return std::nullopt;
}

// --- schedule -----------------------------------------------------------

struct ScheduleResult {
    LoanResult loan;
    bool annual = false;
    std::vector<AmortLine> lines;
};

CalcOutcome<ScheduleResult> computeSchedule(const ScheduleCommandInputs& in, const NoSettings&)
{
    LoanInputs loan = in;
    loan.mode = LoanMode::Repayment;
    auto outcome = LoanCalc(loan);
    if (auto* error = std::get_if<InputError>(&outcome))
        return *error;
    ScheduleResult out;
    out.loan = std::get<LoanResult>(outcome);
    out.annual = in.annual;
    if (!loanComplete(out.loan))
        return InputError{"", "A schedule needs a principal, a period and an interest rate above 0."};
    out.lines = in.annual ? CalcAnnAmort(in.principal, in.months, in.rate, out.loan.repayment).lines
                          : monthlySchedule(in.principal, in.months, in.rate);
    return out;
}

const std::vector<ResultSpec<AmortLine>>& scheduleColumns(const ScheduleResult* r)
{
    return scheduleResultTable(r && r->annual);
}

std::span<const AmortLine> scheduleLines(const ScheduleResult& r)
{
    return r.lines;
}

std::optional<std::string> printSchedule(const ScheduleCommandInputs& in, const ScheduleResult& r, PrintLanguage,
                                         PrintJob& job)
{
    const ScheduleKind kind = in.annual ? ScheduleKind::Annual : ScheduleKind::Monthly;
    const ReportDescriptor report = loanReport(LoanMode::Repayment, kind);
    job.report = report;
    job.tables = {StagedTable{report.table, {PrintLoan(LoanMode::Repayment, r.loan, true, kind)}},
                  StagedTable{kAmortTable, PrintAmort(r.lines)}};
    return std::nullopt;
}

const std::vector<ResultSpec<ScheduleResult>>& noFigures()
{
    static const std::vector<ResultSpec<ScheduleResult>> none;
    return none;
}

// --- loan comparison ----------------------------------------------------

const std::vector<ResultSpec<ComparisonTerm>>& termColumns(const LoanComparisonResult*)
{
    return comparisonTermResultTable();
}

std::span<const ComparisonTerm> terms(const LoanComparisonResult& r)
{
    return r.terms;
}

const std::vector<ResultSpec<LoanComparisonResult>>& comparisonFigures()
{
    static const std::vector<ResultSpec<LoanComparisonResult>> none;
    return none;
}

// --- daily balance ------------------------------------------------------

// The dates a date field takes: earlier ones would read as "no date" and
// give 0 days without a word.
std::optional<std::string> checkDailyBalance(const DailyBalanceInputs& in, const GivenInputs&)
{
    for (const std::int32_t day : {in.start, in.end}) {
        if (!dayBalanceDateSet(day))
            return std::string("the dates run from 02/01/1800 to 31/12/9999");
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::shared_ptr<const Calculator>> financeCalculators()
{
    CalculatorDef<LoanCommandInputs, NoSettings, LoanResult> loan{
        .name = "loan",
        .description = "A loan solved for the repayment, principal, period or rate from the other three",
        .inputs = &loanCommandInputTable(),
        .results = &loanResultTable(),
        .compute = [](const LoanCommandInputs& in, const NoSettings&) { return LoanCalc(in); },
        .report = loanReport(LoanMode::Repayment, ScheduleKind::None),
        .check = &checkLoan,
        .printJob = &printLoan,
        .reportOnly = {"schedule"},
    };

    CalculatorDef<ScheduleCommandInputs, NoSettings, ScheduleResult> schedule{
        .name = "schedule",
        .description = "The monthly or yearly amortisation schedule of a loan, as CSV",
        .inputs = &scheduleCommandInputTable(),
        .results = &noFigures(),
        .compute = &computeSchedule,
        .report = loanReport(LoanMode::Repayment, ScheduleKind::Monthly),
        .lists = {listResult<ScheduleResult, AmortLine>(
            "schedule", "Schedule",
            "one row a month (month, capital, interest, balance), or a year with --annual (year, ...)",
            &scheduleColumns, &scheduleLines)},
        .printJob = &printSchedule,
        .tableOutput = true,
    };

    CalculatorDef<LoanBusterInputs, NoSettings, LoanBusterResult> buster{
        .name = "loan-buster",
        .description = "What an extra monthly payment saves on a loan",
        .inputs = &loanBusterInputTable(),
        .results = &loanBusterResultTable(),
        .compute = [](const LoanBusterInputs& in, const NoSettings&) { return BBCalc(in); },
        .report = loanBusterReport(),
        .printJob = [](const LoanBusterInputs& in, const LoanBusterResult& r, PrintLanguage,
                       PrintJob& job) -> std::optional<std::string> {
            if (!canPrintLoanBuster(in))
                return std::string("Nothing to print: the principal must be above 0.");
            job.tables = {StagedTable{job.report.table, {PrintLoanBuster(in, r)}}};
            return std::nullopt;
        },
    };

    CalculatorDef<LoanComparisonInputs, NoSettings, LoanComparisonResult> compare{
        .name = "loan-compare",
        .description = "A bond's repayment, interest and total over 5, 10, 15, 20, 25 and 30 years",
        .inputs = &loanComparisonInputTable(),
        .results = &comparisonFigures(),
        .compute = [](const LoanComparisonInputs& in, const NoSettings&) { return CompareLoans(in); },
        .report = loanComparisonReport(),
        .lists = {listResult<LoanComparisonResult, ComparisonTerm>(
            "terms", "Terms", "one row a term: years, repayment, interest, total", &termColumns, &terms)},
        .printJob = [](const LoanComparisonInputs& in, const LoanComparisonResult& r, PrintLanguage,
                       PrintJob& job) -> std::optional<std::string> {
            if (!canPrintLoanComparison(in))
                return std::string("Nothing to print: the bond amount and the interest rate must be above 0.");
            job.tables = {StagedTable{job.report.table, {PrintLoanComparison(in, r)}}};
            return std::nullopt;
        },
    };

    CalculatorDef<DailyBalanceInputs, NoSettings, DailyBalanceResult> daily{
        .name = "daily-balance",
        .description = "Simple interest on a capital amount between two dates (days over a 365-day year)",
        .inputs = &dailyBalanceInputTable(),
        .results = &dailyBalanceResultTable(),
        .compute = [](const DailyBalanceInputs& in, const NoSettings&) { return CalcDailyBalance(in); },
        .report = dailyBalanceReport(),
        .check = &checkDailyBalance,
        .printJob = [](const DailyBalanceInputs& in, const DailyBalanceResult& r, PrintLanguage,
                       PrintJob& job) -> std::optional<std::string> {
            if (!canPrintDailyBalance(r))
                return std::string("Nothing to print: the interest and the number of days must be above 0.");
            job.tables = {StagedTable{job.report.table, {PrintDailyBalance(in, r)}}};
            return std::nullopt;
        },
    };

    CalculatorDef<InflationInputs, NoSettings, InflationResult> inflation{
        .name = "inflation",
        .description = "A present cost carried forward at a yearly inflation rate, and its buying power",
        .inputs = &inflationInputTable(),
        .results = &inflationResultTable(),
        .compute = [](const InflationInputs& in, const NoSettings&) { return ProjectInflation(in); },
        .report = inflationReport(),
        .printJob = [](const InflationInputs& in, const InflationResult& r, PrintLanguage,
                       PrintJob& job) -> std::optional<std::string> {
            if (r.tooLarge)
                return std::string(kAmountTooLarge) + ": the projection cannot be printed.";
            if (!canPrintInflation(r))
                return std::string("Nothing to print: the future cost is 0.");
            job.tables = {StagedTable{job.report.table, {PrintInflation(in, r)}}};
            return std::nullopt;
        },
    };

    // The finance subcommands, in the order --help shows them.
    return {describe(std::move(loan)),    describe(std::move(schedule)), describe(std::move(buster)),
            describe(std::move(compare)), describe(std::move(daily)),    describe(std::move(inflation))};
}

}  // namespace grossby::cli
