// What the finance windows keep between visits, kept in the shared state as
// the finance subsystem's memory.

#include "core/module1.h"
#include "finance/finance_memory.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

TEST(InitialiseAll, FinanceBackToItsStartValues)
{
    Module1 state;
    FinanceMemory& s = state.memory<FinanceMemory>();
    s.LoanCalcMode = "Interest rate";
    s.LoanPrincipal = 100000;
    s.LoanPeriod = 240;
    s.LoanRate = 12;
    s.LoanRepayment = 1101.09;
    s.FinChargesShown = "DOWN";
    s.AnnualKind = 2;
    s.FullYears = 2;
    s.AnnualYears = 3;
    s.BusterPrincipal = 5;
    s.BusterRate = 6;
    s.BusterExtraPayment = 7;
    s.CompPrincipal = 8;
    s.CompRate = 9;
    s.DayBalCapital = 10;
    s.DayBalRate = 11;
    s.DayBalStart = 42795;
    s.DayBalEnd = 42825;
    s.RateSpinStep = 1;
    s.InflPresentCost = 1000;
    s.InflPeriod = 10;
    s.InflRate = 10;

    state.InitialiseAll();

    const FinanceMemory fresh;
    EXPECT_EQ(&state.memory<FinanceMemory>(), &s) << "the windows find their memory where it was";
    EXPECT_EQ(s.LoanCalcMode, "Monthly repayment");
    EXPECT_EQ(s.FinChargesShown, "UP");
    EXPECT_EQ(s.DayBalStart, -36522);
    EXPECT_EQ(s.DayBalEnd, -36522);
    EXPECT_EQ(s.RateSpinStep, 0.25);
    EXPECT_EQ(fresh.LoanCalcMode, s.LoanCalcMode);
    EXPECT_EQ(fresh.DayBalStart, s.DayBalStart);
    for (const double v : {s.LoanPrincipal, s.LoanPeriod, s.LoanRate, s.LoanRepayment, s.BusterPrincipal,
                           s.BusterExtraPayment, s.CompPrincipal, s.InflPresentCost, s.InflPeriod, s.InflRate})
        EXPECT_EQ(v, 0);
    for (const float v : {s.BusterRate, s.CompRate, s.DayBalCapital, s.DayBalRate})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(s.AnnualKind + s.FullYears + s.AnnualYears, 0);
}

}  // namespace
}  // namespace grossby
