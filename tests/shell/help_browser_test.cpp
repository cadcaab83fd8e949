// The help window: the user guide in an embedded viewer, its size rule and
// what happens when the document is missing.

#include "app/registration.h"
#include "core/module1.h"
#include "shell/help_browser.h"
#include "shell/main_window.h"
#include "widgets/message_service.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace grossby {
namespace {

class HelpBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageHandler([this](const MessageRequest& request) {
            messages.append(request);
            return QMessageBox::Ok;
        });
        window.setProgramFolder(folder.path());
        window.show();
    }
    void TearDown() override { setMessageHandler({}); }

    QString helpPath() const { return QDir(folder.path()).filePath("Grossby2018Help.pdf"); }

    void writeHelp(int pages)
    {
        QPdfWriter writer(helpPath());
        QPainter painter(&writer);
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.drawText(100, 100, QStringLiteral("Help page %1").arg(i + 1));
        }
    }

    void openHelp() { window.findChild<QAction*>("mnuContents")->trigger(); }

    QTemporaryDir folder;
    Module1 state;
    MainWindow window{state, programCalculators()};
    QList<MessageRequest> messages;
};

TEST_F(HelpBrowserTest, ShowsTheGuideFromTheProgramFolderInOneWindow)
{
    writeHelp(3);
    openHelp();
    HelpBrowser* help = window.helpBrowser();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->objectName(), "frmHelpBrowser");
    EXPECT_EQ(help->windowTitle(), "Grossby Help");
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->view()->objectName(), "brwWebBrowser");
    EXPECT_EQ(help->document()->status(), QPdfDocument::Status::Ready);
    EXPECT_EQ(help->document()->pageCount(), 3);
    EXPECT_TRUE(messages.isEmpty());

    // Asked for again, the same window comes forward; it is not loaded anew.
    QFile::remove(helpPath());
    help->showMinimized();
    openHelp();
    EXPECT_EQ(window.helpBrowser(), help);
    EXPECT_FALSE(help->isMinimized());
    EXPECT_EQ(help->document()->pageCount(), 3);
    EXPECT_TRUE(messages.isEmpty());

    // Closed, it is made afresh next time.
    help->close();
    writeHelp(1);
    openHelp();
    ASSERT_NE(window.helpBrowser(), nullptr);
    EXPECT_TRUE(window.helpBrowser()->isVisible());
    EXPECT_EQ(window.helpBrowser()->document()->pageCount(), 1);
}

TEST_F(HelpBrowserTest, ViewerKeepsHundredTwipsInsideTheWindowAndNeverGoesNegative)
{
    writeHelp(1);
    openHelp();
    HelpBrowser* help = window.helpBrowser();
    const int margin = 7;  // 100 twips at 15 twips a pixel, rounded
    const QSize sizes[] = {{820, 760}, {400, 300}, {8, 8}, {5, 3}, {0, 0}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(size.width());
        help->resize(size);
        const QSize inner = help->size();  // the platform may refuse a tiny size
        EXPECT_EQ(help->view()->width(), qMax(0, inner.width() - margin));
        EXPECT_EQ(help->view()->height(), qMax(0, inner.height() - margin));
        EXPECT_GE(help->view()->width(), 0);
        EXPECT_GE(help->view()->height(), 0);
    }
}

TEST_F(HelpBrowserTest, MissingOrDamagedGuideIsReportedByName)
{
    openHelp();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(helpPath()))) << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains("could not be found"));
    ASSERT_NE(window.helpBrowser(), nullptr);
    EXPECT_TRUE(window.helpBrowser()->isVisible());
    window.helpBrowser()->close();

    QFile junk(helpPath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a PDF document");
    junk.close();
    openHelp();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].text.contains(QDir::toNativeSeparators(helpPath())));
    EXPECT_TRUE(messages[1].text.contains("damaged"));
}

