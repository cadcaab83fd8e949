#pragma once
// A report template: HTML for Qt's rich-text engine with Mustache
// placeholders, preceded by a settings comment. The format is documented in
// README.md ("Report templates").

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <vector>

namespace grossby {

/// One placeholder or section tag as it appears in a template.
struct ReportTag {
    enum class Kind { Variable, Section, InvertedSection };
    Kind kind = Kind::Variable;
    QString name;  ///< as written, trimmed: "kwiktax.TAXINCOME", "raw.Capital"
    int line = 0;  ///< 1-based line in the template file
    QStringList sections;  ///< names of the enclosing sections, outermost first
};

struct ReportTemplate {
    QString fileName;  ///< for messages
    QString body;  ///< the HTML after the settings comment
    QStringList tables;  ///< print tables the template reads, in order
    QPageLayout pageLayout;  ///< page size, orientation and margins (millimetres)
    QString footer;  ///< drawn at the foot of every page
    std::vector<ReportTag> tags;  ///< placeholders of the body
    std::vector<ReportTag> footerTags;  ///< placeholders of the footer

    /// Limits that keep a damaged or hostile template from exhausting memory
    /// or the stack; the shipped templates are a few kilobytes, 3 deep.
    static constexpr qsizetype kMaxChars = 1024 * 1024;
    static constexpr int kMaxSectionDepth = 16;

    /// Default footer of every page.
    static QString defaultFooter();

    /// Reads template text; returns an empty string when it is sound,
    /// otherwise a sentence naming the file, the line and the fault.
    QString parse(const QString& text, const QString& name);
};

}  // namespace grossby
