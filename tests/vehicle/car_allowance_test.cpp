// The travel allowance deduction by both methods, and what it refuses.

#include "vehicle/car_allowance.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

CarAllowanceInputs deemed()
{
    CarAllowanceInputs in;
    in.VehicleValue = 300000;
    in.OpenKm = 10000;
    in.CloseKm = 40000;
    in.BusinessKmInput = 12000;
    return in;
}

CarAllowanceResult calc(const CarAllowanceInputs& in)
{
    const auto outcome = CalcCarAllowance(in);
    EXPECT_TRUE(std::holds_alternative<CarAllowanceResult>(outcome));
    return std::get<CarAllowanceResult>(outcome);
}

TEST(CarAllowance, DeemedCosts)
{
    struct Case {
        const char* what;
        CarAllowanceInputs in;
        double fixedPerKm, fuel, maintenance, totalRate, claim;
    };
    CarAllowanceInputs capped = deemed();
    capped.AllowanceReceived = 50000;
    CarAllowanceInputs noFuel = deemed();
    noFuel.IncludeFuel = 0;
    CarAllowanceInputs halfYear = deemed();
    halfYear.EndDate = defaultTaxYear().start + 181;
    const Case cases[] = {
        {"full year", deemed(), 310.89, 118.9, 49.6, 479.39, 57526.8},
        {"allowance caps the claim", capped, 310.89, 118.9, 49.6, 479.39, 50000},
        // The rate shown is the rate the claim is worked from.
        {"fuel left out", noFuel, 310.89, 0, 49.6, 360.49, 12000 * 360.49 / 100},
        // 93 267 / 30 000 * (182 / 365) = 1.55019123..., cut to 1.550191
        {"half year", halfYear, 155.0191, 118.9, 49.6, 323.5191, 12000 * 323.5191 / 100},
    };
    for (const Case& c : cases) {
        const CarAllowanceResult r = calc(c.in);
        EXPECT_DOUBLE_EQ(r.FixedCostPerKm, c.fixedPerKm) << c.what;
        EXPECT_NEAR(r.TravelFuelRate, c.fuel, 1e-9) << c.what;
        EXPECT_NEAR(r.TravelMaintRate, c.maintenance, 1e-9) << c.what;
        EXPECT_DOUBLE_EQ(r.TotalRatePerKm, c.totalRate) << c.what;
        EXPECT_NEAR(r.DeductionClaim, c.claim, 1e-6) << c.what;
        EXPECT_EQ(r.TravelFixedCost, 93267) << c.what;
        EXPECT_EQ(r.TotalKm, 30000) << c.what;
        EXPECT_EQ(r.BusinessKm, 12000) << c.what;
    }
}

TEST(CarAllowance, DeemedNeedsValuePeriodAndBusinessDistance)
{
    CarAllowanceInputs in = deemed();
    in.BusinessKmInput = 0;
    const CarAllowanceResult r = calc(in);
    EXPECT_EQ(r.PeriodDays, 365);
    EXPECT_EQ(r.DeductionClaim, 0);
    EXPECT_EQ(r.TotalKm, 0);
    EXPECT_EQ(r.TotalRatePerKm, 0);
    in = deemed();
    in.VehicleValue = 0;
    EXPECT_EQ(calc(in).DeductionClaim, 0);
}

TEST(CarAllowance, ActualCosts)
{
    CarAllowanceInputs in;
    in.RecordKept = 1;
    in.OpenKm = 10000;
    in.CloseKm = 40000;
    in.BusinessKmInput = 12000;
    in.FuelOilCost = 30000;
    in.RepairsCost = 10000;
    in.InsuranceLicenceCost = 8000;
    in.OtherCost = 2000;
    in.WearAndTear = 10000;
    CarAllowanceResult r = calc(in);
    EXPECT_EQ(r.TotalCosts, 60000);
    EXPECT_EQ(r.DeductionClaim, 24000);
    EXPECT_EQ(r.PrivateUse, 36000);
    in.AllowanceReceived = 20000;  // caps the claim, not the private use
    r = calc(in);
    EXPECT_EQ(r.DeductionClaim, 20000);
    EXPECT_EQ(r.PrivateUse, 36000);
    in.CloseKm = 10001;  // readings 1 km apart: no division
    in.AllowanceReceived = 0;
    EXPECT_EQ(calc(in).DeductionClaim, 0);
}

