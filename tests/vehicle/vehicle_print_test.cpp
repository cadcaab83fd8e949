// The rows the company car and travel allowance printouts stage.

#include "vehicle/car_allowance.h"
#include "vehicle/vehicle_print.h"

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

const PrintValue& field(const PrintRecord& row, const std::string& name)
{
    for (const auto& f : row)
        if (f.name == name)
            return f.value;
    static const PrintValue missing = std::string("<missing>");
    ADD_FAILURE() << name;
    return missing;
}

TEST(CompCarPrint, OneRowPerVehicleInFieldOrder)
{
    Vehicle a;
    a.CCRegNumber = "ND 1";
    a.CCPrice = 300000;
    a.MaintIncluded = 1;
    a.SARSTable = 1;
    a.BussMilage = 1;
    a.TotalDistance = 10000;
    a.BusDistance = 4000;
    a.CCEndDate = 42978;  // 31/08/2017
    Vehicle b;
    b.CCRegNumber = "ND 2";
    b.TotalDistance = 20000;  // no price: the employee's own car
    b.BusDistance = 5000;
    b.BussMilage = 1;
    b.EmpPaidInsurance = 4000;
    const CompanyCarRegister reg = registerOf({a, b}, 0, false);
    const auto rows = CompCarPrint(reg, PrintCalc(reg, CompCarCalc(reg)));
    ASSERT_EQ(rows.size(), 2u);

    const std::vector<std::string> order = {
        "CarNum",
        "CMVMaxNum",
        "CCRegNumber",
        "CCMake",
        "CCModel",
        "CCPrice",
        "MaintIncluded",
        "CCMonths",
        "EndMileage",
        "StartMileage",
        "TotalDistance",
        "BusDistance",
        "ActualExpEmployee",
        "SARSTable",
        "FuelReimbEmployer",
        "EmpPaidInsurance",
        "EmpPaidLicence",
        "EmpPaidMaintenance",
        "Actual3802",
        "FB3802ThisCar",
        "AdjustTaxableInc",
        "SARSDeductionClaim",
        "TrueInclusion",
        "PrivateDistance",
        "FuelComponent",
        "Arr_FuelClaim",
        "TotAddExpense",
        "FuelExp",
        "BussMilage",
        "YearOfManfact",
        "CCStartDate",
        "CCEndDate",
        "IRP53802",
        "MonFB80",
        "MonFB20",
        "FortFB80",
        "FortFB20",
        "WeekFB80",
        "WeekFB20",
        "TaxYear",
        "TaxYearHeading",
    };
    EXPECT_EQ(names(rows[0]), order);
    // 2017/18's printout names no year in its heading.
    EXPECT_EQ(field(rows[0], "TaxYear"), PrintValue(std::string("2017/18")));
    EXPECT_EQ(field(rows[0], "TaxYearHeading"), PrintValue(std::string()));
    EXPECT_EQ(field(rows[0], "CarNum"), PrintValue(std::int32_t{1}));
    EXPECT_EQ(field(rows[1], "CarNum"), PrintValue(std::int32_t{2}));
    EXPECT_EQ(field(rows[1], "CMVMaxNum"), PrintValue(std::int32_t{2}));
    for (const char* flag : {"MaintIncluded", "SARSTable", "BussMilage"})
        EXPECT_EQ(field(rows[0], flag), PrintValue(std::string("Yes"))) << flag;
    EXPECT_EQ(field(rows[1], "MaintIncluded"), PrintValue(std::string("No")));
    EXPECT_EQ(field(rows[0], "CCMonths"), PrintValue(184.0));
    EXPECT_EQ(field(rows[0], "CCStartDate"), PrintValue(std::string("01/03/2017")));
    EXPECT_EQ(field(rows[0], "CCEndDate"), PrintValue(std::string("31/08/2017")));
    EXPECT_EQ(field(rows[0], "FuelComponent"), PrintValue(10750.0));  // print-time band

    // Own car: FuelExp R(4 000 * 0.75) = 3 000, claim -(0.25 * 0 + 3 000).
    EXPECT_EQ(field(rows[1], "AdjustTaxableInc"), PrintValue(-3000.0));
    EXPECT_EQ(field(rows[1], "SARSDeductionClaim"), PrintValue(-3000.0));
    EXPECT_EQ(field(rows[1], "TrueInclusion"), PrintValue(0.0));
}

TEST(CompCarPrint, EmptyRegisterStagesNoRows)
{
    const CompanyCarRegister reg;
    EXPECT_TRUE(CompCarPrint(reg, PrintCalc(reg, CompCarCalc(reg))).empty());
    EXPECT_EQ(compCarReport().table, "compcar");
}

TEST(PrintCarAll1, FieldsOfEachMethod)
{
    CarAllowanceInputs in;
    in.EmployeeName = "P. Dlamini";
    in.VehicleValue = 300000;
    in.OpenKm = 10000;
    in.CloseKm = 40000;
    in.BusinessKmInput = 12000;
    in.IncludeFuel = 0;
    const auto r = std::get<CarAllowanceResult>(CalcCarAllowance(in));
    const PrintRecord deemedRow = PrintCarAll1(in, r);
    EXPECT_EQ(names(deemedRow),
              (std::vector<std::string>{"TPName", "CARNO",       "mta01",     "mta04",   "mta05",   "mta06",
                                        "mta07",  "tadeduction", "MTD",       "MBD",     "mpd",     "mta03",
                                        "mta14",  "cv",          "fce",       "fc",      "mc",      "tatc",
                                        "FCDet",  "MCDet",       "DateStart", "DateEnd", "TaxYear", "TaxYearHeading"}));
    EXPECT_EQ(field(deemedRow, "FCDet"), PrintValue(std::string("Fuel costs not included")));
    EXPECT_EQ(field(deemedRow, "MCDet"), PrintValue(std::string("Maintenance costs")));
    EXPECT_EQ(field(deemedRow, "fc"), PrintValue(0.0));
    EXPECT_EQ(field(deemedRow, "mta14"), PrintValue(365.0));
    EXPECT_EQ(field(deemedRow, "DateStart"), PrintValue(std::string("01/03/2017")));
    EXPECT_EQ(field(deemedRow, "DateEnd"), PrintValue(std::string("28/02/2018")));
    EXPECT_EQ(carAllowanceReport(in).templateName, "caepnrk.rpt");

    in.RecordKept = 1;
    in.FuelOilCost = 60000;
    const PrintRecord actualRow = PrintCarAll1(in, std::get<CarAllowanceResult>(CalcCarAllowance(in)));
    EXPECT_EQ(
        names(actualRow),
        (std::vector<std::string>{"TPName",      "CARNO", "mta01", "mta04",   "mta05", "mta06",   "mta07",
                                  "tadeduction", "MTD",   "MBD",   "mpd",     "mta08", "mta09",   "mta10",
                                  "mta11",       "mta12", "mta13", "totcost", "pu",    "TaxYear", "TaxYearHeading"}));
    EXPECT_EQ(field(actualRow, "tadeduction"), PrintValue(24000.0));
    EXPECT_EQ(carAllowanceReport(in).templateName, "caeprk.rpt");
}

}  // namespace
}  // namespace grossby
