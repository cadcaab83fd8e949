#include "services/report_template.h"

#include <QPageSize>
#include <QRectF>
#include <QRegularExpression>

#include <kainjow/mustache.hpp>

namespace grossby {
namespace {

constexpr double kDefaultMarginMm = 15;

QString quoted(const QString& s)
{
    return QStringLiteral("\"%1\"").arg(s);
}

std::optional<QPageSize> pageSizeByName(const QString& name)
{
    static const struct {
        const char* name;
        QPageSize::PageSizeId id;
    } sizes[] = {
        {"A3", QPageSize::A3},         {"A4", QPageSize::A4},       {"A5", QPageSize::A5},
        {"Letter", QPageSize::Letter}, {"Legal", QPageSize::Legal},
    };
    for (const auto& s : sizes) {
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0)
            return QPageSize(s.id);
    }
    return std::nullopt;
}

/// Finds every tag of `text` (default delimiters), with the sections that
/// enclose it. `firstLine` is the file line `text` starts on. Returns an
/// error for the tag kinds templates do not support.
QString scanTags(const QString& text, int firstLine, std::vector<ReportTag>& tags, const QString& where)
{
    QStringList sections;
    int line = firstLine;
    qsizetype lineCounted = 0;
    qsizetype pos = 0;
    while ((pos = text.indexOf(QLatin1String("{{"), pos)) >= 0) {
        line += static_cast<int>(text.mid(lineCounted, pos - lineCounted).count(QLatin1Char('\n')));
        lineCounted = pos;
        const bool triple = text.mid(pos, 3) == QLatin1String("{{{");
        const QLatin1String close(triple ? "}}}" : "}}");
        const qsizetype start = pos + (triple ? 3 : 2);
        const qsizetype end = text.indexOf(close, start);
        if (end < 0) {
            // Quote the placeholder as written, up to the end of its line.
            const qsizetype eol = text.indexOf(QLatin1Char('\n'), pos);
            const qsizetype length = (eol < 0 ? text.size() : eol) - pos;
            QString opened = text.mid(pos, std::min<qsizetype>(length, 40)).trimmed();
            if (length > 40)
                opened += QStringLiteral("...");
            return QStringLiteral("%1, line %2: the placeholder starting \"%3\" is not closed with \"%4\".")
                .arg(where)
                .arg(line)
                .arg(opened, close);
        }
        QString contents = text.mid(start, end - start).trimmed();
        pos = end + close.size();

        ReportTag tag;
        tag.line = line;
        tag.sections = sections;
        if (triple || contents.isEmpty()) {
            tag.name = contents;
            tags.push_back(tag);
            continue;
        }
        const QChar sigil = contents.at(0);
        const QString name = contents.mid(1).trimmed();
        switch (sigil.unicode()) {
        case '!': continue;  // comment
        case '=':
            return QStringLiteral("%1, line %2: changing the placeholder delimiters (%3) is not supported.")
                .arg(where)
                .arg(line)
                .arg(QStringLiteral("{{") + contents + QStringLiteral("}}"));
        case '>':
            return QStringLiteral("%1, line %2: partials ({{>%3}}) are not supported.").arg(where).arg(line).arg(name);
        case '#':
        case '^':
            tag.kind = sigil == QLatin1Char('#') ? ReportTag::Kind::Section : ReportTag::Kind::InvertedSection;
            tag.name = name;
            tags.push_back(tag);
            sections.append(name);
            if (sections.size() > ReportTemplate::kMaxSectionDepth)
                return QStringLiteral("%1, line %2: sections are nested more than %3 deep ({{#%4}}).")
                    .arg(where)
                    .arg(line)
                    .arg(ReportTemplate::kMaxSectionDepth)
                    .arg(name);
            continue;
        case '/':
            if (sections.isEmpty() || sections.last() != name)
                return QStringLiteral("%1, line %2: {{/%3}} closes no open section.").arg(where).arg(line).arg(name);
            sections.removeLast();
            continue;
        case '&':
            tag.name = name;
            tags.push_back(tag);
            continue;
        default:
            tag.name = contents;
            tags.push_back(tag);
            continue;
        }
    }
    if (!sections.isEmpty())
        return QStringLiteral("%1: the section {{#%2}} is never closed with {{/%2}}.").arg(where, sections.last());
    return {};
}

}  // namespace

QString ReportTemplate::defaultFooter()
{
    return QStringLiteral("Page {{page}} of {{pages}}");
}

