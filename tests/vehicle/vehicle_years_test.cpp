// The vehicle calculators follow the tax year chosen: its dates and days, its
// travel cost table, and a refusal naming the year when its file has no
// table. The years are written to a folder of their own here, so the tests
// do not depend on which years are shipped.

#include "cli/batch.h"
#include "core/year_figures.h"
#include "vehicle/car_allowance.h"
#include "vehicle/cli/vehicle_commands.h"
#include "vehicle/vehicle_calculators.h"
#include "vehicle/vehicle_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace grossby {
namespace {

namespace fs = std::filesystem;

// 2017/18's scale and rebates (they add up), with the year's own dates and
// travel cost table; `travelCosts` empty leaves the table out.
std::string yearFile(int year, const std::string& start, const std::string& end, const std::string& travelCosts)
{
    return R"({
  "year": )" +
        std::to_string(year) + R"(, "label": ")" + taxYearLabel(year) + R"(", "start": ")" + start + R"(", "end": ")" +
        end + R"(",
  "scale": [
    { "above": 0, "rate": 18, "base": 0 }, { "above": 189880, "rate": 26, "base": 34178 },
    { "above": 296540, "rate": 31, "base": 61910 }, { "above": 410460, "rate": 36, "base": 97225 },
    { "above": 555600, "rate": 39, "base": 149475 }, { "above": 708310, "rate": 41, "base": 209032 },
    { "above": 1500000, "rate": 45, "base": 533625 } ],
  "rebates": { "primary": 13635, "secondary": 7479, "tertiary": 2493, "secondaryAge": 65, "tertiaryAge": 75 },
  "medicalCredits": { "firstTwo": 303, "further": 204, "additionalFactor": 0.333 },
  "retirementFund": { "share": 0.275, "cap": 350000 },
  "uifCeilings": [ { "from": ")" +
        start + R"(", "monthly": 14872 } ],
  "periods": { "weeks": 52, "fortnights": 26, "workingDays": 260 },
  "vehicle": { )" +
        (travelCosts.empty() ? std::string() : "\"travelCosts\": " + travelCosts + ",") + R"(
    "carBenefit": { "rate": 3.5, "rateWithPlan": 3.25 }, "inclusion": { "higher": 0.8, "lower": 0.2 },
    "distanceRule": { "longDistanceKm": 32000, "privateKm": 18000, "businessKm": 14000 },
    "deemed": { "privateShare": 0.025, "fuelShare": 0.0022, "maintenanceShare": 0.0018, "fuelCents": 120, "maintenanceCents": 85 } },
  "sources": [ "test" ]
})";
}

// The 2025/26 travel cost table as published (rand a year, rand a km).
const char* const k2026Table = R"([
  { "upTo": 100000, "fixed": 33940, "fuel": 1.467, "maintenance": 0.474 },
  { "upTo": 200000, "fixed": 60688, "fuel": 1.638, "maintenance": 0.593 },
  { "upTo": 300000, "fixed": 87497, "fuel": 1.779, "maintenance": 0.654 },
  { "upTo": 400000, "fixed": 111273, "fuel": 1.914, "maintenance": 0.714 },
  { "upTo": 500000, "fixed": 135048, "fuel": 2.048, "maintenance": 0.839 },
  { "upTo": 600000, "fixed": 159934, "fuel": 2.349, "maintenance": 0.985 },
  { "upTo": 700000, "fixed": 184867, "fuel": 2.389, "maintenance": 1.105 },
  { "upTo": 800000, "fixed": 211121, "fuel": 2.429, "maintenance": 1.225 },
  { "upTo": null, "fixed": 211121, "fuel": 2.429, "maintenance": 1.225 } ])";

class VehicleYears : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = fs::temp_directory_path() / ("grossby_vehicle_years_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const auto write = [](int year, const std::string& text) {
            std::ofstream(folder / (std::to_string(year) + ".json")) << text;
        };
        // 2019/20 holds 29 February 2020.
        write(2020, yearFile(2020, "2019-03-01", "2020-02-29", k2026Table));
        write(2026, yearFile(2026, "2025-03-01", "2026-02-28", k2026Table));
        // A year whose file has no travel cost table.
        write(2030, yearFile(2030, "2029-03-01", "2030-02-28", ""));
        addTaxYearFolder(folder);
        for (const auto& problem : taxYearProblems())
            ADD_FAILURE() << problem.file << ": " << problem.message;
    }
    static void TearDownTestSuite() { fs::remove_all(folder); }

    static const TaxYearFigures& year(int y)
    {
        const TaxYearFigures* figures = findTaxYear(y);
        if (!figures)
            throw std::runtime_error("no year " + std::to_string(y));
        return *figures;
    }

    static inline fs::path folder;
};

