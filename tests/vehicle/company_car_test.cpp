// The company car benefit over the register, its error rule, and the
// register's operations.

#include "vehicle/company_car.h"

#include <gtest/gtest.h>

#include <cmath>

namespace grossby {
namespace {

Vehicle car(double price, double start = defaultTaxYear().start, double end = defaultTaxYear().end)
{
    Vehicle v;
    v.CCRegNumber = "CA 123-456";
    v.CCPrice = price;
    v.CCStartDate = start;
    v.CCEndDate = end;
    return v;
}

CarResult only(const CompanyCarRegister& reg)
{
    return CompCarCalc(reg).Cars.at(0);
}

TEST(CompCarCalc, WorkedExamples)
{
    struct Case {
        const char* what;
        Vehicle v;
        double trueInclusion, irp5, monthly80, monthly20, fortnightly80, weekly80, adjustment;
    };
    Vehicle plan = car(300000);
    plan.MaintIncluded = 1;
    Vehicle logBook = car(300000);
    logBook.BussMilage = 1;
    logBook.TotalDistance = 20000;
    logBook.BusDistance = 15000;
    const Case cases[] = {
        {"full year", car(300000), 126000, 126000, 8400, 2100, 3876.8, 1938.4, 126000},
        {"maintenance plan", plan, 117000, 117000, 7800, 1950, 3600, 1800, 117000},
        {"182 days", car(300000, defaultTaxYear().start, defaultTaxYear().start + 181), 62827, 62827, 8400, 2100,
         3876.8, 1938.4, 62827},
        {"log book, a quarter private", logBook, 31500, 126000, 8400, 2100, 3876.8, 1938.4, 31500},
    };
    for (const Case& c : cases) {
        const CarResult r = only(registerOf({c.v}, 0, false));
        EXPECT_EQ(r.TrueInclusion, c.trueInclusion) << c.what;
        EXPECT_EQ(r.IRP53802, c.irp5) << c.what;
        EXPECT_EQ(r.MonFB80, c.monthly80) << c.what;
        EXPECT_EQ(r.MonFB20, c.monthly20) << c.what;
        EXPECT_DOUBLE_EQ(r.FortFB80, c.fortnightly80) << c.what;
        EXPECT_DOUBLE_EQ(r.WeekFB80, c.weekly80) << c.what;
        EXPECT_EQ(r.AdjustTaxableInc, c.adjustment) << c.what;
    }
}

TEST(CompCarCalc, BusinessDistanceIsCutToTheTotal)
{
    Vehicle v = car(300000);
    v.BussMilage = 1;
    v.TotalDistance = 20000;
    v.BusDistance = 25000;
    CompanyCarRegister reg = registerOf({v}, 0, false);
    const CarResult r = recalculate(reg).Cars[0];
    EXPECT_EQ(r.BusDistance, 20000);
    EXPECT_EQ(r.PrivateDistance, 0);
    EXPECT_EQ(r.TrueInclusion, 0);
    EXPECT_EQ(reg.Cars[0].BusDistance, 20000);  // kept with the vehicle
}

TEST(CompCarCalc, OdometerReadingsGiveTheTotalDistance)
{
    Vehicle v = car(300000);
    v.StartMileage = 12000;
    v.EndMileage = 42000;
    v.TotalDistance = 5;
    CompanyCarRegister reg = registerOf({v}, 0, false);
    recalculate(reg);
    EXPECT_EQ(reg.Cars[0].TotalDistance, 30000);
}

// A total distance of 0 makes every statement that divides by it fail: those
// are skipped and leave their figures at 0; the rest still run.
TEST(CompCarCalc, ZeroDistanceSkipsOnlyTheDivisions)
{
    struct Case {
        double fb3802, actual3802, adjustment;
    };
    for (const Case c : {Case{5000, 10000, -5000}, Case{5000, 3000, -3000}, Case{0, 0, 0}}) {
        Vehicle v = car(300000);
        v.BussMilage = 1;
        v.SARSTable = 1;
        v.EmpPaidInsurance = 4000;
        v.ActualExpEmployee = 900;
        v.FB3802ThisCar = c.fb3802;
        CompanyCarRegister reg = registerOf({v}, c.actual3802, false);
        const CarResult r = CompCarCalc(reg).Cars[0];
        EXPECT_FALSE(r.skipped);
        EXPECT_EQ(r.TrueInclusion, 0);
        EXPECT_EQ(r.Arr_FuelClaim, 0);
        EXPECT_EQ(r.TotAddExpense, 0);
        EXPECT_EQ(r.FuelExp, 0);
        EXPECT_EQ(r.SARSDeductionClaim, 0);
        EXPECT_EQ(r.IRP53802, 126000);  // no division by the distance
        EXPECT_EQ(r.AdjustTaxableInc, c.adjustment);
    }
}

TEST(CompCarCalc, DeductionNeverExceedsTheIrp5Total)
{
    Vehicle v = car(300000);
    v.BussMilage = 1;
    v.TotalDistance = 20000;
    v.BusDistance = 10000;
    v.EmpPaidInsurance = 160000;  // half of it private: 80 000
    CompanyCarRegister reg = registerOf({v}, 50000, false);
    const CarResult r = calculatePressed(reg).Cars[0];
    EXPECT_EQ(r.FB3802ThisCar, 50000);  // the only vehicle carries the whole IRP5 total
    EXPECT_EQ(r.TrueInclusion, 63000);
    EXPECT_EQ(r.FuelExp, 80000);
    EXPECT_EQ(r.AdjustTaxableInc, -50000);  // 63 000 - 80 000 - 50 000 raised to -50 000
    EXPECT_EQ(r.SARSDeductionClaim, -(10000.0 / 20000 * 50000 + 80000));
}

TEST(CompCarCalc, WithoutAnIrp5TotalTheFloorIsZeroNotMinusZero)
{
    // Found by fuzzing: 46 days with the fuel table; the fuel claim exceeds
    // the inclusion, and the floor of no IRP5 total gave an adjustment of -0.
    Vehicle v = car(300000, defaultTaxYear().start, defaultTaxYear().start + 45);
    v.BussMilage = 1;
    v.SARSTable = 1;
    v.StartMileage = 1000;
    v.EndMileage = 25000;
    v.BusDistance = 5000;
    CompanyCarRegister reg = registerOf({v}, 0, false);
    const CompCarResult result = calculatePressed(reg);
    EXPECT_LT(result.Cars[0].TrueInclusion, result.Cars[0].FuelExp);
    EXPECT_EQ(result.Cars[0].AdjustTaxableInc, 0);
    EXPECT_FALSE(std::signbit(result.Cars[0].AdjustTaxableInc));
    EXPECT_FALSE(std::signbit(result.TotAdjustTaxableInc));
}

TEST(CompCarCalc, AutoSplitSharesTheIrp5TotalByDaysHeld)
{
    CompanyCarRegister reg = registerOf({car(200000, defaultTaxYear().start, defaultTaxYear().start + 99),
                                         car(250000, defaultTaxYear().start + 100, defaultTaxYear().end)},
                                        73000, true);
    const CompCarResult r = recalculate(reg);
    EXPECT_EQ(r.Cars[0].UseDays, 100);
    EXPECT_EQ(r.Cars[1].UseDays, 265);
    EXPECT_DOUBLE_EQ(r.Cars[0].FB3802ThisCar, 20000);
    EXPECT_DOUBLE_EQ(r.Cars[1].FB3802ThisCar, 53000);
    EXPECT_DOUBLE_EQ(reg.Cars[1].FB3802ThisCar, 53000);
    // A vehicle added with only its registration takes no share: the
    // declared total still goes whole to the vehicles that are valued.
    reg = registerOf({car(200000, defaultTaxYear().start, defaultTaxYear().start + 99),
                      car(250000, defaultTaxYear().start + 100, defaultTaxYear().end), car(0)},
                     73000, true);
    const CompCarResult withBlank = recalculate(reg);
    EXPECT_DOUBLE_EQ(withBlank.Cars[0].FB3802ThisCar, 20000);
    EXPECT_DOUBLE_EQ(withBlank.Cars[1].FB3802ThisCar, 53000);
    EXPECT_EQ(withBlank.Cars[2].FB3802ThisCar, 0);
    EXPECT_EQ(withBlank.TotAdjustTaxableInc, r.TotAdjustTaxableInc);
    // Without the auto split the typed amounts stand.
    reg.AutoSplit3802 = 0;
    reg.Cars[0].FB3802ThisCar = 1234;
    EXPECT_EQ(CompCarCalc(reg).Cars[0].FB3802ThisCar, 1234);
}

// The results and totals depend on the register alone, never on which
// vehicle the window shows; a vehicle without distance and price is skipped
// on its own, and a vehicle without a price takes its claim as adjustment.
TEST(CompCarCalc, TotalsDoNotDependOnTheVehicleShown)
{
    Vehicle blank = car(0);  // no distance, no price
    blank.FB3802ThisCar = 7000;
    Vehicle own = car(0);  // the employee's own car, with a log book
    own.BussMilage = 1;
    own.TotalDistance = 30000;
    own.BusDistance = 12000;
    own.FB3802ThisCar = 6000;
    own.EmpPaidInsurance = 9000;
    CompanyCarRegister reg = registerOf({car(300000), blank, own}, 20000, false);

    CompCarResult first;
    for (int shown = 1; shown <= 3; ++shown) {
        reg.CurrentCar = reg.DisplayedCar = shown;
        const CompCarResult r = CompCarCalc(reg);
        if (shown == 1)
            first = r;
        EXPECT_EQ(r.TotAdjustTaxableInc, first.TotAdjustTaxableInc) << shown;
        EXPECT_EQ(r.TotAdjustTaxableIncSARS, first.TotAdjustTaxableIncSARS) << shown;
    }
    EXPECT_TRUE(first.Cars[1].skipped);
    EXPECT_EQ(first.Cars[1].AdjustTaxableInc, 0);
    EXPECT_EQ(first.Cars[1].FB3802ThisCar, 7000);  // typed, kept
    EXPECT_EQ(first.Cars[0].AdjustTaxableInc, 126000);
    // Own car: FuelExp = R(9000 * 18000 / 30000) = 5400; claim -(0.4 * 6000 + 5400).
    EXPECT_EQ(first.Cars[2].SARSDeductionClaim, -7800);
    EXPECT_EQ(first.Cars[2].AdjustTaxableInc, -7800);
    EXPECT_EQ(first.TotAdjustTaxableInc, 126000 - 7800);
    EXPECT_EQ(first.TotAdjustTaxableIncSARS, -7800);
}

TEST(CompCarCalc, FuelTableValuesFuelByDistance)
{
    Vehicle v = car(300000);
    v.SARSTable = 1;
    v.BussMilage = 1;
    v.TotalDistance = 10000;
    v.BusDistance = 4000;
    v.FuelReimbEmployer = 1000;
    const CompanyCarRegister reg = registerOf({v}, 0, false);
    const CarResult window = CompCarCalc(reg).Cars[0];
    EXPECT_EQ(window.FuelComponent, 11890);  // 1.189 R/km
    EXPECT_EQ(window.Arr_FuelClaim, 6534);  // R((11 890 - 1 000) * 0.6)
    const CarResult print = PrintCalc(reg, CompCarCalc(reg)).Cars[0];
    EXPECT_EQ(print.FuelComponent, 10750);  // 1.075 R/km in the print-time table
    EXPECT_EQ(print.Arr_FuelClaim, 5850);
    EXPECT_EQ(print.IRP53802, window.IRP53802);
}

TEST(CompanyCarRegister, AddBrowseAndDelete)
{
    CompanyCarRegister reg;
    reg.Template.CCPrice = 150000;  // typed while empty: the next vehicle's start
    reg.Template.CCStartDate = 0;
    openCompCar(reg);
    EXPECT_EQ(compCarCaption(reg), "Full use of Company Car :  Vehicle number 0 of 0");
    EXPECT_EQ(reg.Template.CCStartDate, defaultTaxYear().start);

    const auto added = addVehicle(reg);
    ASSERT_TRUE(added);
    EXPECT_EQ(reg.CarCount(), 1);
    EXPECT_EQ(reg.Cars[0].CCPrice, 150000);
    EXPECT_EQ(reg.Cars[0].CCEndDate, defaultTaxYear().end);
    EXPECT_EQ(compCarCaption(reg), "Full use of Company Car :  Vehicle number 1 of 1");
    EXPECT_FALSE(added->fields);
    EXPECT_TRUE(added->regNumber && added->focusRegNumber && added->add && added->ok && added->remove);
    EXPECT_FALSE(added->autoSplitVisible);
    EXPECT_FALSE(addVehicle(reg)) << "no registration number yet";
    EXPECT_EQ(reg.CarCount(), 1);

    reg.Cars[0].CCRegNumber = "ONE";
    const CompCarControls typed = registrationRule(reg);
    EXPECT_TRUE(typed.fields);
    EXPECT_FALSE(typed.back || typed.forward);

    ASSERT_TRUE(addVehicle(reg));
    EXPECT_EQ(reg.AutoSplit3802, 1);
    reg.Cars[1].CCRegNumber = "TWO";
    const auto third = addVehicle(reg);
    ASSERT_TRUE(third);
    EXPECT_TRUE(third->autoSplitVisible);
    reg.Cars[2].CCRegNumber = "THREE";
    EXPECT_EQ(compCarCaption(reg), "Full use of Company Car :  Vehicle number 3 of 3");

    stepForward(reg);  // from the last to the first
    EXPECT_EQ(reg.DisplayedCar, 1);
    const CompCarControls back = stepBack(reg);  // from the first to the last
    EXPECT_EQ(reg.DisplayedCar, 3);
    EXPECT_EQ(reg.CurrentCar, 3);
    EXPECT_TRUE(back.back && back.forward && back.fields);
    stepBack(reg);
    EXPECT_EQ(reg.CurrentCar, 2);

    ASSERT_TRUE(deleteVehicle(reg));
    ASSERT_EQ(reg.CarCount(), 2);
    EXPECT_EQ(reg.Cars[0].CCRegNumber, "ONE");
    EXPECT_EQ(reg.Cars[1].CCRegNumber, "THREE");
    EXPECT_EQ(reg.CurrentCar, 1);
    EXPECT_EQ(compCarCaption(reg), "Full use of Company Car :  Vehicle number 1 of 2");
    EXPECT_EQ(reg.Template, Vehicle{});

    reg.Actual3802 = 9000;
    ASSERT_TRUE(deleteVehicle(reg));
    const auto last = deleteVehicle(reg);
    ASSERT_TRUE(last);
    EXPECT_EQ(reg.CarCount(), 0);
    EXPECT_EQ(reg.Actual3802, 0);
    EXPECT_EQ(compCarCaption(reg), "Full use of Company Car :  Vehicle number 0 of 0");
    EXPECT_TRUE(last->add && last->ok && last->calculate && last->print);
    EXPECT_FALSE(last->remove || last->fields || last->back);
    EXPECT_FALSE(deleteVehicle(reg)) << "nothing to delete";
    EXPECT_EQ(reg.CarCount(), 0);
}

TEST(CompanyCarRegister, BrowsingAVehicleWithoutRegistration)
{
    CompanyCarRegister reg = registerOf({car(1), car(2)}, 0, false);
    reg.Cars[1].CCRegNumber.clear();
    const CompCarControls c = stepForward(reg);
    EXPECT_EQ(reg.CurrentCar, 2);
    EXPECT_FALSE(c.fields || c.regNumber);
    EXPECT_TRUE(c.ok && c.add && c.back && c.forward && c.remove);
}

TEST(CompanyCarRegister, VehicleDates)
{
    Vehicle v = car(1);
    EXPECT_FALSE(checkVehicleDates(v));
    v.CCStartDate = defaultTaxYear().start - 1;
    EXPECT_EQ(
        checkVehicleDates(v),
        (InputError{"Incorrect Date",
                    "The date entered is not correct please enter a date between 01/03/2017 and 28/02/2018", "start"}));
    v.CCStartDate = defaultTaxYear().start + 30;
    v.CCEndDate = defaultTaxYear().start + 10;
    EXPECT_EQ(
        checkVehicleDates(v),
        (InputError{"Incorrect Date",
                    "The date entered is not correct please enter a date between 31/03/2017 and 28/02/2018", "end"}));
}

TEST(CompanyCarRegister, VehicleReadings)
{
    Vehicle v = car(1);
    v.CCRegNumber = "CA 1";
    v.StartMileage = 25000;
    v.EndMileage = 10000;
    EXPECT_EQ(checkVehicleReadings(v, vehicleName(3, v)),
              (InputError{"Incorrect Mileage",
                          "Vehicle 3 (CA 1): the closing odometer reading (10000 km) is below the opening reading "
                          "(25000 km). Enter the readings at the start and at the end of the period.",
                          "end-km"}));
    // No end reading: the total distance is typed instead; equal readings are no distance.
    for (const double end : {0.0, 25000.0, 25000.5}) {
        v.EndMileage = end;
        EXPECT_FALSE(checkVehicleReadings(v, "x")) << end;
    }
}

}  // namespace
}  // namespace grossby
