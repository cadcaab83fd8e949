// Batch files through grossby-cli's batch path, CSV in to CSV out, in
// process: a monthly payroll of 1 000 000 employees beside awk appending one
// column to the same file (the anchor, timed in the same run and, as vs_awk,
// turn about with the batch), and 100 000
// salary packages forward and in reverse. The files are the ones
// bench/make_batch_files.sh makes, the same bytes every run. The monthly
// calculation on its own is there for comparison.
//
// Rows are counted as items: items_per_second is rows a second.

#include "app/cli_registration.h"
#include "cli/batch.h"
#include "payroll/period_tax.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using namespace grossby;
using namespace grossby::cli;

constexpr int kMonthlyRows = 1'000'000;
constexpr int kPackageRows = 100'000;

// The folder holding the batch files, made once for the whole run.
const std::string& batchFiles()
{
    static const std::string dir = [] {
        const std::string path = "/tmp/grossby_batch_bench_" + std::to_string(getpid());
        const std::string command = "bash '" GROSSBY_BENCH_DIR "/make_batch_files.sh' '" + path + "' " +
            std::to_string(kMonthlyRows) + " " + std::to_string(kPackageRows);
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "could not make the batch files: %s\n", command.c_str());
            std::exit(1);
        }
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all("/tmp/grossby_batch_bench_" + std::to_string(getpid()), ec);
        });
        return path;
    }();
    return dir;
}

std::shared_ptr<const Calculator> calculator(const std::string& name)
{
    for (auto& calc : calculators()) {
        if (calc->name == name)
            return calc;
    }
    std::fprintf(stderr, "no calculator %s\n", name.c_str());
    std::exit(1);
}

// A calculation of `calc` with every setting given, so the store is not read.
std::unique_ptr<Calculation> withSettings(const Calculator& calc,
                                          std::initializer_list<std::pair<const char*, const char*>> settings)
{
    auto base = calc.start();
    for (const auto& [key, value] : settings)
        base->set(*calc.inputIndex(key), value);
    return base;
}

void runFile(benchmark::State& state, const Calculator& calc, const Calculation& base, const char* file, int rows)
{
    const std::string in = batchFiles() + "/" + file;
    const std::string out = in + ".out";
    std::ostringstream messages;
    for (auto _ : state) {
        if (runBatch(calc, base, in, out, messages) != 0)
            state.SkipWithError("batch run failed");
    }
    state.SetItemsProcessed(state.iterations() * rows);
    std::remove(out.c_str());
}

std::string awkCommand(const std::string& in)
{
    return "awk -F, -v OFS=, '{ $(NF + 1) = NF } 1' '" + in + "' > '" + in + ".awk'";
}

// The monthly payroll, each run followed by awk on the same file (not
// timed by the framework): vs_awk is the batch's time over awk's, the two
// measured turn about so that a machine busy with other work weighs on both.
void BM_MonthlyBatch(benchmark::State& state)
{
    const auto calc = calculator("monthly");
    const auto base = withSettings(*calc,
                                   {{"employee-uif", "1"},
                                    {"employer-uif", "1"},
                                    {"skills-levy", "1"},
                                    {"uif-limit", "14872"},
                                    {"travel-inclusion", "0.8"}});
    const std::string in = batchFiles() + "/monthly.csv";
    const std::string out = in + ".out";
    const std::string awk = awkCommand(in);
    std::ostringstream messages;
    using Clock = std::chrono::steady_clock;
    Clock::duration ours{};
    Clock::duration theirs{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (runBatch(*calc, *base, in, out, messages) != 0)
            state.SkipWithError("batch run failed");
        const auto middle = Clock::now();
        state.PauseTiming();
        if (std::system(awk.c_str()) != 0)
            state.SkipWithError("awk failed");
        theirs += Clock::now() - middle;
        ours += middle - start;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMonthlyRows);
    const double n = static_cast<double>(state.iterations());
    state.counters["awk_ms"] = std::chrono::duration<double, std::milli>(theirs).count() / n;
    state.counters["vs_awk"] = std::chrono::duration<double>(ours) / std::chrono::duration<double>(theirs);
    std::remove(out.c_str());
    std::remove((in + ".awk").c_str());
}
BENCHMARK(BM_MonthlyBatch)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The anchor: awk reading every field of the monthly file and writing each
// line back with one more column, as a script would add a figure.
void BM_AwkAppendColumn(benchmark::State& state)
{
    const std::string in = batchFiles() + "/monthly.csv";
    const std::string command = awkCommand(in);
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("awk failed");
    }
    state.SetItemsProcessed(state.iterations() * kMonthlyRows);
    std::remove((in + ".awk").c_str());
}
BENCHMARK(BM_AwkAppendColumn)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

const std::initializer_list<std::pair<const char*, const char*>> kPackageSettings = {
    {"employee-uif", "1"},        {"employer-uif", "1"},       {"skills-levy", "1"},
    {"uif-limit", "15000"},       {"travel-inclusion", "0.8"}, {"employee-rf-percent", "0"},
    {"employer-rf-percent", "0"}, {"maintenance-plan", "no"}};

void BM_PackageBatch(benchmark::State& state)
{
    const auto calc = calculator("package");
    const auto base = withSettings(*calc, kPackageSettings);
    runFile(state, *calc, *base, "package.csv", kPackageRows);
}
BENCHMARK(BM_PackageBatch)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GrossUpBatch(benchmark::State& state)
{
    const auto calc = calculator("grossup");
    const auto base = withSettings(*calc, kPackageSettings);
    runFile(state, *calc, *base, "grossup.csv", kPackageRows);
}
BENCHMARK(BM_GrossUpBatch)->Unit(benchmark::kMillisecond)->UseRealTime();

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
