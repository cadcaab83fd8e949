// Travel cost table lookups and the distance rules.

#include "vehicle/travel_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace grossby {
namespace {

// The bands as the rules are written, one test after the other: the
// reference the table search is compared with.
int literalBand(double v, double width)
{
    if (v <= width)
        return 0;
    for (int band = 1; band < 6; ++band) {
        if (v > width * band && v <= width * (band + 1))
            return band;
    }
    return 6;
}

TEST(TravelCostTable, BandsAtTheirEdges)
{
    struct Case {
        double value;
        double fixed, fuel, maintenance;
    };
    const Case cases[] = {
        {-5, 28492, 0.912, 0.329},         {0, 28492, 0.912, 0.329},       {85000, 28492, 0.912, 0.329},
        {85000.01, 50924, 1.018, 0.412},   {300000, 93267, 1.189, 0.496},  {510000, 134035, 1.460, 0.684},
        {510000.01, 154879, 1.509, 0.849}, {600000, 154879, 1.509, 0.849}, {1e12, 154879, 1.509, 0.849},
    };
    for (const Case& c : cases) {
        const TravelCostBand& b = LookupTravelCostTable(defaultTaxYear(), c.value);
        EXPECT_EQ(b.fixedCost, c.fixed) << c.value;
        EXPECT_EQ(b.fuelCost, c.fuel) << c.value;
        EXPECT_EQ(b.maintenanceCost, c.maintenance) << c.value;
    }
    EXPECT_EQ(PrintTravelCostTable(defaultTaxYear(), 80000).fixedCost, 26675);
    EXPECT_EQ(PrintTravelCostTable(defaultTaxYear(), 80001).fixedCost, 47644);
    EXPECT_EQ(PrintTravelCostTable(defaultTaxYear(), 300000).fuelCost, 1.075);
    EXPECT_EQ(PrintTravelCostTable(defaultTaxYear(), 480001).maintenanceCost, 0.795);
}

TEST(TravelCostTable, SearchAgreesWithTheWrittenBands)
{
    const auto& f = defaultTaxYear().vehicle;
    std::mt19937_64 rng(20170301);
    std::uniform_real_distribution<double> any(-1000, 800000);
    std::uniform_int_distribution<int> edge(0, 7);
    std::uniform_int_distribution<int> nudge(-2, 2);
    for (int i = 0; i < 20000; ++i) {
        // Half the values sit on or beside a band edge, where faults hide.
        double v = i % 2 == 0 ? any(rng) : 85000.0 * edge(rng) + nudge(rng) * 0.005;
        ASSERT_EQ(&LookupTravelCostTable(defaultTaxYear(), v) - f.travelCosts.data(), literalBand(v, 85000)) << v;
        v = i % 2 == 0 ? v : 80000.0 * edge(rng) + nudge(rng) * 0.5;
        ASSERT_EQ(&PrintTravelCostTable(defaultTaxYear(), v) - f.printTravelCosts.data(), literalBand(v, 80000)) << v;
    }
}

TEST(SplitTravelDistance, RulesForFullAndPartYears)
{
    struct Case {
        double total, days, typed;
        double business, priv;
    };
    const Case cases[] = {
        {25000, 365, 0, 7000, 18000},  // between the limits: 18 000 private
        {40000, 365, 0, 14000, 26000},  // above 32 000: 14 000 business
        {10000, 365, 0, 0, 10000},  // below 18 000: all private
        {18000, 365, 0, 0, 18000},
        {32000, 365, 0, 14000, 18000},
        {20000, 182, 0, 6980.82, 13019.18},  // part year above the scaled limit
        {5000, 182, 0, 0, 5000},  // part year: private allowance capped to the distance
        {2000, 200, 3000, 3000, -1000},  // a typed distance always wins
        {2000, 365, 3000, 3000, -1000},
        {40000, 365, 12000, 12000, 28000},
    };
    for (const Case& c : cases) {
        const TravelDistances d = SplitTravelDistance(defaultTaxYear().vehicle, c.total, c.days, c.typed);
        EXPECT_NEAR(d.business, c.business, 1e-9) << c.total << " km, " << c.days << " days";
        EXPECT_NEAR(d.priv, c.priv, 1e-9) << c.total << " km, " << c.days << " days";
    }
}

// The parts add up to the total, short of at most the hundredth of a
// kilometre the rules cut off.
TEST(SplitTravelDistance, PartsAddUpToTheTotal)
{
    std::mt19937_64 rng(182);
    std::uniform_real_distribution<double> km(0, 80000);
    std::uniform_int_distribution<int> days(1, 365);
    std::uniform_int_distribution<int> typed(0, 3);
    for (int i = 0; i < 5000; ++i) {
        const double t = std::floor(km(rng));
        const double bt = typed(rng) == 0 ? std::floor(km(rng) / 2) : 0;
        const TravelDistances d = SplitTravelDistance(defaultTaxYear().vehicle, t, days(rng), bt);
        ASSERT_LE(d.business + d.priv, t + 1e-6) << t;
        ASSERT_GT(d.business + d.priv, t - 0.01) << t;
        if (bt > 0)
            ASSERT_EQ(d.business, bt);
        else
            ASSERT_GE(d.business, 0);
    }
}

}  // namespace
}  // namespace grossby
