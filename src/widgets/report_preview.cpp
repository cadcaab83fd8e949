#include "widgets/report_preview.h"

#include "widgets/busy_cursor.h"
#include "widgets/message_service.h"
#include "widgets/report_runner.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace grossby {
namespace {

SaveFileChooser& chooserSlot()
{
    static SaveFileChooser chooser;
    return chooser;
}

/// Folder of the last export, offered again for the next one.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

struct ExportFormat {
    const char* suffix;
    const char* objectName;
    const char* menuText;
    const char* filter;
};

const ExportFormat kFormats[] = {
    {"pdf", "actExportPdf", QT_TRANSLATE_NOOP("ReportPreview", "&PDF document..."), "PDF document (*.pdf)"},
    {"html", "actExportHtml", QT_TRANSLATE_NOOP("ReportPreview", "&Web page (HTML)..."), "Web page (*.html *.htm)"},
    {"odt", "actExportOdt", QT_TRANSLATE_NOOP("ReportPreview", "&ODF text document..."), "ODF text document (*.odt)"},
    {"csv", "actExportCsv", QT_TRANSLATE_NOOP("ReportPreview", "&CSV of the figures..."),
     "Comma-separated values (*.csv)"},
    {"xlsx", "actExportXlsx", QT_TRANSLATE_NOOP("ReportPreview", "&Excel workbook of the figures..."),
     "Excel workbook (*.xlsx)"},
};

const ExportFormat* formatFor(const QString& suffix)
{
    for (const ExportFormat& f : kFormats) {
        if (suffix == QLatin1String(f.suffix))
            return &f;
    }
    return nullptr;
}

void drawSuitcase(QPainter& p, int size)
{
    const qreal s = size / 32.0;
    p.setRenderHint(QPainter::Antialiasing);
    const QColor leather(0x8a, 0x5a, 0x2b);
    const QColor dark(0x4e, 0x30, 0x14);
    const QColor brass(0xd9, 0xa4, 0x1e);

    // Handle.
    QPainterPath handle;
    handle.addRoundedRect(QRectF(11 * s, 4 * s, 10 * s, 7 * s), 2.5 * s, 2.5 * s);
    handle.addRoundedRect(QRectF(13.2 * s, 6.2 * s, 5.6 * s, 4.8 * s), 1.2 * s, 1.2 * s);
    handle.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(dark, std::max<qreal>(1, s)));
    p.setBrush(dark);
    p.drawPath(handle);

    // Case.
    const QRectF body(2.5 * s, 9.5 * s, 27 * s, 19 * s);
    p.setPen(QPen(dark, std::max<qreal>(1, 1.2 * s)));
    p.setBrush(leather);
    p.drawRoundedRect(body, 3 * s, 3 * s);

    // Seam and clasps.
    p.setPen(QPen(dark, std::max<qreal>(1, s)));
    p.drawLine(QPointF(body.left() + 1 * s, 16 * s), QPointF(body.right() - 1 * s, 16 * s));
    p.setPen(QPen(dark, std::max<qreal>(0.8, 0.6 * s)));
    p.setBrush(brass);
    p.drawRoundedRect(QRectF(7 * s, 14 * s, 4 * s, 4.5 * s), 0.8 * s, 0.8 * s);
    p.drawRoundedRect(QRectF(21 * s, 14 * s, 4 * s, 4.5 * s), 0.8 * s, 0.8 * s);
}

QString safeFileName(QString name)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|]+"));
    name.replace(unsafe, QStringLiteral(" "));
    name = name.simplified();
    return name.isEmpty() ? QStringLiteral("Report") : name;
}

}  // namespace

QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter)
{
    if (const auto& chooser = chooserSlot())
        return chooser(parent, caption, suggestedPath, filter);
    // The dialog asks before an existing file is replaced.
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

void setSaveFileChooser(SaveFileChooser chooser)
{
    chooserSlot() = std::move(chooser);
}

void resetExportFolder()
{
    lastFolder().clear();
}

QIcon suitcaseIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawSuitcase(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

ReportPreview::ReportPreview(Report report, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_report(std::move(report))
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("reportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString name = m_report.displayName();
    setWindowTitle(m_report.title().isEmpty() ? name : m_report.title());
    m_printer->setDocName(name);
    // The printer and page chosen in Printer Setup: the pages are shown as
    // they will print there.
    if (PrinterChoice::current().applyTo(*m_printer))
        m_report.setPageLayout(PrinterChoice::current().pageLayout());
    m_printer->setPageLayout(m_report.pageLayout());

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("tbrPreview"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->setIconSize(QSize(24, 24));

    const auto makeAction = [&](const char* objectName, const QString& text, const QString& tip, const QIcon& icon,
                                const QList<QKeySequence>& keys, auto slot) {
        auto* action = new QAction(icon, text, this);
        action->setObjectName(QLatin1String(objectName));
        action->setToolTip(tip);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        toolbar->addAction(action);
        this->addAction(action);  // shortcuts work wherever the focus is in the window
        if (QWidget* button = toolbar->widgetForAction(action))
            button->setObjectName(QLatin1String(objectName));
        return action;
    };

    // Export: the suitcase the window title points to.
    m_export = new QToolButton(toolbar);
    m_export->setObjectName(QStringLiteral("cmdExport"));
    m_export->setIcon(suitcaseIcon());
    m_export->setText(tr("&Export"));
    m_export->setToolTip(tr("Export the report: PDF, web page, ODF text, or the figures as CSV or Excel"));
    m_export->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_export->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(m_export);
    menu->setObjectName(QStringLiteral("mnuExport"));
    for (const ExportFormat& format : kFormats) {
        QAction* action = menu->addAction(tr(format.menuText));
        action->setObjectName(QLatin1String(format.objectName));
        const QString suffix = QLatin1String(format.suffix);
        connect(action, &QAction::triggered, this, [this, suffix] { exportAs(suffix); });
    }
    m_export->setMenu(menu);
    toolbar->addWidget(m_export);

    QStyle* st = style();
    makeAction("cmdPrint", tr("&Print..."), tr("Print the report (choose the printer)"),
               QIcon::fromTheme(QStringLiteral("document-print")), {QKeySequence::Print},
               &ReportPreview::printWithDialog);
    makeAction("cmdPageSetup", tr("Page &setup..."), tr("Paper size, orientation and margins"),
               QIcon::fromTheme(QStringLiteral("document-page-setup")), {}, &ReportPreview::pageSetup);
    toolbar->addSeparator();

    makeAction("cmdFirstPage", QString(), tr("First page"), st->standardIcon(QStyle::SP_MediaSkipBackward),
               {QKeySequence(Qt::CTRL | Qt::Key_Home)}, [this] { showPage(1); });
    makeAction("cmdPrevPage", QString(), tr("Previous page"), st->standardIcon(QStyle::SP_ArrowLeft),
               {QKeySequence(Qt::Key_PageUp)}, [this] { showPage(currentPage() - 1); });
    m_page = new QSpinBox(toolbar);
    m_page->setObjectName(QStringLiteral("spnPage"));
    m_page->setToolTip(tr("Page shown"));
    m_page->setKeyboardTracking(false);
    connect(m_page, &QSpinBox::valueChanged, this, &ReportPreview::showPage);
    toolbar->addWidget(m_page);
    m_pageCount = new QLabel(toolbar);
    m_pageCount->setObjectName(QStringLiteral("lblPageCount"));
    m_pageCount->setContentsMargins(4, 0, 4, 0);
    toolbar->addWidget(m_pageCount);
    makeAction("cmdNextPage", QString(), tr("Next page"), st->standardIcon(QStyle::SP_ArrowRight),
               {QKeySequence(Qt::Key_PageDown)}, [this] { showPage(currentPage() + 1); });
    makeAction("cmdLastPage", QString(), tr("Last page"), st->standardIcon(QStyle::SP_MediaSkipForward),
               {QKeySequence(Qt::CTRL | Qt::Key_End)}, [this] { showPage(pageCount()); });
    toolbar->addSeparator();

    makeAction("cmdZoomOut", tr("Zoom &out"), tr("Smaller"), QIcon::fromTheme(QStringLiteral("zoom-out")),
               {QKeySequence::ZoomOut}, [this] { zoomBy(1 / 1.25); });
    m_zoom = new QLabel(toolbar);
    m_zoom->setObjectName(QStringLiteral("lblZoom"));
    m_zoom->setToolTip(tr("Zoom"));
    m_zoom->setAlignment(Qt::AlignCenter);
    m_zoom->setMinimumWidth(m_zoom->fontMetrics().horizontalAdvance(QStringLiteral("0000 %")));
    toolbar->addWidget(m_zoom);
    makeAction("cmdZoomIn", tr("Zoom &in"), tr("Larger"), QIcon::fromTheme(QStringLiteral("zoom-in")),
               {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { zoomBy(1.25); });
    makeAction("cmdFitWidth", tr("Fit &width"), tr("Page as wide as the window"),
               QIcon::fromTheme(QStringLiteral("zoom-fit-width")), {}, [this] {
                   m_view->fitToWidth();
                   updateZoomLabel();
               });
    makeAction("cmdFitPage", tr("&Whole page"), tr("Whole page in the window"),
               QIcon::fromTheme(QStringLiteral("zoom-fit-best")), {}, [this] {
                   m_view->fitInView();
                   updateZoomLabel();
               });
    toolbar->addSeparator();
    makeAction("cmdClose", tr("&Close"), tr("Close the preview"), QIcon(),
               {QKeySequence::Close, QKeySequence(Qt::Key_Escape)}, &QWidget::close);

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("previewView"));
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_view->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        BusyCursor busy;
        // Painting into the preview cannot fail short of a report without pages.
        (void)m_report.print(*printer);
    });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageControls);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setContentsMargins(6, 3, 6, 3);
    m_status->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    QSize size(860, 1000);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);

    m_view->updatePreview();
    updatePageControls();
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::pageCount() const
{
    return m_view->pageCount();
}

int ReportPreview::currentPage() const
{
    return m_view->currentPage();
}

void ReportPreview::showPage(int page)
{
    page = std::clamp(page, 1, std::max(1, pageCount()));
    m_view->setCurrentPage(page);
    updatePageControls();
}

int ReportPreview::zoomPercent() const
{
    return static_cast<int>(std::lround(m_view->zoomFactor() * 100));
}

QString ReportPreview::statusText() const
{
    return m_status->isHidden() ? QString() : m_status->text();
}

void ReportPreview::zoomBy(double factor)
{
    // Within 10 % and 800 %: beyond that the page is a speck or a blur.
    const double target = std::clamp(m_view->zoomFactor() * factor, 0.1, 8.0);
    m_view->setZoomFactor(target);
    updateZoomLabel();
}

void ReportPreview::updateZoomLabel()
{
    m_zoom->setText(tr("%1 %").arg(zoomPercent()));
}

void ReportPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A fitted zoom changes with the window; the label follows once the view
    // has taken its new size.
    QMetaObject::invokeMethod(this, &ReportPreview::updateZoomLabel, Qt::QueuedConnection);
}

