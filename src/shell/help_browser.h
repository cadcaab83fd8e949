#pragma once

#include <QWidget>

class QPdfDocument;
class QPdfView;

namespace grossby {

/// The help window: shows the user guide (a PDF in the program folder) in an
/// embedded viewer that keeps 100 twips inside the window on both axes.
class HelpBrowser : public QWidget {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    /// Shows the document at `pdfPath`. A missing or unreadable document is
    /// reported by name through the message service and leaves the viewer
    /// empty. Returns whether the document loaded.
    bool navigate(const QString& pdfPath);

    QPdfView* view() const { return m_view; }
    QPdfDocument* document() const { return m_document; }

    /// The file name the help document has in the program folder.
    static QString documentFileName();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutViewer();

    QPdfDocument* m_document = nullptr;
    QPdfView* m_view = nullptr;
};

}  // namespace grossby
