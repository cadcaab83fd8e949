#include "services/report_engine.h"

#include "services/file_locations.h"
#include "services/report_format.h"
#include "services/report_template.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextDocument>
#include <QTextOption>

#include <kainjow/mustache.hpp>

#include <atomic>
#include <sstream>

namespace grossby {

QString ReportJob::templatePath() const
{
    const QString folder = templateFolder.isEmpty() ? programFolder() : templateFolder;
    return QDir(folder).filePath(templateName);
}

namespace {

namespace mstch = kainjow::mustache;

constexpr const char* kFontFamily = "DejaVu Sans";
constexpr double kBodyPointSize = 10;
constexpr double kFooterPointSize = 8;
constexpr double kFooterGapMm = 3;

/// The value accessors a template may put before a column name.
const QStringList& modifiers()
{
    static const QStringList names{QStringLiteral("raw"), QStringLiteral("date"), QStringLiteral("if")};
    return names;
}

QString quoted(const QString& s)
{
    return QStringLiteral("\"%1\"").arg(s);
}

QString sqlName(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

double mmToLayout(double mm)
{
    return mm / 25.4 * Report::kLayoutDpi;
}

/// A paint device that only supplies the layout resolution, so the text
/// engine measures fonts the same way for every output.
QImage makeLayoutDevice()
{
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(Report::kLayoutDpi / 0.0254);
    device.setDotsPerMeterX(dotsPerMetre);
    device.setDotsPerMeterY(dotsPerMetre);
    return device;
}

/// Mustache lookups with one addition: "table.column" outside a section
/// reads the table's first row, so single-row tables need no section.
class ReportContext : public mstch::context<std::string> {
public:
    explicit ReportContext(const mstch::data* root)
        : mstch::context<std::string>(root)
    { }

    const mstch::data* get(const std::string& name) const override
    {
        const auto dot = name.find('.');
        if (dot != std::string::npos) {
            const mstch::data* head = mstch::context<std::string>::get(name.substr(0, dot));
            if (head && head->is_list()) {
                if (head->list_value().empty())
                    return nullptr;
                const mstch::data* var = &head->list_value().front();
                std::size_t start = dot + 1;
                while (var) {
                    const auto next = name.find('.', start);
                    var = var->get(name.substr(start, next == std::string::npos ? std::string::npos : next - start));
                    if (next == std::string::npos)
                        break;
                    start = next + 1;
                }
                return var;
            }
        }
        return mstch::context<std::string>::get(name);
    }
};

/// Reads the named tables, all rows, in the order they were added.
ReportStatus readTables(const QString& path, const QStringList& names, const QString& templateName,
                        std::vector<ReportTable>& out)
{
    if (names.isEmpty())
        return {};
    if (path.isEmpty())
        return {QStringLiteral("No print database is set, so the report %1 has no figures to show.")
                    .arg(quoted(templateName))};
    const QFileInfo info(path);
    if (!info.exists())
        return {QStringLiteral("The print database %1 was not found.").arg(quoted(QDir::toNativeSeparators(path)))};
    if (!info.isFile() || !info.isReadable())
        return {QStringLiteral("The print database %1 cannot be read (no permission, or not a file).")
                    .arg(quoted(QDir::toNativeSeparators(path)))};

    static std::atomic<int> counter{0};
    const QString connection = QStringLiteral("grossby-report-%1").arg(++counter);
    ReportStatus status;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
        const QString file = quoted(QDir::toNativeSeparators(path));
        if (!db.open()) {
            status.error =
                QStringLiteral("The print database %1 could not be opened: %2.").arg(file, db.lastError().text());
        } else {
            QSqlQuery query(db);
            QHash<QString, QString> present;  // lower case -> name as created
            if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
                status.error =
                    QStringLiteral("The print database %1 could not be read; it may be damaged or locked (%2).")
                        .arg(file, query.lastError().text());
            } else {
                while (query.next()) {
                    const QString name = query.value(0).toString();
                    present.insert(name.toLower(), name);
                }
            }
            for (const QString& name : names) {
                if (!status.ok())
                    break;
                if (!present.contains(name.toLower())) {
                    status.error =
                        QStringLiteral("The print database %1 has no table %2, which the report template %3 reads.")
                            .arg(file, name, quoted(templateName));
                    break;
                }
                ReportTable table;
                table.name = name;
                if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(sqlName(name)))) {
                    status.error = QStringLiteral("The table %1 of the print database %2 could not be read: %3.")
                                       .arg(name, file, query.lastError().text());
                    break;
                }
                const QSqlRecord record = query.record();
                for (int i = 0; i < record.count(); ++i)
                    table.columns.append(record.fieldName(i));
                while (query.next()) {
                    QVariantList row;
                    row.reserve(record.count());
                    for (int i = 0; i < record.count(); ++i)
                        row.append(query.value(i));
                    table.rows.append(row);
                }
                if (query.lastError().isValid()) {
                    status.error = QStringLiteral("The table %1 of the print database %2 could not be read: %3.")
                                       .arg(name, file, query.lastError().text());
                    break;
                }
                out.push_back(std::move(table));
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return status;
}

const ReportTable* findTable(const std::vector<ReportTable>& tables, const QString& name)
{
    for (const auto& t : tables) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

/// Checks that `parts` (column, or modifier and column) name a column of
/// `table`; returns the fault otherwise.
QString checkColumn(const ReportTable& table, QStringList parts)
{
    if (parts.size() == 2 && modifiers().contains(parts[0]))
        parts.removeFirst();
    if (parts.size() != 1)
        return QStringLiteral("is not a column of the table %1").arg(table.name);
    if (table.columns.contains(parts[0]))
        return {};
    for (const QString& c : table.columns) {
        if (c.compare(parts[0], Qt::CaseInsensitive) == 0)
            return QStringLiteral("is not a column of the table %1 (did you mean %2? names are case-sensitive)")
                .arg(table.name, c);
    }
    return QStringLiteral("is not a column of the table %1 in the print database").arg(table.name);
}

/// Checks every placeholder against the tables read, so a misspelt column
/// is reported instead of printing as a blank. Collects the tables read
/// through "table.column" (they must hold a row).
QString checkTags(const std::vector<ReportTag>& tags, const std::vector<ReportTable>& tables,
                  const QStringList& builtIns, const QString& where, QSet<QString>& needRow)
{
    for (const ReportTag& tag : tags) {
        const auto fail = [&](const QString& why) {
            return QStringLiteral("%1, line %2: the placeholder {{%3}} %4.")
                .arg(where)
                .arg(tag.line)
                .arg(tag.name, why);
        };
        if (tag.name.isEmpty())
            return fail(QStringLiteral("names nothing"));
        if (builtIns.contains(tag.name))
            continue;
        const QStringList parts = tag.name.split(QLatin1Char('.'));
        if (const ReportTable* table = findTable(tables, parts[0])) {
            if (parts.size() == 1) {
                if (tag.kind == ReportTag::Kind::Variable)
                    return fail(QStringLiteral("names a whole table; show its rows with {{#%1}}...{{/%1}} "
                                               "or one field with {{%1.column}}")
                                    .arg(table->name));
                continue;
            }
            if (QString why = checkColumn(*table, parts.mid(1)); !why.isEmpty())
                return fail(why);
            needRow.insert(table->name);
            continue;
        }
        // A bare column: of the innermost enclosing table section that has it.
        const ReportTable* enclosing = nullptr;
        QString why;
        for (auto it = tag.sections.crbegin(); it != tag.sections.crend(); ++it) {
            if (const ReportTable* table = findTable(tables, *it)) {
                why = checkColumn(*table, parts);
                if (why.isEmpty()) {
                    enclosing = table;
                    break;
                }
            }
        }
        if (enclosing)
            continue;
        if (!why.isEmpty())
            return fail(why);
        return fail(QStringLiteral("is neither a column inside a table section nor \"table.column\" of a table "
                                   "listed on the template's \"tables:\" line"));
    }
    return {};
}

mstch::data toData(const std::vector<ReportTable>& tables, const QString& title)
{
    mstch::data root;
    root.set("title", title.toStdString());
    for (const ReportTable& table : tables) {
        std::vector<std::string> names;
        names.reserve(table.columns.size());
        for (const QString& c : table.columns)
            names.push_back(c.toStdString());
        mstch::data rows{mstch::data::type::list};
        for (const QVariantList& values : table.rows) {
            mstch::data row;
            mstch::data raw;
            mstch::data date;
            mstch::data cond;
            for (qsizetype i = 0; i < values.size(); ++i) {
                const QVariant& v = values[i];
                row.set(names[i], formatReportValue(v).toStdString());
                raw.set(names[i], rawReportValue(v).toStdString());
                date.set(names[i], dateReportValue(v).toStdString());
                cond.set(names[i], mstch::data(reportValueIsSet(v)));
            }
            row.set("raw", raw);
            row.set("date", date);
            row.set("if", cond);
            rows.push_back(row);
        }
        root.set(table.name.toStdString(), rows);
    }
    return root;
}

}  // namespace

struct Report::Impl {
    QString title;
    QString templateName;
    QString html;
    std::vector<ReportTable> tables;
    QPageLayout layout;
    QImage layoutDevice = makeLayoutDevice();
    std::unique_ptr<QTextDocument> doc;
    mstch::data root;
    std::unique_ptr<mstch::mustache> footer;
    double bodyWidth = 0;
    double bodyHeight = 0;
    double footerTop = 0;
    int pages = 1;

