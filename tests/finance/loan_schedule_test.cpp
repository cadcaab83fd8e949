// The monthly and yearly amortisation schedules.

#include "finance/loan.h"

#include <gtest/gtest.h>

#include <cmath>

namespace grossby {
namespace {

TEST(MonthlySchedule, PaysOffThePrincipalWithTheExactPayment)
{
    for (const double n : {1.0, 12.0, 30.0, 240.0, 600.0}) {
        SCOPED_TRACE(n);
        const auto lines = monthlySchedule(100000, n, 12);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(n));
        const double payment = RPAYMENT(100000, n, 12);
        double capital = 0;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            EXPECT_EQ(lines[k].period, static_cast<int>(k + 1));
            EXPECT_DOUBLE_EQ(lines[k].capital + lines[k].interest, payment);
            capital += lines[k].capital;
        }
        EXPECT_NEAR(lines.back().balance, 0, 1e-6);
        EXPECT_NEAR(capital, 100000, 1e-6);
    }
    // The first month's interest is a month's interest on the principal.
    EXPECT_NEAR(monthlySchedule(100000, 240, 12).front().interest, 1000, 1e-9);
    EXPECT_TRUE(monthlySchedule(0, 12, 12).empty());
    EXPECT_TRUE(monthlySchedule(1000, 12, 0).empty());
    EXPECT_TRUE(monthlySchedule(1000, 0, 12).empty());
    EXPECT_TRUE(monthlySchedule(1000, 601, 12).empty());
}

TEST(AnnualSchedule, WholeAndPartialYears)
{
    const double p = 100000;
    const double r = 12;
    struct Case {
        double months;
        int kind, fullYears, years;
    };
    for (const Case c : {Case{12, 1, 1, 1}, Case{30, 2, 2, 3}, Case{6, 2, 0, 1}, Case{240, 1, 20, 20}}) {
        SCOPED_TRACE(c.months);
        const double m = std::round(RPAYMENT(p, c.months, r) * 100) / 100;
        const AnnualSchedule s = CalcAnnAmort(p, c.months, r, m);
        EXPECT_EQ(s.kind, c.kind);
        EXPECT_EQ(s.fullYears, c.fullYears);
        EXPECT_EQ(s.years, c.years);
        ASSERT_EQ(s.lines.size(), static_cast<std::size_t>(c.years));
        const auto monthly = monthlySchedule(p, c.months, r);
        double capital = 0;
        double interest = 0;
        for (int y = 1; y <= c.fullYears; ++y) {
            const AmortLine& line = s.lines[static_cast<std::size_t>(y - 1)];
            double yc = 0;
            double yi = 0;
            for (int k = 12 * y - 11; k <= 12 * y; ++k) {
                yc += monthly[static_cast<std::size_t>(k - 1)].capital;
                yi += monthly[static_cast<std::size_t>(k - 1)].interest;
            }
            EXPECT_EQ(line.period, y);
            EXPECT_EQ(line.capital, yc);
            EXPECT_EQ(line.interest, yi);
            EXPECT_EQ(line.balance, monthly[static_cast<std::size_t>(12 * y - 1)].balance);
            capital += yc;
            interest += yi;
        }
        const AmortLine& last = s.lines.back();
        if (c.kind == 2) {
            // The partial year takes the rest of the principal and of M * N - P.
            EXPECT_EQ(last.capital, p - capital);
            EXPECT_EQ(last.interest, (m * c.months - p) - interest);
            EXPECT_EQ(last.balance, 0);
        } else {
            EXPECT_NEAR(last.balance, 0, 1e-6);
        }
    }
    // Asked twice, a loan shorter than a year gives the same single year.
    const AnnualSchedule first = CalcAnnAmort(p, 6, r, 17254.84);
    const AnnualSchedule second = CalcAnnAmort(p, 6, r, 17254.84);
    ASSERT_EQ(second.lines.size(), 1u);
    EXPECT_EQ(second.lines[0].capital, p);
    EXPECT_EQ(second.lines[0].capital, first.lines[0].capital);
    EXPECT_EQ(CalcAnnAmort(0, 12, 12, 100).kind, 0);
}

TEST(LoanChecks, ScheduleAndGraphNeedEveryQuantity)
{
    LoanResult loan{100000, 13, 12, 8000};
    EXPECT_TRUE(loanComplete(loan));
    EXPECT_TRUE(loanGraphAvailable(loan));
    loan.months = 12;
    EXPECT_FALSE(loanGraphAvailable(loan));
    loan.repayment = 0;
    EXPECT_FALSE(loanComplete(loan));
}

}  // namespace
}  // namespace grossby
