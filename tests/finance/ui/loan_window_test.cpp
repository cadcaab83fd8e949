// The loan window and its graph, opened from the "Loans" command of the main
// window and typed into, with the print database in a temporary folder.

#include "app/registration.h"
#include "core/module1.h"
#include "finance/finance_memory.h"
#include "finance/ui/loan_graph_window.h"
#include "gui_test_util.h"
#include "services/file_locations.h"
#include "shell/main_window.h"
#include "widgets/numeric_edit.h"
#include "widgets/report_preview.h"

#include <QAction>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string_view>

namespace grossby {
namespace {

using test::child;

class LoanWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        setDatabasePaths(state, folder.path());
        main.setProgramFolder(folder.path());
        main.resize(1200, 800);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }
    void TearDown() override { test::closePreviews(); }

    QWidget* open()
    {
        QAction* action = main.findChild<QAction*>("mnuLoans");
        EXPECT_TRUE(action && action->isEnabled());
        if (action)
            action->trigger();
        QCoreApplication::processEvents();
        loans = main.calculatorWindow("frmLoans");
        return loans;
    }
    QString shown(const char* name) const { return test::shown(loans, QLatin1String(name)); }
    void type(const char* name, const QString& keys) { test::type(loans, QLatin1String(name), keys); }
    void click(const char* name) { test::click(loans, QLatin1String(name)); }
    void chooseMode(int index) { test::click(loans, QStringLiteral("optLoanCalc_%1").arg(index)); }
    /// Chooses the mode (0 repayment, 1 principal, 2 period, 3 rate), types
    /// the three quantities it does not solve and calculates.
    void solve(int mode, const QString& principal, const QString& months, const QString& rate, const QString& repayment)
    {
        chooseMode(mode);
        if (mode != 1)
            type("numPrinAmount", principal);
        if (mode != 2)
            type("numPeriod", months);
        if (mode != 3)
            type("numIntRate", rate);
        if (mode != 0)
            type("numMonRePay", repayment);
        click("cmdCalculate");
    }
    static QString focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    std::vector<QSqlRecord> printRows(const QString& table) const
    {
        return test::printRows(state.PrintDatabasePath,
                               "SELECT * FROM " + table + (table == "Amort" ? " ORDER BY Year" : ""));
    }

    QTemporaryDir folder;
    test::CapturedMessages messages;
    Module1 state;
    MainWindow main{state, programCalculators()};
    QWidget* loans = nullptr;
};

