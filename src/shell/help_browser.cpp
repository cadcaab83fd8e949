#include "shell/help_browser.h"

#include "widgets/message_service.h"
#include "widgets/twips.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QResizeEvent>

namespace grossby {

namespace {
// The viewer is this much smaller than the window's inner area, half the
// margin on each side.
constexpr int kViewerMargin = twipsToPixels(100);
}  // namespace

QString HelpBrowser::documentFileName()
{
    return QStringLiteral("Grossby2018Help.pdf");
}

HelpBrowser::HelpBrowser(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelpBrowser"));
    setWindowTitle(QStringLiteral("Grossby Help"));
    resize(820, 760);

    m_document = new QPdfDocument(this);
    m_view = new QPdfView(this);
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));
    m_view->setDocument(m_document);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    layoutViewer();
}

bool HelpBrowser::navigate(const QString& pdfPath)
{
    const QFileInfo info(pdfPath);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    QString problem;
    if (!info.exists()) {
        problem = QStringLiteral("The help document \"%1\" could not be found.\n\n"
                                 "Reinstall the program or rebuild it to restore the help.")
                      .arg(shown);
    } else {
        const QPdfDocument::Error error = m_document->load(info.absoluteFilePath());
        if (error != QPdfDocument::Error::None)
            problem = QStringLiteral("The help document \"%1\" could not be opened: it is "
                                     "damaged or cannot be read.")
                          .arg(shown);
    }
    if (problem.isEmpty())
        return true;
    m_document->close();
    showMessage(this, {QMessageBox::Warning, QStringLiteral("Grossby Help"), problem});
    return false;
}

void HelpBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutViewer();
}

void HelpBrowser::layoutViewer()
{
    // Never negative, even while the window is minimised or squeezed.
    const int width = qMax(0, this->width() - kViewerMargin);
    const int height = qMax(0, this->height() - kViewerMargin);
    m_view->setGeometry(kViewerMargin / 2, kViewerMargin / 2, width, height);
}

}  // namespace grossby
