#include "core/tax_year.h"

#include <gtest/gtest.h>

namespace grossby {
namespace {

TEST(DayNumbers, KnownDatesBothWays)
{
    struct Case {
        double day;
        const char* text;
    } cases[] = {
        {0, "30/12/1899"},
        {1, "31/12/1899"},
        {-36522, "01/01/1800"},
        {defaultTaxYear().start, "01/03/2017"},
        {defaultTaxYear().firstMonthEnd, "31/03/2017"},
        {defaultTaxYear().end, "28/02/2018"},
        {43160, "01/03/2018"},
        {36585, "29/02/2000"},
        {60, "28/02/1900"},
        {61, "01/03/1900"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDate(c.day), c.text) << c.day;
        const auto parsed = parseDate(c.text);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(*parsed, c.day) << c.text;
    }
    EXPECT_EQ(defaultTaxYear().startText, formatDate(defaultTaxYear().start));
    EXPECT_EQ(defaultTaxYear().endText, formatDate(defaultTaxYear().end));
}

TEST(DayNumbers, ParseAcceptsShortFieldsAndRejectsNonDates)
{
    EXPECT_EQ(parseDate("1/3/2017"), defaultTaxYear().start);
    for (const char* bad : {"", "29/02/2017", "31/04/2017", "00/03/2017", "01/13/2017", "01-03-2017", "1/3/17",
                            "01/03/2017x", "aa/03/2017", "01/03/+017", "29/02/1900"}) {
        EXPECT_FALSE(parseDate(bad).has_value()) << bad;
    }
}

TEST(DayNumbers, RoundTripOverManyYears)
{
    for (double d = -40000; d < 80000; d += 7) {
        const auto back = parseDate(formatDate(d));
        ASSERT_TRUE(back.has_value());
        ASSERT_EQ(*back, d);
    }
}

}  // namespace
}  // namespace grossby
