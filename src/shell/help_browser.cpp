#include "shell/help_browser.h"

#include "widgets/message_service.h"
#include "widgets/twips.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

namespace grossby {

namespace {
// The viewer is this much smaller than the window's inner area, half the
// margin on each side.
constexpr int kViewerMargin = twipsToPixels(100);

/// Shows a model's rows as text of our choosing (the PDF models keep their
/// text in roles of their own).
class TextProxy : public QIdentityProxyModel {
public:
    using Text = std::function<QString(const QModelIndex&)>;
    TextProxy(Text text, QObject* parent)
        : QIdentityProxyModel(parent)
        , m_text(std::move(text))
    { }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return m_text(mapToSource(index));
        return QIdentityProxyModel::data(index, role);
    }

private:
    Text m_text;
};

/// Draws a list's rows as rich text, wrapped to the list's width, so a
/// found word can stand out in bold within its context.
class RichTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        QTextDocument text;
        layOut(text, item);
        item.text.clear();
        const QStyle* style = item.widget ? item.widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = item.palette;
        if (item.state & QStyle::State_Selected)
            context.palette.setColor(QPalette::Text, item.palette.color(QPalette::HighlightedText));
        painter->save();
        painter->translate(item.rect.topLeft());
        painter->setClipRect(item.rect.translated(-item.rect.topLeft()));
        text.documentLayout()->draw(painter, context);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        if (const auto* view = qobject_cast<const QAbstractItemView*>(item.widget))
            item.rect.setWidth(view->viewport()->width());
        QTextDocument text;
        layOut(text, item);
        return {item.rect.width(), int(std::ceil(text.size().height()))};
    }

private:
    static void layOut(QTextDocument& text, const QStyleOptionViewItem& item)
    {
        text.setDefaultFont(item.font);
        text.setDocumentMargin(2);
        text.setHtml(item.text);
        text.setTextWidth(qMax(40, item.rect.width()));
    }
};

/// Context text as one line: the viewer marks a line break inside the
/// context with a return glyph, which means nothing to a reader here.
QString oneLine(QString text)
{
    text.replace(QChar(0x23CE), QLatin1Char(' '));
    text.replace(QChar(0x21B5), QLatin1Char(' '));
    return text.simplified();
}

