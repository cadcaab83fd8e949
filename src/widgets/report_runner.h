#pragma once
// The one call a calculator window makes once its rows are staged: show the
// report in the preview window or print it on the default printer.

#include "services/report_engine.h"
#include "services/report_job.h"

class QPrinter;
class QWidget;

namespace grossby {

/// Fills the job's template from the print database and, for destination 0,
/// opens the modeless preview window with the job's title; for destination
/// 1, prints on the default printer without a dialog. A missing template,
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
