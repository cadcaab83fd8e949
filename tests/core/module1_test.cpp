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
    s.PrintDatabasePath = "/p/Crysprin.db";
    s.SettingsDatabasePath = "/p/Settings.db";

    s.InitialiseAll();

    EXPECT_EQ(s.AnnualTaxableIncome, 500000);
    EXPECT_EQ(s.PrintDatabasePath, "/p/Crysprin.db");
    EXPECT_EQ(s.SettingsDatabasePath, "/p/Settings.db");
}

}  // namespace
}  // namespace grossby
