#include "core/module1.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

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
    s.PrintToPrinter = 1;

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
    EXPECT_EQ(s.PrintToPrinter, 1);
}

TEST(InitialiseAll, EmptiesTheCarRegisterAndResetsTheTravelAllowance)
{
    Module1 s;
    Vehicle v;
    v.CCRegNumber = "CA 1";
    s.CompanyCar.Cars = {v, v};
    s.CompanyCar.CurrentCar = s.CompanyCar.DisplayedCar = 2;
    s.CompanyCar.AutoSplit3802 = 1;
    s.CompanyCar.Actual3802 = 73000;
    s.CarAllowance.EmployeeName = "P. Dlamini";
    s.CarAllowance.RecordKept = 1;
    s.CarAllowance.IncludeFuel = 0;
    s.CarAllowance.IncludeMaintenance = 0;
    s.CarAllowance.VehicleValue = 300000;
    s.CarAllowanceResults.DeductionClaim = 57526.8;

    s.InitialiseAll();

    EXPECT_EQ(s.CompanyCar.CarCount(), 0);
    EXPECT_EQ(s.CompanyCar.CurrentCar, 0);
    EXPECT_EQ(s.CompanyCar.DisplayedCar, 0);
    EXPECT_EQ(s.CompanyCar.AutoSplit3802, 0);
    EXPECT_EQ(s.CompanyCar.Actual3802, 0);
    EXPECT_EQ(s.CarAllowance.EmployeeName, "");
    EXPECT_EQ(s.CarAllowance.RecordKept, 0);
    EXPECT_EQ(s.CarAllowance.IncludeFuel, 1);
    EXPECT_EQ(s.CarAllowance.IncludeMaintenance, 1);
    EXPECT_EQ(s.CarAllowance.VehicleValue, 0);
    EXPECT_EQ(s.CarAllowanceResults.DeductionClaim, 0);
}

}  // namespace
}  // namespace grossby
