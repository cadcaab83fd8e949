// Loan comparison, daily balance and inflation projection.

#include "calc_test_util.h"
#include "finance/daily_balance.h"
#include "finance/inflation.h"
#include "finance/loan.h"
#include "finance/loan_comparison.h"

#include <gtest/gtest.h>

#include <cmath>

namespace grossby {
namespace {

using test::ok;

TEST(LoanComparison, SixTerms)
{
    const LoanComparisonResult r = ok(CompareLoans({100000, 12}));
    const char* labels[] = {" 5 yrs.", " 10 yrs.", " 15 yrs.", " 20 yrs.", " 25 yrs.", " 30 yrs."};
    for (int k = 0; k < 6; ++k) {
        const ComparisonTerm& t = r.terms[static_cast<std::size_t>(k)];
        EXPECT_EQ(t.months, 60 * (k + 1));
        EXPECT_EQ(t.years, 5 * (k + 1));
        EXPECT_EQ(t.label, labels[k]);
        EXPECT_EQ(t.repayment, RPAYMENT(100000, t.months, 12));
        EXPECT_EQ(t.interest, t.months * t.repayment - 100000);
        EXPECT_EQ(t.total, t.months * t.repayment);
    }
    EXPECT_NEAR(r.terms[3].repayment, 1101.086133569610, 1e-9);  // 20 years: the loan calculator's figure

    // No rate: no repayments, and every interest shows minus the principal.
    for (const ComparisonTerm& t : ok(CompareLoans({100000, 0})).terms) {
        EXPECT_EQ(t.repayment, 0);
        EXPECT_EQ(t.total, 0);
        EXPECT_EQ(t.interest, -100000);
    }
    for (const ComparisonTerm& t : ok(CompareLoans({0, 12})).terms)
        EXPECT_EQ(t.repayment + t.interest + t.total, 0);
    EXPECT_EQ(std::get<InputError>(CompareLoans({1000, 50.25f})).title, "Incorrect Interest Rate!");
}

TEST(DailyBalance, InterestInSinglePrecision)
{
    // 10 000 at 10 % from 1 March 2017 to 31 March 2017.
    const DailyBalanceResult r = ok(CalcDailyBalance({10000, 10, 42795, 42825}));
    EXPECT_EQ(r.days, 30);
    EXPECT_EQ(r.interest, static_cast<float>(1000.0f * 30.0 / 365));
    EXPECT_NEAR(r.interest, 82.19, 0.005);
    // The product and the first division are single precision.
    const DailyBalanceResult odd = ok(CalcDailyBalance({12345.67f, 7.3f, 42795, 43159}));
    const float yearly = 12345.67f * 7.3f / 100;
    EXPECT_EQ(odd.interest, static_cast<float>(yearly * 364.0 / 365));

    const DailyBalanceResult same = ok(CalcDailyBalance({10000, 10, 42795, 42795}));
    EXPECT_EQ(same.days, 0);
    EXPECT_EQ(same.interest, 0);
    // Dates not set (as after "Initialise All"): nothing to work out.
    const DailyBalanceResult unset = ok(CalcDailyBalance({10000, 10, -36522, -36522}));
    EXPECT_EQ(unset.days, 0);
    EXPECT_EQ(unset.interest, 0);
    const DailyBalanceResult halfSet = ok(CalcDailyBalance({10000, 10, -36522, 42825}));
    EXPECT_EQ(halfSet.days, 0);
    EXPECT_EQ(halfSet.interest, 0);
}

TEST(DailyBalance, DateLimitsAndMessages)
{
    EXPECT_EQ(endDateRange(42795).first, 42795);
    EXPECT_EQ(endDateRange(42795).last, 42795 + 10960);
    EXPECT_EQ(startDateRange(42825).first, 42825 - 10960);
    EXPECT_EQ(startDateRange(42825).last, 42824);
    EXPECT_TRUE(std::holds_alternative<DailyBalanceResult>(CalcDailyBalance({1, 1, 42795, 42795 + 10960})));
    const InputError late{"DATE OUT OF RANGE", "The date entered is more than 30 years(360 months) after 01/03/2017.",
                          "end"};
    EXPECT_EQ(std::get<InputError>(CalcDailyBalance({1, 1, 42795, 42795 + 10961})), late);
    EXPECT_EQ(std::get<InputError>(CalcDailyBalance({1, 1, 42795, 42794})), late);
    EXPECT_EQ(startDateOutOfRangeMessage(42825),
              "The date entered is more than 30 years(360 months) before 31/03/2017.");
}

TEST(DailyBalance, Spins)
{
    EXPECT_EQ(spinEndDate(42795, 42800, true), 42801);
    EXPECT_EQ(spinEndDate(42795, 42800, false), 42799);
    EXPECT_EQ(spinEndDate(42795, 42795, false), 42795);  // not before the start

    struct Case {
        double rate;
        bool up;
        double value;
        bool beep;
    };
    for (const Case c : {Case{10, true, 10.25, false}, Case{50, true, 0.25, false}, Case{49.9, true, 0.25, false},
                         Case{10, false, 9.75, false}, Case{0.25, false, 50, true}, Case{0.1, false, 50, true}}) {
        const SpinValue v = spinDailyBalanceRate(c.rate, 0.25, c.up);
        EXPECT_EQ(v.value, c.value) << c.rate << " " << c.up;
        EXPECT_EQ(v.beep, c.beep) << c.rate << " " << c.up;
    }
}

TEST(Inflation, Projection)
{
    const InflationResult r = ok(ProjectInflation({1000, 10, 10}));
    EXPECT_NEAR(r.futureCost, 2593.74, 0.005);
    EXPECT_NEAR(r.buyingPower, 385.54, 0.005);
    EXPECT_FALSE(r.tooLarge);
    for (const InflationInputs in : {InflationInputs{1000, 0, 10}, InflationInputs{1000, 25, 0}}) {
        const InflationResult same = ok(ProjectInflation(in));
        EXPECT_EQ(same.futureCost, 1000);
        EXPECT_EQ(same.buyingPower, 1000);
    }
    const InflationResult deflation = ok(ProjectInflation({1000, 2, -5}));
    EXPECT_DOUBLE_EQ(deflation.futureCost, 902.5);
    EXPECT_TRUE(ok(ProjectInflation({9'000'000'000, 1, 12})).tooLarge);
    EXPECT_FALSE(ok(ProjectInflation({9'999'999'999, 0, 12})).tooLarge);

    EXPECT_EQ(
        std::get<InputError>(ProjectInflation({1000, 10, 40.5})),
        (InputError{"Incorrect Inflation Rate!", "The range of the Inflation Rate is between -5% and 40%", "rate"}));
    EXPECT_EQ(std::get<InputError>(ProjectInflation({1000, 10, -5.25})).title, "Incorrect Inflation Rate!");
    EXPECT_EQ(std::get<InputError>(ProjectInflation({1000, 41, 5})),
              (InputError{"Incorrect Period!", "The maximum period allowed 40 years", "years"}));
}

TEST(Inflation, Spins)
{
    struct Case {
        double from;
        bool up;
        double to;
        bool beep;
    };
    for (const Case c : {Case{30, true, -5, false}, Case{-0.25, true, 0, true}, Case{5, true, 5.25, false},
                         Case{-5, false, 30, false}, Case{0, false, -0.25, false}}) {
        const InflationSpin s = spinInflationRate(c.from, c.up);
        EXPECT_EQ(s.value, c.to) << c.from;
        EXPECT_EQ(s.beep, c.beep) << c.from;
    }
    for (const Case c :
         {Case{40, true, 1, false}, Case{3, true, 4, false}, Case{1, false, 40, true}, Case{10, false, 9, false}}) {
        const InflationSpin s = spinInflationYears(c.from, c.up);
        EXPECT_EQ(s.value, c.to) << c.from;
        EXPECT_EQ(s.beep, c.beep) << c.from;
    }
}

}  // namespace
}  // namespace grossby
