// Report engine speed: from rows staged in the print database to a finished
// PDF, for the one-page QuickTax sheet and a 600-month schedule; and the
// printouts of grossby-cli measured as whole processes (start, calculate,
// fill in, lay out, write), as a user runs them: QuickTax, the 600-month
// loan schedule, and company car registers of 300, 1 000 and 10 000
// vehicles (the last refused as too long for PDF, exported as CSV and
// XLSX). Each whole process also reports its peak memory ("peak_MB").

#include "app/print_tables.h"
#include "services/print_database.h"
#include "services/report_engine.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace grossby;

const QString kTemplates = QStringLiteral(GROSSBY_TEMPLATE_DIR);
const QString kTestTemplates = QStringLiteral(GROSSBY_TEST_TEMPLATE_DIR);

PrintRecord kwikTaxRow(double income)
{
    return {{"AGE", std::int32_t{40}}, {"TAXINCOME", income},   {"TAXTOPAY", 97225.0}, {"MARGRATE", 36.0},
            {"PORTION", 32234.4},      {"TOTTAX", 129459.4},    {"REBATE", 13635.0},   {"TAXCOM4", 115824.4},
            {"AVRATE", 25.89188},      {"AVRATEAFT", 23.16488}, {"TAXCOM4/2", 9652.03}};
}

std::vector<PrintRecord> schedule(int months)
{
    std::vector<PrintRecord> rows;
    for (int k = 1; k <= months; ++k)
        rows.push_back({{"Year", std::int32_t(k)},
                        {"Capital", 1000.0 + k},
                        {"Interest", 5000.25 - k},
                        {"Required", 1000000.0 - 1000.0 * k}});
    return rows;
}

/// Stage, load, lay out and write the PDF (to memory), as a print does.
void runToPdf(benchmark::State& state, const QString& templatePath, const std::vector<StagedTable>& tables)
{
    QTemporaryDir dir;
    const PrintDatabase db(dir.filePath(QStringLiteral("Crysprin.db")));
    if (!db.ensure()) {
        state.SkipWithError("print database could not be made");
        return;
    }
    int pages = 0;
    for (auto _ : state) {
        if (!db.stage(tables)) {
            state.SkipWithError("staging failed");
            return;
        }
        const Report report = Report::load(templatePath, db.path());
        if (!report.ok()) {
            state.SkipWithError(report.error().toStdString().c_str());
            return;
        }
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setResolution(static_cast<int>(Report::kLayoutDpi));
        if (!report.print(writer)) {
            state.SkipWithError("printing failed");
            return;
        }
        pages = report.pageCount();
        benchmark::DoNotOptimize(pdf.size());
    }
    state.counters["pages"] = pages;
}

void BM_QuickTaxToPdf(benchmark::State& state)
{
    runToPdf(state, kTemplates + QStringLiteral("/kwiktep.rpt"), {{"kwiktax", {kwikTaxRow(500000)}}});
}
BENCHMARK(BM_QuickTaxToPdf)->Unit(benchmark::kMillisecond);

void BM_Schedule600ToPdf(benchmark::State& state)
{
    runToPdf(state, kTestTemplates + QStringLiteral("/amort_test.rpt"), {{"Amort", schedule(600)}});
}
BENCHMARK(BM_Schedule600ToPdf)->Unit(benchmark::kMillisecond);

/// The schedule without the PDF: reading, filling in and laying out.
void BM_Schedule600Load(benchmark::State& state)
{
    QTemporaryDir dir;
    const PrintDatabase db(dir.filePath(QStringLiteral("Crysprin.db")));
    if (!db.stage({{"Amort", schedule(600)}})) {
        state.SkipWithError("staging failed");
        return;
    }
    for (auto _ : state) {
        const Report report = Report::load(kTestTemplates + QStringLiteral("/amort_test.rpt"), db.path());
        benchmark::DoNotOptimize(report.pageCount());
    }
}
BENCHMARK(BM_Schedule600Load)->Unit(benchmark::kMillisecond);

// --- Whole processes ---------------------------------------------------------

const QString kCli = QStringLiteral(GROSSBY_CLI);

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

