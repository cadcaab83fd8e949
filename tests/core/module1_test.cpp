#include "core/module1.h"

#include <gtest/gtest.h>

#include <string>

namespace grossby {
namespace {

struct WindowMemory {
    double kept = 12.5;
    std::string mode = "Monthly repayment";
};

TEST(InitialiseAll, PutsEachSubsystemsMemoryBackWhereItsWindowsFindIt)
{
    Module1 s;
    WindowMemory& memory = s.memory<WindowMemory>();
    memory.kept = 99;
    memory.mode = "Period";
    s.memory<int>() = 7;
    EXPECT_EQ(&s.memory<WindowMemory>(), &memory) << "one memory per subsystem, kept between visits";
    EXPECT_EQ(s.memory<WindowMemory>().kept, 99);

    s.InitialiseAll();

    EXPECT_EQ(&s.memory<WindowMemory>(), &memory);
    EXPECT_EQ(memory.kept, 12.5);
    EXPECT_EQ(memory.mode, "Monthly repayment");
    EXPECT_EQ(s.memory<int>(), 0);
}

TEST(InitialiseAll, ResetsResultsAndKeepsWhatIsNotReset)
{
    Module1 s;
    s.AnnualTaxableIncome = 500000;
    s.MarginalRate = 36;
    s.BracketBaseTax = 97225;
    s.TaxOnExcess = 32234.4;
    s.AnnualTax = 129459.4;
    s.QuickTaxPayable = 1;
    s.QuickTaxPrimaryRebate = 13635;
    s.QuickTaxTotal = 2;
    s.QuickTaxAverageRate = 3;
    s.QuickTaxAge = 70;
    s.QuickTaxIncome = 500000;
    s.QuickTaxRebate = 21114;
    s.QuickTaxAgeRebate = 7479;
    s.QuickTaxAverageRateAfter = 4;
    s.PrintDatabasePath = "/p/Crysprin.db";
    s.SettingsDatabasePath = "/p/Settings.db";

    s.InitialiseAll();

    EXPECT_EQ(s.MarginalRate, 0);
    EXPECT_EQ(s.AnnualTax, 0);
    EXPECT_EQ(s.QuickTaxPayable, 0);
    EXPECT_EQ(s.QuickTaxPrimaryRebate, 0);
    EXPECT_EQ(s.QuickTaxTotal, 0);
    EXPECT_EQ(s.QuickTaxAverageRate, 0);

    EXPECT_EQ(s.AnnualTaxableIncome, 500000);
    EXPECT_EQ(s.BracketBaseTax, 97225);
    EXPECT_EQ(s.TaxOnExcess, 32234.4);
    EXPECT_EQ(s.QuickTaxAge, 70);
    EXPECT_EQ(s.QuickTaxIncome, 500000);
    EXPECT_EQ(s.QuickTaxRebate, 21114);
    EXPECT_EQ(s.QuickTaxAgeRebate, 7479);
    EXPECT_EQ(s.QuickTaxAverageRateAfter, 4);
    EXPECT_EQ(s.PrintDatabasePath, "/p/Crysprin.db");
    EXPECT_EQ(s.SettingsDatabasePath, "/p/Settings.db");
}

TEST(InitialiseAll, FinanceBackToItsStartValues)
{
    Module1 s;
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

    s.InitialiseAll();

    const Module1 fresh;
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
