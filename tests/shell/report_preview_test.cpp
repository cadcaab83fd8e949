// Showing and printing reports: the preview window, direct printing and its
// fallbacks when there is no printer, and the failures a user is told about.
#include "widgets/message_service.h"
#include "widgets/report_preview.h"
#include "widgets/report_runner.h"

#include "../services/report_test_util.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPdfDocument>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

namespace grossby {
namespace {

const QString kTitle = QStringLiteral("QuickTax - To export printout click on the suitcase button or goto Help");

QList<ReportPreview*> openPreviews()
{
    QList<ReportPreview*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<ReportPreview*>(w); p && p->isVisible())
            found.append(p);
    }
    return found;
}

struct ReportRunnerTest : ::testing::Test {
    testing::PrintFixture fx;
    QWidget calculator;  // the window that asks for the report
    std::vector<MessageRequest> messages;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QString chosenFile;  // what the save dialog "returns"

    void SetUp() override
    {
        fx.stage({{"kwiktax", {testing::kwikTaxRow()}}});
        setMessageHandler([this](const MessageRequest& r) {
            messages.push_back(r);
            return answer;
        });
        setSaveFileChooser([this](QWidget*, const QString&, const QString&, const QString&) { return chosenFile; });
        calculator.show();
    }
    void TearDown() override
    {
        for (ReportPreview* p : openPreviews())
            p->close();
        QApplication::processEvents();
        setMessageHandler({});
        setSaveFileChooser({});
    }
    ReportJob job(int destination, const QString& templateName = QStringLiteral("kwiktep.rpt")) const
    {
        ReportJob j;
        j.templateName = templateName;
        j.templateFolder = testing::shippedTemplates();
        j.printDatabasePath = fx.db;
        j.destination = destination;
        j.title = destination == 0 ? kTitle : QString();
        return j;
    }
    Report loaded(const QString& templatePath = testing::shippedTemplates() + QStringLiteral("/kwiktep.rpt")) const
    {
        Report r = Report::load(templatePath, fx.db);
        EXPECT_TRUE(r.ok()) << r.error().toStdString();
        return r;
    }
};

TEST_F(ReportRunnerTest, PreviewOpensModelessWithItsTitleAndExportsEveryFormat)
{
    runReport(&calculator, job(0));
    EXPECT_TRUE(messages.empty());
    const auto previews = openPreviews();
    ASSERT_EQ(previews.size(), 1);
    ReportPreview* preview = previews[0];
    EXPECT_EQ(preview->windowTitle(), kTitle);
    EXPECT_FALSE(preview->isModal());
    EXPECT_TRUE(calculator.isEnabled());
    EXPECT_EQ(preview->pageCount(), 1);
    ASSERT_NE(preview->findChild<QPrintPreviewWidget*>(QStringLiteral("previewView")), nullptr);
    auto* exportButton = preview->findChild<QToolButton*>(QStringLiteral("cmdExport"));
    ASSERT_NE(exportButton, nullptr);
    EXPECT_FALSE(exportButton->icon().isNull());

    // Every format through its menu entry, the file name as the dialog gives it.
    for (const char* suffix : {"Pdf", "Html", "Odt", "Csv", "Xlsx"}) {
        SCOPED_TRACE(suffix);
        chosenFile = fx.path(QStringLiteral("export-") + QLatin1String(suffix));  // no extension typed
        auto* action = preview->findChild<QAction*>(QStringLiteral("actExport") + QLatin1String(suffix));
        ASSERT_NE(action, nullptr);
        action->trigger();
        EXPECT_TRUE(QFileInfo::exists(chosenFile + QLatin1Char('.') + QString::fromLatin1(suffix).toLower()));
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(testing::pdfPages(fx.path(QStringLiteral("export-Pdf.pdf")))
                    .join(QString())
                    .contains(QLatin1String("115 824.40")));

    // A failed export is told and the window stays.
    EXPECT_FALSE(preview->exportReport(fx.path(QStringLiteral("missing/q.pdf"))));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("missing"))) << messages[0].text.toStdString();
    EXPECT_TRUE(preview->isVisible());
}

TEST_F(ReportRunnerTest, APictureLeftOutIsToldAndThePreviewStillOpens)
{
    fx.writeTemplate(QStringLiteral("pictured.rpt"),
                     QStringLiteral("<!-- report\ntables: kwiktax\n-->"
                                    "<p>{{kwiktax.TAXCOM4}}</p><img src=\"/dev/zero\">"));
    ReportJob j = job(0, QStringLiteral("pictured.rpt"));
    j.templateFolder = QFileInfo(fx.path(QStringLiteral("pictured.rpt"))).absolutePath();
    runReport(&calculator, j);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("/dev/zero"))) << messages[0].text.toStdString();
    EXPECT_EQ(openPreviews().size(), 1);
}