void ReportPreview::updatePageControls()
{
    const int pages = std::max(1, pageCount());
    const QSignalBlocker block(m_page);
    m_page->setRange(1, pages);
    m_page->setValue(currentPage());
    m_pageCount->setText(tr("of %1").arg(pages));
    const bool several = pages > 1;
    for (const char* name : {"cmdFirstPage", "cmdPrevPage", "cmdNextPage", "cmdLastPage"}) {
        if (auto* action = findChild<QAction*>(QLatin1String(name)))
            action->setEnabled(several);
    }
    m_page->setEnabled(several);
    updateZoomLabel();
}

bool ReportPreview::exportReport(const QString& path)
{
    ReportStatus status;
    {
        BusyCursor busy;
        status = m_report.exportTo(path);
    }
    if (!status) {
        showMessage(this, {QMessageBox::Critical, tr("Export"), status.error});
        return false;
    }
    lastFolder() = QFileInfo(path).absolutePath();
    m_status->setText(tr("Saved as %1").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    m_status->show();
    return true;
}

void ReportPreview::exportAs(const QString& suffix)
{
    const ExportFormat* format = formatFor(suffix);
    if (!format)
        return;
    // The folder of the last export, else the user's documents folder (the
    // home folder where there is none), never the program's own folder.
    QString folder = lastFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString name = safeFileName(m_report.displayName());
    QString path = chooseSaveFile(this, tr("Export report"), QDir(folder).filePath(name + QLatin1Char('.') + suffix),
                                  QLatin1String(format->filter));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    exportReport(path);
}

void ReportPreview::printWithDialog()
{
    m_printer->setPageLayout(m_report.pageLayout());
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(tr("Print %1").arg(m_report.displayName()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    ReportStatus status;
    {
        BusyCursor busy;
        status = m_report.print(*m_printer);
    }
    if (!status) {
        const QString printer =
            m_printer->printerName().isEmpty() ? m_printer->outputFileName() : m_printer->printerName();
        showMessage(
            this,
            {QMessageBox::Critical, tr("Printing failed"),
             tr("\"%1\" could not be printed on \"%2\": %3").arg(m_report.displayName(), printer, status.error)});
    }
    m_view->updatePreview();
}

void ReportPreview::pageSetup()
{
    m_printer->setPageLayout(m_report.pageLayout());
    if (m_printer->outputFormat() == QPrinter::NativeFormat) {
        QPageSetupDialog dialog(m_printer.get(), this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        applyPageLayout(m_printer->pageLayout());
        return;
    }
    // Printing to a PDF file (no printer installed): the system's page set-up
    // dialog does not serve such a printer, so paper and orientation are
    // chosen here; the margins stay the report's.
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgPageSetup"));
    dialog.setWindowTitle(tr("Page Setup"));
    auto* paper = new QComboBox(&dialog);
    paper->setObjectName(QStringLiteral("cboPaper"));
    const QPageLayout current = m_report.pageLayout();
    for (const QPageSize::PageSizeId id :
         {QPageSize::A4, QPageSize::A5, QPageSize::A3, QPageSize::Letter, QPageSize::Legal}) {
        paper->addItem(QPageSize::name(id), int(id));
        if (current.pageSize().id() == id)
            paper->setCurrentIndex(paper->count() - 1);
    }
    auto* orientation = new QComboBox(&dialog);
    orientation->setObjectName(QStringLiteral("cboOrientation"));
    orientation->addItem(tr("Portrait"), int(QPageLayout::Portrait));
    orientation->addItem(tr("Landscape"), int(QPageLayout::Landscape));
    orientation->setCurrentIndex(current.orientation() == QPageLayout::Landscape ? 1 : 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(tr("&Paper:"), paper);
    form->addRow(tr("&Orientation:"), orientation);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPageLayout chosen = current;
    chosen.setPageSize(QPageSize(QPageSize::PageSizeId(paper->currentData().toInt())));
    chosen.setOrientation(QPageLayout::Orientation(orientation->currentData().toInt()));
    applyPageLayout(chosen);
}

void ReportPreview::applyPageLayout(const QPageLayout& layout)
{
    {
        BusyCursor busy;
        m_report.setPageLayout(layout);
        m_printer->setPageLayout(m_report.pageLayout());
        m_view->updatePreview();
    }
    updatePageControls();
}

}  // namespace grossby
