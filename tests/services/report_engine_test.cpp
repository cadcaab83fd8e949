#include "services/print_schema.h"
#include "services/report_engine.h"
#include "services/report_format.h"

#include "report_test_util.h"
#include "sqlite_test_util.h"

#include <QDir>
#include <QFileInfo>
#include <QHashSeed>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <sys/stat.h>

namespace grossby {
namespace {

using testing::PrintFixture;

// ---------------------------------------------------------------- formats

TEST(ReportFormat, ValuesAreFormattedByType)
{
    struct Case {
        QVariant value;
        const char* shown;
        const char* raw;
        const char* date;
        bool set;
    };
    const Case cases[] = {
        {0.0, "0.00", "0", "30/12/1899", false},
        {500000.0, "500 000.00", "500000", "", true},
        {1234567.891, "1 234 567.89", "1234567.891", "", true},
        {999.0, "999.00", "999", "", true},
        {1000.0, "1 000.00", "1000", "", true},
        {-1234.5, "-1 234.50", "-1234.5", "", true},
        {-0.001, "0.00", "-0.001", "", true},  // never "-0.00"
        {115824.4 / 12, "9 652.03", "9652.033333333333", "", true},
        {42795.0, "42 795.00", "42795", "01/03/2017", true},
        {QVariant(qlonglong(40)), "40", "40", "", true},
        {QVariant(-3), "-3", "-3", "", true},
        {QVariant(QStringLiteral("01/03/2017")), "01/03/2017", "01/03/2017", "01/03/2017", true},
        {QVariant(QString()), "", "", "", false},
        {QVariant(QMetaType(QMetaType::Double)), "", "", "", false},  // NULL
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        EXPECT_EQ(formatReportValue(c.value).toStdString(), c.shown);
        EXPECT_EQ(rawReportValue(c.value).toStdString(), c.raw);
        if (*c.date) {
            EXPECT_EQ(dateReportValue(c.value).toStdString(), c.date);
        }
        EXPECT_EQ(reportValueIsSet(c.value), c.set);
    }
    // Whole units (kilometres): decimals only where the figure has them.
    const std::pair<QVariant, const char*> whole[] = {
        {23000.0, "23 000"}, {12345.6, "12 345.60"}, {-1234.0, "-1 234"},
        {-0.0, "0"},         {QVariant(40), "40"},   {QVariant(QString()), ""},
    };
    for (const auto& [value, shown] : whole)
        EXPECT_EQ(wholeReportValue(value).toStdString(), shown) << value.toString().toStdString();
    // Rates: the decimals they are worked with, at least two.
    const std::pair<QVariant, const char*> exact[] = {
        {310.89, "310.89"},   {155.0191, "155.0191"}, {300.0, "300.00"},
        {1234.5, "1 234.50"}, {0.1 + 0.2, "0.30"},    {QVariant(7), "7"},
    };
    for (const auto& [value, shown] : exact)
        EXPECT_EQ(exactReportValue(value).toStdString(), shown) << value.toString().toStdString();
}

// ---------------------------------------------------------------- rendering

/// Renders `report` to a PDF in the fixture folder and returns its pages.
QStringList renderPages(const Report& report, const PrintFixture& fx, const QString& name = QStringLiteral("out.pdf"))
{
    const auto status = report.writePdf(fx.path(name));
    EXPECT_TRUE(status.ok()) << status.error.toStdString();
    return testing::pdfPages(fx.path(name));
}

TEST(ReportEngine, QuickTaxSheetShowsEveryFigureFormatted)
{
    PrintFixture fx;
    fx.stage({{"kwiktax", {testing::kwikTaxRow()}}});
    const Report report =
        Report::load(testing::shippedTemplates() + QStringLiteral("/kwiktep.rpt"), fx.db,
                     QStringLiteral("QuickTax - To export printout click on the suitcase button or goto Help"));
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.displayName(), QStringLiteral("QuickTax"));