// The guide as built: its outline fills the side panel and takes the reader
// to a chapter; the keys a reader expects move, search, zoom and close.
TEST_F(HelpBrowserTest, OutlineSearchAndKeysNavigateTheGuide)
{
    const QString built = QDir(QCoreApplication::applicationDirPath()).filePath("Grossby2018Help.pdf");
    if (!QFileInfo::exists(built))
        GTEST_SKIP() << "the help document is made by the grossby_help target";
    ASSERT_TRUE(QFile::copy(built, helpPath()));
    openHelp();
    HelpBrowser* help = window.helpBrowser();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    const int pages = help->document()->pageCount();
    ASSERT_GT(pages, 10);

    // The outline: one entry per chapter after the contents, shown at once.
    QPdfBookmarkModel* outline = help->outline();
    QTRY_VERIFY(outline->rowCount() > 5);
    EXPECT_TRUE(help->sidePanel()->isVisible());
    QStringList chapters;
    for (int i = 0; i < outline->rowCount(); ++i)
        chapters << outline->index(i, 0).data(int(QPdfBookmarkModel::Role::Title)).toString();
    EXPECT_EQ(chapters.value(0), "Contents");
    const int quickTax = int(chapters.indexOf("QuickTax"));
    ASSERT_GE(quickTax, 0) << chapters.join(" | ").toStdString();
    const int quickTaxPage = outline->index(quickTax, 0).data(int(QPdfBookmarkModel::Role::Page)).toInt();
    EXPECT_GT(quickTaxPage, 1);
    auto* tree = help->findChild<QTreeView*>("treContents");
    // No title is cut short: the panel is wide enough for the longest.
    QTRY_VERIFY(tree->viewport()->width() > 0);
    tree->resizeColumnToContents(0);
    EXPECT_LE(tree->header()->sectionSize(0), tree->viewport()->width());
    EXPECT_EQ(tree->textElideMode(), Qt::ElideNone);
    tree->setFocus();
    tree->setCurrentIndex(tree->model()->index(quickTax, 0));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(help->currentPage(), quickTaxPage);

    // End, Home and the page keys from the pages themselves.
    help->view()->setFocus();
    QTest::keyClick(help->view(), Qt::Key_End);
    EXPECT_EQ(help->currentPage(), pages - 1);
    QTest::keyClick(help->view(), Qt::Key_Home);
    EXPECT_EQ(help->currentPage(), 0);
    const int before = help->view()->verticalScrollBar()->value();
    QTest::keyClick(help->view(), Qt::Key_PageDown);
    EXPECT_GT(help->view()->verticalScrollBar()->value(), before);
    QTest::keyClick(help->view(), Qt::Key_PageUp);
    EXPECT_EQ(help->view()->verticalScrollBar()->value(), before);

    // Zoom in and out.
    const qreal zoom = help->view()->zoomFactor();
    QTest::keyClick(help->view(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(help->view()->zoomFactor(), zoom);
    QTest::keyClick(help->view(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(help->view(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(help->view()->zoomFactor(), zoom);

    // Ctrl+F, a word, Enter: the page of the first place found.
    QTest::keyClick(help->view(), Qt::Key_F, Qt::ControlModifier);
    auto* find = help->findChild<QLineEdit*>("txtFind");
    ASSERT_TRUE(find->hasFocus());
    QTest::keyClicks(find, "Initialise");
    QTRY_VERIFY(help->searchModel()->rowCount({}) > 0);
    // Each place found reads as plain text around the word, in bold.
    auto* found = help->findChild<QListView*>("lstFound");
    for (int row = 0; row < found->model()->rowCount(); ++row) {
        const QString text = found->model()->index(row, 0).data().toString();
        EXPECT_TRUE(text.contains("<b>Initialise</b>")) << text.toStdString();
        EXPECT_FALSE(text.contains(QChar(0x23CE)) || text.contains(QChar(0x21B5))) << text.toStdString();
    }
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(help->currentPage(), help->searchModel()->index(0, 0).data(int(QPdfSearchModel::Role::Page)).toInt());

    // Escape closes the window.
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

}  // namespace
}  // namespace grossby
