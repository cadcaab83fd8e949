#pragma once
// Adds an outline (bookmarks) and in-document links to a PDF written by
// QPdfWriter, which writes neither, as an incremental update appended to the
// file: the original bytes stay as they are.

#include <QList>
#include <QRectF>
#include <QString>

namespace grossby::docgen {

/// A place in the document: page (from 0) and the height on it, in points
/// from the page's top.
struct PdfPlace {
    int page = 0;
    double top = 0;
};

struct PdfOutlineEntry {
    QString title;
    int level = 1;  ///< 1 for a chapter, 2 for a section under it
    PdfPlace target;
};

struct PdfLink {
    int page = 0;  ///< the page the link is on
    QRectF rect;  ///< in points, from the page's top-left corner
    PdfPlace target;
};

/// Appends the outline and the links to the PDF at `path`, whose pages are
/// `pageHeight` points high. Returns an empty string, or what went wrong.
QString addOutlineAndLinks(const QString& path, double pageHeight, const QList<PdfOutlineEntry>& outline,
                           const QList<PdfLink>& links);

}  // namespace grossby::docgen
