#include "widgets/report_runner.h"

#include "widgets/busy_cursor.h"
#include "widgets/message_service.h"
#include "widgets/report_preview.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>

namespace grossby {
namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ReportRunner", text);
}

QString nameOf(const Report& report)
{
    return report.displayName();
}

/// Offers the ways out when the report cannot go to a printer.
void offerAlternatives(QWidget* parent, Report report, const QString& reason)
{
    MessageRequest request;
    request.icon = QMessageBox::Warning;
    request.title = tr("Report not printed");
    request.text = reason + QLatin1String("\n\n") +
        tr("Save it as a PDF file, or open it in the preview window to print or export it from there.");
    request.buttons = QMessageBox::Save | QMessageBox::Open | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Save;
    request.buttonTexts = {{QMessageBox::Save, tr("Save as PDF...")},
                           {QMessageBox::Open, tr("Open preview")},
                           {QMessageBox::Cancel, tr("Cancel")}};
    const QMessageBox::StandardButton answer = showMessage(parent, request);
    if (answer == QMessageBox::Open) {
        openReportPreview(parent, std::move(report));
    } else if (answer == QMessageBox::Save) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty())
            folder = QDir::homePath();
        QString path =
            chooseSaveFile(parent, tr("Save report as PDF"),
                           QDir(folder).filePath(nameOf(report) + QLatin1String(".pdf")), tr("PDF document (*.pdf)"));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QLatin1String(".pdf");
        ReportStatus status;
        {
            BusyCursor busy;
            status = report.writePdf(path);
        }
        if (!status)
            showMessage(parent, {QMessageBox::Critical, tr("Report not saved"), status.error});
    }
}

PrinterChoice::Dialog& dialogSlot()
{
    static PrinterChoice::Dialog dialog;
    return dialog;
}

}  // namespace

PrinterChoice& PrinterChoice::current()
{
    static PrinterChoice choice;
    return choice;
}

void PrinterChoice::set(const QPrinter& printer)
{
    m_set = true;
    m_outputFileName = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    m_printerName = m_outputFileName.isEmpty() ? printer.printerName() : QString();
    m_pageLayout = printer.pageLayout();
}

void PrinterChoice::clear()
{
    *this = PrinterChoice();
}

bool PrinterChoice::applyTo(QPrinter& printer) const
{
    if (!m_set)
        return false;
    if (!m_outputFileName.isEmpty()) {
        printer.setOutputFileName(m_outputFileName);
    } else {
        printer.setOutputFileName(QString());
        printer.setPrinterName(m_printerName);
    }
    printer.setPageLayout(m_pageLayout);
    return true;
}

bool PrinterChoice::choose(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!applyTo(printer)) {
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        if (!fallback.isNull())
            printer.setPrinterName(fallback.printerName());
    }
    bool chosen = false;
    if (const Dialog& replacement = dialogSlot()) {
        chosen = replacement(printer, parent);
    } else {
        // The print dialog is used for its choice of printer and, under its
        // properties, of paper and orientation; it prints nothing here. (The
        // page set-up dialog alone cannot pick a printer and does not work
        // on a PDF file.)
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("CommonDialog1"));
        dialog.setWindowTitle(tr("Printer Setup"));
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(tr("&OK"));
        }
        chosen = dialog.exec() == QDialog::Accepted;
    }
    if (chosen)
        set(printer);
    return chosen;
}

void PrinterChoice::setDialog(Dialog dialog)
{
    dialogSlot() = std::move(dialog);
}

ReportPreview* openReportPreview(QWidget* parent, Report report)
{
    // A window of its own above the main window, not a child of the
    // calculator: closing the calculator leaves the preview open.
    auto* preview = new ReportPreview(std::move(report), parent ? parent->window() : nullptr);
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

void printReportOn(QWidget* parent, Report report, QPrinter* printer)
{
    const QString name = nameOf(report);
    if (!printer) {
        const QString reason = tr("No printer is installed, so \"%1\" cannot be printed.").arg(name);
        offerAlternatives(parent, std::move(report), reason);
        return;
    }
    printer->setDocName(name);
    ReportStatus status;
    {
        BusyCursor busy;
        status = report.print(*printer);
    }
    if (!status) {
        const QString device = printer->printerName().isEmpty() ? QDir::toNativeSeparators(printer->outputFileName())
                                                                : printer->printerName();
        const QString reason = tr("The printer \"%1\" could not start printing \"%2\".").arg(device, name);
        offerAlternatives(parent, std::move(report), reason);
    }
}

void runReport(QWidget* parent, const ReportJob& job)
{
    Report report;
    {
        BusyCursor busy;
        report = Report::load(job);
    }
    if (!report.ok()) {
        showMessage(parent, {QMessageBox::Critical, tr("Report"), report.error()});
        return;
    }
    // Parts of the template that were left out (a picture it may not use)
    // are told; the report goes on without them.
    if (!report.warnings().isEmpty())
        showMessage(parent, {QMessageBox::Warning, tr("Report"), report.warnings().join(QLatin1Char('\n'))});
    if (job.destination != 1) {
        openReportPreview(parent, std::move(report));
        return;
    }
    // The printer and page chosen in Printer Setup come first.
    const PrinterChoice& choice = PrinterChoice::current();
    if (choice.isSet()) {
        if (choice.outputFileName().isEmpty() && QPrinterInfo::printerInfo(choice.printerName()).isNull()) {
            const QString reason = tr("The printer \"%1\" chosen in Printer Setup is not available, so \"%2\" "
                                      "cannot be printed.")
                                       .arg(choice.printerName(), nameOf(report));
            offerAlternatives(parent, std::move(report), reason);
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        choice.applyTo(printer);
        report.setPageLayout(choice.pageLayout());
        printReportOn(parent, std::move(report), &printer);
        return;
    }
    // Without a printer Qt would fall back silently to an unnamed PDF file
    // and print nothing; ask the user instead.
    const QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (QPrinterInfo::availablePrinters().isEmpty() || target.isNull()) {
        printReportOn(parent, std::move(report), nullptr);
        return;
    }
    QPrinter printer(target, QPrinter::HighResolution);
    printReportOn(parent, std::move(report), &printer);
}

}  // namespace grossby
