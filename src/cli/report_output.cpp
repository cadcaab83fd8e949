#include "cli/report_output.h"

#include "cli/csv.h"
#include "services/file_locations.h"
#include "services/output_file.h"
#include "services/report_engine.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <memory>

namespace grossby::cli {

CLI::Option* addReportOption(CLI::App* cmd, std::string& file)
{
    const CLI::Validator format(
        [](std::string& name) -> std::string {
            const QString suffix = QFileInfo(QString::fromStdString(name)).suffix().toLower();
            if (Report::exportSuffixes().contains(suffix) || suffix == QLatin1String("htm"))
                return {};
            return "the report file must end in .pdf, .html, .odt, .csv or .xlsx: " + name;
        },
        "FILE.{pdf,html,odt,csv,xlsx}");
    return cmd
        ->add_option("--report", file,
                     "Also write the printout to FILE: PDF, HTML or ODF text (.odt) as printed, or the printed "
                     "figures as CSV or Excel (.xlsx), by the extension")
        ->check(format);
}

std::optional<std::string> writeReport(const std::vector<StagedTable>& tables, const std::string& templateName,
                                       const std::string& title, const std::string& file)
{
    // Pages are laid out by Qt's text engine, which needs a GUI application.
    // It is made only for a report, on the offscreen platform (no display),
    // and the C library keeps the "C" number format the results print in.
    // Qt's own notes about the session (no runtime folder, fonts) are not
    // the script's business; only our messages reach `err`.
    struct QuietQt {
        QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    fprintf(stderr, "%s\n", qPrintable(text));
            });
        ~QuietQt() { qInstallMessageHandler(previous); }
    } quiet;
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "grossby-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
    }

    std::optional<std::string> failure;
    {
        // The rows go straight to the template: no print database is made
        // (the program's own is never touched).
        const QString templatePath = QDir(programFolder()).filePath(QString::fromStdString(templateName));
        // CSV and XLSX take the staged rows and HTML the filled-in template:
        // only PDF and ODF text are laid out in pages.
        const QString target = QString::fromStdString(file);
        // The pages are printed once, so each is painted as soon as it is
        // laid out.
        Report::Content content = Report::contentFor(target);
        if (content == Report::Content::Pages && QFileInfo(target).suffix().toLower() == QLatin1String("pdf"))
            content = Report::Content::Print;
        const Report report = Report::load(templatePath, tables, QString::fromStdString(title), content);
        if (!report.ok())
            return report.error().toStdString();
        if (ReportStatus status = report.exportTo(target); !status)
            failure = status.error.toStdString();
        // What the template asked for and did not get (a picture left out)
        // is said, not passed over; the report itself is written.
        for (const QString& warning : report.warnings())
            std::cerr << "Warning: " << warning.toStdString() << '\n';
    }
    return failure;
}

}  // namespace grossby::cli

namespace grossby::cli {
namespace {

// The finished bytes written to `file` through OutputFile: all or nothing.
std::optional<std::string> saveAll(const std::string& file, const QByteArray& bytes)
{
    OutputFile out(QString::fromStdString(file));
    if (QString problem = out.open(); !problem.isEmpty())
        return problem.toStdString();
    if (out.device()->write(bytes) != bytes.size()) {
        const QString reason = out.device()->errorString();
        out.cancel();
        return outputFailure(out.path(), reason).toStdString();
    }
    if (QString problem = out.commit(); !problem.isEmpty())
        return problem.toStdString();
    return std::nullopt;
}

std::optional<std::string> tableCsv(const FigureTable& table, const std::string& file)
{
    std::string text;
    CsvWriter writer([&text](std::string_view bytes) {
        text.append(bytes);
        return true;
    });
    for (const std::string& column : table.columns)
        writer.field(column);
    writer.endRecord();
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (table.whole[c])
                writer.integer(static_cast<long long>(row[c]));
            else
                writer.number(row[c]);
        }
        writer.endRecord();
    }
    writer.finish();
    return saveAll(file, QByteArray::fromStdString(text));
}

std::optional<std::string> tableXlsx(const FigureTable& table, const std::string& file)
{
    const QString path = QString::fromStdString(file);
    const auto fail = [&path](const QString& reason) {
        return std::optional<std::string>(outputFailure(path, reason).toStdString());
    };
    // libxlsxwriter writes to a name of its own choosing and prints its own
    // failures: it gets a private folder, and the finished workbook goes to
    // the target through OutputFile.
    QTemporaryDir work;
    if (!work.isValid())
        return fail(QStringLiteral("no temporary folder could be made (%1)").arg(work.errorString()));
    const QByteArray partialName = QFile::encodeName(work.filePath(QStringLiteral("table.xlsx")));
    QByteArray tmpdir = QFile::encodeName(work.path());
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(partialName.constData(), &options);
    if (!workbook)
        return fail(QStringLiteral("out of memory"));
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format* amount = workbook_add_format(workbook);
    format_set_num_format(amount, "#,##0.00");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_error error = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (std::size_t c = 0; c < table.columns.size() && sheet; ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        worksheet_write_string(sheet, 0, col, table.columns[c].c_str(), bold);
        worksheet_set_column(sheet, col, col, table.whole[c] ? 8 : 16, nullptr);
    }
    if (sheet)
        worksheet_freeze_panes(sheet, 1, 0);
    for (std::size_t r = 0; r < table.rows.size() && sheet && error == LXW_NO_ERROR; ++r) {
        for (std::size_t c = 0; c < table.rows[r].size() && error == LXW_NO_ERROR; ++c) {
            error = worksheet_write_number(sheet, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c),
                                           table.rows[r][c], table.whole[c] ? nullptr : amount);
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(error)).trimmed());
    QFile made(QFile::decodeName(partialName));
    if (!made.open(QIODevice::ReadOnly))
        return fail(made.errorString());
    return saveAll(file, made.readAll());
}

}  // namespace

std::optional<std::string> writeTableFile(const FigureTable& table, const std::string& file)
{
    const QString suffix = QFileInfo(QString::fromStdString(file)).suffix().toLower();
    if (suffix == QLatin1String("xlsx"))
        return tableXlsx(table, file);
    return tableCsv(table, file);
}

}  // namespace grossby::cli
