// Over the whole range the input tables accept, every figure a period
// calculator or QuickTax gives is a finite number: no input a field or an
// option lets through can make a result NaN or infinite.

#include "core/annual_tax.h"
#include "core/tax_year.h"
#include "payroll/period_inputs.h"
#include "payroll/quicktax.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace grossby {
namespace {

// Values near the edges of a range turn up far more often than a uniform
// draw would give them.
double drawIn(std::mt19937_64& rng, double lo, double hi, bool whole)
{
    std::uniform_int_distribution<int> pick(0, 5);
    double v = 0;
    switch (pick(rng)) {
    case 0: v = lo; break;
    case 1: v = hi; break;
    case 2: v = std::uniform_real_distribution<double>(lo, hi)(rng); break;
    case 3: v = std::min(hi, lo + std::pow(10.0, std::uniform_real_distribution<double>(-2, 12.01)(rng))); break;
    default: v = std::uniform_real_distribution<double>(lo, std::min(hi, lo + 100))(rng); break;
    }
    if (whole)
        v = std::floor(v);
    return std::clamp(v, lo, hi);
}

template <class In> void fillRandomly(const std::vector<InputSpec<In>>& table, In& in, std::mt19937_64& rng)
{
    for (const InputSpec<In>& desc : table) {
        switch (desc.kind) {
        case InputKind::Text: break;
        case InputKind::Counts:
            for (int& n : desc.counts(in))
                n = static_cast<int>(drawIn(rng, desc.min, desc.max, true));
            break;
        case InputKind::Rate:
            desc.set(in, desc.choices[std::uniform_int_distribution<std::size_t>(0, desc.choices.size() - 1)(rng)]);
            break;
        case InputKind::TaxYear: {
            // Any year the program has.
            const auto years = taxYears();
            desc.set(in, years[std::uniform_int_distribution<std::size_t>(0, years.size() - 1)(rng)]->year);
            break;
        }
        default: desc.set(in, drawIn(rng, desc.min, desc.max, desc.whole() || desc.kind == InputKind::Date));
        }
    }
}

template <class In, class Result>
void expectFiniteResults(const char* name, const std::vector<InputSpec<In>>& inputs,
                         const std::vector<ResultSpec<Result>>& results,
                         CalcOutcome<Result> (*calc)(const In&, const PeriodSettings&), void (*fixUp)(In&))
{
    std::mt19937_64 rng(20180228);
    int accepted = 0;
    constexpr int kRuns = 20000;
    for (int i = 0; i < kRuns; ++i) {
        In in;
        PeriodSettings settings;
        fillRandomly(inputs, in, rng);
        fillRandomly(periodSettingsTable(), settings, rng);
        fixUp(in);
        const auto outcome = calc(in, settings);
        const Result* r = std::get_if<Result>(&outcome);
        if (!r)
            continue;
        ++accepted;
        for (const ResultSpec<Result>& desc : results) {
            const double v = desc.get(*r);
            ASSERT_TRUE(std::isfinite(v)) << name << " " << desc.key << " is " << v << " for salary " << in.pay.salary
                                          << ", bonus " << in.pay.bonus;
        }
    }
    // Most draws must reach the arithmetic, or the test proves little.
    EXPECT_GT(accepted, kRuns / 2) << name;
}

// Dates drawn in 2017/18 moved to the same days of the year drawn.
template <class In> void datesInTheYear(In& in)
{
    const TaxYearFigures& to = *findTaxYear(in.TaxYear);
    in.startDate = sameDayInTaxYear(in.startDate, defaultTaxYear(), to);
    in.endDate = sameDayInTaxYear(in.endDate, defaultTaxYear(), to);
}

TEST(FiniteResults, PeriodCalculatorsOverTheAcceptedRange)
{
    expectFiniteResults<MonthlyInputs, PeriodResult>(
        "monthly", monthlyInputTable(), periodResultTable(), &CalcMonthlyTax, [](MonthlyInputs& in) {
            datesInTheYear(in);
            // Both dates in the start date's month, in order.
            const CivilDate s = dateFromDayNumber(in.startDate);
            in.endDate = std::max(
                in.startDate, static_cast<double>(dayNumberFromDate({s.year, s.month, daysInMonth(s.year, s.month)})));
        });
    expectFiniteResults<AnnualInputs, AnnualResult>("annual", annualInputTable(), annualResultTable(), &CalcAnnualPAYE,
                                                    [](AnnualInputs& in) {
                                                        datesInTheYear(in);
                                                        if (in.endDate < in.startDate)
                                                            std::swap(in.startDate, in.endDate);
                                                    });
    auto shortFixUp = [](ShortPeriodInputs& in) {
        in.normalDays = std::max(in.normalDays, 1);
        in.thisDays = std::clamp(in.thisDays, 1, in.normalDays);
    };
    expectFiniteResults<ShortPeriodInputs, PeriodResult>("weekly", weeklyInputTable(), periodResultTable(),
                                                         &CalcWeeklyTax, shortFixUp);
    expectFiniteResults<ShortPeriodInputs, PeriodResult>("fortnightly", fortnightlyInputTable(), periodResultTable(),
                                                         &CalcFortnightlyTax, shortFixUp);
    expectFiniteResults<DailyInputs, PeriodResult>("daily", dailyInputTable(), periodResultTable(), &CalcDailyTax,
                                                   [](DailyInputs&) {});
}

TEST(FiniteResults, QuickTaxAndTheScaleAtTheLargestAmount)
{
    for (const double income : {0.0, 0.01, 189880.0, 1e9, kMaxAmount}) {
        for (const int age : {0, 65, 75, kMaxAge}) {
            const QuickTaxResult r = CalcQuickTax({income, age}, defaultTaxYear());
            for (const double v : {r.total, r.payable, r.averageRate, r.averageRateAfter, r.monthlyTax()})
                EXPECT_TRUE(std::isfinite(v)) << income << " at " << age;
        }
        EXPECT_TRUE(std::isfinite(annualTax(defaultTaxYear(), income).annualTax)) << income;
    }
}

}  // namespace
}  // namespace grossby
