#include "finance/finance_calculators.h"

#include "finance/finance_print.h"

namespace grossby {

namespace {

// Every finance calculator is on the "Bu&siness Calculations" menu.
MenuEntry businessCalcs(const char* window, const char* command, const char* caption, int order, int initialiseAllRank)
{
    return {window, command, "mnuBusinessCalcs", "Bu&siness Calculations", caption, order, initialiseAllRank};
}

// --- loan ---------------------------------------------------------------

CalcOutcome<LoanResult> solveLoan(const LoanCommandInputs& in, const NoSettings&)
{
    return LoanCalc(in);
}

ReportDescriptor loanReportFor(const LoanCommandInputs& in)
{
    return loanReport(in.mode, in.schedule);
}

PrintRecord loanRow(const LoanCommandInputs& in, const LoanResult& r, PrintLanguage)
{
    return PrintLoan(in.mode, r, true, in.schedule);
}

bool loanPrints(const LoanCommandInputs&, const LoanResult& r)
{
    return loanComplete(r);
}

// --- inflation ----------------------------------------------------------

CalcOutcome<InflationResult> projectInflation(const InflationInputs& in, const NoSettings&)
{
    return ProjectInflation(in);
}

PrintRecord inflationRow(const InflationInputs& in, const InflationResult& r, PrintLanguage)
{
    return PrintInflation(in, r);
}

bool inflationPrints(const InflationInputs&, const InflationResult& r)
{
    return canPrintInflation(r);
}

const char* whyNoInflationPrintout(const InflationInputs&, const InflationResult& r)
{
    return r.tooLarge ? "Amount too large to display: the projection cannot be printed."
                      : "Nothing to print: the future cost is 0.";
}

// --- daily balance ------------------------------------------------------

CalcOutcome<DailyBalanceResult> dailyBalance(const DailyBalanceInputs& in, const NoSettings&)
{
    return CalcDailyBalance(in);
}

PrintRecord dailyBalanceRow(const DailyBalanceInputs& in, const DailyBalanceResult& r, PrintLanguage)
{
    return PrintDailyBalance(in, r);
}

bool dailyBalancePrints(const DailyBalanceInputs&, const DailyBalanceResult& r)
{
    return canPrintDailyBalance(r);
}

// --- loan comparison ----------------------------------------------------

CalcOutcome<LoanComparisonResult> compareLoans(const LoanComparisonInputs& in, const NoSettings&)
{
    return CompareLoans(in);
}

PrintRecord loanComparisonRow(const LoanComparisonInputs& in, const LoanComparisonResult& r, PrintLanguage)
{
    return PrintLoanComparison(in, r);
}

bool loanComparisonPrints(const LoanComparisonInputs& in, const LoanComparisonResult&)
{
    return canPrintLoanComparison(in);
}

// --- loan buster --------------------------------------------------------

CalcOutcome<LoanBusterResult> bustLoan(const LoanBusterInputs& in, const NoSettings&)
{
    return BBCalc(in);
}

PrintRecord loanBusterRow(const LoanBusterInputs& in, const LoanBusterResult& r, PrintLanguage)
{
    return PrintLoanBuster(in, r);
}

bool loanBusterPrints(const LoanBusterInputs& in, const LoanBusterResult&)
{
    return canPrintLoanBuster(in);
}

}  // namespace

CalculatorDescription<LoanCommandInputs, NoSettings, LoanResult> loanDescription()
{
    return {.name = "loan",
            .summary = "A loan solved for the repayment, principal, period or rate from the other three",
            .inputs = &loanCommandInputTable(),
            .results = &loanResultTable(),
            .compute = &solveLoan,
            .report = loanReport(LoanMode::Repayment, ScheduleKind::None),
            .reportFor = &loanReportFor,
            .print = &loanRow,
            .canPrint = &loanPrints,
            .nothingToPrint = "Nothing to print: the principal, period, rate and repayment must all be above 0.",
            .menu = businessCalcs("frmLoans", "mnuLoans", "Loans", 61, 9)};
}

CalculatorDescription<InflationInputs, NoSettings, InflationResult> inflationDescription()
{
    return {.name = "inflation",
            .summary = "A present cost carried forward at a yearly inflation rate, and its buying power",
            .inputs = &inflationInputTable(),
            .results = &inflationResultTable(),
            .compute = &projectInflation,
            .report = inflationReport(),
            .print = &inflationRow,
            .canPrint = &inflationPrints,
            .nothingToPrintFor = &whyNoInflationPrintout,
            .menu = businessCalcs("frmInflation", "mnuInflationProject", "Inflation Projections", 60, 8)};
}

CalculatorDescription<DailyBalanceInputs, NoSettings, DailyBalanceResult> dailyBalanceDescription()
{
    return {.name = "daily-balance",
            .summary = "Simple interest on a capital amount between two dates (days over a 365-day year)",
            .inputs = &dailyBalanceInputTable(),
            .results = &dailyBalanceResultTable(),
            .compute = &dailyBalance,
            .report = dailyBalanceReport(),
            .print = &dailyBalanceRow,
            .canPrint = &dailyBalancePrints,
            .nothingToPrint = "Nothing to print: the interest and the number of days must be above 0.",
            .menu = businessCalcs("frmDayBal", "mnuDailyBalance", "Daily balance", 64, 12)};
}

CalculatorDescription<LoanComparisonInputs, NoSettings, LoanComparisonResult> loanComparisonDescription()
{
    return {.name = "loan-compare",
            .summary = "A bond's repayment, interest and total over 5, 10, 15, 20, 25 and 30 years",
            .inputs = &loanComparisonInputTable(),
            .results = &loanComparisonResultTable(),
            .compute = &compareLoans,
            .report = loanComparisonReport(),
            .print = &loanComparisonRow,
            .canPrint = &loanComparisonPrints,
            .nothingToPrint = "Nothing to print: the bond amount and the interest rate must be above 0.",
            .menu = businessCalcs("frmLoanComp", "mnuLoansComparison", "Loan comparison", 63, 11)};
}

CalculatorDescription<LoanBusterInputs, NoSettings, LoanBusterResult> loanBusterDescription()
{
    return {.name = "loan-buster",
            .summary = "What an extra monthly payment saves on a loan",
            .inputs = &loanBusterInputTable(),
            .results = &loanBusterResultTable(),
            .compute = &bustLoan,
            .report = loanBusterReport(),
            .print = &loanBusterRow,
            .canPrint = &loanBusterPrints,
            .nothingToPrint = "Nothing to print: the principal must be above 0.",
            .menu = businessCalcs("frmLoanBuster", "mnuLoansBuster", "Loan buster", 62, 10)};
}

}  // namespace grossby
