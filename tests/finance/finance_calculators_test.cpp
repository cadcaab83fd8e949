// The finance calculators as described once: what each says when there is
// nothing to print (the command line prints it as it stands), decided from
// the inputs or the result as the calculator needs.

#include "finance/finance_calculators.h"

#include <gtest/gtest.h>

#include <string>

namespace grossby {
namespace {

// Runs the description on `in`; the reason it gives for no printout, or ""
// when it prints.
template <class In, class Result>
std::string whyNoPrintout(const CalculatorDescription<In, NoSettings, Result>& d, const In& in)
{
    const auto outcome = d.compute(in, NoSettings{});
    const Result* r = std::get_if<Result>(&outcome);
    EXPECT_NE(r, nullptr) << d.name;
    if (!r || !d.canPrint || d.canPrint(in, *r))
        return "";
    return d.nothingToPrintFor ? d.nothingToPrintFor(in, *r) : d.nothingToPrint;
}

TEST(FinanceCalculators, SayWhyThereIsNothingToPrint)
{
    // Loan buster and comparison decide from their inputs: a zero period or
    // rate still prints the loan buster.
    EXPECT_EQ(whyNoPrintout(loanBusterDescription(), {0, 240, 12, 0}),
              "Nothing to print: the principal must be above 0.");
    EXPECT_EQ(whyNoPrintout(loanBusterDescription(), {1000, 0, 0, 0}), "");
    EXPECT_EQ(whyNoPrintout(loanComparisonDescription(), {100000, 0}),
              "Nothing to print: the bond amount and the interest rate must be above 0.");
    EXPECT_EQ(whyNoPrintout(loanComparisonDescription(), {100000, 12}), "");

    // Daily balance and inflation decide from their figures.
    EXPECT_EQ(whyNoPrintout(dailyBalanceDescription(), {10000, 10, 42795, 42795}),
              "Nothing to print: the interest and the number of days must be above 0.");
    EXPECT_EQ(whyNoPrintout(dailyBalanceDescription(), {10000, 10, 42795, 42825}), "");
    EXPECT_EQ(whyNoPrintout(inflationDescription(), {0, 10, 10}), "Nothing to print: the future cost is 0.");
    EXPECT_EQ(whyNoPrintout(inflationDescription(), {9'999'999'999, 40, 40}),
              "Amount too large to display: the projection cannot be printed.");
    EXPECT_EQ(whyNoPrintout(inflationDescription(), {1000, 10, 10}), "");
}

}  // namespace
}  // namespace grossby
