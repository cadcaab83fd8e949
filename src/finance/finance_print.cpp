#include "finance/finance_print.h"

namespace grossby {

namespace {

constexpr const char* kExportHint = " - To export printout click on the suitcase button or goto Help";

void amount(PrintRecord& row, std::string name, double value)
{
    row.push_back({std::move(name), value});
}

void count(PrintRecord& row, std::string name, std::int32_t value)
{
    row.push_back({std::move(name), value});
}

void text(PrintRecord& row, std::string name, std::string value)
{
    row.push_back({std::move(name), std::move(value)});
}

}  // namespace

ReportDescriptor loanReport(LoanMode mode, ScheduleKind schedule)
{
    struct Names {
        const char* plain;
        const char* withSchedule;
        const char* annualTitle;
        const char* monthlyTitle;
    };
    static constexpr Names kNames[] = {
        {"Lonrepa.rpt", "LonrepaA.rpt", "Annual repayment of Loan with Amortisation",
         "Annual repayment of Loan with Monthly Amortisation"},
        {"LonPrAm.rpt", "LonPrAmA.rpt", "Principal calculation of Loan with Annual Amortisation",
         "Principal calculation of Loan with Monthly Amortisation"},
        {"LonRPer.rpt", "LonRPerA.rpt", "Repayment period calculation of Loan with Annual Amortisation",
         "Repayment period calculation of Loan with Monthly Amortisation"},
        {"LonInRt.rpt", "LonInRtA.rpt", "Interest rate calculation of Loan with Annual Amortisation",
         "Interest rate calculation of Loan with Monthly Amortisation"},
    };
    const Names& n = kNames[static_cast<int>(mode)];
    switch (schedule) {
    case ScheduleKind::None: return {"Loans", n.plain, ""};
    case ScheduleKind::Annual: return {"Loans", n.withSchedule, std::string(n.annualTitle) + kExportHint};
    case ScheduleKind::Monthly: return {"Loans", n.withSchedule, std::string(n.monthlyTitle) + kExportHint};
    }
    return {"Loans", n.plain, ""};
}

ReportDescriptor loanBusterReport()
{
    return {"BondBust", "loanbuster.rpt", "Loan Buster"};
}

ReportDescriptor loanComparisonReport()
{
    return {"BondComp", "LoanComparison.rpt", "Loan Comparison"};
}

ReportDescriptor dailyBalanceReport()
{
    return {"DailyBal", "DayBal.rpt", "Daily Balance Calculation"};
}

ReportDescriptor inflationReport()
{
    return {"Inflation", "Inflatin.rpt", std::string("Inflation") + kExportHint};
}

PrintRecord PrintLoan(LoanMode mode, const LoanResult& loan, bool financeChargesShown, ScheduleKind schedule)
{
    PrintRecord row;
    text(row, "Heading", std::string(loanModeText(mode)));
    amount(row, "Num1", loan.principal);
    amount(row, "Num2", loan.months);
    amount(row, "Num3", loan.rate);
    amount(row, "Num4", loan.repayment);
    if (financeChargesShown) {
        text(row, "FinText1", "Total Interest");
        text(row, "FinText1A", ": R");
        amount(row, "FinNum1", loan.repayment * loan.months - loan.principal);
        text(row, "FinText2", "Total Repayments");
        amount(row, "FinNum2", loan.repayment * loan.months);
    } else {
        text(row, "FinText1", "");
        text(row, "FinText1A", "");
        amount(row, "FinNum1", 0);
        text(row, "FinText2", "");
        amount(row, "FinNum2", 0);
    }
    if (schedule != ScheduleKind::None)
        text(row, "YearMon", schedule == ScheduleKind::Annual ? "Year" : "Month");
    return row;
}

std::vector<PrintRecord> PrintAmort(const std::vector<AmortLine>& lines)
{
    std::vector<PrintRecord> rows;
    rows.reserve(lines.size());
    for (const AmortLine& line : lines) {
        PrintRecord row;
        count(row, "Year", line.period);
        amount(row, "Capital", line.capital);
        amount(row, "Interest", line.interest);
        amount(row, "Required", line.balance);
        rows.push_back(std::move(row));
    }
    return rows;
}

PrintRecord PrintLoanBuster(const LoanBusterInputs& in, const LoanBusterResult& r)
{
    PrintRecord row;
    amount(row, "PAmt", in.principal);
    count(row, "Period", in.months);
    amount(row, "IntRate", in.rate);
    amount(row, "MonRep", r.normalRepayment);
    amount(row, "TotIntPaid", r.normalInterest);
    amount(row, "TotRep", r.normalTotal);
    amount(row, "XtraPay", r.extraPayment);
    count(row, "Xper", r.extraMonths);
    amount(row, "XMonRep", r.extraRepayment);
    amount(row, "XTotIntPaid", r.extraInterest);
    amount(row, "XTotRep", r.extraTotal);
    amount(row, "XTotSavings", r.totalSaving);
    return row;
}

PrintRecord PrintLoanComparison(const LoanComparisonInputs& in, const LoanComparisonResult& r)
{
    PrintRecord row;
    amount(row, "PAmt", in.principal);
    amount(row, "IntRate", in.rate);
    for (std::size_t k = 0; k < r.terms.size(); ++k) {
        const std::string digit = std::to_string(k + 1);
        amount(row, "MonRep" + digit, r.terms[k].repayment);
        amount(row, "IntPaid" + digit, r.terms[k].interest);
        amount(row, "Total" + digit, r.terms[k].total);
    }
    return row;
}

PrintRecord PrintDailyBalance(const DailyBalanceInputs& in, const DailyBalanceResult& r)
{
    PrintRecord row;
    amount(row, "CapAmount", in.capital);
    amount(row, "StartDate", in.start);
    amount(row, "EndDate", in.end);
    amount(row, "IntRate", in.rate);
    amount(row, "ANS1", r.interest);
    count(row, "ANS2", r.days);
    return row;
}

PrintRecord PrintInflation(const InflationInputs& in, const InflationResult& r)
{
    PrintRecord row;
    amount(row, "PresCost", in.presentCost);
    amount(row, "Period", in.years);
    amount(row, "InflaRate", in.rate);
    amount(row, "Ans1", r.futureCost);
    amount(row, "ANS2", r.buyingPower);
    return row;
}

bool canPrintLoanBuster(const LoanBusterInputs& in)
{
    return in.principal > 0;
}

bool canPrintLoanComparison(const LoanComparisonInputs& in)
{
    return in.principal > 0 && in.rate > 0;
}

bool canPrintDailyBalance(const DailyBalanceResult& r)
{
    return r.interest > 0 && r.days > 0;
}

bool canPrintInflation(const InflationResult& r)
{
    return r.futureCost != 0 && !r.tooLarge;
}

}  // namespace grossby
