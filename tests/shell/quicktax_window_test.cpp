// The QuickTax window driven through its named controls.
#include "core/module1.h"
#include "gui_test_util.h"
#include "payroll/quicktax.h"
#include "payroll/ui/quicktax_window.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/report_preview.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace grossby {
namespace {

// QuickTax as the program shows it: a child of the document area, beside a
// second child to switch to. Message boxes are captured.
struct QuickTaxFixture : ::testing::Test {
    Module1 state;
    QMdiArea area;
    QuickTaxWindow* window = nullptr;
    QMdiSubWindow* frame = nullptr;
    QMdiSubWindow* otherFrame = nullptr;
    std::vector<MessageRequest> messages;

    void SetUp() override
    {
        setMessageHandler([this](const MessageRequest& r) {
            messages.push_back(r);
            return QMessageBox::Ok;
        });
        area.resize(900, 700);
        area.show();
        otherFrame = area.addSubWindow(new QWidget);
        otherFrame->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    }
    void TearDown() override { setMessageHandler({}); }

    void open()
    {
        window = CalculatorWindow::create<QuickTaxWindow>(state);
        frame = area.addSubWindow(window);
        frame->show();
        area.setActiveSubWindow(frame);
        QCoreApplication::processEvents();
    }
    // Another window becomes active, then QuickTax again.
    void reactivate()
    {
        area.setActiveSubWindow(otherFrame);
        QCoreApplication::processEvents();
        area.setActiveSubWindow(frame);
        QCoreApplication::processEvents();
    }

    NumericEdit* field(int index) const
    {
        return window->findChild<NumericEdit*>(QStringLiteral("sidbEdit1_%1").arg(index));
    }
    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(name); }
    QStringList shown() const
    {
        QStringList texts;
        for (int i = 0; i < 10; ++i)
            texts << field(i)->text();
        return texts;
    }
    void type(int index, const QString& text) { test::type(window, QStringLiteral("sidbEdit1_%1").arg(index), text); }
};

TEST_F(QuickTaxFixture, FiguresTypedInAndCalculated)
{
    struct Case {
        const char* income;
        const char* age;
        QStringList expected;
    };
    const Case cases[] = {
        {"500000",
         "40",
         {"500000.00", "40", "97 225.00", "36", "32 234.40", "129 459.40", "13 635.00", "115 824.40", "25.89",
          "23.16"}},
        {"0", "40", {"0.00", "40", "0.00", "18", "0.00", "0.00", "13 635.00", "0.00", "18.00", "0.00"}},
        {"70000",
         "70",
         {"70000.00", "70", "0.00", "18", "12 600.00", "12 600.00", "21 114.00", "0.00", "18.00", "0.00"}},
        {"150000",
         "64",
         {"150000.00", "64", "0.00", "18", "27 000.00", "27 000.00", "13 635.00", "13 365.00", "18.00", "8.91"}},
        {"150000",
         "65",
         {"150000.00", "65", "0.00", "18", "27 000.00", "27 000.00", "21 114.00", "5 886.00", "18.00", "3.92"}},
        {"150000",
         "74",
         {"150000.00", "74", "0.00", "18", "27 000.00", "27 000.00", "21 114.00", "5 886.00", "18.00", "3.92"}},
        {"150000",
         "75",
         {"150000.00", "75", "0.00", "18", "27 000.00", "27 000.00", "23 607.00", "3 393.00", "18.00", "2.26"}},
    };
    open();
    EXPECT_EQ(window->windowTitle(), "QuickTax");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.income) + " / " + c.age);
        type(0, c.income);
        type(1, c.age);
        QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
        EXPECT_EQ(shown(), c.expected);
    }
    EXPECT_TRUE(messages.empty());
    // Result fields take no typing.
    for (int i = 2; i < 10; ++i)
        EXPECT_TRUE(field(i)->isReadOnly()) << i;
}

TEST_F(QuickTaxFixture, ActivationShowsTheIncomeLastTaxedElsewhere)
{
    state.AnnualTaxableIncome = 240000;  // left by a monthly calculation
    state.memory<QuickTaxMemory>().QuickTaxAge = 40;
    open();
    EXPECT_EQ(field(0)->text(), "240000.00");
    EXPECT_EQ(field(5)->text(), "47 209.20");

    // Another calculator taxes a new income and "&Initialise All" clears the
    // results; the open window keeps its figures until it is activated.
    area.setActiveSubWindow(otherFrame);
    QCoreApplication::processEvents();
    state.AnnualTaxableIncome = 500000;
    state.InitialiseAll();
    EXPECT_EQ(field(5)->text(), "47 209.20");
    area.setActiveSubWindow(frame);
    QCoreApplication::processEvents();
    EXPECT_EQ(field(0)->text(), "500000.00");
    EXPECT_EQ(field(7)->text(), "115 824.40");
    EXPECT_EQ(state.memory<QuickTaxMemory>().QuickTaxIncome, 500000);

    // Closing and opening again changes nothing: the figures are shared.
    QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame->isVisible());
    open();
    EXPECT_EQ(field(7)->text(), "115 824.40");
}