/// A company car register of `count` vehicles, written once.
QString vehicles(int count)
{
    const QString path = scratch().filePath(QStringLiteral("cars%1.csv").arg(count));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write("Registration,Price,Maintenance_Plan,Start,End,Total_KM,Business_KM,Log_Book,Fuel_Table,"
                   "Employee_Fuel,Employer_Fuel_Refund,Employee_Insurance\n");
        for (int i = 0; i < count; ++i)
            file.write(QStringLiteral("CA %1,%2,%3,,,%4,%5,1,0,,,\n")
                           .arg(i + 1)
                           .arg(200000 + i * 1000)
                           .arg(i % 2)
                           .arg(20000 + i)
                           .arg(5000 + i)
                           .toUtf8());
    }
    return path;
}

/// Runs grossby-cli with `args`, its output thrown away and its messages
/// kept in `messages`; returns its exit status (-1 when it did not end
/// normally) and adds its peak memory (kB) to `peakKb`.
int runProcess(const QStringList& args, const QString& messages, long& peakKb)
{
    std::vector<std::string> words{kCli.toStdString()};
    for (const QString& a : args)
        words.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    const std::string err = messages.toStdString();
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return -1;
    peakKb = std::max(peakKb, usage.ru_maxrss);
    return WEXITSTATUS(status);
}

/// Runs grossby-cli with `args` and "--report FILE.<suffix>" once per
/// iteration; `expectedExit` is what it must end with.
void runCli(benchmark::State& state, QStringList args, const QString& suffix, int expectedExit = 0)
{
    const QString report = scratch().filePath(QStringLiteral("report.") + suffix);
    const QString messages = scratch().filePath(QStringLiteral("messages.txt"));
    args << QStringLiteral("--report") << report;
    long peakKb = 0;
    for (auto _ : state) {
        if (runProcess(args, messages, peakKb) != expectedExit) {
            QFile text(messages);
            text.open(QIODevice::ReadOnly);
            state.SkipWithError(text.readAll().constData());
            return;
        }
    }
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024;
    if (expectedExit == 0)
        state.counters["bytes"] = static_cast<double>(QFileInfo(report).size());
}

void BM_Cli_QuickTaxNoReport(benchmark::State& state)
{
    const QStringList args{QStringLiteral("quicktax"), QStringLiteral("--income"), QStringLiteral("500000"),
                           QStringLiteral("--age"), QStringLiteral("40")};
    long peakKb = 0;
    for (auto _ : state) {
        if (runProcess(args, scratch().filePath(QStringLiteral("messages.txt")), peakKb) != 0) {
            state.SkipWithError("quicktax failed");
            return;
        }
    }
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024;
}
BENCHMARK(BM_Cli_QuickTaxNoReport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Cli_QuickTaxPdf(benchmark::State& state)
{
    runCli(state,
           {QStringLiteral("quicktax"), QStringLiteral("--income"), QStringLiteral("500000"), QStringLiteral("--age"),
            QStringLiteral("40")},
           QStringLiteral("pdf"));
}
BENCHMARK(BM_Cli_QuickTaxPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Cli_Schedule600Pdf(benchmark::State& state)
{
    runCli(state,
           {QStringLiteral("loan"), QStringLiteral("--principal"), QStringLiteral("1000000"),
            QStringLiteral("--months"), QStringLiteral("600"), QStringLiteral("--rate"), QStringLiteral("10"),
            QStringLiteral("--schedule"), QStringLiteral("monthly")},
           QStringLiteral("pdf"));
}
BENCHMARK(BM_Cli_Schedule600Pdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Cli_CompanyCarPdf(benchmark::State& state)
{
    const auto count = static_cast<int>(state.range(0));
    runCli(state, {QStringLiteral("company-car"), QStringLiteral("--vehicles"), vehicles(count)},
           QStringLiteral("pdf"));
}
BENCHMARK(BM_Cli_CompanyCarPdf)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Cli_CompanyCarPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/// 10 000 vehicles are past the page limit: refused before any layout.
void BM_Cli_CompanyCar10000PdfRefused(benchmark::State& state)
{
    runCli(state, {QStringLiteral("company-car"), QStringLiteral("--vehicles"), vehicles(10000)}, QStringLiteral("pdf"),
           1);
}
BENCHMARK(BM_Cli_CompanyCar10000PdfRefused)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Cli_CompanyCar10000Export(benchmark::State& state)
{
    runCli(state, {QStringLiteral("company-car"), QStringLiteral("--vehicles"), vehicles(10000)},
           state.range(0) == 0 ? QStringLiteral("csv") : QStringLiteral("xlsx"));
}
BENCHMARK(BM_Cli_CompanyCar10000Export)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"xlsx"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    grossby::declareProgramPrintTables();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
