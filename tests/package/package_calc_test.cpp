// The package calculators' worked figures, their messages and the rules that
// differ between the monthly and the annual windows.

#include "calc_test_util.h"
#include "core/annual_tax.h"
#include "package/package_calc.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace grossby {
namespace {

using test::ok;
using test::rejected;

// UIF 1 % each up to 15 000 a month, skills levy 1 %, no R/Fund percentages.
PackageSettings plainSettings()
{
    PackageSettings s;
    s.EmployeeUIF = 1;
    s.EmployerUIF = 1;
    s.SkillLevy = 1;
    s.UIFLimit = 15000;
    return s;
}

PackageInputs monthly(double amount, int age = 40)
{
    PackageInputs in;
    in.amount = amount;
    in.age = age;
    return in;
}

constexpr double kCent = 0.005;

TEST(CalcPackage, WorkedExamples)
{
    struct Case {
        const char* what;
        std::function<void(PackageInputs&, PackageSettings&)> setUp;
        std::function<void(const PackageResult&)> check;
    };
    const Case cases[] = {
        {"package 30 000, nothing else", [](PackageInputs&, PackageSettings&) {},
         [](const PackageResult& r) {
             EXPECT_NEAR(r.packageTax, 5662.30, kCent);
             EXPECT_DOUBLE_EQ(r.uifEmployee, 150);
             EXPECT_DOUBLE_EQ(r.uifEmployer, 150);
             EXPECT_DOUBLE_EQ(r.sdl, 300);
             EXPECT_NEAR(r.takeHome, 24187.70, kCent);
             EXPECT_DOUBLE_EQ(r.totalCostToCompany, 30450);
             EXPECT_FALSE(r.rfWarning);
             EXPECT_EQ(r.onceOff, 0);
         }},
        {"employee R/Fund 7.5 %",
         [](PackageInputs& in, PackageSettings& s) {
             s.PensionCont = 7.5;
             in.employeeRF = 99;
         },
         [](const PackageResult& r) {
             EXPECT_DOUBLE_EQ(r.employeeRF, 2250);  // the typed amount gives way to the percentage
             EXPECT_DOUBLE_EQ(r.rfDeduction, 2250);
             EXPECT_NEAR(r.packageTax, (annualTax(defaultTaxYear(), 12 * 27750.0).annualTax - 13635) / 12, 1e-9);
             EXPECT_NEAR(r.sdl, 277.50, 1e-9);
             EXPECT_FALSE(r.rfWarning);
         }},
        {"R/Fund 20 % and 15 % exceed the limit",
         [](PackageInputs&, PackageSettings& s) {
             s.PensionCont = 20;
             s.EmployerPenCont = 15;
         },
         [](const PackageResult& r) {
             EXPECT_DOUBLE_EQ(r.employeeRF + r.employerRF, 10500);
             EXPECT_DOUBLE_EQ(r.rfDeduction, 9487.50);
             EXPECT_TRUE(r.rfWarning);
         }},
        {"annual, 36 beneficiary-months",
         [](PackageInputs& in, PackageSettings&) {
             in.period = PackagePeriod::Annual;
             in.amount = 360000;
             in.employeeMedical = 24000;
             in.beneficiaries = 36;
         },
         [](const PackageResult& r) { EXPECT_DOUBLE_EQ(r.medicalCredit, 9720); }},
        {"monthly, 4 beneficiaries",
         [](PackageInputs& in, PackageSettings&) {
             in.employerMedical = 2000;
             in.beneficiaries = 4;
         },
         [](const PackageResult& r) { EXPECT_DOUBLE_EQ(r.medicalCredit, 1014); }},
        {"beneficiaries without a contribution", [](PackageInputs& in, PackageSettings&) { in.beneficiaries = 4; },
         [](const PackageResult& r) {
             EXPECT_EQ(r.medicalCredit, 0);
             EXPECT_EQ(r.beneficiaries, 0);
         }},
        {"car 300 000 with a maintenance plan at 80 %",
         [](PackageInputs& in, PackageSettings& s) {
             in.carValue = 300000;
             s.CompCarMPYesNo = true;
         },
         [](const PackageResult& r) {
             EXPECT_DOUBLE_EQ(r.carFringeBenefit, 7800);
             EXPECT_DOUBLE_EQ(r.onceOff, 300000);
         }},
        {"the same car in the annual window, with a running cost",
         [](PackageInputs& in, PackageSettings& s) {
             in.period = PackagePeriod::Annual;
             in.amount = 360000;
             in.carValue = 300000;
             in.carCost = 2000;
             s.CompCarMPYesNo = true;
         },
         [](const PackageResult& r) {
             EXPECT_DOUBLE_EQ(r.carFringeBenefit, 93600);
             EXPECT_EQ(r.onceOff, 0);
             EXPECT_NEAR(r.totalCostToCompany, 360000 + r.uifEmployer + r.sdl + 2000, 1e-9);
         }},
        {"car without a plan at 20 %",
         [](PackageInputs& in, PackageSettings& s) {
             in.carValue = 200000;
             s.CompCarFBRate8020 = 0.2;
         },
         [](const PackageResult& r) { EXPECT_DOUBLE_EQ(r.carFringeBenefit, 1400); }},
        {"age 64: medical deductions are cleared",
         [](PackageInputs& in, PackageSettings&) {
             in.age = 64;
             in.medicalDeductions = 500;
         },
         [](const PackageResult& r) {
             EXPECT_EQ(r.medicalDeductions, 0);
             EXPECT_NEAR(r.takeHome, 24187.70, kCent);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackageInputs in = monthly(30000);
        PackageSettings s = plainSettings();
        c.setUp(in, s);
        c.check(ok(CalcPackage(in, s)));
    }
}

TEST(CalcPackage, MedicalDeductionsFrom65ReduceTheTakeHome)
{
    PackageInputs in = monthly(30000, 65);
    const double without = ok(CalcPackage(in, plainSettings())).takeHome;
    in.medicalDeductions = 500;
    const PackageResult r = ok(CalcPackage(in, plainSettings()));
    EXPECT_EQ(r.medicalDeductions, 500);
    EXPECT_DOUBLE_EQ(r.takeHome, without - 500);
}

TEST(CalcPackage, TravelAllowanceCountsAtItsInclusionRate)
{
    for (const auto& [rate, lower] : {std::pair{0.8, 1000.0}, std::pair{0.2, 4000.0}}) {
        PackageSettings s = plainSettings();
        s.TAIncRate8020 = rate;
        s.UIFLimit = 1e6;
        PackageInputs in = monthly(30000);
        const PackageResult plain = ok(CalcPackage(in, s));
        in.travelAllowance = 5000;
        const PackageResult withTravel = ok(CalcPackage(in, s));
        EXPECT_DOUBLE_EQ(plain.uifRemuneration - withTravel.uifRemuneration, lower) << rate;
        EXPECT_NEAR(plain.packageTax - withTravel.packageTax,
                    annualTax(defaultTaxYear(), 360000).annualTax / 12 -
                        annualTax(defaultTaxYear(), 12 * (30000 - lower)).annualTax / 12,
                    1e-9);
    }
}

TEST(CalcPackage, CreditsAboveTheTaxLeaveNoDeduction)
{
    PackageInputs in = monthly(9000, 70);
    in.employeeMedical = 4000;
    in.beneficiaries = 3;
    const PackageResult r = ok(CalcPackage(in, plainSettings()));
    EXPECT_DOUBLE_EQ(r.medicalCredit, 810);
    EXPECT_NEAR(r.additionalMedicalCredit, 0.333 * (4000 - 3 * 810), 1e-9);
    EXPECT_EQ(r.taxDeduction, 0);
    EXPECT_DOUBLE_EQ(r.taxCredit, r.medicalCredit + r.additionalMedicalCredit);
}

TEST(CalcPackage, RetirementCapPerPeriod)
{
    PackageSettings s = plainSettings();
    s.PensionCont = 15;
    s.EmployerPenCont = 12;
    PackageInputs in = monthly(200000);
    EXPECT_NEAR(ok(CalcPackage(in, s)).rfDeduction, 350000.0 / 12, 1e-9);
    in.period = PackagePeriod::Annual;
    in.amount = 2400000;
    EXPECT_DOUBLE_EQ(ok(CalcPackage(in, s)).rfDeduction, 350000);
}

TEST(CalcPackage, NoPackageIsRefused)
{
    for (const double amount : {0.0, -1.0}) {
        const InputError e = rejected(CalcPackage(monthly(amount), plainSettings()));
        EXPECT_EQ(e.title, "Grossby 2018");
        EXPECT_EQ(e.text, kNoPackageMessage);
    }
}

TEST(FindGrossSalary, WorkedExample)
{
    const GrossUpResult r = ok(FindGrossSalary(monthly(20000), plainSettings()));
    EXPECT_EQ(r.grossSalaryFound, 23984);
    EXPECT_NEAR(r.netPay, 20000.31, kCent);
    EXPECT_NEAR(r.packageTax, 3833.69, kCent);
    EXPECT_DOUBLE_EQ(r.uifEmployee, 150);
    EXPECT_NEAR(r.grossSalary, 23983.69, kCent);
    EXPECT_NEAR(r.sdl, 239.84, 1e-9);
    EXPECT_NEAR(r.totalCostToCompany, 24373.53, kCent);
    EXPECT_LE(r.evaluations, 64);
    EXPECT_FALSE(r.rfWarning);
}

TEST(FindGrossSalary, Refusals)
{
    struct Case {
        const char* what;
        std::function<void(PackageInputs&, PackageSettings&)> setUp;
        const char* message;
    };
    const Case cases[] = {
        {"no requirement", [](PackageInputs& in, PackageSettings&) { in.amount = 0; }, kNoNetRequiredMessage},
        {"travel allowance above the requirement",
         [](PackageInputs& in, PackageSettings&) { in.travelAllowance = 25000; }, kBenefitsMessage},
        {"other expenses count in the check",
         [](PackageInputs& in, PackageSettings&) {
             in.otherFringeBenefits = 12000;
             in.otherExpenses[2].amount = 8001;
         },
         kBenefitsMessage},
        {"annual: the typed employee R/Fund amount counts too",
         [](PackageInputs& in, PackageSettings&) {
             in.period = PackagePeriod::Annual;
             in.travelAllowance = 15000;
             in.employeeRF = 5001;
         },
         kBenefitsMessage},
        {"employee R/Fund at 100 %: more gross never gives more net",
         [](PackageInputs&, PackageSettings& s) { s.PensionCont = 100; }, kNetCannotRiseMessage},
        {"employee R/Fund above 100 %", [](PackageInputs&, PackageSettings& s) { s.PensionCont = 150; },
         kNetCannotRiseMessage},
        // The net pay rises, but not to these by the search's ceiling.
        {"beyond the search's bound", [](PackageInputs& in, PackageSettings&) { in.amount = 2e11; },
         kGrossTooLargeMessage},
        {"far beyond the search's bound", [](PackageInputs& in, PackageSettings&) { in.amount = 999'999'999'999.99; },
         kGrossTooLargeMessage},
        {"annual, beyond the search's bound",
         [](PackageInputs& in, PackageSettings&) {
             in.period = PackagePeriod::Annual;
             in.amount = 2e11;
         },
         kGrossTooLargeMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackageInputs in = monthly(20000);
        PackageSettings s = plainSettings();
        c.setUp(in, s);
        const InputError e = rejected(FindGrossSalary(in, s));
        EXPECT_EQ(e.text, c.message);
        EXPECT_EQ(e.title, "Grossby 2018");
    }
}

TEST(FindGrossSalary, AnnualBenefitCheckSubtractsTheEmployerAmount)
{
    PackageInputs in = monthly(20000);
    in.travelAllowance = 22000;
    in.employerRF = 6000;
    EXPECT_EQ(rejected(FindGrossSalary(in, plainSettings())).text, kBenefitsMessage);
    in.period = PackagePeriod::Annual;
    EXPECT_TRUE(std::holds_alternative<GrossUpResult>(FindGrossSalary(in, plainSettings())));
}

TEST(FindGrossSalary, ANetPayEqualToTheRequirementDoesNotStop)
{
    // With no tax below the threshold and UIF above its ceiling, the net pay
    // is G less 150 exactly: a whole requirement lands on it.
    PackageInputs in = monthly(5000);
    PackageSettings s = plainSettings();
    s.UIFLimit = 15000;
    s.EmployeeUIF = 0;
    const GrossUpResult r = ok(FindGrossSalary(in, s));
    EXPECT_EQ(r.grossSalaryFound, 5001);
    EXPECT_EQ(r.netPay, 5001);
}

TEST(FindGrossSalary, CreditsAtOrAboveTheTaxAreSubtractedInstead)
{
    PackageInputs in = monthly(8000, 70);
    in.employeeMedical = 3000;
    in.beneficiaries = 2;
    const GrossUpResult r = ok(FindGrossSalary(in, plainSettings()));
    EXPECT_GE(r.taxCredit, r.packageTax);
    EXPECT_EQ(r.taxDeduction, 0);
    EXPECT_NEAR(r.netPay, r.grossSalaryFound - r.uifEmployee - r.taxCredit, 1e-9);
}

TEST(FindGrossSalary, RetirementPercentagesAboveTheLimitAreCleared)
{
    PackageSettings s;
    s.PensionCont = 20;
    EXPECT_FALSE(limitRetirementPercentages(s, defaultTaxYear()));
    s.EmployerPenCont = 7.5;
    EXPECT_FALSE(limitRetirementPercentages(s, defaultTaxYear()));
    EXPECT_EQ(s.PensionCont, 20);
    s.EmployerPenCont = 10;
    EXPECT_TRUE(limitRetirementPercentages(s, defaultTaxYear()));
    EXPECT_EQ(s.PensionCont, 0);
    EXPECT_EQ(s.EmployerPenCont, 0);
}

}  // namespace
}  // namespace grossby
