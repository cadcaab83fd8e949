#pragma once
// The one call a calculator window makes once its rows are staged: show the
// report in the preview window or print it on the default printer.

#include "services/report_engine.h"
#include "services/report_job.h"

#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace grossby {

/// The printer and page chosen with "Printer Setup", kept until the program
/// closes. Direct printing prints there, and the preview's print dialog
/// starts there; until a choice is made, the system's default printer and
/// each report's own page are used.
class PrinterChoice {
public:
    /// The one choice of the running program.
    static PrinterChoice& current();

    bool isSet() const { return m_set; }
    /// The printer's name, or empty when the choice is a PDF file.
    const QString& printerName() const { return m_printerName; }
    /// The PDF file printed to instead of a printer, if that was chosen.
    const QString& outputFileName() const { return m_outputFileName; }
    const QPageLayout& pageLayout() const { return m_pageLayout; }

    /// Takes over the printer, file and page of `printer`.
    void set(const QPrinter& printer);
    void clear();

    /// Puts the chosen printer, file and page on `printer`; false (and
    /// `printer` untouched) when nothing was chosen.
    bool applyTo(QPrinter& printer) const;

    /// "Printer Setup": the print dialog to choose the printer, and through
    /// its properties the paper and orientation, starting from the current
    /// choice. Returns whether a choice was made (Cancel keeps the old one).
    bool choose(QWidget* parent);

    /// Replaces the dialog (tests): it gets the printer to adjust and returns
    /// whether the user pressed OK. An empty function restores the dialog.
    using Dialog = std::function<bool(QPrinter& printer, QWidget* parent)>;
    static void setDialog(Dialog dialog);

private:
    bool m_set = false;
    QString m_printerName;
    QString m_outputFileName;
    QPageLayout m_pageLayout;
};

/// Fills the job's template from the print database and, for destination 0,
/// opens the modeless preview window with the job's title; for destination
/// 1, prints without a dialog on the printer chosen in Printer Setup (with its
/// page), else on the default printer. A missing template,
/// table or column, an unreadable database, no printer or a printer that
/// will not start is told to the user by message; nothing waits for the
/// preview and the calling window stays usable.
void runReport(QWidget* parent, const ReportJob& job);

/// Opens the preview window of a filled-in report; returns it.
class ReportPreview* openReportPreview(QWidget* parent, Report report);

/// Prints `report` on `printer`. When `printer` is null (no printer is
/// installed) or will not start, the user chooses between "Save as PDF...",
/// "Open preview" and "Cancel", so the report is never lost silently.
void printReportOn(QWidget* parent, Report report, QPrinter* printer);

}  // namespace grossby
