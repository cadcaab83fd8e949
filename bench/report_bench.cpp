// Report engine speed: from rows staged in the print database to a finished
// PDF, for the one-page QuickTax sheet and a 600-month schedule.

#include "services/print_database.h"
#include "services/report_engine.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