int pageOf(const QModelIndex& source, int role)
{
    return source.data(role).toInt();
}
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
    resize(1000, 760);

    m_document = new QPdfDocument(this);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splHelp"));
    m_splitter->setChildrenCollapsible(false);

    // Side panel: search above the outline.
    m_side = new QWidget(m_splitter);
    m_side->setObjectName(QStringLiteral("fraHelpSide"));
    auto* findLabel = new QLabel(tr("&Find:"), m_side);
    m_find = new QLineEdit(m_side);
    m_find->setObjectName(QStringLiteral("txtFind"));
    m_find->setPlaceholderText(tr("Word to find, Enter for the next"));
    m_find->setClearButtonEnabled(true);
    findLabel->setBuddy(m_find);
    m_search = new QPdfSearchModel(this);
    m_search->setDocument(m_document);
    // Each place found: its page, and the word in bold within the text
    // around it, wrapped rather than cut.
    auto* results = new TextProxy(
        [this](const QModelIndex& i) {
            const QString before = oneLine(i.data(int(QPdfSearchModel::Role::ContextBefore)).toString());
            const QString after = oneLine(i.data(int(QPdfSearchModel::Role::ContextAfter)).toString());
            return tr("Page %1: %2")
                .arg(pageOf(i, int(QPdfSearchModel::Role::Page)) + 1)
                .arg(QStringLiteral("…%1 <b>%2</b> %3…")
                         .arg(before.toHtmlEscaped(), m_search->searchString().toHtmlEscaped(), after.toHtmlEscaped()));
        },
        this);
    results->setSourceModel(m_search);
    m_results = new QListView(m_side);
    m_results->setObjectName(QStringLiteral("lstFound"));
    m_results->setModel(results);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setWordWrap(true);
    m_results->setResizeMode(QListView::Adjust);
    m_results->setItemDelegate(new RichTextDelegate(m_results));
    m_results->hide();

    auto* outlineLabel = new QLabel(tr("&Contents:"), m_side);
    m_outline = new QPdfBookmarkModel(this);
    m_outline->setDocument(m_document);
    auto* titles = new TextProxy(
        [](const QModelIndex& i) { return i.data(int(QPdfBookmarkModel::Role::Title)).toString(); }, this);
    titles->setSourceModel(m_outline);
    m_tree = new QTreeView(m_side);
    m_tree->setObjectName(QStringLiteral("treContents"));
    m_tree->setModel(titles);
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setUniformRowHeights(true);
    // A title is never cut short: the panel widens to the longest one it
    // can, and scrolls sideways beyond that.
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    outlineLabel->setBuddy(m_tree);

    auto* side = new QVBoxLayout(m_side);
    side->setContentsMargins(0, 0, 4, 0);
    side->addWidget(findLabel);
    side->addWidget(m_find);
    side->addWidget(m_results, 1);
    side->addSpacing(6);
    side->addWidget(outlineLabel);
    side->addWidget(m_tree, 3);
    m_side->hide();

    m_view = new QPdfView(m_splitter);
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));
    m_view->setDocument(m_document);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({260, 740});

    // An entry chosen in either list shows its page.
    const auto goToEntry = [this](const QModelIndex& index, int role) {
        if (index.isValid())
            goToPage(index.data(role).toInt());
    };
    connect(m_tree, &QTreeView::activated, this, [goToEntry, titles](const QModelIndex& i) {
        goToEntry(titles->mapToSource(i), int(QPdfBookmarkModel::Role::Page));
    });
    connect(m_tree, &QTreeView::clicked, m_tree, &QTreeView::activated);
    connect(m_results, &QListView::activated, this, [this](const QModelIndex& i) { showResult(i.row()); });
    connect(m_results, &QListView::clicked, m_results, &QListView::activated);
    connect(m_find, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_result = -1;
        m_search->setSearchString(text.trimmed());
        m_results->setVisible(!text.trimmed().isEmpty());
    });
    connect(m_find, &QLineEdit::returnPressed, this, &HelpBrowser::nextResult);
    // The outline is there to be used: the panel opens when the document has one.
    connect(m_outline, &QAbstractItemModel::modelReset, this, [this] {
        if (m_outline->rowCount() > 0) {
            m_side->show();
            m_tree->expandToDepth(0);
            fitSidePanel();
        }
    });

    const auto key = [this](const char* name, const QList<QKeySequence>& keys, auto slot) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    key("actFirstPage", {QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_Home)}, [this] { goToPage(0); });
    key("actLastPage", {QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_End)},
        [this] { goToPage(m_document->pageCount() - 1); });
    key("actPageUp", {QKeySequence(Qt::Key_PageUp)}, [this] { scrollPage(-1); });
    key("actPageDown", {QKeySequence(Qt::Key_PageDown)}, [this] { scrollPage(1); });
    key("actZoomIn", {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { zoomBy(1.25); });
    key("actZoomOut", {QKeySequence::ZoomOut}, [this] { zoomBy(1 / 1.25); });
    key("actFitWidth", {QKeySequence(Qt::CTRL | Qt::Key_0)},
        [this] { m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    key("actFind", {QKeySequence::Find}, [this] { startSearch(); });
    key("actFindNext", {QKeySequence::FindNext}, [this] { nextResult(); });
    key("actClose", {QKeySequence(Qt::Key_Escape), QKeySequence::Close}, [this] { close(); });

    layoutViewer();
    m_view->setFocus();
}

bool HelpBrowser::navigate(const QString& pdfPath)
{
    const QFileInfo info(pdfPath);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    QString problem;
    if (!info.exists()) {
        problem = tr("The help document \"%1\" could not be found.\n\n"
                     "Reinstall the program or rebuild it to restore the help.")
                      .arg(shown);
    } else {
        const QPdfDocument::Error error = m_document->load(info.absoluteFilePath());
        if (error != QPdfDocument::Error::None)
            problem = tr("The help document \"%1\" could not be opened: it is "
                         "damaged or cannot be read.")
                          .arg(shown);
    }
    if (problem.isEmpty()) {
        m_view->setFocus();
        return true;
    }
    m_document->close();
    showMessage(this, {QMessageBox::Warning, QStringLiteral("Grossby Help"), problem});
    return false;
}

int HelpBrowser::currentPage() const
{
    return m_view->pageNavigator()->currentPage();
}

HelpBrowser::~HelpBrowser()
{
    // The document closes as the children are destroyed and resets its
    // models; by then this window must no longer react to them.
    m_outline->disconnect(this);
    m_search->disconnect(this);
    m_document->disconnect(this);
}

void HelpBrowser::goToPage(int page)
{
    const int last = m_document->pageCount() - 1;
    if (last < 0)
        return;
    m_view->pageNavigator()->jump(std::clamp(page, 0, last), QPointF());
}

void HelpBrowser::scrollPage(int direction)
{
    QScrollBar* bar = m_view->verticalScrollBar();
    bar->triggerAction(direction < 0 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd);
}

void HelpBrowser::zoomBy(double factor)
{
    // From 25 % to 400 % of the page's real size.
    const qreal now = m_view->zoomFactor();
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(std::clamp(now * factor, 0.25, 4.0));
}

void HelpBrowser::startSearch()
{
    m_side->show();
    m_find->setFocus(Qt::ShortcutFocusReason);
    m_find->selectAll();
}

void HelpBrowser::nextResult()
{
    const int count = m_search->rowCount(QModelIndex());
    if (count == 0)
        return;
    showResult((m_result + 1) % count);
}

void HelpBrowser::showResult(int row)
{
    const QModelIndex index = m_search->index(row, 0);
    if (!index.isValid())
        return;
    m_result = row;
    m_results->setCurrentIndex(m_results->model()->index(row, 0));
    goToPage(index.data(int(QPdfSearchModel::Role::Page)).toInt());
}

void HelpBrowser::fitSidePanel()
{
    // Wide enough for the longest title with its indentation, up to 45 % of
    // the window.
    m_tree->resizeColumnToContents(0);
    const int wanted = m_tree->header()->sectionSize(0) + 2 * m_tree->frameWidth() +
        m_tree->verticalScrollBar()->sizeHint().width() + 8;
    const int total = m_splitter->width() > 0 ? m_splitter->width() : 1000;
    const int side = qBound(260, wanted, total * 45 / 100);
    m_splitter->setSizes({side, qMax(0, total - side)});
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
    m_splitter->setGeometry(kViewerMargin / 2, kViewerMargin / 2, width, height);
}

}  // namespace grossby