    std::unique_ptr<QTextDocument> newDocument(double pointSize) const
    {
        auto document = std::make_unique<QTextDocument>();
        document->setUseDesignMetrics(true);
        document->documentLayout()->setPaintDevice(const_cast<QImage*>(&layoutDevice));
        document->setDocumentMargin(0);
        QFont font(QString::fromLatin1(kFontFamily));
        font.setPointSizeF(pointSize);
        document->setDefaultFont(font);
        return document;
    }

    /// The footer of page `index` laid out to the body width.
    std::unique_ptr<QTextDocument> footerDocument(int index) const
    {
        auto document = newDocument(kFooterPointSize);
        QTextOption option = document->defaultTextOption();
        option.setAlignment(Qt::AlignHCenter);
        document->setDefaultTextOption(option);
        std::string text;
        if (footer) {
            mstch::data page;
            page.set("page", std::to_string(index + 1));
            page.set("pages", std::to_string(pages));
            ReportContext ctx(&root);
            ctx.push(&page);
            std::ostringstream out;
            footer->render(ctx, out);
            text = out.str();
        }
        document->setHtml(QString::fromStdString(text));
        document->setTextWidth(bodyWidth);
        return document;
    }
};

Report::Report()
    : d(std::make_unique<Impl>())
{ }
Report::Report(Report&&) noexcept = default;
Report& Report::operator=(Report&&) noexcept = default;
Report::~Report() = default;

Report Report::failed(QString error)
{
    Report report;
    report.m_error = std::move(error);
    return report;
}

Report Report::load(const ReportJob& job)
{
    return load(job.templatePath(), job.printDatabasePath, job.title);
}

Report Report::load(const QString& templatePath, const QString& printDatabasePath, const QString& title)
{
    const QFileInfo info(templatePath);
    const QString name = info.fileName();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return failed(QStringLiteral("Reports can only be laid out inside a running application."));
    if (!info.exists())
        return failed(QStringLiteral("The report template %1 was not found in %2.")
                          .arg(quoted(name), quoted(QDir::toNativeSeparators(info.absolutePath()))));
    QFile file(templatePath);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("The report template %1 could not be read: %2.")
                          .arg(quoted(QDir::toNativeSeparators(templatePath)), file.errorString()));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();

