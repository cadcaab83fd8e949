// The finance calculators as subcommands: the loan solved four ways, its
// schedule, the loan buster, the loan comparison, the daily balance and the
// inflation projection, each from its input and result tables, its pure
// calculation and its printout.

#include "finance/cli/finance_commands.h"
#include "cli/described_command.h"
#include "finance/finance_calculators.h"
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

// The described row, and the schedule the printout includes.
std::optional<std::string> printLoan(const LoanCommandInputs& in, const LoanResult& loan, PrintLanguage language,
                                     PrintJob& job)
{
    if (auto nothing = describedPrintJob<&loanDescription>(in, loan, language, job))
        return nothing;
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
    auto loan = describedCommand<&loanDescription>();
    loan.check = &checkLoan;
    loan.printJob = &printLoan;
    loan.reportOnly = {"schedule"};

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

    auto buster = describedCommand<&loanBusterDescription>();

    auto compare = describedCommand<&loanComparisonDescription>();
    compare.lists = {listResult<LoanComparisonResult, ComparisonTerm>(
        "terms", "Terms", "one row a term: years, repayment, interest, total", &termColumns, &terms)};

    auto daily = describedCommand<&dailyBalanceDescription>();
    daily.check = &checkDailyBalance;

    auto inflation = describedCommand<&inflationDescription>();

    // The finance subcommands, in the order --help shows them.
    return {describe(std::move(loan)),    describe(std::move(schedule)), describe(std::move(buster)),
            describe(std::move(compare)), describe(std::move(daily)),    describe(std::move(inflation))};
}

}  // namespace grossby::cli