// A whole year's vehicle, 200 000 without a plan: 3.5 % a month of the value
// for twelve months however many days the year has.
TEST_F(VehicleYears, CompanyCarCountsTheDaysOfALeapYear)
{
    Vehicle v;
    v.CCRegNumber = "CA 1";
    v.CCPrice = 200000;
    v.CCStartDate = year(2020).start;
    v.CCEndDate = year(2020).end;
    const auto outcome = companyCarDescription().compute(registerOf({v}, 0, false, 2020), NoSettings{});
    ASSERT_TRUE(std::holds_alternative<CompCarResult>(outcome));
    const CarResult& r = std::get<CompCarResult>(outcome).Cars.at(0);
    EXPECT_EQ(r.UseDays, 366);
    EXPECT_DOUBLE_EQ(r.TrueInclusion, 84000);
    EXPECT_DOUBLE_EQ(r.IRP53802, 84000);
    // The printout's heading gives the year's own first and last days.
    const PrintRecord totals = CompCarPrintTotals(registerOf({v}, 0, false, 2020), std::get<CompCarResult>(outcome));
    EXPECT_NE(std::find(totals.begin(), totals.end(), PrintField{"YearStart", std::string("1 March 2019")}),
              totals.end());
    EXPECT_NE(std::find(totals.begin(), totals.end(), PrintField{"YearEnd", std::string("29 February 2020")}),
              totals.end());

    // A 2018/19 day is outside 2019/20, and the message gives 2019/20's dates.
    v.CCStartDate = year(2020).start - 1;
    const auto refused = companyCarDescription().compute(registerOf({v}, 0, false, 2020), NoSettings{});
    ASSERT_TRUE(std::holds_alternative<InputError>(refused));
    EXPECT_EQ(std::get<InputError>(refused).text,
              "Vehicle 1 (CA 1): The date entered is not correct please enter a date between 01/03/2019 and "
              "29/02/2020");
}

// A register file whose vehicles give no dates holds them for the whole of
// the year chosen on the command line.
TEST_F(VehicleYears, RegisterFileDatesLeftBlankFollowTheYear)
{
    const fs::path file = folder / "register.csv";
    std::ofstream(file) << "registration,price,start,end\nCA 1,200000,,\nCA 2,200000,01/06/2019,\n";
    const auto calcs = cli::vehicleCalculators();
    const cli::Calculator& calc = *calcs.at(0);
    ASSERT_EQ(calc.name, "company-car");
    auto run = calc.start();
    ASSERT_FALSE(run->set(*calc.inputIndex("vehicles"), file.string()));
    ASSERT_FALSE(run->set(*calc.inputIndex("year"), "2019/20"));
    std::string rejection;
    ASSERT_TRUE(run->run(rejection)) << rejection;
    const std::size_t list = 2;  // after the two totals
    const auto columns = run->listColumns(list);
    std::size_t days = 0;
    while (days < columns.size() && columns[days].key != std::string("use_days"))
        ++days;
    ASSERT_LT(days, columns.size());
    EXPECT_EQ(run->listValue(list, 0, days), 366);
    EXPECT_EQ(run->listValue(list, 1, days), 274);  // 1 June 2019 to 29 February 2020
}

