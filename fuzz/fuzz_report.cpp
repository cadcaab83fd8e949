// The report filler: any template text filled with rows staged in a print
// database (the QuickTax row and a year of a loan schedule), then laid out.

#include "app/print_tables.h"
#include "core/print_record.h"
#include "fuzz_util.h"
#include "services/print_database.h"
#include "services/report_engine.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace grossby;

namespace {

QString stagedDatabase()
{
    fuzz::needGuiApplication();
    declareProgramPrintTables();
    const QString db = QString::fromStdString(fuzz::scratchFolder() + "/Crysprin.db");
    std::vector<PrintRecord> schedule;
    for (int k = 1; k <= 12; ++k)
        schedule.push_back({{"Year", std::int32_t(k)},
                            {"Capital", 1000.0 + k},
                            {"Interest", 5000.25 - k},
                            {"Required", 100000.0 - 1000.0 * k}});
    const PrintRecord kwiktax = {
        {"AGE", std::int32_t{40}}, {"TAXINCOME", 500000.0}, {"TAXTOPAY", 97225.0},        {"MARGRATE", 36.0},
        {"PORTION", 32234.4},      {"TOTTAX", 129459.4},    {"REBATE", 13635.0},          {"TAXCOM4", 115824.4},
        {"AVRATE", 25.891880},     {"AVRATEAFT", 23.16488}, {"TAXCOM4/2", 115824.4 / 12},
    };
    const DbStatus status = PrintDatabase(db).stage({{"kwiktax", {kwiktax}}, {"Amort", schedule}});
    if (!status)
        std::abort();
    return db;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString db = stagedDatabase();
    const QString tpl = QString::fromStdString(fuzz::writeScratch("fuzz.rpt", data, size));
    const Report report = Report::load(tpl, db, QStringLiteral("Fuzz"));
    if (report.ok())
        (void)report.pageCount();
    return 0;
}
