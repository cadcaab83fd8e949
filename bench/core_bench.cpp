#include "core/module1.h"
#include "payroll/quicktax.h"

#include <benchmark/benchmark.h>

static void BM_CalcAnnualTax(benchmark::State& st)
{
    grossby::Module1 s;
    double income = 0;
    for (auto _ : st) {
        s.AnnualTaxableIncome = income;
        grossby::CalcAnnualTax(s, grossby::defaultTaxYear());
        benchmark::DoNotOptimize(s.memory<grossby::QuickTaxMemory>().AnnualTax);
        income += 137.0;
        if (income > 2e6)
            income = 0;
    }
}
BENCHMARK(BM_CalcAnnualTax);
