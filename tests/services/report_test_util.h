#pragma once
// Fixtures for report tests: a print database in a temporary folder, the
// QuickTax row of the worked example, and the text of a PDF read back with
// pdftotext.

#include "core/print_record.h"
#include "services/print_database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace grossby::testing {

/// Folder of the shipped templates and of the test-only templates.
inline QString shippedTemplates()
{
    return QStringLiteral(GROSSBY_TEMPLATE_DIR);
}
inline QString testTemplates()
{
    return QStringLiteral(GROSSBY_TEST_TEMPLATE_DIR);
}

/// The kwiktax row for an income of 500 000 at age 40.
inline PrintRecord kwikTaxRow()
{
    return {
        {"AGE", std::int32_t{40}}, {"TAXINCOME", 500000.0}, {"TAXTOPAY", 97225.0},        {"MARGRATE", 36.0},
        {"PORTION", 32234.4},      {"TOTTAX", 129459.4},    {"REBATE", 13635.0},          {"TAXCOM4", 115824.4},
        {"AVRATE", 25.891880},     {"AVRATEAFT", 23.16488}, {"TAXCOM4/2", 115824.4 / 12},
    };
}

/// Month k of a 600-month schedule (figures only need to be recognisable).
inline std::vector<PrintRecord> amortRows(int months = 600)
{
    std::vector<PrintRecord> rows;
    for (int k = 1; k <= months; ++k)
        rows.push_back({{"Year", std::int32_t(k)},
                        {"Capital", 1000.0 + k},
                        {"Interest", 5000.25 - k},
                        {"Required", 1000000.0 - 1000.0 * k}});
    return rows;
}

/// A temporary folder holding a print database made by the program.
struct PrintFixture {
    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("Crysprin.db"));

    PrintFixture()
    {
        const auto status = PrintDatabase(db).ensure();
        EXPECT_TRUE(status.ok()) << status.error.toStdString();
    }
    void stage(const std::vector<StagedTable>& tables) const
    {
        const auto status = PrintDatabase(db).stage(tables);
        ASSERT_TRUE(status.ok()) << status.error.toStdString();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    /// Writes a template into the folder and returns its path.
    QString writeTemplate(const QString& name, const QString& text) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        return path(name);
    }
};

/// The text of each page of a PDF, laid out as pdftotext sees it.
inline QStringList pdfPages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdftotext did not finish";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)  // ligatures back to letters
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

/// Entry `member` of a zip file (ODT, XLSX), through unzip.
inline QString zipEntry(const QString& zip, const QString& member)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace grossby::testing
