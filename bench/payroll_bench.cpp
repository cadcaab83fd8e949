// A monthly payroll file through grossby-cli's batch path, CSV in to CSV out,
// and the monthly calculation on its own for comparison.

#include "cli/batch.h"
#include "cli/calculators.h"
#include "payroll/period_tax.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using namespace grossby;
using namespace grossby::cli;

// A file of `rows` employees with varied pay, dates and medical figures.
std::string makePayrollFile(int rows)
{
    const std::string path = "/tmp/grossby_payroll_bench_" + std::to_string(getpid()) + ".csv";
    std::ofstream out(path);
    out << "name,age,salary,commission,bonus,travel-allowance,employer-rf,employee-rf,"
           "employer-medical,employee-medical,beneficiaries,start,end\n";
    for (int i = 0; i < rows; ++i) {
        const int month = i % 12;
        const int day = 1 + i % 28;
        const int calMonth = (month + 2) % 12 + 1;
        const int year = calMonth <= 2 ? 2018 : 2017;
        char line[256];
        std::snprintf(line, sizeof line, "Employee %d,%d,%d.%02d,%d,%d,%d,%d,%d,%d,%d,%d,%02d/%02d/%d,28/%02d/%d\n", i,
                      20 + i % 60, 5000 + (i * 37) % 90000, i % 100, (i % 7) * 500, i % 13 == 0 ? 10000 : 0,
                      (i % 5) * 1000, (i % 3) * 800, (i % 4) * 600, (i % 6) * 700, (i % 9) * 300, i % 6,
                      day > 28 ? 28 : day, calMonth, year, calMonth, year);
        out << line;
    }
    return path;
}

// The monthly calculator with every setting given, so the store is not read.
std::unique_ptr<Calculation> monthlyBase(const Calculator& calc)
{
    auto base = calc.start();
    const std::pair<const char*, const char*> settings[] = {{"employee-uif", "1"},
                                                            {"employer-uif", "1"},
                                                            {"skills-levy", "1"},
                                                            {"uif-limit", "14872"},
                                                            {"travel-inclusion", "0.8"}};
    for (const auto& [key, value] : settings)
        base->set(*calc.inputIndex(key), value);
    return base;
}

void BM_MonthlyBatchCsvToCsv(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const std::string in = makePayrollFile(rows);
    const std::string out = in + ".out";
    const auto calc = monthlyCalculator();
    const auto base = monthlyBase(*calc);
    std::ostringstream messages;
    for (auto _ : state) {
        if (runBatch(*calc, *base, in, out, messages) != 0)
            state.SkipWithError("batch run failed");
    }
    state.SetItemsProcessed(state.iterations() * rows);
    std::remove(in.c_str());
    std::remove(out.c_str());
}
BENCHMARK(BM_MonthlyBatchCsvToCsv)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CalcMonthlyTax(benchmark::State& state)
{
    MonthlyInputs in;
    in.age = 40;
    in.pay.salary = 20000;
    in.pay.employerMedical = 1500;
    in.beneficiaries = 3;
    in.startDate = 42795;
    in.endDate = 42810;
    const PeriodSettings settings{1, 1, 1, 14872, 0.8};
    for (auto _ : state) {
        in.pay.salary += 1;
        benchmark::DoNotOptimize(CalcMonthlyTax(in, settings));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalcMonthlyTax);

}  // namespace

BENCHMARK_MAIN();