// 2025/26 at the top of the band to 200 000 and just above it: 30 000 km for
// the whole year, 20 000 of them on business. By hand from the published
// table: 60 688 / 30 000 = 2.022933 rand a km (cut to six decimals), with
// 163.8 c and 59.3 c: 425.3933 c/km, 20 000 km give R85 078.66; above it
// 87 497 / 30 000 = 2.916566, with 177.9 c and 65.4 c: 534.9566 c/km,
// R106 991.32.
TEST_F(VehicleYears, CarAllowanceTakesTheYearsTable)
{
    struct Case {
        double value;
        double totalCents;
        double claim;
    };
    for (const Case c : {Case{200000, 425.3933, 85078.66}, Case{200001, 534.9566, 106991.32}}) {
        CarAllowanceInputs in;
        in.TaxYear = 2026;
        in.StartDate = year(2026).start;
        in.EndDate = year(2026).end;
        in.VehicleValue = c.value;
        in.CloseKm = 30000;
        in.BusinessKmInput = 20000;
        const auto outcome = CalcCarAllowance(in);
        ASSERT_TRUE(std::holds_alternative<CarAllowanceResult>(outcome)) << c.value;
        const CarAllowanceResult& r = std::get<CarAllowanceResult>(outcome);
        EXPECT_DOUBLE_EQ(r.TotalRatePerKm, c.totalCents) << c.value;
        EXPECT_NEAR(r.DeductionClaim, c.claim, 0.005) << c.value;
        // The printout's heading names the year.
        const PrintRecord row = PrintCarAll1(in, r);
        EXPECT_NE(std::find(row.begin(), row.end(), PrintField{"TaxYearHeading", std::string("Tax year 2025/26")}),
                  row.end());
    }
}

// A year without a travel cost table refuses the deemed costs and fuel
// valued with the table, naming the year and the table; actual costs and a
// company car without the fuel table need no table and still work.
TEST_F(VehicleYears, AYearWithoutATravelTableRefusesOnlyWhatNeedsIt)
{
    CarAllowanceInputs in;
    in.TaxYear = 2030;
    in.StartDate = year(2030).start;
    in.EndDate = year(2030).end;
    in.VehicleValue = 300000;
    in.CloseKm = 30000;
    in.BusinessKmInput = 12000;
    const auto deemed = CalcCarAllowance(in);
    ASSERT_TRUE(std::holds_alternative<InputError>(deemed));
    EXPECT_EQ(std::get<InputError>(deemed).text,
              "The 2029/30 figures have no travel cost table (the deemed costs of a travel allowance). Choose "
              "another tax year, or add the table to the year's file.");

    in.RecordKept = 1;
    in.FuelOilCost = 30000;
    const auto actual = CalcCarAllowance(in);
    ASSERT_TRUE(std::holds_alternative<CarAllowanceResult>(actual));
    EXPECT_DOUBLE_EQ(std::get<CarAllowanceResult>(actual).DeductionClaim, 12000);

    Vehicle v;
    v.CCRegNumber = "CA 1";
    v.CCPrice = 200000;
    v.CCStartDate = year(2030).start;
    v.CCEndDate = year(2030).end;
    v.TotalDistance = 20000;
    EXPECT_TRUE(std::holds_alternative<CompCarResult>(
        companyCarDescription().compute(registerOf({v}, 0, false, 2030), NoSettings{})));
    v.SARSTable = 1;
    const auto table = companyCarDescription().compute(registerOf({v}, 0, false, 2030), NoSettings{});
    ASSERT_TRUE(std::holds_alternative<InputError>(table));
    EXPECT_NE(std::get<InputError>(table).text.find("The 2029/30 figures have no travel cost table"),
              std::string::npos);
}

// One batch file, three years: each row is worked with its own year's table
// (2017/18: 73 427 / 30 000 = 2.447566, 110.6 c and 45.4 c: 400.7566 c/km,
// R80 151.32), and the year without a table is that row's error alone.
TEST_F(VehicleYears, BatchRowsCarTheirOwnYear)
{
    const fs::path in = folder / "allowances.csv";
    const fs::path out = folder / "allowances_out.csv";
    std::ofstream(in) << "name,year,vehicle-value,close-km,business-km\n"
                         "A,2018,200000,30000,20000\n"
                         "B,2025/26,200000,30000,20000\n"
                         "C,2030,200000,30000,20000\n";
    const auto calcs = cli::vehicleCalculators();
    const cli::Calculator& calc = *calcs.at(1);
    ASSERT_EQ(calc.name, "car-allowance");
    std::ostringstream messages;
    EXPECT_EQ(cli::runBatch(calc, *calc.start(), in.string(), out.string(), messages), 0) << messages.str();
    std::ifstream result(out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(result, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[1].find(",80151.3"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(",85078.6"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("The 2029/30 figures have no travel cost table"), std::string::npos) << lines[3];
}

}  // namespace
}  // namespace grossby