TEST_F(QuickTaxFixture, AgeThatCannotBeHeldIsRefused)
{
    open();
    type(1, "70");
    type(1, "40000");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Incorrect Age");
    EXPECT_EQ(state.memory<QuickTaxMemory>().QuickTaxAge, 70);
    EXPECT_EQ(field(1)->text(), "70");
}

struct QuickTaxPrintFixture : QuickTaxFixture {
    QTemporaryDir dir;
    QString dbPath;

    void SetUp() override
    {
        QuickTaxFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        dbPath = dir.filePath("Crysprin.db");
        state.PrintDatabasePath = dbPath.toStdString();
    }

    QSqlRecord kwiktaxRow()
    {
        QSqlRecord row;
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "quicktax_test_read");
            db.setDatabaseName(dbPath);
            EXPECT_TRUE(db.open());
            QSqlQuery q("SELECT * FROM kwiktax", db);
            EXPECT_TRUE(q.next());
            row = q.record();
            EXPECT_FALSE(q.next());  // exactly one row
        }
        QSqlDatabase::removeDatabase("quicktax_test_read");
        return row;
    }

    // Preview windows now open, closed as they are counted.
    QStringList closePreviews()
    {
        QStringList titles;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<ReportPreview*>(w); preview && preview->isVisible()) {
                titles << preview->windowTitle();
                preview->close();
            }
        }
        QCoreApplication::processEvents();
        return titles;
    }

    void choose(const char* destination)
    {
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        auto* panel = window->findChild<QWidget*>("Frame1");
        ASSERT_TRUE(panel->isVisible());
        QTest::mouseClick(window->findChild<QPushButton*>(destination), Qt::LeftButton);
        EXPECT_FALSE(panel->isVisible());
    }
};

TEST_F(QuickTaxPrintFixture, PrintStagesTheShownFigures)
{
    open();
    type(0, "500000");
    type(1, "40");
    QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
    choose("cmdVR");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(closePreviews(), QStringList{QString::fromLatin1(kKwikTaxTitle)});

    QSqlRecord row = kwiktaxRow();
    EXPECT_EQ(row.value("AGE").toInt(), 40);
    EXPECT_DOUBLE_EQ(row.value("TAXINCOME").toDouble(), 500000);
    EXPECT_DOUBLE_EQ(row.value("TAXTOPAY").toDouble(), 97225);
    EXPECT_DOUBLE_EQ(row.value("MARGRATE").toDouble(), 36);
    EXPECT_NEAR(row.value("PORTION").toDouble(), 32234.40, 1e-9);
    EXPECT_NEAR(row.value("TOTTAX").toDouble(), 129459.40, 1e-9);
    EXPECT_DOUBLE_EQ(row.value("REBATE").toDouble(), 13635);
    EXPECT_NEAR(row.value("TAXCOM4").toDouble(), 115824.40, 1e-9);
    EXPECT_NEAR(row.value("AVRATE").toDouble(), 25.89188, 1e-9);
    EXPECT_NEAR(row.value("AVRATEAFT").toDouble(), 23.16488, 1e-9);
    EXPECT_NEAR(row.value("TAXCOM4/2").toDouble(), 9652.0333333, 1e-6);

    // An income typed after the last calculation is printed with its own
    // tax, never beside the old figures.
    type(0, "70000");
    type(1, "70");
    choose("cmdVR");
    closePreviews();
    row = kwiktaxRow();
    EXPECT_DOUBLE_EQ(row.value("TAXINCOME").toDouble(), 70000);
    EXPECT_DOUBLE_EQ(row.value("TOTTAX").toDouble(), 12600);
    EXPECT_DOUBLE_EQ(row.value("REBATE").toDouble(), 21114);
    EXPECT_DOUBLE_EQ(row.value("TAXCOM4/2").toDouble(), 0);
    EXPECT_EQ(field(7)->text(), "0.00");
}

TEST_F(QuickTaxPrintFixture, DirectPrintOnAMachineWithoutPrinters)
{
    if (!QPrinterInfo::availablePrinters().isEmpty() && !QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    open();
    choose("cmdPD");
    EXPECT_DOUBLE_EQ(kwiktaxRow().value("REBATE").toDouble(), 13635);
    // The report runner says there is no printer and offers the ways out.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("No printer is installed")) << messages[0].text.toStdString();
    EXPECT_TRUE(closePreviews().isEmpty());
}

TEST_F(QuickTaxPrintFixture, DamagedPrintDatabaseIsReportedByName)
{
    QFile bad(dbPath);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a database file, and it must not be overwritten");
    bad.close();
    open();
    choose("cmdVR");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("Crysprin.db")) << messages[0].text.toStdString();
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_TRUE(bad.readAll().startsWith("this is not a database"));
}

}  // namespace
}  // namespace grossby
