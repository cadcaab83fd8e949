// Build-time tool: draws the program's background picture and lays the user
// guide's chapters out into the help PDF.
//
//   grossby-docgen picture OUT.jpg
//   grossby-docgen help OUT.pdf VERSION CHAPTER.html...
//
// The chapters are joined in the order given after a cover and a table of
// contents with page numbers; every <h1> starts a new page. Runs on the
// offscreen platform, so no display is needed.

#include "pdf_outline.h"
#include "picture.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cstdio>

namespace {

using grossby::docgen::drawPicture;
using grossby::docgen::PdfLink;
using grossby::docgen::PdfOutlineEntry;
using grossby::docgen::PdfPlace;

int fail(const QString& message)
{
    std::fprintf(stderr, "grossby-docgen: %s\n", qPrintable(message));
    return 1;
}

const char* const kStyleSheet = R"(
body { font-family: 'DejaVu Sans'; font-size: 10pt; color: #1d2733; }
h1 { font-size: 20pt; color: #1f4e79; margin-top: 0px; margin-bottom: 10px; page-break-before: always; }
h2 { font-size: 13.5pt; color: #1f4e79; margin-top: 16px; margin-bottom: 6px; }
h3 { font-size: 11pt; color: #2d3b4a; margin-top: 12px; margin-bottom: 4px; }
p { margin-top: 0px; margin-bottom: 7px; }
li { margin-bottom: 3px; }
code { font-family: 'DejaVu Sans Mono'; font-size: 9pt; color: #6b2d2d; }
pre { font-family: 'DejaVu Sans Mono'; font-size: 9pt; background-color: #f1f4f7; }
table { margin-top: 2px; margin-bottom: 10px; }
th { background-color: #dde7f1; text-align: left; }
td.num, th.num { text-align: right; }
.note { background-color: #fff6dc; }
.later { background-color: #eef3e6; }
)";

struct Heading {
    int level = 1;
    QString text;
    int page = 0;
};

QString readChapter(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

// Headings of the chapters (h1 and h2), in document order, as plain text.
QList<Heading> headingsOf(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<h([12])[^>]*>(.*?)</h\\1>"),
                                        QRegularExpression::DotMatchesEverythingOption |
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inner(QStringLiteral("<[^>]*>"));
    QList<Heading> headings;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        QTextDocument plain;
        plain.setHtml(match.captured(2).remove(inner));
        headings.append({match.captured(1).toInt(), plain.toPlainText().simplified(), 0});
    }
    return headings;
}

QString contentsHtml(const QList<Heading>& headings)
{
    QString html = QStringLiteral("<h1>Contents</h1>"
                                  "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">");
    for (const Heading& h : headings) {
        const bool chapter = h.level == 1;
        html += QStringLiteral("<tr><td%1>%2%3%4</td><td class=\"num\" width=\"12%\">%5</td></tr>")
                    .arg(chapter ? QStringLiteral(" style=\"padding-top: 6px;\"") : QString(),
                         chapter ? QStringLiteral("<b>") : QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;"),
                         h.text.toHtmlEscaped(), chapter ? QStringLiteral("</b>") : QString())
                    .arg(h.page > 0 ? QString::number(h.page) : QStringLiteral("00"));
    }
    return html + QStringLiteral("</table>");
}

QString coverHtml(const QString& version)
{
    return QStringLiteral("<p align=\"center\" style=\"margin-top: 40px;\"><img src=\"cover.png\" width=\"560\"></p>"
                          "<p align=\"center\" style=\"margin-top: 36px;\">"
                          "<span style=\"font-size: 26pt; color: #1f4e79;\">User guide</span></p>"
                          "<p align=\"center\" style=\"margin-top: 16px;\">Version %1<br>"
                          "Tax year 1 March 2017 to 28 February 2018</p>")
        .arg(version.toHtmlEscaped());
}

// Page number (1-based) of every heading block of the laid-out document, in
// document order.
QList<int> headingPages(QTextDocument& doc)
{
    QList<int> pages;
    const qreal pageHeight = doc.pageSize().height();
    auto* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 1 || level == 2) {
            const qreal top = layout->blockBoundingRect(block).top();
            pages.append(int(top / pageHeight) + 1);
        }
    }
    return pages;
}

int buildHelp(const QString& out, const QString& version, const QStringList& chapters)
{
    QString body;
    for (const QString& path : chapters) {
        QString error;
        const QString chapter = readChapter(path, &error);
        if (!error.isEmpty())
            return fail(error);
        body += chapter;
    }
    QList<Heading> headings = headingsOf(body);
    if (headings.isEmpty())
        return fail(QStringLiteral("the chapters hold no headings"));

    QPdfWriter writer(out);
    writer.setTitle(QStringLiteral("Grossby 2018 user guide"));
    writer.setCreator(QStringLiteral("Grossby 2018"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    const int dpi = writer.resolution();
    const int marginX = dpi * 20 / 25;  // 20 mm
    const int marginTop = dpi * 18 / 25;
    const int marginBottom = dpi * 22 / 25;
    const QSizeF body_size(page.width() - 2 * marginX, page.height() - marginTop - marginBottom);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    doc.setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("cover.png")), drawPicture(QSize(1120, 700)));
    doc.setPageSize(body_size);
    doc.setDocumentMargin(0);

    // Lay out with placeholder page numbers, read where each heading fell,
    // and repeat until the contents no longer move anything. The contents
    // headings itself is the first heading found and is skipped.
    for (int round = 0; round < 4; ++round) {
        doc.setHtml(QStringLiteral("<html><body>") + coverHtml(version) + contentsHtml(headings) + body +
                    QStringLiteral("</body></html>"));
        const QList<int> pages = headingPages(doc);
        if (pages.size() != headings.size() + 1)
            return fail(QStringLiteral("found %1 headings after layout, expected %2")
                            .arg(pages.size())
                            .arg(headings.size() + 1));
        bool moved = false;
        for (int i = 0; i < headings.size(); ++i) {
            if (headings[i].page != pages[i + 1]) {
                headings[i].page = pages[i + 1];
                moved = true;
            }
        }
        if (!moved)
            break;
    }

    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("cannot write %1").arg(out));
    const int pageCount = doc.pageCount();
    QFont footerFont(QStringLiteral("DejaVu Sans"), 8);
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(marginX, marginTop - i * body_size.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * body_size.height(), body_size.width(), body_size.height());
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        if (i > 0) {
            painter.setFont(footerFont);
            painter.setPen(QColor(0x5a, 0x67, 0x75));
            const QRectF footer(marginX, page.height() - marginBottom + dpi / 8, body_size.width(), dpi / 4);
            painter.drawLine(QPointF(footer.left(), footer.top()), QPointF(footer.right(), footer.top()));
            painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Grossby 2018 user guide"));
            painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                             QStringLiteral("Page %1 of %2").arg(i + 1).arg(pageCount));
        }
    }
    painter.end();

    // The outline a PDF viewer shows beside the pages, and the contents
    // entries as links to their headings.
    const double toPoints = 72.0 / dpi;
    const auto placeOf = [&](qreal y) {
        const int pageIndex = int(y / body_size.height());
        return PdfPlace{pageIndex, (marginTop + y - pageIndex * body_size.height()) * toPoints};
    };
    auto* layout = doc.documentLayout();
    QList<PdfPlace> places;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 1 || level == 2)
            places.append(placeOf(layout->blockBoundingRect(block).top()));
    }
    QList<PdfOutlineEntry> outline{{QStringLiteral("Contents"), 1, places.value(0)}};
    for (int i = 0; i < headings.size(); ++i)
        outline.append({headings[i].text, headings[i].level, places.value(i + 1)});

    QList<PdfLink> links;
    QTextTable* contents = nullptr;
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        if ((contents = qobject_cast<QTextTable*>(frame)))
            break;
    }
    for (int row = 0; contents && row < contents->rows() && row < headings.size(); ++row) {
        const QRectF left = layout->blockBoundingRect(contents->cellAt(row, 0).firstCursorPosition().block());
        const QRectF right = layout->blockBoundingRect(contents->cellAt(row, 1).firstCursorPosition().block());
        const qreal top = std::min(left.top(), right.top());
        const qreal bottom = std::max(left.bottom(), right.bottom());
        const PdfPlace at = placeOf(top);
        const qreal height = (bottom - top) * toPoints;
        links.append(
            {at.page, QRectF(marginX * toPoints, at.top, body_size.width() * toPoints, height), places.value(row + 1)});
    }
    const QString problem = grossby::docgen::addOutlineAndLinks(out, page.height() * toPoints, outline, links);
    if (!problem.isEmpty())
        return fail(problem);
    return 0;
}

int buildPicture(const QString& out)
{
    const QImage picture = drawPicture(QSize(1600, 1000));
    if (!picture.save(out, "JPG", 88))
        return fail(QStringLiteral("cannot write %1").arg(out));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("picture"))
        return buildPicture(args[1]);
    if (args.size() >= 4 && args[0] == QLatin1String("help"))
        return buildHelp(args[1], args[2], args.mid(3));
    return fail(QStringLiteral("usage: grossby-docgen picture OUT.jpg | help OUT.pdf VERSION CHAPTER.html..."));
}
