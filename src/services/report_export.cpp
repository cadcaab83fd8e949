// Writing a filled-in report to files: the laid-out pages (PDF), the filled
// template (HTML, ODF text) and the staged rows behind it (CSV, XLSX).

#include "services/report_engine.h"
#include "services/report_format.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QUuid>

#include <xlsxwriter.h>

#include <cstdio>

namespace grossby {
namespace {

QString shown(const QString& path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

ReportStatus openFailed(const QString& path, const QString& reason)
{
    return {QStringLiteral("The file %1 could not be written: %2.").arg(shown(path), reason)};
}

/// Opens a save file: the target is replaced only on commit, so a failed
/// export never leaves a half-written file or spoils an existing one.
ReportStatus openSaveFile(QSaveFile& file)
{
    if (!file.open(QIODevice::WriteOnly))
        return openFailed(file.fileName(), file.errorString());
    return {};
}

ReportStatus commit(QSaveFile& file)
{
    if (!file.commit())
        return openFailed(file.fileName(), file.errorString());
    return {};
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
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(static_cast<int>(kLayoutDpi));
        writer.setTitle(displayName());
        writer.setCreator(QStringLiteral("Grossby 2018"));
        if (ReportStatus status = print(writer); !status)
            return openFailed(path, status.error);
    }
    QSaveFile file(path);
    if (ReportStatus status = openSaveFile(file); !status)
        return status;
    file.write(pdf.data());
    return commit(file);
}

ReportStatus Report::writeHtml(const QString& path) const
{
    QSaveFile file(path);
    if (ReportStatus status = openSaveFile(file); !status)
        return status;
    QString text = html();
    if (!text.contains(QLatin1String("<html"), Qt::CaseInsensitive)) {
        // A template that is only a fragment still becomes a page a browser
        // reads as UTF-8.
        text = QStringLiteral("<!DOCTYPE html>\n<html><head><meta "
                              "charset=\"utf-8\"><title>%1</title></head>\n<body>\n%2\n</body></html>\n")
                   .arg(title().toHtmlEscaped(), text);
    }
    file.write(text.toUtf8());
    return commit(file);
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
    QSaveFile file(path);
    if (ReportStatus status = openSaveFile(file); !status)
        return status;
    file.write(odt.data());
    return commit(file);
}

ReportStatus Report::writeCsv(const QString& path) const
{
    QSaveFile file(path);
    if (ReportStatus status = openSaveFile(file); !status)
        return status;
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
    file.write(out.toUtf8());
    return commit(file);
}

ReportStatus Report::writeXlsx(const QString& path) const
{
    // libxlsxwriter writes the file itself: build it beside the target under
    // a temporary name and move it into place only when it is complete.
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        return openFailed(path, QStringLiteral("the folder does not exist"));
    const QString partial = target.absoluteDir().filePath(
        QStringLiteral(".%1.%2.part").arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128).left(8)));
    const QByteArray partialName = QFile::encodeName(partial);

    lxw_workbook* workbook = workbook_new(partialName.constData());
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
                                 std::max<double>(12, table.columns[c].size() + 2), nullptr);
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
        failure = QString::fromUtf8(lxw_strerror(closed));
    if (failure.isEmpty() && std::rename(partialName.constData(), QFile::encodeName(path).constData()) != 0)
        failure = QStringLiteral("the finished file could not be moved into place");
    if (!failure.isEmpty()) {
        QFile::remove(partial);
        return openFailed(path, failure);
    }
    return {};
}

}  // namespace grossby
