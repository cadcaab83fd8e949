#pragma once
// The report preview window: the laid-out pages at a readable zoom, paging,
// printing through the printer dialog, page setup, and export of the report
// (the suitcase button) to PDF, HTML, ODF text, CSV or Excel.

#include "services/report_engine.h"

#include <QIcon>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QSpinBox;
class QToolButton;

namespace grossby {

/// Asks where to save a file (a save dialog that confirms replacing a file);
/// returns an empty string when the user cancels.
QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter);

/// Replaces the save dialog (tests); an empty chooser restores it.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                              const QString& filter)>;
void setSaveFileChooser(SaveFileChooser chooser);

/// Forgets the folder of the last export, so the next export starts in the
/// user's documents folder again (tests).
void resetExportFolder();

/// The suitcase drawn for the export button.
QIcon suitcaseIcon();

class ReportPreview : public QWidget {
    Q_OBJECT
public:
    /// A modeless window of its own that deletes itself when closed; its
    /// title is the report's title (or its display name when it has none).
    explicit ReportPreview(Report report, QWidget* parent = nullptr);
    ~ReportPreview() override;

    const Report& report() const { return m_report; }
    int pageCount() const;
    /// 1-based, as shown.
    int currentPage() const;

    /// Writes the report to `path` by its extension, with the busy pointer;
    /// a failure is shown to the user. Returns whether the file was written.
    bool exportReport(const QString& path);
    /// Asks for a file name for the format `suffix` ("pdf", "csv", ...) and
    /// exports to it.
    void exportAs(const QString& suffix);

    /// Lays the pages out again for another paper, orientation or margins.
    void applyPageLayout(const QPageLayout& layout);

    /// The zoom as shown in the tool bar, in percent of the page's real size.
    int zoomPercent() const;
    /// The line under the pages that tells where the last export went.
    QString statusText() const;

public Q_SLOTS:
    void showPage(int page);
    void printWithDialog();
    void pageSetup();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updatePageControls();
    void updateZoomLabel();
    void zoomBy(double factor);

    Report m_report;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view = nullptr;
    QSpinBox* m_page = nullptr;
    QLabel* m_pageCount = nullptr;
    QLabel* m_zoom = nullptr;
    QLabel* m_status = nullptr;
    QToolButton* m_export = nullptr;
};

}  // namespace grossby
