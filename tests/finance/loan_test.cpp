// The loan calculator: its two formulas against a spreadsheet's PMT and PV,
// the four modes on the worked examples, and the fast searches against the
// month-by-month, cent-by-cent and step-by-step ones.

#include "calc_test_util.h"
#include "finance/loan.h"
#include "literal_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace grossby {
namespace {

LoanResult solved(const LoanInputs& in)
{
    const auto outcome = LoanCalc(in);
    if (const auto* e = std::get_if<InputError>(&outcome)) {
        ADD_FAILURE() << "refused: " << e->text;
        return {};
    }
    return std::get<LoanResult>(outcome);
}

TEST(LoanFormulas, AgreeWithSpreadsheetPaymentAndPresentValue)
{
    // PMT(R/1200, N, -P) and PV(R/1200, N, -M), worked to 30 digits.
    struct Case {
        double p, n, r, m;
    };
    const Case payments[] = {
        {100000, 240, 12, 1101.086133569610},
        {750000, 360, 10.5, 6860.544708698035},
        {25000, 60, 7.25, 497.984033817068},
        {1000, 12, 50, 107.585118538978},
    };
    for (const Case& c : payments)
        EXPECT_NEAR(RPAYMENT(c.p, c.n, c.r), c.m, 1e-9) << c.p << " " << c.n << " " << c.r;
    const Case principals[] = {
        {100000.351146951366, 240, 12, 1101.09},
        {394708.463345001042, 120, 9, 5000},
        {12447.307939882769, 36, 18, 450},
    };
    for (const Case& c : principals)
        EXPECT_NEAR(PAMOUNT(c.n, c.r, c.m), c.p, 1e-8) << c.n << " " << c.r << " " << c.m;
    EXPECT_EQ(RPAYMENT(0, 240, 12), 0);
    EXPECT_EQ(RPAYMENT(100000, 0, 12), 0);
    EXPECT_EQ(RPAYMENT(100000, 240, 0), 0);
    EXPECT_EQ(PAMOUNT(240, 12, 0), 0);
}

TEST(LoanFormulas, SearchesAgreeWithSpreadsheetPeriodAndRate)
{
    // The search starts a cent low: NPER(1 %, 1101.08, -100000) = 240.003,
    // so 240 months at the smallest whole-cent repayment that pays it off in
    // 240, which is the one entered.
    const PeriodSearch a = PER(100000, 12, 1101.09);
    EXPECT_EQ(a.months, 240);
    EXPECT_NEAR(a.repayment, 1101.09, 1e-9);
    // NPER(10 %/12, 1499.99, -100000) = 97.72: 97 months, the repayment
    // raised to PMT(10 %/12, 97, -100000) = 1507.19.. in whole cents.
    const PeriodSearch b = PER(100000, 10, 1500);
    EXPECT_EQ(b.months, 97);
    EXPECT_NEAR(b.repayment, 1507.20, 1e-9);
    // RATE(240, -1101.09, 100000) = 12.0000555 % and RATE(60, -500, 20000) =
    // 17.2737 %: the searches keep the 0.01 below.
    EXPECT_NEAR(Rate(100000, 240, 1101.09).rate, 12.00, 1e-9);
    EXPECT_NEAR(Rate(20000, 60, 500).rate, 17.27, 1e-9);
}

TEST(LoanCalc, WorkedExamples)
{
    struct Case {
        const char* what;
        LoanInputs in;
        double principal, months, rate, repayment;
        bool aboveLimit;
    };
    const Case cases[] = {
        {"repayment", {LoanMode::Repayment, 100000, 240, 12, 0}, 100000, 240, 12, 1101.086133569610, false},
        {"principal", {LoanMode::Principal, 0, 240, 12, 1101.09}, 100000.351146951366, 240, 12, 1101.09, false},
        {"repayment equal to the interest: no period, repayment kept",
         {LoanMode::Period, 100000, 0, 12, 1000},
         100000,
         0,
         12,
         1000,
         false},
        {"fractional period: whole months, cents up",
         {LoanMode::Period, 100000, 0, 10, 1500},
         100000,
         97,
         10,
         1507.20,
         false},
        {"repayments short of the principal: rate 0",
         {LoanMode::Rate, 100000, 240, 0, 400},
         100000,
         240,
         0,
         400,
         false},
        {"rate above 50 % (RATE gives 54.638 %)", {LoanMode::Rate, 10000, 12, 0, 1100}, 10000, 12, 54.63, 1100, true},
        {"one month pays it all: one month, repayment as entered",
         {LoanMode::Period, 1000, 0, 12, 2000},
         1000,
         1,
         12,
         2000,
         false},
        {"missing principal", {LoanMode::Repayment, 0, 240, 12, 0}, 0, 240, 12, 0, false},
        {"missing repayment in period mode", {LoanMode::Period, 100000, 99, 12, 0}, 100000, 0, 12, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LoanResult r = solved(c.in);
        EXPECT_NEAR(r.principal, c.principal, 1e-8);
        EXPECT_EQ(r.months, c.months);
        EXPECT_NEAR(r.rate, c.rate, 1e-9);
        EXPECT_NEAR(r.repayment, c.repayment, 1e-9);
        EXPECT_EQ(r.rateAboveLimit, c.aboveLimit);
        EXPECT_EQ(r.totalRepayments, r.repayment * r.months);
        EXPECT_EQ(r.totalInterest, r.repayment * r.months - r.principal);
    }
    EXPECT_EQ(std::round(solved({LoanMode::Repayment, 100000, 240, 12, 0}).repayment * 100) / 100, 1101.09);
}

TEST(LoanCalc, RefusesRatesAndPeriodsBeyondTheFieldsOnlyWhereTheyAreInputs)
{
    const InputError rate{"Incorrect Interest Rate!", "The maximum interest rate allowed is 50%", "rate"};
    const InputError period{"Incorrect Period!", "The maximum period  allowed is 600 months", "months"};
    EXPECT_EQ(std::get<InputError>(LoanCalc({LoanMode::Repayment, 1000, 12, 50.001, 0})), rate);
    EXPECT_EQ(std::get<InputError>(LoanCalc({LoanMode::Principal, 0, 601, 10, 100})), period);
    EXPECT_EQ(std::get<InputError>(LoanCalc({LoanMode::Rate, 1000, 601, 0, 100})), period);
    // The solved quantity's old value is not an input.
    EXPECT_TRUE(std::holds_alternative<LoanResult>(LoanCalc({LoanMode::Rate, 1000, 12, 75, 100})));
    EXPECT_TRUE(std::holds_alternative<LoanResult>(LoanCalc({LoanMode::Period, 1000, 900, 10, 100})));
    EXPECT_TRUE(std::holds_alternative<LoanResult>(LoanCalc({LoanMode::Repayment, 1000, 600, 50, 0})));
}

TEST(LoanCalc, ModeNames)
{
    EXPECT_EQ(loanModeText(LoanMode::Repayment), "Monthly repayment");
    EXPECT_EQ(loanModeText(LoanMode::Principal), "Principal amount");
    EXPECT_EQ(loanModeText(LoanMode::Period), "Repayment period");
    EXPECT_EQ(loanModeText(LoanMode::Rate), "Interest rate");
    EXPECT_EQ(loanModeFrom("period"), LoanMode::Period);
    EXPECT_EQ(loanModeFrom("Interest rate"), LoanMode::Rate);
    EXPECT_EQ(loanModeFrom("term"), std::nullopt);
}

// Random loans of every kind the searches meet, with a fixed seed.
struct RandomLoans {
    std::mt19937_64 gen{13};
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); }
    int whole(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
    double cents(double v) { return std::round(v * 100) / 100; }
    double principal(double largest) { return cents(std::pow(10.0, uniform(1, std::log10(largest)))); }
    double rate() { return std::round(uniform(0.001, 50) * 1000) / 1000; }
};

TEST(PeriodSearch, AgreesWithTryingEveryMonthAndCent)
{
    RandomLoans g;
    const int cases = test::oracleCases(3000);
    int compared = 0;
    for (int c = 0; c < cases; ++c) {
        const double p = g.principal(c % 10 == 0 ? 999'999'999 : 200'000);
        const double r = g.rate();
        const int n = g.whole(1, 600);
        const double i = r / 1200;
        double m = 0;
        switch (c % 5) {
        case 0: m = g.cents(RPAYMENT(p, n, r)); break;  // a repayment as the window shows it
        case 1: m = g.cents(RPAYMENT(p, n, r)) + 0.01 * g.whole(-3, 3); break;
        case 2: m = std::ceil(p * i * 100) / 100 + 0.01; break;  // a cent above the interest
        case 3: m = g.cents(g.uniform(0, 2) * RPAYMENT(p, n, r)); break;
        case 4: {
            // An exact fit: the principal that n lowered repayments pay off.
            m = g.cents(RPAYMENT(p, n, r));
            const double exact = PAMOUNT(n, r, m - 0.01);
            const literal::Period lit = literal::PER(exact, r, m);
            const PeriodSearch fast = PER(exact, r, m);
            ASSERT_EQ(fast.months, lit.months) << exact << " " << r << " " << m;
            ASSERT_EQ(fast.repayment, lit.repayment) << exact << " " << r << " " << m;
            ++compared;
            continue;
        }
        }
        // Keep the cent-by-cent reference affordable: skip repayments that
        // would take it millions of cents to raise.
        const double shortBy = RPAYMENT(p, std::max(1, n - 1), r) - m;
        if (c % 5 == 3 && shortBy > 20000)
            continue;
        const literal::Period lit = literal::PER(p, r, m);
        const PeriodSearch fast = PER(p, r, m);
        ASSERT_EQ(fast.months, lit.months) << p << " " << r << " " << m;
        ASSERT_EQ(fast.repayment, lit.repayment) << p << " " << r << " " << m;
        ASSERT_LE(fast.evaluations, 40);
        ++compared;
    }
    EXPECT_GT(compared, cases * 5 / 6);
}

TEST(PeriodSearch, ARepaymentWithinACentOfTheInterestIsSearchedAsEntered)
{
    // 3 517.21 at 27.286 %: 79.975.. interest a month. Lowered by a cent,
    // 79.98 would no longer cover it; as entered it repays in 436 months, so
    // the answer is 435 with the repayment raised a cent, as for any other
    // repayment that overpays its last month.
    const PeriodSearch trap = PER(3517.21, 27.286, 79.98);
    EXPECT_EQ(trap.months, 435);
    EXPECT_NEAR(trap.repayment, 79.99, 1e-9);
    // Not covering the interest as entered either: still no period.
    EXPECT_EQ(PER(3517.21, 27.286, 79.97).months, 0);
    // A repayment a cent or more above the interest is searched a cent low, as before.
    const PeriodSearch usual = PER(3517.21, 27.286, 79.99);
    EXPECT_EQ(usual.months, literal::searchLowered(3517.21, 27.286, 79.98).months);
}

TEST(RateSearch, AgreesWithSteppingFiveOneTenthHundredth)
{
    RandomLoans g;
    for (int c = 0; c < test::oracleCases(3000); ++c) {
        const double p = g.principal(c % 10 == 0 ? 999'999'999 : 1'000'000);
        const int n = g.whole(1, 600);
        // Rates up to 150 %, so a third of the answers lie above the field's 50 %.
        const double r = g.uniform(0, 150);
        double m = g.cents(RPAYMENT(p, n, r)) + 0.01 * g.whole(-2, 2);
        if (c % 17 == 0)
            m = g.cents(p / n * g.uniform(0.5, 1));  // below the interest-free repayment
        if (m <= 0)
            m = 0.01;
        const literal::RateFound lit = literal::Rate(p, n, m);
        const RateSearch fast = Rate(p, n, m);
        ASSERT_EQ(fast.rate, lit.rate) << p << " " << n << " " << m;
        ASSERT_LE(fast.evaluations, 40) << p << " " << n << " " << m;
    }
}

TEST(LoanSearches, StayWithinFortyEvaluationsAtTheFieldsLimits)
{
    // Corners of what the fields take: P up to 999 999 999, N up to 600, R up to 50 %.
    for (const double p : {0.01, 1.0, 1000.0, 1e6, 999'999'999.0})
        for (const double n : {1.0, 2.0, 12.0, 599.0, 600.0})
            for (const double r : {0.001, 0.01, 1.0, 12.5, 49.999, 50.0}) {
                const double m = std::ceil(RPAYMENT(p, n, r) * 100) / 100;
                const PeriodSearch per = PER(p, r, m);
                EXPECT_LE(per.evaluations, 40) << p << " " << n << " " << r;
                if ((RPAYMENT(p, std::max(1.0, n - 1), r) - m) / 0.01 < 1e6) {
                    const literal::Period lit = literal::PER(p, r, m);
                    EXPECT_EQ(per.months, lit.months) << p << " " << n << " " << r;
                    EXPECT_EQ(per.repayment, lit.repayment) << p << " " << n << " " << r;
                }
                const RateSearch rate = Rate(p, n, m);
                EXPECT_LE(rate.evaluations, 40) << p << " " << n << " " << r;
            }
    // The one the literal search spends 41 million evaluations on.
    const PeriodSearch big = PER(1'000'000, 12, 600'000);
    EXPECT_EQ(big.months, 1);
    EXPECT_EQ(big.repayment, literal::PER(1'000'000, 12, 600'000).repayment);
    EXPECT_LE(big.evaluations, 40);
}

}  // namespace
}  // namespace grossby