    ReportTemplate tpl;
    if (QString error = tpl.parse(text, name); !error.isEmpty())
        return failed(error);

    Report report;
    Impl& r = *report.d;
    r.title = title;
    r.templateName = name;
    r.layout = tpl.pageLayout;
    if (ReportStatus status = readTables(printDatabasePath, tpl.tables, name, r.tables); !status)
        return failed(status.error);

    const QString where = QStringLiteral("The report template %1").arg(quoted(name));
    QSet<QString> needRow;
    const QStringList bodyNames{QStringLiteral("title")};
    const QStringList footerNames{QStringLiteral("title"), QStringLiteral("page"), QStringLiteral("pages")};
    if (QString error = checkTags(tpl.tags, r.tables, bodyNames, where, needRow); !error.isEmpty())
        return failed(error);
    if (QString error = checkTags(tpl.footerTags, r.tables, footerNames, where + QStringLiteral(" (footer)"), needRow);
        !error.isEmpty())
        return failed(error);
    for (const ReportTable& table : r.tables) {
        if (needRow.contains(table.name) && table.rows.isEmpty())
            return failed(QStringLiteral("The table %1 of the print database holds no row, so the report %2 has "
                                         "nothing to show. Print from the calculator again.")
                              .arg(table.name, quoted(name)));
    }

    r.root = toData(r.tables, title);
    mstch::mustache body(tpl.body.toStdString());
    ReportContext ctx(&r.root);
    std::ostringstream out;
    body.render(ctx, out);
    if (!body.is_valid())
        return failed(
            QStringLiteral("%1 could not be filled in: %2.").arg(where, QString::fromStdString(body.error_message())));
    r.html = QString::fromStdString(out.str());
    if (!tpl.footer.trimmed().isEmpty())
        r.footer = std::make_unique<mstch::mustache>(tpl.footer.toStdString());

