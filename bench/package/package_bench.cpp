// The reverse package search, rand by rand against the piecewise search, for
// a monthly net of 20 000 and an annual net of 5 000 000. Each benchmark
// reports the passes (net-pay evaluations) one search makes; the ratio of the
// two times is the speed-up.

#include "literal_search.h"
#include "package/package_calc.h"

#include <benchmark/benchmark.h>

namespace {

using namespace grossby;

NetPayFunction prepared(PackagePeriod period, double net)
{
    PackageInputs in;
    in.period = period;
    in.amount = net;
    in.age = 40;
    PackageSettings s;
    s.EmployeeUIF = 1;
    s.EmployerUIF = 1;
    s.SkillLevy = 1;
    s.UIFLimit = 15000;
    return std::get<NetPayFunction>(NetPayFunction::prepare(in, s));
}

void literal(benchmark::State& state, PackagePeriod period, double net)
{
    const NetPayFunction f = prepared(period, net);
    std::int64_t passes = 0;
    for (auto _ : state) {
        const auto out = literalGrossSearch(f, kMaxGrossSalary);
        passes = out->passes;
        benchmark::DoNotOptimize(out->pass.net);
    }
    state.counters["passes"] = static_cast<double>(passes);
}

void fast(benchmark::State& state, PackagePeriod period, double net)
{
    const NetPayFunction f = prepared(period, net);
    std::int32_t passes = 0;
    for (auto _ : state) {
        const GrossSearchOutcome out = searchGrossSalary(f);
        passes = out.evaluations;
        benchmark::DoNotOptimize(out.pass.net);
    }
    state.counters["passes"] = passes;
}

BENCHMARK_CAPTURE(literal, monthly_20000, PackagePeriod::Monthly, 20000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fast, monthly_20000, PackagePeriod::Monthly, 20000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(literal, annual_5000000, PackagePeriod::Annual, 5000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fast, annual_5000000, PackagePeriod::Annual, 5000000)->Unit(benchmark::kMicrosecond);

}  // namespace