TEST_F(ReportRunnerTest, LongReportPagesThroughAndTakesANewPageLayout)
{
    fx.stage({{"Amort", testing::amortRows(600)}});
    ReportPreview* preview =
        openReportPreview(&calculator, loaded(testing::testTemplates() + QStringLiteral("/amort_test.rpt")));
    const int pages = preview->pageCount();
    ASSERT_GE(pages, 10);
    auto* page = preview->findChild<QSpinBox*>(QStringLiteral("spnPage"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->maximum(), pages);

    preview->findChild<QAction*>(QStringLiteral("cmdNextPage"))->trigger();
    EXPECT_EQ(preview->currentPage(), 2);
    preview->findChild<QAction*>(QStringLiteral("cmdLastPage"))->trigger();
    EXPECT_EQ(preview->currentPage(), pages);
    EXPECT_EQ(page->value(), pages);
    preview->findChild<QAction*>(QStringLiteral("cmdNextPage"))->trigger();
    EXPECT_EQ(preview->currentPage(), pages) << "no page beyond the last";
    page->setValue(3);
    EXPECT_EQ(preview->currentPage(), 3);

    QPageLayout landscape = preview->report().pageLayout();
    landscape.setOrientation(QPageLayout::Landscape);
    preview->applyPageLayout(landscape);
    EXPECT_GT(preview->pageCount(), pages);
    EXPECT_EQ(page->maximum(), preview->pageCount());
}

TEST_F(ReportRunnerTest, FailuresAreToldByNameAndOpenNothing)
{
    struct Case {
        const char* what;
        ReportJob job;
        const char* named;
    };
    ReportJob noDatabase = job(0);
    noDatabase.printDatabasePath = fx.path(QStringLiteral("gone.db"));
    const Case cases[] = {
        {"missing template", job(0, QStringLiteral("nope.rpt")), "\"nope.rpt\""},
        {"missing template, printer", job(1, QStringLiteral("nope.rpt")), "\"nope.rpt\""},
        {"missing database", noDatabase, "gone.db"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        runReport(&calculator, c.job);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(messages[0].text.contains(QLatin1String(c.named))) << messages[0].text.toStdString();
        EXPECT_TRUE(openPreviews().isEmpty());
        EXPECT_TRUE(calculator.isEnabled());
    }
}

TEST_F(ReportRunnerTest, WithoutAPrinterTheUserChoosesWhatHappens)
{
    struct Case {
        QMessageBox::StandardButton answer;
        QString file;
        int previews;
        bool pdf;
    };
    const Case cases[] = {
        {QMessageBox::Cancel, {}, 0, false},
        {QMessageBox::Open, {}, 1, false},
        {QMessageBox::Save, QStringLiteral("saved"), 0, true},  // ".pdf" added
        {QMessageBox::Save, {}, 0, false},  // save dialog cancelled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.answer)) + " " + c.file.toStdString());
        messages.clear();
        answer = c.answer;
        chosenFile = c.file.isEmpty() ? QString() : fx.path(c.file);
        printReportOn(&calculator, loaded(), nullptr);
        ASSERT_EQ(messages.size(), 1u);
        const MessageRequest& m = messages[0];
        EXPECT_TRUE(m.text.contains(QLatin1String("No printer is installed"))) << m.text.toStdString();
        EXPECT_EQ(m.buttons, QMessageBox::Save | QMessageBox::Open | QMessageBox::Cancel);
        const decltype(m.buttonTexts) captions{{QMessageBox::Save, QStringLiteral("Save as PDF...")},
                                               {QMessageBox::Open, QStringLiteral("Open preview")},
                                               {QMessageBox::Cancel, QStringLiteral("Cancel")}};
        EXPECT_EQ(m.buttonTexts, captions);
        EXPECT_EQ(openPreviews().size(), c.previews);
        if (c.pdf) {
            EXPECT_TRUE(testing::pdfPages(fx.path(QStringLiteral("saved.pdf")))
                            .join(QString())
                            .contains(QLatin1String("500 000.00")));
        }
        for (ReportPreview* p : openPreviews())
            p->close();
        QApplication::processEvents();
    }
}

TEST_F(ReportRunnerTest, DirectPrintGoesToThePrinterOrIsReported)
{
    // A printer that works: the pages arrive without any question.
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fx.path(QStringLiteral("printed.pdf")));
        printReportOn(&calculator, loaded(), &printer);
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(
        testing::pdfPages(fx.path(QStringLiteral("printed.pdf"))).join(QString()).contains(QLatin1String("9 652.03")));

    // A printer that will not start is reported with the same choices.
    answer = QMessageBox::Open;
    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(fx.path(QStringLiteral("no-such-folder/printed.pdf")));
    printReportOn(&calculator, loaded(), &broken);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("could not start printing"))) << messages[0].text.toStdString();
    EXPECT_EQ(openPreviews().size(), 1);
}