    // The page size goes first, so the text is laid out once, in pages.
    r.doc = r.newDocument(kBodyPointSize);
    report.relayout();
    r.doc->setHtml(r.html);
    r.pages = std::max(1, r.doc->pageCount());
    return report;
}

void Report::relayout()
{
    Impl& r = *d;
    if (!r.doc)
        return;
    const QRectF content = r.layout.paintRect(QPageLayout::Millimeter);
    r.bodyWidth = mmToLayout(content.width());
    const double band = r.footer ? r.footerDocument(0)->size().height() + mmToLayout(kFooterGapMm) : 0;
    r.bodyHeight = mmToLayout(content.height()) - band;
    r.footerTop = r.bodyHeight + (band > 0 ? mmToLayout(kFooterGapMm) : 0);
    r.doc->setPageSize(QSizeF(r.bodyWidth, r.bodyHeight));
    r.pages = std::max(1, r.doc->pageCount());
}

const QString& Report::title() const
{
    return d->title;
}
const QString& Report::templateName() const
{
    return d->templateName;
}
const QString& Report::html() const
{
    return d->html;
}

QString Report::displayName() const
{
    const qsizetype dash = d->title.indexOf(QLatin1String(" - "));
    QString name = (dash >= 0 ? d->title.left(dash) : d->title).trimmed();
    if (name.isEmpty() && d->doc)
        name = d->doc->metaInformation(QTextDocument::DocumentTitle).trimmed();
    if (name.isEmpty())
        name = QFileInfo(d->templateName).completeBaseName();
    return name;
}
const std::vector<ReportTable>& Report::tables() const
{
    return d->tables;
}
const QTextDocument* Report::document() const
{
    return d->doc.get();
}
QPageLayout Report::pageLayout() const
{
    return d->layout;
}
int Report::pageCount() const
{
    return d->doc ? d->pages : 0;
}

void Report::setPageLayout(const QPageLayout& layout)
{
    if (!layout.isValid())
        return;
    d->layout = layout;
    d->layout.setUnits(QPageLayout::Millimeter);
    relayout();
}

void Report::paintPage(QPainter& painter, int index) const
{
    const Impl& r = *d;
    if (!r.doc || index < 0 || index >= r.pages)
        return;
    const QRectF view(0, index * r.bodyHeight, r.bodyWidth, r.bodyHeight);

    painter.save();
    painter.setClipRect(QRectF(0, 0, r.bodyWidth, r.bodyHeight), Qt::IntersectClip);
    painter.translate(0, -view.top());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = view;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    r.doc->documentLayout()->draw(&painter, ctx);
    painter.restore();

    if (r.footer) {
        const auto footer = r.footerDocument(index);
        painter.save();
        painter.translate(0, r.footerTop);
        QAbstractTextDocumentLayout::PaintContext footerCtx;
        footerCtx.palette.setColor(QPalette::Text, Qt::black);
        footer->documentLayout()->draw(&painter, footerCtx);
        painter.restore();
    }
}

QImage Report::pageImage(int index, double dpi) const
{
    const QRect sheet = d->layout.fullRectPixels(qRound(dpi));
    QImage image(sheet.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QRectF content = d->layout.paintRect(QPageLayout::Millimeter);
    painter.translate(content.left() / 25.4 * dpi, content.top() / 25.4 * dpi);
    painter.scale(dpi / kLayoutDpi, dpi / kLayoutDpi);
    paintPage(painter, index);
    return image;
}

ReportStatus Report::print(QPagedPaintDevice& device) const
{
    if (!d->doc)
        return {m_error.isEmpty() ? QStringLiteral("There is no report to print.") : m_error};
    // Some printers refuse a paper size or margins; the pages are then still
    // drawn as laid out, placed by the report's own margins.
    device.setPageLayout(d->layout);
    QPainter painter;
    if (!painter.begin(&device))
        return {
            QStringLiteral("The output device would not start printing the report %1.").arg(quoted(d->templateName))};
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    const QRectF ours = d->layout.paintRect(QPageLayout::Inch);
    const QRectF theirs = device.pageLayout().paintRect(QPageLayout::Inch);
    const QPointF offset((ours.left() - theirs.left()) * dpiX, (ours.top() - theirs.top()) * dpiY);
    for (int i = 0; i < d->pages; ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return {QStringLiteral("The output device stopped at page %1 of the report %2.")
                        .arg(i + 1)
                        .arg(quoted(d->templateName))};
        }
        painter.save();
        painter.translate(offset);
        painter.scale(dpiX / kLayoutDpi, dpiY / kLayoutDpi);
        paintPage(painter, i);
        painter.restore();
    }
    if (!painter.end())
        return {QStringLiteral("The output device could not finish the report %1.").arg(quoted(d->templateName))};
    return {};
}

}  // namespace grossby
