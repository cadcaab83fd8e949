// The loan searches side by side: trying every month and cent (or every rate
// step) against the bisections. Each benchmark reports the formula
// evaluations one search makes as "evaluations".

#include "finance/loan.h"
#include "literal_search.h"

#include <benchmark/benchmark.h>

namespace grossby {
namespace {

struct Loan {
    double principal, rate, repayment, months;
};

// The period searches: a 1 000 000 loan at 12 % repaid at 600 000 a month
// (41 million cent steps), and the worked 100 000 loan at 1 101.09 and at
// 1 500 (97 months).
const Loan kPeriodLoans[] = {{1'000'000, 12, 600'000, 0}, {100'000, 12, 1101.09, 0}, {100'000, 10, 1500, 0}};
// The rate searches: 20 years at 12 %, 12 months at about 54.6 %, and a
// 30-year bond at about 300 %.
const Loan kRateLoans[] = {{100'000, 0, 1101.09, 240}, {10'000, 0, 1100, 12}, {1'000'000, 0, 250'000, 360}};

void BM_PeriodLiteral(benchmark::State& state)
{
    const Loan& l = kPeriodLoans[state.range(0)];
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        const literal::Period p = literal::PER(l.principal, l.rate, l.repayment);
        evaluations = p.evaluations;
        benchmark::DoNotOptimize(p);
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
}

void BM_PeriodFast(benchmark::State& state)
{
    const Loan& l = kPeriodLoans[state.range(0)];
    int evaluations = 0;
    for (auto _ : state) {
        const PeriodSearch p = PER(l.principal, l.rate, l.repayment);
        evaluations = p.evaluations;
        benchmark::DoNotOptimize(p);
    }
    state.counters["evaluations"] = evaluations;
}

void BM_RateLiteral(benchmark::State& state)
{
    const Loan& l = kRateLoans[state.range(0)];
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        const literal::RateFound r = literal::Rate(l.principal, l.months, l.repayment);
        evaluations = r.evaluations;
        benchmark::DoNotOptimize(r);
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
}

void BM_RateFast(benchmark::State& state)
{
    const Loan& l = kRateLoans[state.range(0)];
    int evaluations = 0;
    for (auto _ : state) {
        const RateSearch r = Rate(l.principal, l.months, l.repayment);
        evaluations = r.evaluations;
        benchmark::DoNotOptimize(r);
    }
    state.counters["evaluations"] = evaluations;
}

BENCHMARK(BM_PeriodLiteral)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeriodFast)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RateLiteral)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RateFast)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace grossby
