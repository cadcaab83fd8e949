// A value raised by a step many times over is worked out directly with the
// same rounding as adding the step again and again.

#include "finance/step_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace grossby::finance_detail {
namespace {

double addedOneByOne(double x, double step, std::uint64_t count)
{
    for (std::uint64_t k = 0; k < count; ++k)
        x = x + step;
    return x;
}

TEST(AfterSteps, MatchesRepeatedAdditionAcrossPowersOfTwo)
{
    std::mt19937_64 gen(20180301);
    std::uniform_real_distribution<double> exponent(-3, 9);
    std::uniform_int_distribution<int> stepPick(0, 4);
    std::uniform_int_distribution<std::uint64_t> countPick(0, 200000);
    const double steps[] = {0.01, 0.1, 1, 5, 0.25};
    for (int c = 0; c < 400; ++c) {
        // Starts of whole cents and of arbitrary doubles, some just below a power of two.
        double start = std::pow(10.0, exponent(gen));
        if (c % 3 == 0)
            start = std::round(start * 100) / 100;
        if (c % 7 == 0)
            start = std::nextafter(std::ldexp(1.0, static_cast<int>(std::log2(start)) + 1), 0.0) - 0.02;
        const double step = steps[stepPick(gen)];
        const std::uint64_t count = countPick(gen);
        ASSERT_EQ(afterSteps(start, step, count), addedOneByOne(start, step, count))
            << "start " << start << " step " << step << " count " << count;
    }
}

TEST(AfterSteps, StartsAtOrBelowZeroAndTinyValues)
{
    for (const double start : {-0.01, -0.005, 0.0, 1e-300, 0.015625, 0.02, 0.03125})
        for (const std::uint64_t count : {1u, 2u, 3u, 50u, 1000u})
            EXPECT_EQ(afterSteps(start, 0.01, count), addedOneByOne(start, 0.01, count)) << start << " " << count;
}

TEST(FirstStepPassing, FindsTheChangeWhateverTheEstimates)
{
    // The test changes at the 1234th cent above 10.
    const double change = addedOneByOne(10, 0.01, 1234);
    const auto passes = [&](double v) { return v >= change; };
    for (const double below : {0.0, 5.0, 20.0, 22.33, 22.34, 1e6})
        for (const double above : {0.0, 22.34, 30.0, 1e9}) {
            const auto k = firstStepPassing(10, 0.01, below, above, std::nullopt, passes);
            ASSERT_TRUE(k);
            EXPECT_EQ(*k, 1234u) << below << " " << above;
        }
}

TEST(FirstStepPassing, NothingWhenTheTestNeverHolds)
{
    EXPECT_FALSE(firstStepPassing(1, 1, 0, 10, std::nullopt, [](double) { return false; }));
}

}  // namespace
}  // namespace grossby::finance_detail
