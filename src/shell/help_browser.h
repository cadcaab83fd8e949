#pragma once

#include <QWidget>

class QLineEdit;
class QListView;
class QPdfBookmarkModel;
class QPdfDocument;
class QPdfSearchModel;
class QPdfView;
class QSplitter;
class QTreeView;

namespace grossby {

/// The help window: shows the user guide (a PDF in the program folder) in an
/// embedded viewer that keeps 100 twips inside the window on both axes.
///
/// Beside the pages, a side panel holds a search field with its results and
/// the document's outline; both take the reader to the page chosen. The panel
/// opens by itself when the document has an outline, and with Ctrl+F.
/// Keys: Home/End (first/last page), Page Up/Down, Ctrl+plus/minus (zoom),
/// Ctrl+0 (page width), Ctrl+F (search), F3 (next result), Escape (close).
class HelpBrowser : public QWidget {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    ~HelpBrowser() override;

    /// Shows the document at `pdfPath`. A missing or unreadable document is
    /// reported by name through the message service and leaves the viewer
    /// empty. Returns whether the document loaded.
    bool navigate(const QString& pdfPath);

    QPdfView* view() const { return m_view; }
    QPdfDocument* document() const { return m_document; }
    QPdfBookmarkModel* outline() const { return m_outline; }
    QPdfSearchModel* searchModel() const { return m_search; }
    /// The side panel with the search and the outline.
    QWidget* sidePanel() const { return m_side; }

    /// The page shown, counted from 0.
    int currentPage() const;
    /// Shows `page` (from 0), clamped to the document.
    void goToPage(int page);

    /// The file name the help document has in the program folder.
    static QString documentFileName();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutViewer();
    void fitSidePanel();
    void startSearch();
    void nextResult();
    void showResult(int row);
    void zoomBy(double factor);
    void scrollPage(int direction);

    QPdfDocument* m_document = nullptr;
    QSplitter* m_splitter = nullptr;
    QWidget* m_side = nullptr;
    QLineEdit* m_find = nullptr;
    QListView* m_results = nullptr;
    QTreeView* m_tree = nullptr;
    QPdfBookmarkModel* m_outline = nullptr;
    QPdfSearchModel* m_search = nullptr;
    QPdfView* m_view = nullptr;
    int m_result = -1;
};

}  // namespace grossby
