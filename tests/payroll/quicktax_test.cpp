#include "payroll/quicktax.h"

#include "core/module1.h"

#include <gtest/gtest.h>

#include <cmath>

namespace grossby {
namespace {

double cents(double v)
{
    return std::nearbyint(v * 100) / 100;
}

QuickTaxMemory& kept(Module1& s)
{
    return s.memory<QuickTaxMemory>();
}

struct Figures {
    double income;
    int age;
    double baseTax, marginalRate, portion, total, rebate, payable, averageRate, averageRateAfter;
};

class QuickTaxFigures : public ::testing::TestWithParam<Figures> { };

TEST_P(QuickTaxFigures, Calculate)
{
    const Figures& f = GetParam();
    Module1 s;
    s.AnnualTaxableIncome = f.income;
    ASSERT_FALSE(QuickTaxSetAge(s, f.age));
    QuickTaxCalculate(s);

    EXPECT_EQ(kept(s).QuickTaxIncome, f.income);
    EXPECT_EQ(kept(s).BracketBaseTax, f.baseTax);
    EXPECT_EQ(kept(s).MarginalRate, f.marginalRate);
    EXPECT_EQ(cents(kept(s).TaxOnExcess), f.portion);
    EXPECT_EQ(cents(kept(s).QuickTaxTotal), f.total);
    EXPECT_EQ(kept(s).QuickTaxTotal, kept(s).AnnualTax);
    EXPECT_EQ(kept(s).QuickTaxRebate, f.rebate);
    EXPECT_EQ(cents(kept(s).QuickTaxPayable), f.payable);
    EXPECT_EQ(cents(kept(s).QuickTaxAverageRate), f.averageRate);
    EXPECT_EQ(cents(kept(s).QuickTaxAverageRateAfter), f.averageRateAfter);
}

INSTANTIATE_TEST_SUITE_P(WorkedCases, QuickTaxFigures,
                         ::testing::Values(Figures{500000, 40, 97225, 36, 32234.40, 129459.40, 13635, 115824.40, 25.89,
                                                   23.16},
                                           // No income: no tax, the first bracket's rate as the average.
                                           Figures{0, 40, 0, 18, 0, 0, 13635, 0, 18, 0},
                                           // Tax below the rebate: nothing payable, no negative rate.
                                           Figures{70000, 70, 0, 18, 12600, 12600, 21114, 0, 18, 0},
                                           // Rebate steps at 65 and 75.
                                           Figures{150000, 64, 0, 18, 27000, 27000, 13635, 13365, 18, 8.91},
                                           Figures{150000, 65, 0, 18, 27000, 27000, 21114, 5886, 18, 3.92},
                                           Figures{150000, 74, 0, 18, 27000, 27000, 21114, 5886, 18, 3.92},
                                           Figures{150000, 75, 0, 18, 27000, 27000, 23607, 3393, 18, 2.26},
                                           // Negative income: negative tax, rate of the bracket, nothing payable.
                                           Figures{-1000, 40, 0, 18, -180, -180, 13635, 0, 18, 0}));

TEST(QuickTax, AgeRebateParts)
{
    Module1 s;
    const struct {
        int age;
        double ageRebate;
    } cases[] = {{-5, 0}, {64, 0}, {65, 7479}, {74, 7479}, {75, 9972}, {120, 9972}};
    for (const auto& c : cases) {
        kept(s).QuickTaxAge = static_cast<std::int16_t>(c.age);
        NEWCALC(s);
        EXPECT_EQ(kept(s).QuickTaxPrimaryRebate, 13635) << c.age;
        EXPECT_EQ(kept(s).QuickTaxAgeRebate, c.ageRebate) << c.age;
    }
}

TEST(QuickTax, CalculateTaxesTheIncomeLastTaxedByAnyCalculator)
{
    Module1 s;
    QuickTaxSetIncome(s, 500000);
    EXPECT_EQ(s.AnnualTaxableIncome, 500000);
    QuickTaxCalculate(s);
    EXPECT_EQ(cents(kept(s).QuickTaxPayable), 115824.40);

    // Another calculator taxes an annual equivalent; QuickTax follows it and
    // replaces every result (nothing carries over from the last run).
    s.AnnualTaxableIncome = 240000;
    QuickTaxCalculate(s);
    EXPECT_EQ(kept(s).QuickTaxIncome, 240000);
    EXPECT_EQ(cents(kept(s).QuickTaxTotal), 47209.20);
    EXPECT_EQ(kept(s).MarginalRate, 26);
}

TEST(QuickTax, InitialiseAllClearsResultsButNotIncomeOrAge)
{
    Module1 s;
    QuickTaxSetIncome(s, 500000);
    ASSERT_FALSE(QuickTaxSetAge(s, 70));
    QuickTaxCalculate(s);
    s.InitialiseAll();
    EXPECT_EQ(kept(s).QuickTaxPayable, 0);
    EXPECT_EQ(kept(s).QuickTaxTotal, 0);
    QuickTaxCalculate(s);
    EXPECT_EQ(kept(s).QuickTaxIncome, 500000);
    EXPECT_EQ(kept(s).QuickTaxRebate, 21114);
    EXPECT_EQ(cents(kept(s).QuickTaxPayable), 108345.40);
}

TEST(InitialiseAll, ResetsQuickTaxResultsAndKeepsWhatIsNotReset)
{
    Module1 s;
    s.AnnualTaxableIncome = 500000;
    kept(s).MarginalRate = 36;
    kept(s).BracketBaseTax = 97225;
    kept(s).TaxOnExcess = 32234.4;
    kept(s).AnnualTax = 129459.4;
    kept(s).QuickTaxPayable = 1;
    kept(s).QuickTaxPrimaryRebate = 13635;
    kept(s).QuickTaxTotal = 2;
    kept(s).QuickTaxAverageRate = 3;
    kept(s).QuickTaxAge = 70;
    kept(s).QuickTaxIncome = 500000;
    kept(s).QuickTaxRebate = 21114;
    kept(s).QuickTaxAgeRebate = 7479;
    kept(s).QuickTaxAverageRateAfter = 4;

    s.InitialiseAll();

    EXPECT_EQ(kept(s).MarginalRate, 0);
    EXPECT_EQ(kept(s).AnnualTax, 0);
    EXPECT_EQ(kept(s).QuickTaxPayable, 0);
    EXPECT_EQ(kept(s).QuickTaxPrimaryRebate, 0);
    EXPECT_EQ(kept(s).QuickTaxTotal, 0);
    EXPECT_EQ(kept(s).QuickTaxAverageRate, 0);

    EXPECT_EQ(s.AnnualTaxableIncome, 500000);
    EXPECT_EQ(kept(s).BracketBaseTax, 97225);
    EXPECT_EQ(kept(s).TaxOnExcess, 32234.4);
    EXPECT_EQ(kept(s).QuickTaxAge, 70);
    EXPECT_EQ(kept(s).QuickTaxIncome, 500000);
    EXPECT_EQ(kept(s).QuickTaxRebate, 21114);
    EXPECT_EQ(kept(s).QuickTaxAgeRebate, 7479);
    EXPECT_EQ(kept(s).QuickTaxAverageRateAfter, 4);
}

TEST(QuickTax, AgeIsRoundedHalfToEvenAndRefusedOutsideZeroTo150)
{
    Module1 s;
    const struct {
        double typed;
        int stored;
    } rounded[] = {{64.5, 64}, {65.5, 66}, {74.6, 75}, {-0.5, 0}, {150.4, 150}};
    for (const auto& c : rounded) {
        EXPECT_FALSE(QuickTaxSetAge(s, c.typed));
        EXPECT_EQ(kept(s).QuickTaxAge, c.stored) << c.typed;
    }
    ASSERT_FALSE(QuickTaxSetAge(s, 70));
    for (double bad : {150.6, 151.0, -1.0, 32767.5, 40000.0, -32769.0, 1e300}) {
        const auto message = QuickTaxSetAge(s, bad);
        ASSERT_TRUE(message) << bad;
        EXPECT_EQ(*message, kQuickTaxAgeMessage);
        EXPECT_EQ(kept(s).QuickTaxAge, 70) << bad;  // not wrapped, not changed
    }
}

TEST(QuickTax, PureCalculationAgreesWithTheSharedStateForm)
{
    for (const QuickTaxInputs in : {QuickTaxInputs{500000, 40}, QuickTaxInputs{0, 70}, QuickTaxInputs{150000, 75},
                                    QuickTaxInputs{-1000, 40}, QuickTaxInputs{2000000, 66}}) {
        Module1 s;
        QuickTaxSetIncome(s, in.income);
        ASSERT_FALSE(QuickTaxSetAge(s, in.age));
        QuickTaxCalculate(s);
        const QuickTaxResult r = CalcQuickTax(in, defaultTaxYear());
        EXPECT_EQ(KwikTaxRecord(r), KwikTaxRecord(s)) << in.income << " at " << in.age;
        EXPECT_EQ(r.total, kept(s).AnnualTax);
    }
}

TEST(QuickTax, PrintRecordFieldsInOrder)
{
    Module1 s;
    QuickTaxSetIncome(s, 500000);
    ASSERT_FALSE(QuickTaxSetAge(s, 40));
    QuickTaxCalculate(s);
    const PrintRecord r = KwikTaxRecord(s);
    const char* names[] = {"AGE",       "TAXINCOME", "TAXTOPAY",       "MARGRATE",  "PORTION",
                           "TOTTAX",    "REBATE",    "TAXCOM4",        "AVRATE",    "AVRATEAFT",
                           "TAXCOM4/2", "TaxYear",   "TaxYearHeading", "YearStart", "YearEnd"};
    ASSERT_EQ(r.size(), std::size(names));
    for (std::size_t i = 0; i < r.size(); ++i)
        EXPECT_EQ(r[i].name, names[i]);
    EXPECT_EQ(std::get<std::int32_t>(r[0].value), 40);
    EXPECT_EQ(std::get<double>(r[1].value), 500000);
    EXPECT_EQ(std::get<double>(r[2].value), 97225);
    EXPECT_EQ(std::get<double>(r[3].value), 36);
    EXPECT_EQ(cents(std::get<double>(r[4].value)), 32234.40);
    EXPECT_EQ(cents(std::get<double>(r[5].value)), 129459.40);
    EXPECT_EQ(std::get<double>(r[6].value), 13635);
    EXPECT_EQ(cents(std::get<double>(r[7].value)), 115824.40);
    EXPECT_EQ(cents(std::get<double>(r[8].value)), 25.89);
    EXPECT_EQ(cents(std::get<double>(r[9].value)), 23.16);
    EXPECT_EQ(cents(std::get<double>(r[10].value)), 9652.03);
}

}  // namespace
}  // namespace grossby
