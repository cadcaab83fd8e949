// What File > Initialise All does to the vehicle windows' memory.

#include "core/module1.h"
#include "vehicle/vehicle_state.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

TEST(InitialiseAll, EmptiesTheCarRegisterAndResetsTheTravelAllowance)
{
    Module1 s;
    VehicleMemory& m = s.memory<VehicleMemory>();
    Vehicle v;
    v.CCRegNumber = "CA 1";
    m.CompanyCar.Cars = {v, v};
    m.CompanyCar.CurrentCar = m.CompanyCar.DisplayedCar = 2;
    m.CompanyCar.AutoSplit3802 = 1;
    m.CompanyCar.Actual3802 = 73000;
    m.CarAllowance.EmployeeName = "P. Dlamini";
    m.CarAllowance.RecordKept = 1;
    m.CarAllowance.IncludeFuel = 0;
    m.CarAllowance.IncludeMaintenance = 0;
    m.CarAllowance.VehicleValue = 300000;
    m.CarAllowanceResults.DeductionClaim = 57526.8;

    s.InitialiseAll();

    const VehicleMemory& kept = s.memory<VehicleMemory>();
    EXPECT_EQ(kept.CompanyCar.CarCount(), 0);
    EXPECT_EQ(kept.CompanyCar.CurrentCar, 0);
    EXPECT_EQ(kept.CompanyCar.DisplayedCar, 0);
    EXPECT_EQ(kept.CompanyCar.AutoSplit3802, 0);
    EXPECT_EQ(kept.CompanyCar.Actual3802, 0);
    EXPECT_EQ(kept.CarAllowance.EmployeeName, "");
    EXPECT_EQ(kept.CarAllowance.RecordKept, 0);
    EXPECT_EQ(kept.CarAllowance.IncludeFuel, 1);
    EXPECT_EQ(kept.CarAllowance.IncludeMaintenance, 1);
    EXPECT_EQ(kept.CarAllowance.VehicleValue, 0);
    EXPECT_EQ(kept.CarAllowanceResults.DeductionClaim, 0);
}

}  // namespace
}  // namespace grossby
