// The package calculators follow the tax year they are given: its scale,
// rebates and UIF ceilings, forward and in reverse.

#include "calc_test_util.h"
#include "core/annual_tax.h"
#include "package/package_calc.h"
#include "payroll/test_years.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

using test::ok;
using test::rejected;
using test::testYear;

#define EXPECT_CENTS(actual, expected) EXPECT_NEAR((actual), (expected), 0.005)

// UIF and the levy 1 % each; the store's UIF limit, which is 2017/18's.
PackageSettings storedSettings()
{
    PackageSettings s;
    s.EmployeeUIF = 1;
    s.EmployerUIF = 1;
    s.SkillLevy = 1;
    s.UIFLimit = 14872;
    return s;
}

PackageInputs package(double amount, int year, PackagePeriod period = PackagePeriod::Monthly)
{
    PackageInputs in;
    in.amount = amount;
    in.age = 40;
    in.TaxYear = year;
    in.period = period;
    return in;
}

TEST(PackageTaxYears, ForwardPackageTaxesOnTheYearsScaleAndCeiling)
{
    testYear(2026);
    const PackageResult r = ok(CalcPackage(package(30000, 2026), storedSettings()));
    // 360 000 a year in 2025/26: 42 678 + 26 % of 122 900, less 17 235.
    EXPECT_CENTS(r.packageTax, (42678 + (360000 - 237100) * 0.26 - 17235) / 12);
    EXPECT_EQ(r.ageRebate, 17235);
    EXPECT_CENTS(r.uifEmployee, 177.12);  // the year's ceiling, not the store's 2017/18 figure
    PackageSettings given = storedSettings();
    given.UIFLimitYear = 0;  // the limit given for this calculation
    EXPECT_CENTS(ok(CalcPackage(package(30000, 2026), given)).uifEmployee, 148.72);
    // 2017/18 as it always was.
    EXPECT_CENTS(ok(CalcPackage(package(30000, kDefaultTaxYear), storedSettings())).uifEmployee, 148.72);
}

TEST(PackageTaxYears, AnnualCeilingOf2021_22AddsUpItsMonths)
{
    testYear(2022);
    const PackageResult r = ok(CalcPackage(package(360000, 2022, PackagePeriod::Annual), storedSettings()));
    // Three months at 14 872 and nine at 17 712.
    EXPECT_CENTS(r.uifEmployee, (3 * 14872 + 9 * 17712) / 100.0);
}

TEST(PackageTaxYears, ReverseSearchFindsTheFirstGrossOnTheYearsScale)
{
    const TaxYearFigures& y = testYear(2026);
    const PackageInputs in = package(20000, 2026);
    const GrossUpResult r = ok(FindGrossSalary(in, storedSettings()));
    const NetPayFunction f = std::get<NetPayFunction>(NetPayFunction::prepare(in, storedSettings()));
    EXPECT_EQ(&f.year(), &y);
    EXPECT_GT(f.pass(r.grossSalaryFound).net, 20000);
    EXPECT_LE(f.pass(r.grossSalaryFound - 1).net, 20000);
    // The 2025/26 scale and rebate leave more of each rand than 2017/18's.
    EXPECT_LT(r.grossSalaryFound,
              ok(FindGrossSalary(package(20000, kDefaultTaxYear), storedSettings())).grossSalaryFound);
    EXPECT_EQ(rejected(FindGrossSalary(package(20000, 2041), storedSettings())).field, "year");
}

}  // namespace
}  // namespace grossby