TEST(CarAllowance, ActualCostsWithoutDistances)
{
    CarAllowanceInputs in;
    in.RecordKept = 1;
    in.VehicleValue = 200000;
    in.FuelOilCost = 70000;
    CarAllowanceResult r = calc(in);
    EXPECT_DOUBLE_EQ(r.PrivateUse, 50400);  // 60 000 - 5 280 - 4 320
    EXPECT_DOUBLE_EQ(r.DeductionClaim, 19600);
    EXPECT_EQ(r.TravelFuelRate, 120);
    EXPECT_EQ(r.TravelMaintRate, 85);
    in.FuelOilCost = 40000;  // less than the private use
    r = calc(in);
    EXPECT_EQ(r.PrivateUse, 0);
    EXPECT_EQ(r.DeductionClaim, 0);
}

TEST(CarAllowance, Refusals)
{
    CarAllowanceInputs in = deemed();
    in.WearAndTear = 5000;
    in.LeasePayments = 3000;
    EXPECT_EQ(std::get<InputError>(CalcCarAllowance(in)),
              (InputError{"Single Payment", "Only one amount for either Wear & Tear or Lease payments will be accepted",
                          "wear-and-tear"}));
    EXPECT_TRUE(wearAndTearLeaseConflict(5000, 3000));
    EXPECT_FALSE(wearAndTearLeaseConflict(5000, 0));
    EXPECT_FALSE(wearAndTearLeaseConflict(0, 3000));

    in = deemed();
    in.StartDate = defaultTaxYear().end + 1;
    EXPECT_EQ(std::get<InputError>(CalcCarAllowance(in)).field, "start");
    in.StartDate = defaultTaxYear().start + 61;
    in.EndDate = defaultTaxYear().start + 10;
    const InputError end = std::get<InputError>(CalcCarAllowance(in));
    EXPECT_EQ(end.title, "Incorrect Date");
    EXPECT_EQ(end.text, "The date entered is not correct please enter a date between 01/05/2017 and 28/02/2018");
    EXPECT_EQ(end.field, "end");
}

TEST(CarAllowance, ClosingReadingBelowTheOpeningOneIsRefused)
{
    // Both methods, with and without a business distance: a negative distance
    // was clamped to 0 and the claim worked out on it.
    for (const int recordKept : {0, 1}) {
        for (const double business : {0.0, 1000.0}) {
            CarAllowanceInputs in = deemed();
            in.RecordKept = recordKept;
            in.FuelOilCost = recordKept * 3000;
            in.BusinessKmInput = business;
            in.OpenKm = 25000;
            in.CloseKm = 10000;
            const auto outcome = CalcCarAllowance(in);
            ASSERT_TRUE(std::holds_alternative<InputError>(outcome)) << recordKept << " " << business;
            EXPECT_EQ(std::get<InputError>(outcome),
                      (InputError{"Incorrect Mileage",
                                  "The vehicle: the closing odometer reading (10000 km) is below the opening "
                                  "reading (25000 km). Enter the readings at the start and at the end of the period.",
                                  "close-km"}));
            in.EmployeeName = "J Smith";
            EXPECT_EQ(std::get<InputError>(CalcCarAllowance(in)).text.rfind("The vehicle of J Smith: ", 0), 0u);
            in.CloseKm = in.OpenKm;  // no distance: not refused
            EXPECT_TRUE(std::holds_alternative<CarAllowanceResult>(CalcCarAllowance(in)));
        }
    }
}

}  // namespace
}  // namespace grossby
