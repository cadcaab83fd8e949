#include "pdf_outline.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>

namespace grossby::docgen {
namespace {

QByteArray number(double value)
{
    return QByteArray::number(value, 'f', 2);
}

/// A PDF text string in UTF-16 (any title can be written).
QByteArray pdfText(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

QByteArray ref(int object)
{
    return QByteArray::number(object) + " 0 R";
}

}  // namespace

QString addOutlineAndLinks(const QString& path, double pageHeight, const QList<PdfOutlineEntry>& outline,
                           const QList<PdfLink>& links)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    const QByteArray pdf = file.readAll();
    file.close();

    // What the update builds on: the catalog, the pages in order, each page's
    // annotation array, the trailer's size and info, and the last xref.
    static const QRegularExpression catalogRe(
        QStringLiteral("(\\d+) 0 obj\\s*<<(\\s*/Type\\s*/Catalog\\b.*?)>>\\s*endobj"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression pagesRe(QStringLiteral("/Type\\s*/Pages\\b[^>]*?/Kids\\s*\\[([^\\]]*)\\]"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression sizeRe(QStringLiteral("trailer\\s*<<.*?/Size\\s+(\\d+).*?>>"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression infoRe(QStringLiteral("trailer\\s*<<.*?/Info\\s+(\\d+) 0 R"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression startRe(QStringLiteral("startxref\\s+(\\d+)\\s*%%EOF\\s*$"));
    const QString text = QString::fromLatin1(pdf);
    const auto catalog = catalogRe.match(text);
    const auto pages = pagesRe.match(text);
    const auto size = sizeRe.match(text);
    const auto start = startRe.match(text);
    if (!catalog.hasMatch() || !pages.hasMatch() || !size.hasMatch() || !start.hasMatch())
        return QStringLiteral("%1 is not laid out as expected (catalog, pages or trailer not found)").arg(path);
    const int catalogObject = catalog.captured(1).toInt();
    QList<int> pageObjects;
    static const QRegularExpression kidRe(QStringLiteral("(\\d+) 0 R"));
    for (auto it = kidRe.globalMatch(pages.captured(1)); it.hasNext();)
        pageObjects.append(it.next().captured(1).toInt());

    QMap<int, QByteArray> objects;  // the update's objects by number
    int next = size.captured(1).toInt();
    const auto dest = [&](const PdfPlace& place) -> QByteArray {
        if (place.page < 0 || place.page >= pageObjects.size())
            return {};
        return "[" + ref(pageObjects[place.page]) + " /XYZ null " + number(pageHeight - place.top) + " null]";
    };

    // Outline: chapters at the top level, their sections under them.
    struct Node {
        int object;
        int parent;
        QList<int> children;
        const PdfOutlineEntry* entry;
    };
    const int root = next++;
    QList<Node> nodes;
    QList<int> top;
    int chapter = -1;
    for (const PdfOutlineEntry& entry : outline) {
        const int index = int(nodes.size());
        const bool child = entry.level > 1 && chapter >= 0;
        nodes.append({next++, child ? nodes[chapter].object : root, {}, &entry});
        if (child) {
            nodes[chapter].children.append(index);
        } else {
            top.append(index);
            chapter = index;
        }
    }
    const auto writeLevel = [&](const QList<int>& level) {
        for (qsizetype i = 0; i < level.size(); ++i) {
            const Node& n = nodes[level[i]];
            QByteArray body = "<<\n/Title " + pdfText(n.entry->title) + "\n/Parent " + ref(n.parent) + "\n";
            if (i > 0)
                body += "/Prev " + ref(nodes[level[i - 1]].object) + "\n";
            if (i + 1 < level.size())
                body += "/Next " + ref(nodes[level[i + 1]].object) + "\n";
            if (!n.children.isEmpty()) {
                body += "/First " + ref(nodes[n.children.first()].object) + "\n/Last " +
                    ref(nodes[n.children.last()].object) + "\n/Count -" + QByteArray::number(n.children.size()) + "\n";
            }
            const QByteArray d = dest(n.entry->target);
            if (!d.isEmpty())
                body += "/Dest " + d + "\n";
            objects[n.object] = body + ">>";
        }
    };
    writeLevel(top);
    for (const Node& n : nodes)
        writeLevel(n.children);
    if (!top.isEmpty()) {
        objects[root] = "<<\n/Type /Outlines\n/First " + ref(nodes[top.first()].object) + "\n/Last " +
            ref(nodes[top.last()].object) + "\n/Count " + QByteArray::number(top.size()) + "\n>>";
    } else {
        objects[root] = "<<\n/Type /Outlines\n/Count 0\n>>";
    }

    // Links: each page's annotation array gets the new link annotations.
    QMap<int, QList<int>> linksOnPage;
    for (const PdfLink& link : links) {
        const QByteArray d = dest(link.target);
        if (d.isEmpty() || link.page < 0 || link.page >= pageObjects.size())
            continue;
        const int object = next++;
        objects[object] = "<<\n/Type /Annot\n/Subtype /Link\n/Border [0 0 0]\n/Rect [" + number(link.rect.left()) +
            ' ' + number(pageHeight - link.rect.bottom()) + ' ' + number(link.rect.right()) + ' ' +
            number(pageHeight - link.rect.top()) + "]\n/Dest " + d + "\n>>";
        linksOnPage[link.page].append(object);
    }
    for (auto it = linksOnPage.cbegin(); it != linksOnPage.cend(); ++it) {
        const int page = pageObjects[it.key()];
        const QRegularExpression pageRe(QStringLiteral("\\b%1 0 obj\\s*<<(.*?)>>\\s*endobj").arg(page),
                                        QRegularExpression::DotMatchesEverythingOption);
        const auto pageMatch = pageRe.match(text);
        if (!pageMatch.hasMatch())
            return QStringLiteral("page object %1 not found in %2").arg(page).arg(path);
        QByteArray refs;
        for (const int a : it.value())
            refs += ' ' + ref(a);
        static const QRegularExpression annotsRe(QStringLiteral("/Annots\\s+(\\d+) 0 R"));
        const auto annots = annotsRe.match(pageMatch.captured(1));
        if (annots.hasMatch()) {
            // The page keeps its array object; the update gives it more entries.
            const int array = annots.captured(1).toInt();
            const QRegularExpression arrayRe(QStringLiteral("\\b%1 0 obj\\s*\\[(.*?)\\]\\s*endobj").arg(array),
                                             QRegularExpression::DotMatchesEverythingOption);
            const auto old = arrayRe.match(text);
            objects[array] = "[" + (old.hasMatch() ? old.captured(1).toLatin1() : QByteArray()) + refs + " ]";
        } else {
            QByteArray body = pageMatch.captured(1).toLatin1();
            objects[page] = "<<" + body + "/Annots [" + refs + " ]\n>>";
        }
    }

    // The catalog again, now pointing at the outline and opening with it.
    QByteArray catalogBody = catalog.captured(2).toLatin1();
    objects[catalogObject] = "<<" + catalogBody + "/Outlines " + ref(root) + "\n/PageMode /UseOutlines\n>>";

    // The update: the objects, a cross-reference section for them and a
    // trailer that points back at the original one.
    QByteArray update = "\n";
    QMap<int, qint64> offsets;
    const qint64 base = pdf.size();
    for (auto it = objects.cbegin(); it != objects.cend(); ++it) {
        offsets[it.key()] = base + update.size();
        update += QByteArray::number(it.key()) + " 0 obj\n" + it.value() + "\nendobj\n";
    }
    const qint64 xref = base + update.size();
    update += "xref\n";
    for (auto it = offsets.cbegin(); it != offsets.cend(); ++it)
        update += QByteArray::number(it.key()) + " 1\n" + QByteArray::number(it.value()).rightJustified(10, '0') +
            " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(next) + "\n/Root " + ref(catalogObject) + "\n";
    const auto info = infoRe.match(text);
    if (info.hasMatch())
        update += "/Info " + ref(info.captured(1).toInt()) + "\n";
    update += "/Prev " + start.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";

    if (!file.open(QIODevice::Append) || file.write(update) != update.size())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

}  // namespace grossby::docgen
