#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace grossby {
namespace {

TEST(Rounding, HalvesGoToEven)
{
    const std::pair<double, double> cases[] = {{2.5, 2}, {3.5, 4},    {-2.5, -2},  {-3.5, -4}, {0.5, 0},
                                               {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {-0.4, 0},  {7, 7}};
    for (auto [in, out] : cases)
        EXPECT_EQ(roundHalfEven(in), out) << in;
    EXPECT_DOUBLE_EQ(roundHalfEven(1.125, 2), 1.12);
    EXPECT_DOUBLE_EQ(roundHalfEven(1.375, 2), 1.38);
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartElseZero)
{
    const std::pair<const char*, double> cases[] = {
        {"123", 123}, {"  45.5", 45.5}, {"12abc", 12}, {"abc", 0},     {"", 0},        {"-7.25", -7.25}, {"+3", 3},
        {".5", 0.5},  {"5.", 5},        {"1e3", 1000}, {"1e", 1},      {"1.2.3", 1.2}, {"-", 0},         {".", 0},
        {"inf", 0},   {"nan", 0},       {"0x10", 0},   {"12 345", 12}, {"1,5", 1},
    };
    for (auto [text, value] : cases)
        EXPECT_DOUBLE_EQ(parseLeadingNumber(text), value) << '"' << text << '"';
}

TEST(Integer16, RoundsHalfEvenAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(toInteger16(64.5), 64);
    EXPECT_EQ(toInteger16(65.5), 66);
    EXPECT_EQ(toInteger16(-32768), -32768);
    EXPECT_EQ(toInteger16(32767.4), 32767);
    EXPECT_EQ(toInteger16(-32768.5), -32768);
    for (double bad : {32767.5, 32768.0, -32769.0, 1e12, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(tryToInteger16(bad).has_value()) << bad;
        EXPECT_THROW(toInteger16(bad), IntegerOverflow) << bad;
    }
}

}  // namespace
}  // namespace grossby
