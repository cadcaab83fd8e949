// The loan buster against the same steps taken month by month and cent by
// cent, and the cases it used to get wrong.

#include "calc_test_util.h"
#include "finance/loan_buster.h"
#include "literal_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace grossby {
namespace {

LoanBusterResult busted(const LoanBusterInputs& in)
{
    const auto outcome = BBCalc(in);
    if (const auto* e = std::get_if<InputError>(&outcome)) {
        ADD_FAILURE() << "refused: " << e->text;
        return {};
    }
    return std::get<LoanBusterResult>(outcome);
}

TEST(LoanBuster, ExtraHundredOnTheWorkedLoan)
{
    const LoanBusterResult r = busted({100000, 240, 12, 100});
    EXPECT_NEAR(r.normalRepayment, 1101.086133569610, 1e-9);
    EXPECT_DOUBLE_EQ(r.normalTotal, 240 * r.normalRepayment);
    EXPECT_DOUBLE_EQ(r.normalInterest, r.normalRepayment * 240 - 100000);
    // The new period is the whole months the larger payment needs, and the
    // payment rises by whole cents to repay the loan in them.
    const double n = r.extraMonths;
    EXPECT_EQ(n, 179);  // NPER(1 %, 1201.0761.., -100000) = 179.6
    EXPECT_GE(PAMOUNT(n, 12, r.extraRepayment), 100000);
    EXPECT_LT(PAMOUNT(n, 12, r.extraRepayment - 0.01), 100000);
    EXPECT_DOUBLE_EQ(r.extraPayment, r.extraRepayment - r.normalRepayment);
    EXPECT_NEAR(r.extraPayment, 101.49, 1e-9);  // 100 raised by whole cents
    EXPECT_DOUBLE_EQ(r.extraInterest, r.extraRepayment * n - 100000);
    EXPECT_DOUBLE_EQ(r.totalSaving, 240 * r.normalRepayment - n * r.extraRepayment);
    EXPECT_FALSE(r.extraTooLarge);
}

TEST(LoanBuster, NoExtraPaymentLeavesTheLoanAsItIs)
{
    for (const int n : {1, 12, 240, 599, 600}) {
        SCOPED_TRACE(n);
        const LoanBusterResult r = busted({100000, n, 12, 0});
        EXPECT_EQ(r.extraMonths, n);
        EXPECT_EQ(r.extraRepayment, r.normalRepayment);
        EXPECT_EQ(r.extraInterest, r.normalInterest);
        EXPECT_EQ(r.extraTotal, r.normalTotal);
        EXPECT_EQ(r.totalSaving, 0);
        EXPECT_EQ(r.extraPayment, 0);
    }
}

TEST(LoanBuster, IncompleteLoansAndTooLargeExtras)
{
    // A period of 0: no repayment and no results, and no complaint about the extra.
    const LoanBusterResult none = busted({100000, 0, 12, 100});
    EXPECT_EQ(none.normalRepayment, 0);
    EXPECT_EQ(none.extraMonths, 0);
    EXPECT_EQ(none.totalSaving, 0);
    EXPECT_FALSE(none.extraTooLarge);

    // More than ten repayments extra: the extra results are cleared and the reason given.
    const LoanBusterResult big = busted({100000, 240, 12, 11011});
    EXPECT_TRUE(big.extraTooLarge);
    EXPECT_NEAR(big.normalRepayment, 1101.086133569610, 1e-9);
    EXPECT_EQ(big.extraMonths, 0);
    EXPECT_EQ(big.extraRepayment, 0);
    EXPECT_EQ(big.extraTotal, 0);
    EXPECT_EQ(big.totalSaving, 0);
    EXPECT_EQ(big.extraPayment, 11011);
    EXPECT_FALSE(busted({100000, 240, 12, 11010}).extraTooLarge);
}

TEST(LoanBuster, OneMonthPaysItAll)
{
    // The larger payment exceeds a month's principal and interest: one month,
    // the payment as entered.
    const LoanBusterResult r = busted({100000, 5, 12, 100000});
    EXPECT_EQ(r.extraMonths, 1);
    EXPECT_DOUBLE_EQ(r.extraRepayment, 100000 + r.normalRepayment);
    EXPECT_DOUBLE_EQ(r.extraPayment, r.extraRepayment - r.normalRepayment);
}

TEST(LoanBuster, ACentExtraOnTheLongestLoanKeepsItsPeriod)
{
    // Rounding can leave normal-plus-a-cent just short over 600 months; the
    // period is then the 600 months, not none.
    std::mt19937_64 gen(600);
    for (int c = 0; c < 200; ++c) {
        const double p = std::round(std::uniform_real_distribution<double>(1000, 5e6)(gen) * 100) / 100;
        const float rate = static_cast<float>(std::round(std::uniform_real_distribution<double>(1, 50)(gen) * 4) / 4);
        const LoanBusterResult r = busted({p, 600, rate, 0.01});
        EXPECT_GE(r.extraMonths, 599) << p << " " << rate;
        EXPECT_LE(r.extraMonths, 600) << p << " " << rate;
    }
}

TEST(LoanBuster, RatesAreKeptInSinglePrecision)
{
    const LoanBusterResult r = busted({100000, 240, 10.1f, 0});
    EXPECT_EQ(r.normalRepayment, RPAYMENT(100000, 240, static_cast<double>(10.1f)));
    EXPECT_NE(r.normalRepayment, RPAYMENT(100000, 240, 10.1));
}

TEST(LoanBuster, AgreesWithTheLiteralSearch)
{
    std::mt19937_64 gen(2018);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); };
    for (int c = 0; c < test::oracleCases(2000); ++c) {
        const double p = std::round(std::pow(10.0, uniform(2, 6)) * 100) / 100;
        const int n = std::uniform_int_distribution<int>(1, 600)(gen);
        const float rate = static_cast<float>(std::round(uniform(0.5, 50) * 1000) / 1000);
        const double normal = RPAYMENT(p, n, rate);
        const double x = std::round(normal * uniform(0.001, 3) * 100) / 100;
        if (x <= 0)
            continue;
        // The literal steps: a cent lower, month by month, then cent by cent.
        const literal::RawPeriod lit = literal::searchLowered(p, rate, (x - 0.01) + normal);
        if (lit.months == 0)
            continue;  // the case mended above
        const double m = lit.raised ? lit.repayment : x + normal;
        const LoanBusterResult r = busted({p, n, rate, x});
        ASSERT_EQ(r.extraMonths, lit.months) << p << " " << n << " " << rate << " " << x;
        ASSERT_EQ(r.extraRepayment, m) << p << " " << n << " " << rate << " " << x;
        ASSERT_EQ(r.extraPayment, m - normal);
        ASSERT_EQ(r.totalSaving, n * normal - lit.months * m);
        ASSERT_LE(r.evaluations, 41);
    }
}

TEST(LoanBuster, RefusesWhatTheFieldsRefuse)
{
    EXPECT_EQ(std::get<InputError>(BBCalc({1000, 12, 50.5f, 0})).text, "The maximum interest rate allowed is 50%");
    EXPECT_EQ(std::get<InputError>(BBCalc({1000, 601, 12, 0})).text, "The maximum period  allowed is 600 months");
}

}  // namespace
}  // namespace grossby
