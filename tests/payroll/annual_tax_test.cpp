// The annual tax function as QuickTax works through it: the shared income
// in, the scale's figures kept in QuickTax's memory.
#include "core/annual_tax.h"
#include "core/module1.h"
#include "payroll/quicktax.h"

#include <gtest/gtest.h>

#include <string>

namespace grossby {
namespace {

struct TaxCase {
    double income;
    double marginalRate;
    double baseTax;
    double taxOnExcess;
    double annualTax;
};

class AnnualTaxTest : public ::testing::TestWithParam<TaxCase> { };

TEST_P(AnnualTaxTest, GivesTheScaleFigures)
{
    const TaxCase c = GetParam();
    Module1 s;
    s.AnnualTaxableIncome = c.income;
    CalcAnnualTax(s, grossby::defaultTaxYear());
    EXPECT_EQ(s.memory<QuickTaxMemory>().MarginalRate, c.marginalRate);
    EXPECT_EQ(s.memory<QuickTaxMemory>().BracketBaseTax, c.baseTax);
    EXPECT_NEAR(s.memory<QuickTaxMemory>().TaxOnExcess, c.taxOnExcess, 1e-6);
    EXPECT_NEAR(s.memory<QuickTaxMemory>().AnnualTax, c.annualTax, 1e-6);
    EXPECT_EQ(s.AnnualTaxableIncome, c.income) << "the input is left alone";
}

// Thresholds belong to the lower bracket; base amounts are whole rand, so the
// tax steps down by cents just above some thresholds.
INSTANTIATE_TEST_SUITE_P(
    Scale2018, AnnualTaxTest,
    ::testing::Values(TaxCase{0, 18, 0, 0, 0}, TaxCase{-1000, 18, 0, -180, -180},
                      TaxCase{189880, 18, 0, 34178.40, 34178.40}, TaxCase{189881, 26, 34178, 0.26, 34178.26},
                      TaxCase{296540, 26, 34178, 27731.60, 61909.60}, TaxCase{410460, 31, 61910, 35315.20, 97225.20},
                      TaxCase{500000, 36, 97225, 32234.40, 129459.40}, TaxCase{555600, 36, 97225, 52250.40, 149475.40},
                      TaxCase{708310, 39, 149475, 59556.90, 209031.90},
                      TaxCase{1500000, 41, 209032, 324592.90, 533624.90}, TaxCase{1500001, 45, 533625, 0.45, 533625.45},
                      TaxCase{20000000000.0, 45, 533625, 8999325000, 8999858625}),
    [](const ::testing::TestParamInfo<TaxCase>& param) {
        const long long v = static_cast<long long>(param.param.income);
        return (v < 0 ? "minus" + std::to_string(-v) : std::to_string(v));
    });

TEST(AnnualTax, SecondCallReplacesEveryResult)
{
    Module1 s;
    s.AnnualTaxableIncome = 2000000;
    CalcAnnualTax(s, grossby::defaultTaxYear());
    s.AnnualTaxableIncome = 100000;
    CalcAnnualTax(s, grossby::defaultTaxYear());
    EXPECT_EQ(s.memory<QuickTaxMemory>().MarginalRate, 18);
    EXPECT_EQ(s.memory<QuickTaxMemory>().BracketBaseTax, 0);
    EXPECT_DOUBLE_EQ(s.memory<QuickTaxMemory>().TaxOnExcess, 18000);
    EXPECT_DOUBLE_EQ(s.memory<QuickTaxMemory>().AnnualTax, 18000);
}

}  // namespace
}  // namespace grossby