    const QStringList pages = renderPages(report, fx);
    ASSERT_EQ(pages.size(), 1);
    const QString& page = pages[0];
    for (const char* expected :
         {"QuickTax", "Taxable Income", "500 000.00", "Tax on taxable income", "97 225.00", "+ Portion @ M/Rate (36%)",
          "32 234.40", "Total tax", "129 459.40", "Less rebates", "13 635.00", "Tax commitment", "115 824.40",
          "9 652.03", "Average rate before rebates", "25.89 %", "Average rate after rebates", "23.16 %", "Page 1 of 1"})
        EXPECT_TRUE(page.contains(QLatin1String(expected))) << expected << "\n" << page.toStdString();
    static const QRegularExpression age(QStringLiteral("Age\\s+40\\b"));
    EXPECT_TRUE(page.contains(age)) << page.toStdString();
}

TEST(ReportEngine, StagedTextIsShownAsTypedNotAsMarkup)
{
    PrintFixture fx;
    testing::sqlite(fx.db,
                    {QStringLiteral("CREATE TABLE People (Name TEXT, Note TEXT)"),
                     QStringLiteral("INSERT INTO People VALUES ('<b>Smith & \"Sons\"</b>', 'it''s <i>fine</i>')")});
    const QString tpl =
        fx.writeTemplate(QStringLiteral("people.rpt"),
                         QStringLiteral("<!-- report\ntables: People\n-->\n"
                                        "<p>Name: {{People.Name}}</p>{{#People}}<p>Note: {{Note}}</p>{{/People}}"));
    const Report report = Report::load(tpl, fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_TRUE(report.html().contains(QLatin1String("&lt;b&gt;Smith &amp; &quot;Sons&quot;&lt;/b&gt;")));
    const QString text = renderPages(report, fx).join(QString());
    EXPECT_TRUE(text.contains(QLatin1String("Name: <b>Smith & \"Sons\"</b>"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("Note: it's <i>fine</i>"))) << text.toStdString();
}

TEST(ReportEngine, AccessorsGiveRawDateAndConditions)
{
    PrintFixture fx;
    testing::sqlite(fx.db,
                    {QStringLiteral("CREATE TABLE Bal (Amount REAL, Day REAL, Label TEXT, Empty TEXT)"),
                     QStringLiteral("INSERT INTO Bal VALUES (1234.5, 42795, 'x', '')")});
    const QString tpl =
        fx.writeTemplate(QStringLiteral("acc.rpt"),
                         QStringLiteral("<!-- report\ntables: Bal\nfooter:\n-->\n"
                                        "{{#Bal}}[{{Amount}}|{{raw.Amount}}|{{date.Day}}|{{#if.Label}}L{{/if.Label}}"
                                        "{{^if.Empty}}E{{/if.Empty}}]{{/Bal}}[{{Bal.raw.Day}}]"));
    const Report report = Report::load(tpl, fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_TRUE(report.html().contains(QLatin1String("[1 234.50|1234.5|01/03/2017|LE][42795]")))
        << report.html().toStdString();
}

TEST(ReportEngine, LongScheduleRepeatsItsHeaderAndNumbersEveryPage)
{
    PrintFixture fx;
    fx.stage({{"Loans",
               {{{"Heading", std::string("Monthly repayment")}, {"Num1", 750000.0}, {"Num2", 600.0}, {"Num3", 10.5}}}},
              {"Amort", testing::amortRows(600)}});
    const Report report = Report::load(testing::testTemplates() + QStringLiteral("/amort_test.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();

    const QStringList pages = renderPages(report, fx);
    const int n = static_cast<int>(pages.size());
    ASSERT_EQ(n, report.pageCount());
    ASSERT_GE(n, 10);
    EXPECT_TRUE(pages[0].contains(QLatin1String("Loan schedule: Monthly repayment")));
    EXPECT_TRUE(pages[0].contains(QLatin1String("Principal R 750 000.00 over 600 months at 10.50 %")));

    // Every month appears once, in order, and each page starts with the header.
    static const QRegularExpression rowLine(
        QStringLiteral("^\\s*(\\d+)\\s+([\\d ]+\\.\\d\\d)\\s+([\\d ]+\\.\\d\\d)\\s+([\\d ]+\\.\\d\\d)\\s*$"),
        QRegularExpression::MultilineOption);
    int expectedMonth = 1;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        const QString& page = pages[i];
        EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(n)));
        const qsizetype header = page.indexOf(QLatin1String("Capital payment"));
        ASSERT_GE(header, 0);
        auto it = rowLine.globalMatch(page);
        bool first = true;
        while (it.hasNext()) {
            const auto m = it.next();
            if (first) {
                EXPECT_LT(header, m.capturedStart()) << "the header row comes before the first row";
            }
            first = false;
            const int month = m.captured(1).toInt();
            ASSERT_EQ(month, expectedMonth);
            EXPECT_EQ(m.captured(2).toStdString(), formatReportAmount(1000.0 + month).toStdString());
            ++expectedMonth;
        }
    }
    EXPECT_EQ(expectedMonth, 601);
}

// Pages that start with a page break of their own after a table are laid
// out apart (each vehicle of the company car register), on several threads:
// they come out as the same pages as one document would give, pictures
// included, in portrait and after Page setup, and a picture left out is
// noted once.
TEST(ReportEngine, PagesLaidOutApartMatchOneDocument)
{
    PrintFixture fx;
    fx.stage({{"Amort", testing::amortRows(40)}});
    QImage picture(30, 12, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    ASSERT_TRUE(picture.save(fx.path(QStringLiteral("logo.png"))));
    const QString body = QStringLiteral(
        "<html><head><style>td { padding: 3px }</style></head><body>%1<h1>Schedule</h1>"
        "<table border=\"1\" cellspacing=\"0\"><thead><tr><th>Month</th><th>Capital</th></tr></thead>"
        "{{#Amort}}<tr><td>{{Year}}</td><td>{{Capital}}</td></tr>{{/Amort}}{{#Amort}}{{/Amort}}</table>"
        "{{#Amort}}<p style=\"page-break-before: always\">Month {{Year}} <img src=\"logo.png\"> "
        "<img src=\"missing.png\"></p>"
        "<table border=\"1\" width=\"50%\"><tr><td>{{Capital}}</td><td>{{Interest}}</td></tr></table>{{/Amort}}"
        "</body></html>");
    const QString head = QStringLiteral("<!-- report\ntables: Amort\n-->\n");
    fx.writeTemplate(QStringLiteral("apart.rpt"), head + body.arg(QString()));
    // A style sheet inside the body keeps the page in one document.
    fx.writeTemplate(QStringLiteral("whole.rpt"), head + body.arg(QStringLiteral("<style></style>")));
    Report apart = Report::load(fx.path(QStringLiteral("apart.rpt")), fx.db);
    Report whole = Report::load(fx.path(QStringLiteral("whole.rpt")), fx.db);
    ASSERT_TRUE(apart.ok()) << apart.error().toStdString();
    ASSERT_TRUE(whole.ok()) << whole.error().toStdString();
    ASSERT_EQ(apart.warnings().size(), 1) << apart.warnings().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(apart.warnings().front().contains(QLatin1String("missing.png")));
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        SCOPED_TRACE(orientation == QPageLayout::Portrait ? "portrait" : "landscape");
        QPageLayout layout = whole.pageLayout();
        layout.setOrientation(orientation);
        apart.setPageLayout(layout);
        whole.setPageLayout(layout);
        ASSERT_EQ(apart.pageCount(), whole.pageCount());
        EXPECT_EQ(apart.pageCount(), 42) << "the schedule on two pages, then a page for each month";
        for (int i = 0; i < whole.pageCount(); ++i) {
            const QImage a = apart.pageImage(i, 40);
            const QImage b = whole.pageImage(i, 40);
            ASSERT_EQ(a.size(), b.size());
            // The edges of rules and shading may fall on the next row of
            // pixels: the text layout draws a table from a whole layout unit
            // (1/1200 inch) counted from the top of its own run rather than
            // of the whole report. Text and pictures stay where they were.
            qsizetype differ = 0;
            int shown = 0;
            int shownThere = 0;
            for (int y = 0; y < a.height(); ++y) {
                for (int x = 0; x < a.width(); ++x) {
                    differ += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
                    shown += a.pixel(x, y) == QColor(Qt::darkBlue).rgb() ? 1 : 0;
                    shownThere += b.pixel(x, y) == QColor(Qt::darkBlue).rgb() ? 1 : 0;
                }
            }
            EXPECT_LT(differ, a.width() * 2) << "page " << i + 1;
            EXPECT_EQ(shown, shownThere) << "page " << i + 1;
            if (i >= 2) {
                EXPECT_GT(shown, 10) << "page " << i + 1 << " shows the picture";
            }
        }
    }
    // The ODF text is the whole page as one document.
    ASSERT_TRUE(apart.exportTo(fx.path(QStringLiteral("apart.odt"))).ok());
    EXPECT_TRUE(testing::zipEntry(fx.path(QStringLiteral("apart.odt")), QStringLiteral("content.xml"))
                    .contains(QLatin1String("Month 40")));
}

TEST(ReportEngine, EmptyScheduleShowsItsInvertedSection)
{
    PrintFixture fx;
    fx.stage({{"Amort", {}}});
    const Report report = Report::load(testing::testTemplates() + QStringLiteral("/amort_test.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_TRUE(report.html().contains(QLatin1String("No schedule was staged.")));
    EXPECT_EQ(report.displayName(), QStringLiteral("amort_test")) << "no title, no <title>: the template's name";
}

TEST(ReportEngine, PageSetupLaysThePagesOutAgain)
{
    PrintFixture fx;
    fx.stage({{"Amort", testing::amortRows(600)}});
    Report report = Report::load(testing::testTemplates() + QStringLiteral("/amort_test.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    const int portrait = report.pageCount();
    QPageLayout landscape = report.pageLayout();
    landscape.setOrientation(QPageLayout::Landscape);
    report.setPageLayout(landscape);
    EXPECT_GT(report.pageCount(), portrait);

    const QStringList pages = renderPages(report, fx);
    ASSERT_EQ(pages.size(), report.pageCount());
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Page %1 of %1").arg(report.pageCount())));
    // The sheet itself is landscape: wider than tall.
    const QImage sheet = report.pageImage(0, 20);
    EXPECT_GT(sheet.width(), sheet.height());
}

// ---------------------------------------------------------------- failures

TEST(ReportEngine, FailuresNameTheFileTableOrPlaceholder)
{
    struct Case {
        const char* what;
        const char* templateText;  ///< nullptr: no template file at all
        const char* setup;  ///< "garbage", "nodb" or SQL run on the fixture database
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"missing template", nullptr, "", {"report template \"t.rpt\" was not found"}},
        {"missing database",
         "<!-- report\ntables: kwiktax\n-->{{kwiktax.AGE}}",
         "nodb",
         {"print database", "none.db", "not found"}},
        {"damaged database",
         "<!-- report\ntables: kwiktax\n-->{{kwiktax.AGE}}",
         "garbage",
         {"print database", "could not be"}},
        {"missing table", "<!-- report\ntables: Nothing\n-->x", "", {"has no table Nothing", "\"t.rpt\""}},
        {"misspelt column",
         "<!-- report\ntables: kwiktax\n-->\n\n{{kwiktax.TAXINCOM}}",
         "",
         {"\"t.rpt\", line 5", "{{kwiktax.TAXINCOM}}", "not a column of the table kwiktax"}},
        {"column in wrong case",
         "<!-- report\ntables: kwiktax\n-->{{#kwiktax}}{{taxincome}}{{/kwiktax}}",
         "",
         {"{{taxincome}}", "did you mean TAXINCOME?"}},
        {"column outside any section",
         "<!-- report\ntables: kwiktax\n-->{{TAXINCOME}}",
         "",
         {"{{TAXINCOME}}", "\"tables:\""}},
        {"undeclared table", "<!-- report\ntables: kwiktax\n-->{{Amort.Capital}}", "", {"{{Amort.Capital}}"}},
        {"table used as a value", "<!-- report\ntables: Amort\n-->{{Amort}}", "", {"{{Amort}}", "{{#Amort}}"}},
        {"unknown setting",
         "<!-- report\ntables: kwiktax\npaper: A4\n-->",
         "",
         {"line 3", "unknown setting \"paper\""}},
        {"bad page size", "<!-- report\npage: B9\n-->", "", {"unknown page size \"B9\""}},
        {"unclosed section", "<!-- report\ntables: Amort\n-->{{#Amort}}{{Year}}", "", {"\"t.rpt\"", "Amort"}},
        {"bad footer placeholder",
         "<!-- report\ntables: kwiktax\nfooter: {{page}} {{kwiktax.NOPE}}\n-->",
         "",
         {"(footer)", "{{kwiktax.NOPE}}"}},
        {"single-row table without its row",
         "<!-- report\ntables: kwiktax\n-->{{kwiktax.AGE}}",
         "DELETE FROM kwiktax",
         {"kwiktax", "holds no row"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrintFixture fx;
        QString db = fx.db;
        if (QLatin1String(c.setup) == QLatin1String("garbage")) {
            db = fx.path(QStringLiteral("bad.db"));
            testing::writeBytes(db, testing::garbage());
        } else if (QLatin1String(c.setup) == QLatin1String("nodb")) {
            db = fx.path(QStringLiteral("none.db"));
        } else if (*c.setup) {
            testing::sqlite(db, QString::fromLatin1(c.setup));
        }
        if (c.templateText)
            fx.writeTemplate(QStringLiteral("t.rpt"), QString::fromLatin1(c.templateText));
        const Report report = Report::load(fx.path(QStringLiteral("t.rpt")), db);
        ASSERT_FALSE(report.ok());
        EXPECT_EQ(report.pageCount(), 0);
        for (const char* part : c.expected)
            EXPECT_TRUE(report.error().contains(QLatin1String(part))) << report.error().toStdString();
        EXPECT_FALSE(QFileInfo::exists(fx.path(QStringLiteral("none.db")))) << "a missing database is never created";
    }
}

TEST(ReportEngine, HostileOrDamagedTemplatesAreRefusedBeforeRendering)
{
    PrintFixture fx;
    fx.stage({{"Amort", testing::amortRows(600)}});
    QString deep = QStringLiteral("<!-- report\ntables: Amort\n-->");
    for (int i = 0; i < 20000; ++i)
        deep += QStringLiteral("{{#Amort}}");
    for (int i = 0; i < 20000; ++i)
        deep += QStringLiteral("{{/Amort}}");
    const QString fourDeep = QStringLiteral("<!-- report\ntables: Amort\n-->{{#Amort}}{{#Amort}}{{#Amort}}"
                                            "<p>{{Year}} {{Capital}} {{Interest}} {{Required}}</p>"
                                            "{{/Amort}}{{/Amort}}{{/Amort}}");
    // As deep as allowed: an estimate far beyond any count is given saturated.
    QString sixteenDeep = QStringLiteral("<!-- report\ntables: Amort\n-->");
    for (int i = 0; i < 16; ++i)
        sixteenDeep += QStringLiteral("{{#Amort}}");
    sixteenDeep += QStringLiteral("{{Year}}");
    for (int i = 0; i < 16; ++i)
        sixteenDeep += QStringLiteral("{{/Amort}}");
    struct Case {
        const char* what;
        QString text;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"nested 20 000 deep", deep, {"\"t.rpt\"", "nested more than 16 deep"}},
        {"nested 16 deep", sixteenDeep, {"\"t.rpt\"", "about 1000000000000 million characters"}},
        {"rows repeated cubed", fourDeep, {"\"t.rpt\"", "million characters"}},
        {"too large", QString(2 * 1024 * 1024, QLatin1Char('x')), {"t.rpt\"", "too large", "at most 1 MB"}},
        {"empty", QString(), {"\"t.rpt\"", "is empty"}},
        {"settings only", QStringLiteral("<!-- report\npage: A4\n-->\n  \n"), {"\"t.rpt\"", "nothing to print"}},
        {"margins nan", QStringLiteral("<!-- report\nmargins: nan\n-->x"), {"line 2", "\"nan\""}},
        {"margins inf", QStringLiteral("<!-- report\nmargins: 10 inf\n-->x"), {"line 2", "\"10 inf\""}},
        {"unclosed placeholder",
         QStringLiteral("<!-- report\n-->\n<p>a</p>\n<p>{{title</p>\n<table><tr><td>x</td></tr></table>"),
         {"line 4", "\"{{title</p>\"", "\"}}\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fx.writeTemplate(QStringLiteral("t.rpt"), c.text);
        const Report report = Report::load(fx.path(QStringLiteral("t.rpt")), fx.db);
        ASSERT_FALSE(report.ok());
        for (const char* part : c.expected)
            EXPECT_TRUE(report.error().contains(QLatin1String(part))) << report.error().toStdString();
    }
}

TEST(ReportEngine, TemplatesThatAreNotFilesAreNamedForWhatTheyAre)
{
    PrintFixture fx;
    QDir(fx.dir.path()).mkdir(QStringLiteral("folder.rpt"));
    const QString fifo = fx.path(QStringLiteral("pipe.rpt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), fx.path(QStringLiteral("device.rpt"))));
    const std::pair<const char*, const char*> cases[] = {
        {"folder.rpt", "it is a folder"},
        {"pipe.rpt", "named pipe (FIFO)"},
        {"device.rpt", "it is a device"},
    };
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file);
        const Report report = Report::load(fx.path(QLatin1String(file)), fx.db);
        EXPECT_TRUE(report.error().contains(QLatin1String(reason))) << report.error().toStdString();
        EXPECT_TRUE(report.error().contains(QLatin1String(file)));
        EXPECT_FALSE(report.error().contains(QLatin1String("Unknown error")));
    }
}

TEST(ReportEngine, PicturesComeOnlyFromRegularFilesBesideTheTemplate)
{
    PrintFixture fx;
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(fx.path(QStringLiteral("logo.png"))));
    QTemporaryDir elsewhere;
    ASSERT_TRUE(picture.save(elsewhere.filePath(QStringLiteral("outside.png"))));
    const QString fifo = fx.path(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    testing::writeBytes(fx.path(QStringLiteral("fake.png")), "not a picture");
    fx.writeTemplate(QStringLiteral("t.rpt"),
                     QStringLiteral("<p>x</p><img src=\"logo.png\"><img src=\"/dev/zero\"><img src=\"pipe.png\">"
                                    "<img src=\"fake.png\"><img src=\"%1\"><img src=\"missing.png\">")
                         .arg(elsewhere.filePath(QStringLiteral("outside.png"))));
    const Report report = Report::load(fx.path(QStringLiteral("t.rpt")), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(report.pageCount(), 1);
    const QString notes = report.warnings().join(QLatin1Char('\n'));
    for (const char* left : {"/dev/zero", "pipe.png", "fake.png", "outside.png", "missing.png"})
        EXPECT_TRUE(notes.contains(QLatin1String(left))) << left << ": " << notes.toStdString();
    EXPECT_FALSE(notes.contains(QLatin1String("logo.png"))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QLatin1String("\"t.rpt\"")));
    // Every format writes the report without the refused pictures; none goes
    // and reads them itself (the ODF writer would read /dev/zero for ever).
    for (const char* format : {"pdf", "html", "odt", "csv", "xlsx"})
        EXPECT_TRUE(report.exportTo(fx.path(QStringLiteral("t.") + QLatin1String(format))).ok()) << format;
}

TEST(ReportEngine, ReportTooLongToLayOutFailsWithoutWritingAFile)
{
    // 40 000 tall paragraphs run past the height the text layout can hold
    // (about 2 700 pages of A4).
    PrintFixture fx;
    QString text = QStringLiteral("<!-- report\n--><style>p { font-size: 72pt }</style>");
    for (int i = 0; i < 40000; ++i)
        text += QStringLiteral("<p>1</p>");
    fx.writeTemplate(QStringLiteral("long.rpt"), text);
    const Report report = Report::load(fx.path(QStringLiteral("long.rpt")), fx.db);
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.error().contains(QLatin1String("too long to lay out"))) << report.error().toStdString();
    EXPECT_FALSE(report.exportTo(fx.path(QStringLiteral("long.pdf"))).ok());
    EXPECT_FALSE(QFileInfo::exists(fx.path(QStringLiteral("long.pdf"))));
}

// Reports that would take minutes to lay out, or would print something else
// than the report, are refused with a message before they are laid out; the
// same staged rows still export as figures or as the filled-in page.
TEST(ReportEngine, ReportsThatCannotBeLaidOutAreRefusedBeforeLayout)
{
    PrintFixture fx;
    fx.stage({{"Amort", testing::amortRows(4000)}});
    const QString head = QStringLiteral("<!-- report\ntables: Amort\n-->\n");
    QString oneParagraph = head + QStringLiteral("<p>");
    for (int i = 0; i < 200; ++i)
        oneParagraph += QStringLiteral("{{#Amort}}{{Capital}} {{/Amort}}");
    oneParagraph += QStringLiteral("</p>");
    struct Case {
        const char* what;
        QString text;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"a page per row, written in the section",
         head + QStringLiteral("{{#Amort}}<p style=\"page-break-before: always\">{{Year}}</p>{{/Amort}}"),
         {"\"t.rpt\"", "too long to lay out", "at least 4000"}},
        {"a page per row, from a style sheet",
         head +
             QStringLiteral("<style>p.row { page-break-after: always }</style>"
                            "{{#Amort}}<p class=\"row\">{{Year}}</p>{{/Amort}}"),
         {"\"t.rpt\"", "too long to lay out", "at least 4000"}},
        {"a schedule repeated inside one paragraph", oneParagraph, {"\"t.rpt\"", "paragraph of", "100000"}},
        {"a footer taller than the page",
         QStringLiteral("<!-- report\ntables: Amort\nfooter: <p style=\"font-size: 200pt\">Page<br>{{page}}<br>of<br>"
                        "{{pages}}</p>\n-->\n{{#Amort}}<p>{{Year}}</p>{{/Amort}}"),
         {"\"t.rpt\"", "footer", "mm tall"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fx.writeTemplate(QStringLiteral("t.rpt"), c.text);
        const Report report = Report::load(fx.path(QStringLiteral("t.rpt")), fx.db);
        ASSERT_FALSE(report.ok());
        for (const char* part : c.expected)
            EXPECT_TRUE(report.error().contains(QLatin1String(part))) << report.error().toStdString();
        EXPECT_FALSE(report.exportTo(fx.path(QStringLiteral("t.pdf"))).ok());
        EXPECT_FALSE(QFileInfo::exists(fx.path(QStringLiteral("t.pdf"))));
        // Made to be printed once, it is refused in the same words, by the
        // PDF when only the pages laid out show it.
        const Report once = Report::load(fx.path(QStringLiteral("t.rpt")), fx.db, {}, Report::Content::Print);
        const ReportStatus printed =
            once.ok() ? once.exportTo(fx.path(QStringLiteral("t.pdf"))) : ReportStatus{once.error()};
        EXPECT_EQ(printed.error, report.error());
        EXPECT_FALSE(QFileInfo::exists(fx.path(QStringLiteral("t.pdf"))));

        // The figures never need the pages.
        const QString csv = fx.path(QStringLiteral("t.csv"));
        const Report figures = Report::load(fx.path(QStringLiteral("t.rpt")), fx.db, {}, Report::contentFor(csv));
        ASSERT_TRUE(figures.ok()) << figures.error().toStdString();
        EXPECT_EQ(figures.pageCount(), 0);
        ASSERT_TRUE(figures.exportTo(csv).ok());
        QFile written(csv);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll().count('\n'), 4001);
    }
    // The filled-in page is written as it stands, without laying it out.
    fx.writeTemplate(QStringLiteral("t.rpt"), oneParagraph);
    const QString html = fx.path(QStringLiteral("t.html"));
    const Report page = Report::load(fx.path(QStringLiteral("t.rpt")), fx.db, {}, Report::contentFor(html));
    ASSERT_TRUE(page.ok()) << page.error().toStdString();
    ASSERT_TRUE(page.exportTo(html).ok());
    EXPECT_GT(QFileInfo(html).size(), 100000);
}

TEST(ReportEngine, PagesPaintedAsTheyAreLaidOutMatchThoseLaidOutFirst)
{
    // The PDF writer keeps its fonts in a hash: one seed writes them in one
    // order.
    QHashSeed::setDeterministicGlobalSeed();
    PrintFixture fx;
    fx.stage({{"Amort", testing::amortRows(60)}});
    const QString head = QStringLiteral(
        "<!-- report\ntables: Amort\nfooter: Page {{page}} of {{pages}}\n-->\n<html><head><title>Loan</title>"
        "</head><body><h1>Loan</h1><table border=\"1\"><tr><td>Rate</td></tr></table>");
    const QString months =
        QStringLiteral("{{#Amort}}<p style=\"page-break-before: always\">Month {{Year}}</p>"
                       "<table border=\"1\"><tr><td>{{Capital}}</td><td>{{Interest}}</td></tr></table>{{/Amort}}");
    const QString schedule =
        QStringLiteral("<p style=\"page-break-before: always\">Schedule</p><table border=\"1\">"
                       "{{#Amort}}<tr><td>{{Year}}</td><td>{{Capital}}</td></tr>{{/Amort}}</table>");
    const struct {
        const char* what;
        QString text;
    } cases[] = {
        {"a page for each month", head + months + QStringLiteral("</body></html>")},
        {"a schedule of pages among them", head + months + schedule + months + QStringLiteral("</body></html>")},
    };
    const auto withoutDate = [](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        const qsizetype at = bytes.indexOf("/CreationDate");
        if (at >= 0)
            bytes.remove(at, bytes.indexOf('\n', at) - at);
        return bytes;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString tpl = fx.writeTemplate(QStringLiteral("t.rpt"), c.text);
        const Report first = Report::load(tpl, fx.db, {}, Report::Content::Pages);
        const Report once = Report::load(tpl, fx.db, {}, Report::Content::Print);
        ASSERT_TRUE(first.ok()) << first.error().toStdString();
        ASSERT_TRUE(once.ok()) << once.error().toStdString();
        ASSERT_TRUE(first.writePdf(fx.path(QStringLiteral("first.pdf"))).ok());
        ASSERT_TRUE(once.writePdf(fx.path(QStringLiteral("once.pdf"))).ok());
        const QStringList pages = testing::pdfPages(fx.path(QStringLiteral("once.pdf")));
        ASSERT_EQ(pages.size(), first.pageCount());
        EXPECT_EQ(once.pageCount(), first.pageCount());
        EXPECT_TRUE(pages.back().contains(QStringLiteral("Page %1 of %1").arg(first.pageCount())));
        EXPECT_EQ(pages, testing::pdfPages(fx.path(QStringLiteral("first.pdf"))));
        EXPECT_TRUE(withoutDate(fx.path(QStringLiteral("once.pdf"))) ==
                    withoutDate(fx.path(QStringLiteral("first.pdf"))))
            << "the PDFs differ";
    }
    QHashSeed::resetRandomGlobalSeed();
}

// A footer that fits keeps the report's pages; one that takes the page is
// refused again when Page setup makes the paper smaller.
TEST(ReportEngine, FooterThatNoLongerFitsAfterPageSetupIsRefused)
{
    PrintFixture fx;
    fx.stage({{"Amort", testing::amortRows(600)}});
    fx.writeTemplate(QStringLiteral("t.rpt"),
                     QStringLiteral("<!-- report\ntables: Amort\nfooter: <p style=\"font-size: 40pt\">Page<br>{{page}}"
                                    "<br>of<br>{{pages}}</p>\n-->\n{{#Amort}}<p>{{Year}}</p>{{/Amort}}"));
    Report report = Report::load(fx.path(QStringLiteral("t.rpt")), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_GT(report.pageCount(), 1);
    QPageLayout small = report.pageLayout();
    small.setPageSize(QPageSize(QPageSize::A6));
    report.setPageLayout(small);
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(report.error().contains(QLatin1String("footer"))) << report.error().toStdString();
    EXPECT_FALSE(report.exportTo(fx.path(QStringLiteral("t.pdf"))).ok());
}

// ---------------------------------------------------------------- output

TEST(ReportEngine, ExportsEveryFormatWithTheFigures)
{
    PrintFixture fx;
    fx.stage({{"kwiktax", {testing::kwikTaxRow()}}});
    const Report report = Report::load(testing::shippedTemplates() + QStringLiteral("/kwiktep.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();

    for (const QString& suffix : Report::exportSuffixes()) {
        SCOPED_TRACE(suffix.toStdString());
        const auto status = report.exportTo(fx.path(QStringLiteral("q.") + suffix));
        ASSERT_TRUE(status.ok()) << status.error.toStdString();
    }
    EXPECT_TRUE(
        testing::pdfPages(fx.path(QStringLiteral("q.pdf"))).join(QString()).contains(QLatin1String("9 652.03")));

    const QString html = QString::fromUtf8(testing::fileBytes(fx.path(QStringLiteral("q.html"))));
    EXPECT_TRUE(html.contains(QLatin1String("115 824.40")));
    EXPECT_FALSE(html.contains(QLatin1String("{{")));

    // Amount cells keep their figures together with no-break spaces.
    const QString odt = testing::zipEntry(fx.path(QStringLiteral("q.odt")), QStringLiteral("content.xml"))
                            .replace(QChar(0xA0), QLatin1Char(' '));
    EXPECT_TRUE(odt.contains(QLatin1String("115 824.40")));

    // CSV and XLSX carry the staged rows as stored, for further calculation.
    const QString csv = QString::fromUtf8(testing::fileBytes(fx.path(QStringLiteral("q.csv"))));
    const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << csv.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("AGE,TAXINCOME,TAXTOPAY,MARGRATE,")));
    EXPECT_TRUE(lines[0].endsWith(QLatin1String(",TAXCOM4/2,TaxYear,TaxYearHeading,YearStart,YearEnd")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("40,500000,97225,36,32234.4,")));

    const QString xlsx = QStringLiteral("xl/worksheets/sheet1.xml");
    const QString sheet = testing::zipEntry(fx.path(QStringLiteral("q.xlsx")), xlsx);
    EXPECT_TRUE(sheet.contains(QLatin1String("<v>500000</v>"))) << sheet.left(600).toStdString();
    EXPECT_TRUE(sheet.contains(QLatin1String("<v>32234.4")));
    const QString workbook = testing::zipEntry(fx.path(QStringLiteral("q.xlsx")), QStringLiteral("xl/workbook.xml"));
    EXPECT_TRUE(workbook.contains(QLatin1String("name=\"kwiktax\"")));
    const QString strings =
        testing::zipEntry(fx.path(QStringLiteral("q.xlsx")), QStringLiteral("xl/sharedStrings.xml"));
    EXPECT_TRUE(strings.contains(QLatin1String("TAXCOM4/2")));
}

// The command line hands its rows to the template without a print
// database: the template must get what a database made for them would give,
// value for value and type for type, for every declared table.
TEST(ReportEngine, RowsHandedOverDirectlyReadAsTheDatabaseGivesThem)
{
    // One value of each kind for every column, cycling; "converted" adds the
    // values a database converts for itself (text in number columns and the
    // other way round, minus zero, values that are not finite).
    const auto stagings = [](bool converted) {
        std::vector<PrintValue> kinds{
            2.5, 3.0, std::int32_t{7}, -1e300, 4503599627370497.0, -9223372036854775808.0, std::int32_t{-2}};
        std::vector<PrintValue> texts{std::string("T. Mokoena"), std::string("<b>"), std::string()};
        if (converted) {
            kinds.insert(kinds.end(),
                         {std::string("12.5"), std::string("x"), -0.0, std::numeric_limits<double>::infinity()});
            texts.insert(texts.end(), {36.0, std::int32_t{5}});
        }
        std::vector<StagedTable> staged;
        std::size_t n = 0;
        for (const PrintTable& table : printSchema()) {
            StagedTable t{table.name, {}};
            const int rows = table.multiRow ? 3 : 1;
            for (int r = 0; r < rows; ++r) {
                PrintRecord record;
                // Leave every third column out: it keeps its 0 or empty text.
                for (const PrintColumn& column : table.columns) {
                    if (++n % 3 == 0)
                        continue;
                    const auto& pool = column.type == PrintColumnType::Text ? texts : kinds;
                    record.push_back({column.name, pool[n % pool.size()]});
                }
                t.rows.push_back(std::move(record));
            }
            staged.push_back(std::move(t));
        }
        // A table staged twice: the last staging stands.
        staged.push_back({"Amort", testing::amortRows(2)});
        return staged;
    };
    PrintFixture fx;
    QString names;
    for (const PrintTable& table : printSchema())
        names += QString::fromStdString(table.name) + QLatin1Char(' ');
    const QString tpl =
        fx.writeTemplate(QStringLiteral("all.rpt"), QStringLiteral("<!-- report\ntables: %1\n-->x").arg(names));
    for (const bool converted : {false, true}) {
        SCOPED_TRACE(converted ? "values the database converts" : "values stored as they are");
        const std::vector<StagedTable> staged = stagings(converted);
        fx.stage(staged);
        const Report fromDatabase = Report::load(tpl, fx.db, {}, Report::Content::Figures);
        const Report direct = Report::load(tpl, staged, {}, Report::Content::Figures);
        ASSERT_TRUE(fromDatabase.ok()) << fromDatabase.error().toStdString();
        ASSERT_TRUE(direct.ok()) << direct.error().toStdString();
        ASSERT_EQ(direct.tables().size(), fromDatabase.tables().size());
        for (std::size_t t = 0; t < direct.tables().size(); ++t) {
            const ReportTable& a = direct.tables()[t];
            const ReportTable& b = fromDatabase.tables()[t];
            SCOPED_TRACE(b.name.toStdString());
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(a.columns, b.columns);
            ASSERT_EQ(a.rows.size(), b.rows.size());
            for (qsizetype r = 0; r < a.rows.size(); ++r) {
                for (qsizetype c = 0; c < a.rows[r].size(); ++c) {
                    const QVariant& x = a.rows[r][c];
                    const QVariant& y = b.rows[r][c];
                    EXPECT_EQ(x.typeId(), y.typeId()) << b.columns[c].toStdString() << " row " << r;
                    EXPECT_EQ(rawReportValue(x), rawReportValue(y)) << b.columns[c].toStdString() << " row " << r;
                }
            }
        }
    }
    // A table no calculator declares is named, as from a database.
    const Report unknown =
        Report::load(fx.writeTemplate(QStringLiteral("u.rpt"), QStringLiteral("<!-- report\ntables: Nothing\n-->x")),
                     std::vector<StagedTable>{}, {}, Report::Content::Figures);
    EXPECT_TRUE(unknown.error().contains(QLatin1String("Nothing"))) << unknown.error().toStdString();
    EXPECT_TRUE(unknown.error().contains(QLatin1String("\"u.rpt\""))) << unknown.error().toStdString();
}

TEST(ReportEngine, CsvOfSeveralTablesHasOneBlockEach)
{
    PrintFixture fx;
    fx.stage({{"Loans", {{{"Heading", std::string("Rate, \"fixed\"")}, {"Num1", 1000.0}}}},
              {"Amort", testing::amortRows(2)}});
    const Report report = Report::load(testing::testTemplates() + QStringLiteral("/amort_test.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    ASSERT_TRUE(report.writeCsv(fx.path(QStringLiteral("s.csv"))).ok());
    const QString csv = QString::fromUtf8(testing::fileBytes(fx.path(QStringLiteral("s.csv"))));
    EXPECT_TRUE(csv.startsWith(QLatin1String("Loans\r\nHeading,Num1,")));
    EXPECT_TRUE(csv.contains(QLatin1String("\r\n\"Rate, \"\"fixed\"\"\",1000,")));
    EXPECT_TRUE(csv.contains(
        QLatin1String("\r\n\r\nAmort\r\nYear,Capital,Interest,Required\r\n1,1001,4999.25,999000\r\n2,1002,")));
}

TEST(ReportEngine, WriteFailuresAreReportedAndLeaveNoFile)
{
    PrintFixture fx;
    fx.stage({{"kwiktax", {testing::kwikTaxRow()}}});
    const Report report = Report::load(testing::shippedTemplates() + QStringLiteral("/kwiktep.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    for (const QString& suffix : Report::exportSuffixes()) {
        SCOPED_TRACE(suffix.toStdString());
        const QString target = fx.path(QStringLiteral("no-such-folder/q.") + suffix);
        const auto status = report.exportTo(target);
        EXPECT_FALSE(status.ok());
        EXPECT_TRUE(status.error.contains(QLatin1String("no-such-folder"))) << status.error.toStdString();
    }
    const auto unknown = report.exportTo(fx.path(QStringLiteral("q.docx")));
    EXPECT_TRUE(unknown.error.contains(QLatin1String(".pdf, .html, .odt, .csv or .xlsx")))
        << unknown.error.toStdString();
    EXPECT_EQ(QDir(fx.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Crysprin.db")});
}

TEST(ReportEngine, EveryFormatRefusesNonFilesWritesThroughLinksAndKeepsPermissions)
{
    PrintFixture fx;
    fx.stage({{"kwiktax", {testing::kwikTaxRow()}}});
    const Report report = Report::load(testing::shippedTemplates() + QStringLiteral("/kwiktep.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    for (const QString& suffix : Report::exportSuffixes()) {
        SCOPED_TRACE(suffix.toStdString());
        // A FIFO (standing in for a device) is refused and left in place.
        const QString fifo = fx.path(QStringLiteral("pipe.") + suffix);
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const auto refused = report.exportTo(fifo);
        EXPECT_TRUE(refused.error.contains(QLatin1String("named pipe"))) << refused.error.toStdString();
        EXPECT_FALSE(QFileInfo(fifo).isFile());

        // A link is written through and the file behind it keeps its mode.
        const QString real = fx.path(QStringLiteral("real.") + suffix);
        testing::writeBytes(real, "old");
        ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
        const QString link = fx.path(QStringLiteral("link.") + suffix);
        ASSERT_TRUE(QFile::link(real, link));
        ::testing::internal::CaptureStderr();
        const auto status = report.exportTo(link);
        const std::string stderrText = ::testing::internal::GetCapturedStderr();
        ASSERT_TRUE(status.ok()) << status.error.toStdString();
        EXPECT_EQ(stderrText, "");
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_GT(QFileInfo(real).size(), 3);
        EXPECT_EQ(QFileInfo(real).permissions() & 0x0777, QFile::Permissions(0x0640));

        // A failure is one clean sentence, with nothing from the libraries.
        ::testing::internal::CaptureStderr();
        const auto failed = report.exportTo(fx.path(QStringLiteral("gone/q.") + suffix));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(failed.error.contains(QLatin1String(".."))) << failed.error.toStdString();
        EXPECT_TRUE(failed.error.endsWith(QLatin1Char('.')));
    }
}

TEST(ReportEngine, PrintingPaintsTheSamePagesAsThePdf)
{
    PrintFixture fx;
    fx.stage({{"Amort", testing::amortRows(120)}});
    const Report report = Report::load(testing::testTemplates() + QStringLiteral("/amort_test.rpt"), fx.db);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    // A device at another resolution lays out no differently.
    {
        QPdfWriter writer(fx.path(QStringLiteral("300.pdf")));
        writer.setResolution(300);
        ASSERT_TRUE(report.print(writer).ok());
    }
    const QStringList at300 = testing::pdfPages(fx.path(QStringLiteral("300.pdf")));
    const QStringList at1200 = renderPages(report, fx);
    ASSERT_EQ(at300.size(), report.pageCount());
    ASSERT_EQ(at1200.size(), report.pageCount());
    for (qsizetype i = 0; i < at300.size(); ++i) {
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        EXPECT_EQ(at300[i].split(blanks, Qt::SkipEmptyParts), at1200[i].split(blanks, Qt::SkipEmptyParts))
            << "page " << i + 1;
    }
}

}  // namespace
}  // namespace grossby
