#include "core/annual_tax.h"
#include "core/module1.h"
#include "core/rules.h"
#include "payroll/quicktax.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

TEST(Rules, AgeRebateStepsAt65And75)
{
    EXPECT_EQ(ageRebate(defaultTaxYear(), 0), 13635);
    EXPECT_EQ(ageRebate(defaultTaxYear(), 64), 13635);
    EXPECT_EQ(ageRebate(defaultTaxYear(), 65), 21114);
    EXPECT_EQ(ageRebate(defaultTaxYear(), 74), 21114);
    EXPECT_EQ(ageRebate(defaultTaxYear(), 75), 23607);
    EXPECT_EQ(ageRebate(defaultTaxYear(), 120), 23607);
}

struct DeductionCase {
    const char* what;
    PayFigures pay;
    double cap;
    double expected;
};

TEST(Rules, RetirementFundDeductionIsTheLesserOfContributionsAndShareThenCapped)
{
    const DeductionCase cases[] = {
        {"contributions under 27.5 %",
         {.salary = 30000, .employerRetirementFund = 3000, .employeeRetirementFund = 2000},
         350000.0 / 12,
         5000},
        {"27.5 % under contributions",
         {.salary = 10000, .employerRetirementFund = 3000, .employeeRetirementFund = 2000},
         350000.0 / 12,
         3575},
        {"monthly cap", {.salary = 160000, .employerRetirementFund = 40000}, 350000.0 / 12, 350000.0 / 12},
        {"every part of remuneration counts",
         {.salary = 1000,
          .commission = 1000,
          .bonus = 1000,
          .travelAllowance = 1000,
          .employerRetirementFund = 1000,
          .employeeRetirementFund = 9000,
          .employerMedical = 1000},
         350000,
         0.275 * 5800},
        {"no contributions", {.salary = 50000}, 350000, 0},
    };
    for (const auto& c : cases) {
        const double remuneration = retirementFundRemuneration(c.pay, 0.8);
        EXPECT_NEAR(retirementFundDeduction(defaultTaxYear(), c.pay, remuneration, c.cap), c.expected, 1e-9) << c.what;
    }
}

TEST(Rules, MedicalSchemeFeesCreditByBeneficiaries)
{
    const PayFigures withContribution{.employeeMedical = 1};
    const int expected[] = {0, 303, 606, 810, 1014};
    for (int n = 0; n <= 4; ++n)
        EXPECT_EQ(monthlyMedicalCredit(defaultTaxYear(), n, withContribution), expected[n]) << n << " beneficiaries";
    EXPECT_EQ(monthlyMedicalCredit(defaultTaxYear(), 3, PayFigures{.employerMedical = 1}), 810)
        << "employer's contribution alone";
    EXPECT_EQ(monthlyMedicalCredit(defaultTaxYear(), 3, PayFigures{}), 0) << "no contribution, no credit";
    // Counts far past what a 16-bit product holds stay exact.
    EXPECT_EQ(monthlyMedicalCredit(defaultTaxYear(), 99, withContribution), 606 + 97 * 204);
    EXPECT_EQ(monthlyMedicalCredit(defaultTaxYear(), 200, withContribution), 606 + 198 * 204);
}

TEST(Rules, AdditionalMedicalCreditFrom65)
{
    const PayFigures pay{.employerMedical = 2000, .employeeMedical = 1000};
    EXPECT_NEAR(additionalMedicalCredit(defaultTaxYear(), 66, 606, pay), 0.333 * (3000 - 1818), 1e-9);
    EXPECT_NEAR(additionalMedicalCredit(defaultTaxYear(), 66, 606, pay), 393.61, 0.005);
    EXPECT_EQ(additionalMedicalCredit(defaultTaxYear(), 64, 606, pay), 0);
    EXPECT_EQ(additionalMedicalCredit(defaultTaxYear(), 66, 0, pay), 0) << "needs a medical scheme fees credit";
    EXPECT_EQ(additionalMedicalCredit(defaultTaxYear(), 66, 606, PayFigures{.employerMedical = 1000}), 0)
        << "contributions below three times the credit give nothing, never a negative credit";
}

TEST(Rules, TaxLiabilityIsNeverNegative)
{
    EXPECT_DOUBLE_EQ(taxLiability(1000, 303, 100), 597);
    EXPECT_EQ(taxLiability(300, 303, 0), 0);
    EXPECT_EQ(taxLiability(303, 303, 0), 0);
}

TEST(Rules, UifIsLimitedAndLeavesCommissionOut)
{
    auto [ee, er] = uifContributions(20000, 15000, 1, 1);
    EXPECT_DOUBLE_EQ(ee, 150);
    EXPECT_DOUBLE_EQ(er, 150);
    std::tie(ee, er) = uifContributions(12000, 15000, 1, 2);
    EXPECT_DOUBLE_EQ(ee, 120);
    EXPECT_DOUBLE_EQ(er, 240);

    const PayFigures pay{.salary = 10000,
                         .commission = 5000,
                         .bonus = 1000,
                         .travelAllowance = 1000,
                         .employerRetirementFund = 500,
                         .employeeRetirementFund = 700,
                         .employerMedical = 300,
                         .employeeMedical = 400};
    EXPECT_DOUBLE_EQ(uifRemuneration(pay, 0.8), 10000 + 300 + 1000 + 800 + 500);
    EXPECT_DOUBLE_EQ(uifRemuneration(pay, 0.2), 10000 + 300 + 1000 + 200 + 500);
}

TEST(Rules, SkillsLevyHasNoLimit)
{
    // (UIF remuneration - deduction + commission) x 1 %.
    EXPECT_DOUBLE_EQ(skillsLevy(100000, 5000, 20000, 1), 1150);
    EXPECT_DOUBLE_EQ(skillsLevy(1000, 0, 0, 0), 0);
}

TEST(Rules, CalcAnnualTaxLeavesTheIncomeInTheSharedState)
{
    EXPECT_NEAR(annualTaxOn(defaultTaxYear(), 240000), 47209.20, 1e-6);
    Module1 state;
    state.AnnualTaxableIncome = 240000;
    CalcAnnualTax(state, grossby::defaultTaxYear());
    EXPECT_NEAR(state.memory<QuickTaxMemory>().AnnualTax, 47209.20, 1e-6);
    EXPECT_EQ(state.AnnualTaxableIncome, 240000);
}

}  // namespace
}  // namespace grossby