TEST_F(LoanWindowTest, SolvesTheRepaymentIntoTheYellowFieldOutOfTheTabOrder)
{
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(loans->windowTitle(), "Loans");
    EXPECT_EQ(focused(), "numPrinAmount");
    EXPECT_EQ(child<QLabel>(loans, "Label12_1")->text(), "Monthly repayment");
    auto* solved = child<NumericEdit>(loans, "numMonRePay");
    EXPECT_TRUE(solved->isReadOnly());
    EXPECT_EQ(solved->palette().color(QPalette::Base), QColor(255, 255, 160));
    EXPECT_FALSE(solved->focusPolicy() & Qt::TabFocus);

    // Typed with real keys, Tab from field to field: the solved one is passed over.
    QTest::keyClicks(QApplication::focusWidget(), "100000");
    test::press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "numPeriod");
    QTest::keyClicks(QApplication::focusWidget(), "240");
    test::press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "numIntRate");
    QTest::keyClicks(QApplication::focusWidget(), "12");
    test::press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "optLoanCalc_0");
    test::press(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(shown("numMonRePay"), "1 101.09");
    EXPECT_EQ(shown("numIntRate"), "12.000");
    EXPECT_NEAR(state.memory<FinanceMemory>().LoanRepayment, 1101.0861, 0.0001);
    EXPECT_FALSE(child<QWidget>(loans, "Text1")->isVisible());
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(LoanWindowTest, EachModeSolvesItsQuantity)
{
    struct Case {
        int mode;
        const char *principal, *months, *rate, *repayment;
        const char* field;  // the solved field
        const char* expected;
        const char* repaymentShown;
        bool errorMarker;
    };
    const Case cases[] = {
        {1, "", "240", "12", "1101.09", "numPrinAmount", "100 000.35", "1101.09", false},
        // A repayment of exactly the monthly interest never pays the loan off.
        {2, "100000", "", "12", "1000", "numPeriod", "0", "1000.00", false},
        // 66.8 months: whole months, and the repayment raised to whole cents to fit them.
        {2, "100000", "", "12", "1500", "numPeriod", "110", "1503.07", false},
        {3, "100000", "240", "", "1101.09", "numIntRate", "12.000", "1101.09", false},
        {3, "1000", "12", "", "80", "numIntRate", "0.000", "80.00", false},  // repays less than the principal
        {3, "1000", "12", "", "200", "numIntRate", "203.310", "200.00", true},
    };
    ASSERT_NE(open(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.expected);
        chooseMode(c.mode);
        EXPECT_EQ(focused(), c.mode == 1 ? "numPeriod" : "numPrinAmount");
        auto* solved = child<NumericEdit>(loans, c.field);
        EXPECT_TRUE(solved->isReadOnly());
        EXPECT_FALSE(solved->focusPolicy() & Qt::TabFocus);
        solve(c.mode, c.principal, c.months, c.rate, c.repayment);
        EXPECT_EQ(shown(c.field), c.expected);
        EXPECT_EQ(shown("numMonRePay"), c.repaymentShown);
        EXPECT_EQ(child<QWidget>(loans, "Text1")->isVisible(), c.errorMarker);
        EXPECT_EQ(state.memory<FinanceMemory>().LoanCalcMode, child<QLabel>(loans, "Label12_1")->text().toStdString());
    }
    EXPECT_EQ(child<QLineEdit>(loans, "Text1")->text(), "   Error");
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(LoanWindowTest, SaysWhyALoanHasNoPeriodOrGraph)
{
    ASSERT_NE(open(), nullptr);
    auto* note = child<QLabel>(loans, "lblLoanNote");
    struct Case {
        const char* repayment;
        const char* said;  // "" when the note is hidden
    };
    // 100 000 at 12 %: the interest is 1 000 a month; 1 001 a month would
    // take far more than 600 months.
    const Case cases[] = {
        {"1000", "does not cover the month's interest"},
        {"900", "does not cover the month's interest"},
        {"1001", "within 600 months"},
        {"1500", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.repayment);
        solve(2, "100000", "", "12", c.repayment);
        EXPECT_EQ(shown("numPeriod"), std::string_view(c.said).empty() ? "110" : "0");
        EXPECT_EQ(note->isVisible(), !std::string_view(c.said).empty());
        if (note->isVisible()) {
            EXPECT_TRUE(note->text().contains(QLatin1String(c.said))) << note->text().toStdString();
        }
    }

    // A year or less has no graph: the focus still goes to "&OK", and the
    // window says why.
    solve(0, "10000", "12", "10", "");
    click("cmdLoanGraph");
    EXPECT_EQ(focused(), "cmdOk");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains("more than 12 months")) << note->text().toStdString();
    click("cmdCalculate");
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(LoanWindowTest, RateAndPeriodLimitsAreRefusedWithTheirMessages)
{
    ASSERT_NE(open(), nullptr);
    type("numIntRate", "12");
    type("numIntRate", "60");
    ASSERT_EQ(messages.list.size(), 1u);
    EXPECT_EQ(messages.list[0].title, "Incorrect Interest Rate!");
    EXPECT_EQ(messages.list[0].text, "The maximum interest rate allowed is 50%");
    EXPECT_EQ(messages.list[0].icon, QMessageBox::Critical);
    EXPECT_EQ(focused(), "numIntRate");
    EXPECT_EQ(state.memory<FinanceMemory>().LoanRate, 12) << "the refused rate is not kept";

    type("numPeriod", "601");
    ASSERT_EQ(messages.list.size(), 2u);
    EXPECT_EQ(messages.list[1].title, "Incorrect Period!");
    EXPECT_EQ(messages.list[1].text, "The maximum period  allowed is 600 months");
    EXPECT_EQ(focused(), "numPeriod");

    // A rate solved above 50 is no input of the other modes: Calculate says so.
    solve(3, "1000", "12", "", "200");
    chooseMode(0);
    click("cmdCalculate");
    ASSERT_EQ(messages.list.size(), 3u);
    EXPECT_EQ(messages.list[2].title, "Incorrect Interest Rate!");
    EXPECT_EQ(focused(), "numIntRate");
}

TEST_F(LoanWindowTest, TheLoanAndTheFinanceChargesAreKeptUntilInitialiseAll)
{
    ASSERT_NE(open(), nullptr);
    solve(0, "100000", "240", "12", "");
    auto* interest = child<QWidget>(loans, "numAns1");
    EXPECT_FALSE(interest->isVisible());
    click("cmdFinCharge");
    EXPECT_TRUE(interest->isVisible());
    EXPECT_EQ(state.memory<FinanceMemory>().FinChargesShown, "DOWN");
    // The window makes room for the two lines rather than squeezing the fields.
    for (const char* name : {"numPrinAmount", "numMonRePay", "numAns2"}) {
        auto* field = child<QWidget>(loans, name);
        EXPECT_GE(field->height(), field->minimumSizeHint().height()) << name;
    }
    EXPECT_EQ(shown("numAns1"), "164 260.67");
    EXPECT_EQ(shown("numAns2"), "264 260.67");
    chooseMode(2);
    type("numMonRePay", "1500");  // kept at once, before any calculation

    // Closed and opened again: the same mode, figures and charges, solved again.
    click("cmdOk");
    EXPECT_EQ(main.calculatorWindow("frmLoans"), nullptr);
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(child<QRadioButton>(loans, "optLoanCalc_2")->isChecked());
    EXPECT_TRUE(child<NumericEdit>(loans, "numPeriod")->isReadOnly());
    EXPECT_EQ(shown("numPeriod"), "110");
    EXPECT_EQ(shown("numMonRePay"), "1503.07");
    EXPECT_TRUE(child<QWidget>(loans, "numAns1")->isVisible());
    EXPECT_EQ(shown("numAns2"), "165 337.70");

    click("cmdFinCharge");
    EXPECT_FALSE(child<QWidget>(loans, "numAns1")->isVisible());
    EXPECT_EQ(state.memory<FinanceMemory>().FinChargesShown, "UP");

    main.findChild<QAction*>("mnuNew")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(main.calculatorWindow("frmLoans"), nullptr);
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(child<QRadioButton>(loans, "optLoanCalc_0")->isChecked());
    EXPECT_EQ(shown("numPrinAmount"), "0.00");
    EXPECT_EQ(shown("numMonRePay"), "0.00");
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(LoanWindowTest, SchedulesFillTheGridWithTheirRows)
{
    struct Case {
        const char* months;
        const char* button;
        QStringList headings;
        int rows;
        QStringList lastRow;
    };
    const Case cases[] = {
        {"12", "cmdAnnAmort", {" Year ", "Capital payments", "Interest payment", "    Balance      "}, 1, {}},
        {"30", "cmdAnnAmort", {}, 3, {"3", "2 203.96", "64.73", "0.00"}},
        {"6", "cmdAnnAmort", {}, 1, {"1", "10 000.00"}},
        {"6", "cmdAnnAmort", {}, 1, {"1", "10 000.00"}},  // asked twice: still the one year
        {"30",
         "cmdMonAmort",
         {" Month   ", "Capital payment ", "Interest payment", "    Balance    "},
         30,
         {"30", "374.99", "3.12", "0.00"}},
    };
    ASSERT_NE(open(), nullptr);
    auto* grid = child<QTableWidget>(loans, "grdPayments");
    auto* panel = child<QGroupBox>(loans, "fraGrid");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + c.months);
        solve(0, "10000", c.months, "10", "");
        click(c.button);
        ASSERT_TRUE(panel->isVisible());
        ASSERT_EQ(grid->rowCount(), c.rows);
        ASSERT_EQ(grid->columnCount(), 4);
        for (int i = 0; i < c.headings.size(); ++i)
            EXPECT_EQ(grid->horizontalHeaderItem(i)->text(), c.headings[i]);
        for (int i = 0; i < c.lastRow.size(); ++i)
            EXPECT_EQ(grid->item(c.rows - 1, i)->text(), c.lastRow[i]);
        EXPECT_EQ(grid->item(c.rows - 1, 3)->text(), "0.00") << "the loan is paid off";
        EXPECT_EQ(grid->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, c.rows > 10);
        // The form waits meanwhile; the grid's "&OK" is the only one.
        EXPECT_FALSE(child<QWidget>(loans, "cmdOk")->isEnabled());
        test::press(Qt::Key_O, Qt::AltModifier);
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(grid->rowCount(), 0);
        EXPECT_EQ(focused(), "cmdOk");
    }
    EXPECT_EQ(state.memory<FinanceMemory>().AnnualKind, 2);
    EXPECT_EQ(state.memory<FinanceMemory>().AnnualYears, 1);

    // With a quantity missing there is no schedule, and the principal is asked for.
    type("numPrinAmount", "0");
    click("cmdMonAmort");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(focused(), "numPrinAmount");
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(LoanWindowTest, TheGraphShowsEachYearAndSavesAsPng)
{
    ASSERT_NE(open(), nullptr);
    solve(0, "10000", "12", "10", "");
    click("cmdLoanGraph");
    EXPECT_EQ(main.findChild<LoanGraphWindow*>(), nullptr) << "a year or less has no graph";
    EXPECT_EQ(focused(), "cmdOk");

    solve(0, "100000", "240", "12", "");
    click("cmdLoanGraph");
    auto* graph = main.findChild<LoanGraphWindow*>();
    ASSERT_NE(graph, nullptr);
    ASSERT_NE(main.mdiArea()->activeSubWindow(), nullptr);
    EXPECT_EQ(main.mdiArea()->activeSubWindow()->widget(), graph);
    EXPECT_EQ(main.mdiArea()->activeSubWindow()->pos(), QPoint(0, 0));
    QChart* chart = graph->chart();
    ASSERT_EQ(chart->series().size(), 2);
    auto* bars = qobject_cast<QStackedBarSeries*>(chart->series()[0]);
    auto* balance = qobject_cast<QLineSeries*>(chart->series()[1]);
    ASSERT_TRUE(bars && balance);
    ASSERT_EQ(bars->barSets().size(), 2);
    EXPECT_EQ(bars->barSets()[0]->label(), "Capital");
    EXPECT_EQ(bars->barSets()[1]->label(), "Interest");
    ASSERT_EQ(bars->barSets()[0]->count(), 20);
    EXPECT_NEAR(bars->barSets()[0]->at(0), 1282.03, 0.005);
    EXPECT_NEAR(bars->barSets()[1]->at(0), 11931.01, 0.005);
    ASSERT_EQ(balance->count(), 20);
    EXPECT_NEAR(balance->at(0).y(), 98717.97, 0.005);
    EXPECT_NEAR(balance->at(19).y(), 0, 0.005);
    EXPECT_TRUE(chart->legend()->isVisible());
    QStringList axes;
    for (QAbstractAxis* axis : chart->axes())
        axes.append(axis->titleText());
    EXPECT_TRUE(axes.contains("Year"));
    EXPECT_TRUE(axes.contains("Paid in the year (R)"));
    EXPECT_TRUE(axes.contains("Balance at the end of the year (R)"));
    EXPECT_TRUE(chart->title().contains("R 100 000.00 over 240 months at 12.000% p.a."))
        << chart->title().toStdString();

    const QString png = folder.filePath("graph.png");
    EXPECT_EQ(graph->savePng(png), QString());
    const QImage saved(png);
    EXPECT_FALSE(saved.isNull());
    EXPECT_GT(saved.width(), 300);
    // A folder is not a picture: the message names it and nothing is written.
    const QString refused = graph->savePng(folder.path());
    EXPECT_TRUE(refused.contains(folder.path())) << refused.toStdString();

    // The graph goes with its loan window.
    click("cmdOk");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main.findChild<LoanGraphWindow*>(), nullptr);
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(LoanWindowTest, PrintStagesTheLoanAndReplacesTheScheduleRows)
{
    ASSERT_NE(open(), nullptr);
    auto* panel = child<QGroupBox>(loans, "fraPrint");
    auto* include = child<QCheckBox>(loans, "Check1");
    auto* kind = child<QGroupBox>(loans, "fraIncAmort");

    // A loan with a quantity missing is not printed; the panel stays up.
    click("cmdPrint");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_FALSE(kind->isEnabled());
    click("cmdVR");
    EXPECT_TRUE(panel->isVisible());
    ASSERT_EQ(messages.list.size(), 1u);
    EXPECT_TRUE(messages.list[0].text.contains("no loan to print")) << messages.list[0].text.toStdString();
    click("cmdCancel");
    messages.list.clear();

    solve(0, "10000", "30", "10", "");
    click("cmdFinCharge");
    click("cmdPrint");
    QTest::mouseClick(include, Qt::LeftButton);
    EXPECT_TRUE(kind->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(loans, "Option1_0")->isChecked());
    QTest::mouseClick(child<QRadioButton>(loans, "Option1_1"), Qt::LeftButton);
    click("cmdVR");
    EXPECT_FALSE(panel->isVisible());
    auto loan = printRows("Loans");
    ASSERT_EQ(loan.size(), 1u);
    EXPECT_EQ(loan[0].value("Heading").toString(), "Monthly repayment");
    EXPECT_EQ(loan[0].value("Num1").toDouble(), 10000);
    EXPECT_EQ(loan[0].value("Num2").toDouble(), 30);
    EXPECT_NEAR(loan[0].value("Num4").toDouble(), 378.1141, 0.0001);
    EXPECT_EQ(loan[0].value("FinText1").toString(), "Total Interest");
    EXPECT_NEAR(loan[0].value("FinNum1").toDouble(), 1343.42, 0.005);
    EXPECT_EQ(loan[0].value("YearMon").toString(), "Month");
    auto amort = printRows("Amort");
    ASSERT_EQ(amort.size(), 30u);
    EXPECT_EQ(amort[29].value("Year").toInt(), 30);
    EXPECT_NEAR(amort[29].value("Interest").toDouble(), 3.12, 0.005);

    // The yearly schedule replaces every monthly row; charges hidden leave
    // their texts empty.
    click("cmdFinCharge");
    click("cmdPrint");
    QTest::mouseClick(child<QRadioButton>(loans, "Option1_0"), Qt::LeftButton);
    click("cmdVR");
    loan = printRows("Loans");
    ASSERT_EQ(loan.size(), 1u);
    EXPECT_EQ(loan[0].value("FinText1").toString(), "");
    EXPECT_EQ(loan[0].value("FinNum1").toDouble(), 0);
    EXPECT_EQ(loan[0].value("YearMon").toString(), "Year");
    amort = printRows("Amort");
    ASSERT_EQ(amort.size(), 3u);
    EXPECT_NEAR(amort[2].value("Capital").toDouble(), 2203.96, 0.005);

    bool previewed = false;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<ReportPreview*>(top); preview && preview->isVisible()) {
            previewed = true;
            EXPECT_TRUE(preview->windowTitle().startsWith("Annual repayment of Loan with"))
                << preview->windowTitle().toStdString();
        }
    }
    if (!previewed) {
        ASSERT_FALSE(messages.list.empty());
        EXPECT_TRUE(messages.list.back().text.contains("LonrepaA.rpt")) << messages.list.back().text.toStdString();
    }
}

TEST_F(LoanWindowTest, NoTwoControlsShareAMnemonicWhateverIsUp)
{
    ASSERT_NE(open(), nullptr);
    solve(0, "100000", "240", "12", "");
    click("cmdFinCharge");
    EXPECT_EQ(test::sharedMnemonics(loans), QStringList());
    click("cmdPrint");
    QTest::mouseClick(child<QCheckBox>(loans, "Check1"), Qt::LeftButton);
    EXPECT_EQ(test::sharedMnemonics(loans), QStringList()) << "print panel";
    click("cmdCancel");
    click("cmdMonAmort");
    EXPECT_EQ(test::sharedMnemonics(loans), QStringList()) << "grid";
    click("cmdGridClose");
    EXPECT_TRUE(messages.list.empty());
}

}  // namespace
}  // namespace grossby