QString ReportTemplate::parse(const QString& text, const QString& name)
{
    fileName = name;
    tables.clear();
    tags.clear();
    footerTags.clear();
    footer = defaultFooter();
    QPageSize pageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins(kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm);

    const QString where = QStringLiteral("The report template %1").arg(quoted(name));
    if (text.size() > kMaxChars)
        return QStringLiteral("%1 is too large to be a report template (%2 characters; the most is %3).")
            .arg(where)
            .arg(text.size())
            .arg(kMaxChars);
    if (text.trimmed().isEmpty())
        return QStringLiteral("%1 is empty.").arg(where);

    // Settings comment: "<!-- report" at the very start, then "key: value" lines.
    qsizetype bodyStart = 0;
    int bodyLine = 1;
    static const QRegularExpression headerStart(QStringLiteral("\\A\\s*<!--\\s*report\\b"));
    const auto match = headerStart.match(text);
    if (match.hasMatch()) {
        const qsizetype headerEnd = text.indexOf(QLatin1String("-->"), match.capturedEnd());
        if (headerEnd < 0)
            return QStringLiteral("%1: its settings comment is not closed with \"-->\".").arg(where);
        const QString header = text.mid(match.capturedEnd(), headerEnd - match.capturedEnd());
        int line = 1 + static_cast<int>(text.left(match.capturedEnd()).count(QLatin1Char('\n')));
        const QStringList lines = header.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i, ++line) {
            const QString entry = lines[i].trimmed();
            if (entry.isEmpty())
                continue;
            const qsizetype colon = entry.indexOf(QLatin1Char(':'));
            if (colon <= 0)
                return QStringLiteral("%1, line %2: expected a setting such as \"tables: kwiktax\", found %3.")
                    .arg(where)
                    .arg(line)
                    .arg(quoted(entry));
            const QString key = entry.left(colon).trimmed().toLower();
            const QString value = entry.mid(colon + 1).trimmed();
            if (key == QLatin1String("tables")) {
                static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
                tables = value.split(separators, Qt::SkipEmptyParts);
            } else if (key == QLatin1String("page")) {
                const auto size = pageSizeByName(value);
                if (!size)
                    return QStringLiteral("%1, line %2: unknown page size %3 (use A3, A4, A5, Letter or Legal).")
                        .arg(where)
                        .arg(line)
                        .arg(quoted(value));
                pageSize = *size;
            } else if (key == QLatin1String("orientation")) {
                if (value.compare(QLatin1String("portrait"), Qt::CaseInsensitive) == 0)
                    orientation = QPageLayout::Portrait;
                else if (value.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
                    orientation = QPageLayout::Landscape;
                else
                    return QStringLiteral("%1, line %2: orientation must be portrait or landscape, not %3.")
                        .arg(where)
                        .arg(line)
                        .arg(quoted(value));
            } else if (key == QLatin1String("margins")) {
                static const QRegularExpression blanks(QStringLiteral("\\s+"));
                const QStringList parts = value.split(blanks, Qt::SkipEmptyParts);
                QList<double> mm;
                for (const QString& p : parts) {
                    bool ok = false;
                    const double v = p.toDouble(&ok);
                    if (!ok || !(v >= 0 && v <= 100))  // also refuses nan
                        return QStringLiteral("%1, line %2: margins are 1, 2 or 4 numbers of millimetres "
                                              "from 0 to 100, not %3.")
                            .arg(where)
                            .arg(line)
                            .arg(quoted(value));
                    mm.append(v);
                }
                // In the order of CSS: top, right, bottom, left.
                if (mm.size() == 1)
                    margins = QMarginsF(mm[0], mm[0], mm[0], mm[0]);
                else if (mm.size() == 2)
                    margins = QMarginsF(mm[1], mm[0], mm[1], mm[0]);
                else if (mm.size() == 4)
                    margins = QMarginsF(mm[3], mm[0], mm[1], mm[2]);
                else
                    return QStringLiteral("%1, line %2: margins are 1, 2 or 4 numbers of millimetres, not %3.")
                        .arg(where)
                        .arg(line)
                        .arg(quoted(value));
            } else if (key == QLatin1String("footer")) {
                footer = value;
            } else {
                return QStringLiteral("%1, line %2: unknown setting %3 (known: tables, page, orientation, "
                                      "margins, footer).")
                    .arg(where)
                    .arg(line)
                    .arg(quoted(key));
            }
        }
        bodyStart = headerEnd + 3;
        bodyLine = 1 + static_cast<int>(text.left(bodyStart).count(QLatin1Char('\n')));
    }
    body = text.mid(bodyStart);

    pageLayout = QPageLayout(pageSize, orientation, margins, QPageLayout::Millimeter);
    const QRectF content = pageLayout.paintRect(QPageLayout::Millimeter);
    if (content.width() < 20 || content.height() < 30)
        return QStringLiteral("%1: its margins leave too little room on the page.").arg(where);

    // Our own scan first: it bounds the nesting before the Mustache parser
    // builds its tree, and names the line of a placeholder left open.
    if (QString error = scanTags(body, bodyLine, tags, where); !error.isEmpty())
        return error;
    if (QString error = scanTags(footer, 1, footerTags, where + QStringLiteral(" (footer)")); !error.isEmpty())
        return error;
    for (const QString* part : {&body, &footer}) {
        kainjow::mustache::mustache check(part->toStdString());
        if (!check.is_valid())
            return QStringLiteral("%1 cannot be read: %2.").arg(where, QString::fromStdString(check.error_message()));
    }
    return {};
}

}  // namespace grossby
