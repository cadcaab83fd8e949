// The rows the finance printouts stage: fields in the order the print
// tables take them, and the templates and titles.

#include "finance/finance_print.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

std::vector<std::string> names(const PrintRecord& row)
{
    std::vector<std::string> out;
    for (const auto& f : row)
        out.push_back(f.name);
    return out;
}

using Names = std::vector<std::string>;

TEST(FinancePrint, LoanRowWithAndWithoutFinanceCharges)
{
    const LoanResult loan{100000, 240, 12, 1101.09};
    const PrintRecord shown = PrintLoan(LoanMode::Period, loan, true, ScheduleKind::Monthly);
    EXPECT_EQ(names(shown),
              (Names{"Heading", "Num1", "Num2", "Num3", "Num4", "FinText1", "FinText1A", "FinNum1", "FinText2",
                     "FinNum2", "YearMon"}));
    EXPECT_EQ(std::get<std::string>(shown[0].value), "Repayment period");
    EXPECT_EQ(std::get<std::string>(shown[5].value), "Total Interest");
    EXPECT_EQ(std::get<std::string>(shown[6].value), ": R");
    EXPECT_DOUBLE_EQ(std::get<double>(shown[7].value), 1101.09 * 240 - 100000);
    EXPECT_EQ(std::get<std::string>(shown[8].value), "Total Repayments");
    EXPECT_DOUBLE_EQ(std::get<double>(shown[9].value), 1101.09 * 240);
    EXPECT_EQ(std::get<std::string>(shown[10].value), "Month");

    const PrintRecord hidden = PrintLoan(LoanMode::Repayment, loan, false, ScheduleKind::None);
    EXPECT_EQ(hidden.size(), 10u);  // no YearMon without a schedule
    for (const std::size_t k : {5u, 6u, 8u})
        EXPECT_EQ(std::get<std::string>(hidden[k].value), "");
    EXPECT_EQ(std::get<double>(hidden[7].value), 0);
    EXPECT_EQ(std::get<double>(hidden[9].value), 0);
    EXPECT_EQ(std::get<std::string>(PrintLoan(LoanMode::Rate, loan, false, ScheduleKind::Annual).back().value), "Year");
}

TEST(FinancePrint, ScheduleRows)
{
    const auto rows = PrintAmort(CalcAnnAmort(100000, 30, 12, 3774.64).lines);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(names(rows[2]), (Names{"Year", "Capital", "Interest", "Required"}));
    EXPECT_EQ(std::get<std::int32_t>(rows[2][0].value), 3);
    EXPECT_EQ(std::get<double>(rows[2][3].value), 0);
}

TEST(FinancePrint, TemplatesAndTitles)
{
    const std::string hint = " - To export printout click on the suitcase button or goto Help";
    EXPECT_EQ(loanReport(LoanMode::Repayment, ScheduleKind::None).templateName, "Lonrepa.rpt");
    EXPECT_EQ(loanReport(LoanMode::Repayment, ScheduleKind::None).previewTitle, "");
    EXPECT_EQ(loanReport(LoanMode::Repayment, ScheduleKind::Annual).previewTitle,
              "Annual repayment of Loan with Amortisation" + hint);
    EXPECT_EQ(loanReport(LoanMode::Principal, ScheduleKind::Monthly).templateName, "LonPrAmA.rpt");
    EXPECT_EQ(loanReport(LoanMode::Period, ScheduleKind::Annual).previewTitle,
              "Repayment period calculation of Loan with Annual Amortisation" + hint);
    EXPECT_EQ(loanReport(LoanMode::Rate, ScheduleKind::Monthly).previewTitle,
              "Interest rate calculation of Loan with Monthly Amortisation" + hint);
    EXPECT_EQ(loanReport(LoanMode::Rate, ScheduleKind::None).templateName, "LonInRt.rpt");
    EXPECT_EQ(loanBusterReport().templateName, "loanbuster.rpt");
    EXPECT_EQ(loanComparisonReport().templateName, "LoanComparison.rpt");
    EXPECT_EQ(dailyBalanceReport().previewTitle, "Daily Balance Calculation");
    EXPECT_EQ(inflationReport().templateName, "Inflatin.rpt");
    EXPECT_EQ(inflationReport().previewTitle, "Inflation" + hint);
}

TEST(FinancePrint, OtherRows)
{
    const LoanBusterInputs bi{100000, 240, 12, 100};
    const auto bust = PrintLoanBuster(bi, std::get<LoanBusterResult>(BBCalc(bi)));
    EXPECT_EQ(names(bust),
              (Names{"PAmt", "Period", "IntRate", "MonRep", "TotIntPaid", "TotRep", "XtraPay", "Xper", "XMonRep",
                     "XTotIntPaid", "XTotRep", "XTotSavings"}));
    EXPECT_EQ(std::get<std::int32_t>(bust[1].value), 240);

    const LoanComparisonInputs ci{100000, 12};
    const auto comp = PrintLoanComparison(ci, std::get<LoanComparisonResult>(CompareLoans(ci)));
    ASSERT_EQ(comp.size(), 20u);
    const Names compNames = names(comp);
    EXPECT_EQ(compNames[0], "PAmt");
    EXPECT_EQ(compNames[1], "IntRate");
    EXPECT_EQ(Names(compNames.begin() + 11, compNames.begin() + 14), (Names{"MonRep4", "IntPaid4", "Total4"}));
    EXPECT_DOUBLE_EQ(std::get<double>(comp[11].value), RPAYMENT(100000, 240, 12));

    const DailyBalanceInputs di{10000, 10, 42795, 42825};
    const auto daily = PrintDailyBalance(di, std::get<DailyBalanceResult>(CalcDailyBalance(di)));
    EXPECT_EQ(names(daily), (Names{"CapAmount", "StartDate", "EndDate", "IntRate", "ANS1", "ANS2"}));
    EXPECT_EQ(std::get<std::int32_t>(daily[5].value), 30);

    const InflationInputs ii{1000, 10, 10};
    const auto infl = PrintInflation(ii, std::get<InflationResult>(ProjectInflation(ii)));
    EXPECT_EQ(names(infl), (Names{"PresCost", "Period", "InflaRate", "Ans1", "ANS2"}));
}

TEST(FinancePrint, WhenEachPrintoutApplies)
{
    EXPECT_FALSE(canPrintLoanBuster({0, 240, 12, 0}));
    EXPECT_TRUE(canPrintLoanBuster({1, 0, 0, 0}));
    EXPECT_FALSE(canPrintLoanComparison({1000, 0}));
    EXPECT_FALSE(canPrintDailyBalance({0, 0}));
    EXPECT_FALSE(canPrintInflation({20'000'000'000, 1, true}));
    EXPECT_TRUE(canPrintInflation({2593.74, 385.54, false}));
}

}  // namespace
}  // namespace grossby