TEST_F(ReportRunnerTest, DestinationOneOnAMachineWithoutPrinters)
{
    if (!QPrinterInfo::availablePrinters().isEmpty() && !QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    runReport(&calculator, job(1));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("No printer is installed, so \"QuickTax\" cannot be printed")))
        << messages[0].text.toStdString();
    EXPECT_TRUE(openPreviews().isEmpty());
}

// What the preview shows a user: the zoom in percent, paging buttons only
// where there are pages to go to, and where an export went.
TEST_F(ReportRunnerTest, PreviewShowsZoomPagingAndWhereTheExportWent)
{
    ReportPreview* preview = openReportPreview(&calculator, loaded());
    ASSERT_EQ(preview->pageCount(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    auto* zoom = preview->findChild<QLabel*>(QStringLiteral("lblZoom"));
    ASSERT_NE(zoom, nullptr);
    QTRY_COMPARE(zoom->text(), QStringLiteral("%1 %").arg(preview->zoomPercent()));
    const int fitted = preview->zoomPercent();
    EXPECT_GT(fitted, 0);
    QTest::keyClick(preview, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(preview->zoomPercent(), int(std::lround(fitted * 1.25)));
    EXPECT_EQ(zoom->text(), QStringLiteral("%1 %").arg(preview->zoomPercent()));

    // One page: nowhere to go.
    for (const char* name : {"cmdFirstPage", "cmdPrevPage", "cmdNextPage", "cmdLastPage"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(preview->findChild<QAction*>(QLatin1String(name))->isEnabled());
        auto* button = preview->findChild<QToolButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isEnabled());
    }

    // The export says where it saved; the dialog starts in the documents folder.
    EXPECT_TRUE(preview->statusText().isEmpty());
    QString offered;
    setSaveFileChooser([&](QWidget*, const QString&, const QString& suggested, const QString&) {
        offered = suggested;
        return fx.path(QStringLiteral("kept"));
    });
    resetExportFolder();
    preview->exportAs(QStringLiteral("pdf"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString expectedFolder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    EXPECT_EQ(QFileInfo(offered).absolutePath(), QDir(expectedFolder).absolutePath()) << offered.toStdString();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(preview->statusText(),
              QStringLiteral("Saved as %1").arg(QDir::toNativeSeparators(fx.path(QStringLiteral("kept.pdf")))));
}

// Printer Setup's choice is what direct printing and the preview use: here a
// PDF file on A5 landscape paper stands in for the printer.
TEST_F(ReportRunnerTest, PrinterSetupChoiceIsUsedUntilTheProgramCloses)
{
    const QString target = fx.path(QStringLiteral("chosen.pdf"));
    PrinterChoice::setDialog([&](QPrinter& printer, QWidget*) {
        printer.setOutputFileName(target);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
        return true;
    });
    ASSERT_TRUE(PrinterChoice::current().choose(&calculator));
    PrinterChoice::setDialog({});
    EXPECT_TRUE(PrinterChoice::current().isSet());

    runReport(&calculator, job(1));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(openPreviews().isEmpty());
    QPdfDocument printed;
    ASSERT_EQ(printed.load(target), QPdfDocument::Error::None);
    const QSizeF page = printed.pagePointSize(0);
    EXPECT_NEAR(page.width(), 595, 2);  // A5 landscape: 210 x 148 mm
    EXPECT_NEAR(page.height(), 420, 2);

    // The preview lays the pages out for the same paper.
    runReport(&calculator, job(0));
    ASSERT_EQ(openPreviews().size(), 1);
    EXPECT_EQ(openPreviews()[0]->report().pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(openPreviews()[0]->report().pageLayout().orientation(), QPageLayout::Landscape);

    // Cancelling the dialog keeps the choice.
    PrinterChoice::setDialog([](QPrinter&, QWidget*) { return false; });
    EXPECT_FALSE(PrinterChoice::current().choose(&calculator));
    PrinterChoice::setDialog({});
    EXPECT_EQ(PrinterChoice::current().outputFileName(), target);
    PrinterChoice::current().clear();
}

}  // namespace
}  // namespace grossby
