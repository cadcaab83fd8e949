// Writing a filled-in report to files: the laid-out pages (PDF), the filled
// template (HTML, ODF text) and the staged rows behind it (CSV, XLSX).

#include "services/output_file.h"
#include "services/report_engine.h"
#include "services/report_format.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <xlsxwriter.h>

namespace grossby {
namespace {

QString shown(const QString& path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

ReportStatus openFailed(const QString& path, const QString& reason)
{
    return {outputFailure(path, reason)};
}

/// Writes `data` to `path` in one go through OutputFile: the target is
/// replaced only when the new file is complete.
ReportStatus saveAll(const QString& path, const QByteArray& data)
{
    OutputFile file(path);
    if (QString error = file.open(); !error.isEmpty())
        return {error};
    file.device()->write(data);
    return {file.commit()};
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && text.trimmed() == text)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

/// Excel sheet names: at most 31 characters, none of []:*?/\ and unique.
QString sheetName(const QString& table, QStringList& used)
{
    QString name = table;
    for (QChar& c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
    }
    name = name.left(31);
    if (name.isEmpty())
        name = QStringLiteral("Sheet");
    QString candidate = name;
    for (int n = 2; used.contains(candidate, Qt::CaseInsensitive); ++n)
        candidate = name.left(28) + QStringLiteral("_%1").arg(n);
    used.append(candidate);
    return candidate;
}

}  // namespace

QStringList Report::exportSuffixes()
{
    return {QStringLiteral("pdf"), QStringLiteral("html"), QStringLiteral("odt"), QStringLiteral("csv"),
            QStringLiteral("xlsx")};
}

ReportStatus Report::exportTo(const QString& path) const
{
    if (!ok())
        return {m_error};
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (exportSuffixes().contains(suffix) || suffix == QLatin1String("htm")) {
        // A folder, device or pipe is refused before any work is done.
        if (QString refused = checkOutputTarget(path); !refused.isEmpty())
            return {refused};
    }
    if (suffix == QLatin1String("pdf"))
        return writePdf(path);
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return writeHtml(path);
    if (suffix == QLatin1String("odt"))
        return writeOdt(path);
    if (suffix == QLatin1String("csv"))
        return writeCsv(path);
    if (suffix == QLatin1String("xlsx"))
        return writeXlsx(path);
    return {QStringLiteral("The file name %1 does not end in a report format: use .pdf, .html, .odt, .csv or .xlsx.")
                .arg(shown(path))};
}

ReportStatus Report::writePdf(const QString& path) const
{
    // The PDF writer closes its device when it ends, which a save file does
    // not allow; the pages are made in memory and then saved in one go.
    // A report made to be printed once is laid out as it is painted; should
    // a page run fill more pages than that counted on, it is painted again.
    QByteArray bytes;
    const bool loaded = ok();
    bool again = true;
    for (bool along = true; again; along = false) {
        again = false;
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setResolution(static_cast<int>(kLayoutDpi));
        writer.setTitle(displayName());
        writer.setCreator(QStringLiteral("Grossby 2018"));
        const ReportStatus status = along ? printAlong(writer, again) : print(writer);
        // What the later pages refuse is the report's fault, not the file's.
        if (!status)
            return loaded && !ok() ? ReportStatus{m_error} : openFailed(path, status.error);
        if (!again)
            bytes = pdf.data();
    }
    return saveAll(path, bytes);
}

ReportStatus Report::writeHtml(const QString& path) const
{
    if (!ok())
        return {m_error};
    QString text = html();
    if (!text.contains(QLatin1String("<html"), Qt::CaseInsensitive)) {
        // A template that is only a fragment still becomes a page a browser
        // reads as UTF-8.
        text = QStringLiteral("<!DOCTYPE html>\n<html><head><meta "
                              "charset=\"utf-8\"><title>%1</title></head>\n<body>\n%2\n</body></html>\n")
                   .arg(title().toHtmlEscaped(), text);
    }
    return saveAll(path, text.toUtf8());
}

ReportStatus Report::writeOdt(const QString& path) const
{
    if (!document())
        return {m_error};
    // The ODF writer closes its device, which a save file does not allow.
    QBuffer odt;
    odt.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&odt, "odf");
    if (!writer.write(document()))
        return openFailed(path, QStringLiteral("the ODF text could not be made"));
    return saveAll(path, odt.data());
}

ReportStatus Report::writeCsv(const QString& path) const
{
    QString out;
    const bool several = tables().size() > 1;
    bool first = true;
    for (const ReportTable& table : tables()) {
        if (!first)
            out += QStringLiteral("\r\n");
        first = false;
        if (several)
            out += csvField(table.name) + QStringLiteral("\r\n");
        QStringList fields;
        for (const QString& c : table.columns)
            fields.append(csvField(c));
        out += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        for (const QVariantList& row : table.rows) {
            fields.clear();
            for (const QVariant& v : row)
                fields.append(csvField(rawReportValue(v)));
            out += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        }
    }
    return saveAll(path, out.toUtf8());
}

ReportStatus Report::writeXlsx(const QString& path) const
{
    if (!ok())
        return {m_error};
    if (QString refused = checkOutputTarget(path); !refused.isEmpty())
        return {refused};
    // libxlsxwriter writes to a file name of its own choosing and prints its
    // own failures on standard error. It is given a private folder (0700) that
    // it can always write, so its messages never reach the user; the finished
    // workbook is then copied to the target through OutputFile like every
    // other format (links written through, permissions kept, all or nothing).
    QTemporaryDir work;
    if (!work.isValid())
        return openFailed(path, QStringLiteral("no temporary folder could be made (%1)").arg(work.errorString()));
    const QByteArray partialName = QFile::encodeName(work.filePath(QStringLiteral("report.xlsx")));
    QByteArray tmpdir = QFile::encodeName(work.path());
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();

    lxw_workbook* workbook = workbook_new_opt(partialName.constData(), &options);
    if (!workbook)
        return openFailed(path, QStringLiteral("out of memory"));
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format* amount = workbook_add_format(workbook);
    format_set_num_format(amount, "#,##0.00");

    QStringList used;
    QString failure;
    for (const ReportTable& table : tables()) {
        const QByteArray name = sheetName(table.name, used).toUtf8();
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.constData());
        if (!sheet) {
            failure = QStringLiteral("the sheet for table %1 could not be added").arg(table.name);
            break;
        }
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), table.columns[c].toUtf8().constData(), bold);
            worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 std::max(12.0, static_cast<double>(table.columns[c].size() + 2)), nullptr);
        }
        worksheet_freeze_panes(sheet, 1, 0);
        for (qsizetype r = 0; r < table.rows.size() && failure.isEmpty(); ++r) {
            const QVariantList& row = table.rows[r];
            const auto sheetRow = static_cast<lxw_row_t>(r + 1);
            for (qsizetype c = 0; c < row.size(); ++c) {
                const QVariant& v = row[c];
                const auto col = static_cast<lxw_col_t>(c);
                lxw_error error = LXW_NO_ERROR;
                if (v.isNull())
                    continue;
                if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
                    error = worksheet_write_number(sheet, sheetRow, col, v.toDouble(), amount);
                else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
                    error = worksheet_write_number(sheet, sheetRow, col, v.toDouble(), nullptr);
                else
                    error = worksheet_write_string(sheet, sheetRow, col, v.toString().toUtf8().constData(), nullptr);
                if (error != LXW_NO_ERROR) {
                    failure = QStringLiteral("table %1, row %2, column %3: %4")
                                  .arg(table.name)
                                  .arg(r + 1)
                                  .arg(table.columns[c], QString::fromUtf8(lxw_strerror(error)));
                    break;
                }
            }
        }
        if (!failure.isEmpty())
            break;
    }
    const lxw_error closed = workbook_close(workbook);
    if (failure.isEmpty() && closed != LXW_NO_ERROR)
        failure = QString::fromUtf8(lxw_strerror(closed)).trimmed();
    while (failure.endsWith(QLatin1Char('.')))
        failure.chop(1);
    if (!failure.isEmpty())
        return openFailed(path, failure);
    QFile made(QFile::decodeName(partialName));
    if (!made.open(QIODevice::ReadOnly))
        return openFailed(path, made.errorString());
    return saveAll(path, made.readAll());
}

}  // namespace grossby
