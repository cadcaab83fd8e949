#pragma once
// The report engine: fills a template with the rows staged in the print
// database and lays the result out in pages. The same pages are painted in
// the preview window, sent to the printer and written to PDF, so what is
// printed is what was previewed.

#include "core/print_record.h"
#include "services/report_job.h"

#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QImage;
class QPainter;
class QPagedPaintDevice;
class QTextDocument;

namespace grossby {

/// Outcome of a report operation: empty on success, otherwise a sentence for
/// the user naming the file or table concerned.
struct ReportStatus {
    QString error;
    bool ok() const { return error.isEmpty(); }
    explicit operator bool() const { return ok(); }
};

struct RunFigures;

/// The rows of one print table as the template received them.
struct ReportTable {
    QString name;
    QStringList columns;
    QList<QVariantList> rows;  ///< values in the order of `columns`
};

/// A filled-in report laid out in pages. Move-only.
class Report {
public:
    /// Pages are laid out at this resolution whatever the output device, so
    /// page breaks never depend on the printer or the screen.
    static constexpr double kLayoutDpi = 1200;

    Report();
    Report(Report&&) noexcept;
    Report& operator=(Report&&) noexcept;
    ~Report();

    /// What a report is made for. Pages: laid out to paint, print or write as
    /// PDF or ODF text. Html: the template filled in, never laid out (HTML).
    /// Figures: the staged rows only (CSV, XLSX); the template is read and
    /// checked but neither filled in nor laid out. Print: the pages of one
    /// print() or PDF written straight after loading; the pages after the
    /// first run of pages are laid out while those before them are painted,
    /// so ok() says only what loading found and print(), writePdf() and
    /// exportTo() report what the later pages refuse. Anything else asked of
    /// such a report lays the rest out first.
    enum class Content { Pages, Html, Figures, Print };
    /// What exportTo(path) needs, by the extension of `path`.
    static Content contentFor(const QString& path);

    /// Reads the template, reads the tables it names from the print database
    /// and fills it in (as far as `content` needs). On failure error() names
    /// what is missing or damaged.
    static Report load(const QString& templatePath, const QString& printDatabasePath, const QString& title = {},
                       Content content = Content::Pages);
    /// load() for a calculator's job.
    static Report load(const ReportJob& job);
    /// load() for a report made once from rows that were never staged (the
    /// command line's): the template gets the tables a print database made
    /// afresh for `staged` alone would give it (every column of each table,
    /// those not staged 0 or empty, each value as its column stores it), and
    /// no database is made. Rows whose values the database itself would
    /// convert (text in a number column, a number in a text column) are
    /// staged in a scratch database and read back, so both read the same.
    static Report load(const QString& templatePath, const std::vector<StagedTable>& staged, const QString& title = {},
                       Content content = Content::Pages);

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    /// What was left out of a report that still laid out: pictures the
    /// template names that could not be shown, one sentence each.
    const QStringList& warnings() const;

    const QString& title() const;
    /// File name of the template, e.g. "kwiktep.rpt".
    const QString& templateName() const;
    /// What people call the report: the title up to " - " ("QuickTax" of
    /// "QuickTax - To export printout ..."), else the template's HTML
    /// <title>, else the template's name without its extension.
    QString displayName() const;
    /// The template with its placeholders filled in (HTML).
    const QString& html() const;
    /// The rows the template received, table by table.
    const std::vector<ReportTable>& tables() const;
    /// The laid-out document (read-only use: text, export).
    const QTextDocument* document() const;

    QPageLayout pageLayout() const;
    /// Lays the pages out again for another paper size, orientation or margins.
    void setPageLayout(const QPageLayout& layout);
    int pageCount() const;

    /// Paints page `index` (0-based) with its footer. The painter's origin is
    /// the top-left corner of the printable area (inside the margins) and one
    /// unit is 1/kLayoutDpi inch.
    void paintPage(QPainter& painter, int index) const;
    /// The whole sheet of page `index`, margins included, at `dpi`.
    QImage pageImage(int index, double dpi) const;

    /// Paints every page on a printer or PDF writer, after giving it the
    /// report's page layout. Reports a device that will not start.
    ReportStatus print(QPagedPaintDevice& device) const;

    /// Writes the report by the extension of `path`: pdf, html/htm, odt,
    /// csv or xlsx. An existing file is replaced only once the new one is
    /// complete.
    ReportStatus exportTo(const QString& path) const;
    ReportStatus writePdf(const QString& path) const;
    ReportStatus writeHtml(const QString& path) const;
    ReportStatus writeOdt(const QString& path) const;
    /// The staged rows, raw values; one block per table.
    ReportStatus writeCsv(const QString& path) const;
    /// The staged rows, one worksheet per table, numbers as numbers.
    ReportStatus writeXlsx(const QString& path) const;

    /// Extensions exportTo() understands, lower case, without the dot.
    static QStringList exportSuffixes();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    mutable QString m_error;

    static Report failed(QString error);
    /// Reads the tables a template names into `out`, or says why it cannot.
    using TableReader = std::function<ReportStatus(const QStringList& names, const QString& templateName,
                                                   std::vector<ReportTable>& out)>;
    static Report load(const QString& templatePath, const QString& title, Content content, const TableReader& read);
    void relayout();
    /// Lays out the runs of pages a report made for Content::Print has not
    /// laid out yet, noting what they refuse in m_error.
    void settle() const;
    /// The fault of the runs laid out, as load() reports it; empty when none.
    QString runsError(const RunFigures& figures) const;
    /// print() for a report made for Content::Print: the runs laid out while
    /// the pages before them are painted, counting on each run after the
    /// first to fill one page. Sets `again` when one fills more (the device
    /// then holds pages to throw away: print() paints the right ones).
    ReportStatus printAlong(QPagedPaintDevice& device, bool& again) const;
    /// The message for a document taller than the text layout can hold.
    QString layoutLimitError() const;
    /// The message for a report of `pages` pages or more, past the limit.
    QString tooManyPagesError(double pages) const;
};

}  // namespace grossby
