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

}  // namespace
}  // namespace grossby
