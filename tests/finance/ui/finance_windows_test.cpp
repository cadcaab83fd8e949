// The loan buster, loan comparison, daily balance and inflation windows,
// opened from their menu commands in the main window and typed into with
// real keys; their printouts staged in a print database of their own.

#include "app/registration.h"
#include "core/module1.h"
#include "finance/finance_memory.h"
#include "finance/ui/optional_date_edit.h"
#include "finance/ui/spin_control.h"
#include "gui_test_util.h"
#include "services/file_locations.h"
#include "shell/main_window.h"
#include "widgets/message_service.h"
#include "widgets/report_preview.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// Failures show the texts compared.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace grossby {
namespace {

using test::closePreviews;

class FinanceWindowsTest : public test::ProgramFixture {
protected:
    FinanceWindowsTest()
        : ProgramFixture({1100, 800})
    { }

    // The window a menu command opens, as the active one.
    QWidget* open(const char* command)
    {
        w = openFromMenu(command);
        return w;
    }
    void close()
    {
        click("cmdOk");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w = nullptr;
    }

    template <class T = QWidget> T* child(const char* name) const { return test::child<T>(w, QLatin1String(name)); }
    QString shown(const char* name) const { return test::shown(w, QLatin1String(name)); }
    void type(const char* name, const QString& keys) { test::type(w, QLatin1String(name), keys); }
    void click(const char* name) { test::click(w, QLatin1String(name)); }
    // Typed into a field and Enter pressed there, which calculates.
    void enter(const char* name, const QString& keys)
    {
        auto* field = child<QLineEdit>(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, keys);
        QTest::keyClick(field, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    void spin(const char* name, bool up)
    {
        auto* control = child<SpinControl>(name);
        QTest::mouseClick(up ? control->upButton() : control->downButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    bool hasFocus(const char* name) const
    {
        QCoreApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->objectName() == QLatin1String(name);
    }

    // Print, then "&View/Export report": the row staged, and the preview
    // shown or the missing template reported by name.
    QSqlRecord printRow(const char* table, const char* templateName)
    {
        click("cmdPrint");
        auto* panel = child<QWidget>("fraPrint");
        EXPECT_TRUE(panel->isVisible());
        click("cmdVR");
        EXPECT_FALSE(panel->isVisible());
        const std::vector<QSqlRecord> rows = printRows(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
        EXPECT_FALSE(rows.empty()) << table;
        const QSqlRecord row = rows.empty() ? QSqlRecord() : rows.front();
        const bool previewed = closePreviews();
        // Back to the window, as the user would after looking at the preview.
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        if (!previewed) {
            EXPECT_EQ(messages.size(), 1u);
            if (!messages.empty()) {
                EXPECT_TRUE(messages.back().text.contains(QLatin1String(templateName)))
                    << messages.back().text.toStdString();
            }
            messages.clear();
        }
        return row;
    }
    // Print pressed with nothing to print: no panel, the focus on "&OK".
    void printRefused()
    {
        click("cmdPrint");
        EXPECT_FALSE(child<QWidget>("fraPrint")->isVisible());
        EXPECT_TRUE(hasFocus("cmdOk"));
    }

    MainWindow& window = main;
    QWidget* w = nullptr;
};

TEST_F(FinanceWindowsTest, LoanBusterWorksOutTheShorterLoan)
{
    ASSERT_NE(open("mnuLoansBuster"), nullptr);
    EXPECT_EQ(w->objectName(), "frmLoanBuster");
    EXPECT_EQ(w->windowTitle(), "Loan Buster");
    EXPECT_TRUE(hasFocus("numPrinAmount"));
    type("numPrinAmount", "100 000");
    type("numPeriod", "240");
    type("numIntRate", "12");
    enter("numXtraPay", "100");

    EXPECT_EQ(shown("numMonRePay"), "1 101.09");
    EXPECT_EQ(shown("numAns1_0"), "164 260.67");
    EXPECT_EQ(shown("numAns1_1"), "264 260.67");
    EXPECT_EQ(shown("numAns1_2"), "100 000.00");
    EXPECT_EQ(shown("numAns1_3"), "12.000");
    // 179 whole months; the extra payment raised by whole cents to fit them.
    EXPECT_EQ(shown("numAns2"), "179");
    EXPECT_EQ(shown("numXtraPay"), "101.49");
    EXPECT_EQ(shown("numAns1_4"), "1 202.58");
    EXPECT_EQ(shown("numAns1_5"), "115 261.13");
    EXPECT_EQ(shown("numAns1_6"), "215 261.13");
    EXPECT_EQ(shown("numAns1_7"), "48 999.54");
    // Calculating again keeps the adjusted payment and its figures.
    click("cmdCalculate");
    EXPECT_EQ(shown("numXtraPay"), "101.49");
    EXPECT_EQ(shown("numAns2"), "179");

    const QSqlRecord row = printRow("BondBust", "loanbuster.rpt");
    EXPECT_EQ(row.value("PAmt").toDouble(), 100000);
    EXPECT_EQ(row.value("Period").toInt(), 240);
    EXPECT_NEAR(row.value("MonRep").toDouble(), 1101.09, 0.005);
    EXPECT_NEAR(row.value("XtraPay").toDouble(), 101.49, 1e-9);
    EXPECT_EQ(row.value("Xper").toInt(), 179);
    EXPECT_NEAR(row.value("XTotSavings").toDouble(), 48999.54, 0.005);

    // Without an extra payment the loan stays as it is, with no saving.
    enter("numXtraPay", "0");
    EXPECT_EQ(shown("numAns2"), "240");
    EXPECT_EQ(shown("numAns1_4"), "1 101.09");
    EXPECT_EQ(shown("numAns1_6"), "264 260.67");
    EXPECT_EQ(shown("numAns1_7"), "0.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, LoanBusterSaysWhyATooLargeExtraPaymentIsNotWorkedOut)
{
    ASSERT_NE(open("mnuLoansBuster"), nullptr);
    type("numPrinAmount", "100000");
    type("numPeriod", "240");
    type("numIntRate", "12");
    enter("numXtraPay", "100");
    ASSERT_EQ(shown("numAns2"), "179");

    // More than ten repayments extra: the figures of the earlier payment go,
    // and the window says why.
    enter("numXtraPay", "20000");
    auto* why = child<QLabel>("lblExtraTooLarge");
    EXPECT_TRUE(why->isVisible());
    EXPECT_TRUE(why->text().contains("ten times")) << why->text().toStdString();
    EXPECT_EQ(shown("numXtraPay"), "20000.00");
    EXPECT_EQ(shown("numMonRePay"), "1 101.09");
    for (const char* result : {"numAns2", "numAns1_4", "numAns1_5", "numAns1_6", "numAns1_7"})
        EXPECT_EQ(shown(result).toDouble(), 0) << result;
    enter("numXtraPay", "100");
    EXPECT_FALSE(why->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, LoanBusterLimitsAndKeptValues)
{
    ASSERT_NE(open("mnuLoansBuster"), nullptr);
    type("numPrinAmount", "100000");
    type("numIntRate", "50.5");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Incorrect Interest Rate!");
    EXPECT_EQ(messages[0].text, "The maximum interest rate allowed is 50%");
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(hasFocus("numIntRate"));
    type("numIntRate", "12");
    type("numPeriod", "601");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].title, "Incorrect Period!");
    EXPECT_EQ(messages[1].text, "The maximum period  allowed is 600 months");
    EXPECT_TRUE(hasFocus("numPeriod"));
    messages.clear();

    // No period yet: zero results, and nothing is printed without a principal.
    EXPECT_EQ(shown("numMonRePay"), "0.00");
    type("numPrinAmount", "0");
    printRefused();

    // The principal, rate and extra payment come back; the period does not.
    type("numPrinAmount", "250000");
    type("numXtraPay", "500");
    close();
    ASSERT_NE(open("mnuLoansBuster"), nullptr);
    EXPECT_EQ(shown("numPrinAmount"), "250000.00");
    EXPECT_EQ(shown("numIntRate"), "12.000");
    EXPECT_EQ(shown("numXtraPay"), "500.00");
    EXPECT_EQ(shown("numPeriod"), "0");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, LoanComparisonGridAndPrintout)
{
    ASSERT_NE(open("mnuLoansComparison"), nullptr);
    EXPECT_EQ(w->objectName(), "frmLoanComp");
    EXPECT_EQ(w->windowTitle(), "Loan Comparison");
    type("numBAmt", "100000");
    enter("numIntRate", "12");
    auto* grid = child<QTableWidget>("grdPayments");
    ASSERT_EQ(grid->rowCount(), 6);
    ASSERT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Monthly repayment");
    EXPECT_EQ(grid->item(0, 0)->text(), "5 yrs.");
    EXPECT_EQ(grid->item(5, 0)->text(), "30 yrs.");
    // Twenty years: the loan calculator's repayment over 240 months.
    EXPECT_EQ(grid->item(3, 1)->text(), "1 101.09");
    EXPECT_EQ(grid->item(3, 2)->text(), "164 260.67");
    EXPECT_EQ(grid->item(3, 3)->text(), "264 260.67");
    // Every figure fits its cell.
    for (int column = 0; column < 4; ++column) {
        const int needed = grid->fontMetrics().horizontalAdvance(grid->item(5, column)->text());
        EXPECT_LT(needed, grid->columnWidth(column)) << column;
    }

    const QSqlRecord row = printRow("BondComp", "LoanComparison.rpt");
    EXPECT_EQ(row.value("PAmt").toDouble(), 100000);
    EXPECT_EQ(row.value("IntRate").toDouble(), 12);
    EXPECT_NEAR(row.value("MonRep4").toDouble(), 1101.09, 0.005);
    EXPECT_NEAR(row.value("Total6").toDouble(), 360 * row.value("MonRep6").toDouble(), 1e-6);

    // No rate: no repayments, each term's interest the whole bond short.
    enter("numIntRate", "0");
    EXPECT_EQ(grid->item(0, 1)->text(), "0.00");
    EXPECT_EQ(grid->item(0, 2)->text(), "-100 000.00");
    printRefused();

    // Reopened, the amount and rate come back and are compared at once.
    enter("numIntRate", "10.5");
    close();
    ASSERT_NE(open("mnuLoansComparison"), nullptr);
    EXPECT_EQ(shown("numBAmt"), "100000.00");
    EXPECT_EQ(shown("numIntRate"), "10.500");
    EXPECT_NE(child<QTableWidget>("grdPayments")->item(3, 1)->text(), "0.00");

    type("numIntRate", "51");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "The maximum interest rate allowed is 50%");
    EXPECT_TRUE(hasFocus("numIntRate"));
}

TEST_F(FinanceWindowsTest, LoanComparisonSaysWhyThereIsNothingToCompareWithoutARate)
{
    ASSERT_NE(open("mnuLoansComparison"), nullptr);
    auto* note = child<QLabel>("lblCompNote");
    type("numBAmt", "100000");
    enter("numIntRate", "0");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains("enter an interest rate above 0")) << note->text().toStdString();
    printRefused();
    enter("numIntRate", "12");
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, DailyBalanceSaysWhenTheSpunRateIsAboveWhatMayBeTyped)
{
    ASSERT_NE(open("mnuDailyBalance"), nullptr);
    auto* note = child<QLabel>("lblRateNote");
    type("numCapAmount", "10000");
    type("numIntRate", "40");
    EXPECT_FALSE(note->isVisible());
    spin("spRate", true);
    EXPECT_EQ(shown("numIntRate"), "40.250");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains("40 %")) << note->text().toStdString();
    // Kept between visits, and said again.
    close();
    ASSERT_NE(open("mnuDailyBalance"), nullptr);
    EXPECT_TRUE(child<QLabel>("lblRateNote")->isVisible());
    spin("spRate", false);
    EXPECT_EQ(shown("numIntRate"), "40.000");
    EXPECT_FALSE(child<QLabel>("lblRateNote")->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, DailyBalanceCountsDaysAndInterest)
{
    ASSERT_NE(open("mnuDailyBalance"), nullptr);
    EXPECT_EQ(w->objectName(), "frmDayBal");
    EXPECT_EQ(w->windowTitle(), "Daily Balance");
    // A fresh start: both dates empty, nothing counted.
    EXPECT_EQ(shown("dtStartDate"), "");
    EXPECT_EQ(shown("dtEndDate"), "");
    EXPECT_EQ(shown("numAnsDB1"), "0.00");
    EXPECT_EQ(shown("numAnsDB2"), "0");

    type("numCapAmount", "10000");
    type("numIntRate", "10");
    type("dtStartDate", "01/03/2017");
    // Calculate with the end date missing asks for it.
    click("cmdCalculate");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Please enter the end date.");
    EXPECT_TRUE(hasFocus("dtEndDate"));
    messages.clear();

    enter("dtEndDate", "31/03/2017");
    EXPECT_EQ(shown("numAnsDB2"), "30");
    EXPECT_EQ(shown("numAnsDB1"), "82.19");

    const QSqlRecord row = printRow("DailyBal", "DayBal.rpt");
    EXPECT_EQ(row.value("CapAmount").toDouble(), 10000);
    EXPECT_EQ(row.value("StartDate").toDouble(), 42795);
    EXPECT_EQ(row.value("EndDate").toDouble(), 42825);
    EXPECT_NEAR(row.value("ANS1").toDouble(), 82.19, 0.005);
    EXPECT_EQ(row.value("ANS2").toInt(), 30);

    // The same day twice: nothing to print.
    enter("dtEndDate", "01/03/2017");
    EXPECT_EQ(shown("numAnsDB2"), "0");
    printRefused();

    // Reopened, the case comes back; after "&Initialise All" it is gone.
    close();
    ASSERT_NE(open("mnuDailyBalance"), nullptr);
    EXPECT_EQ(shown("dtStartDate"), "01/03/2017");
    EXPECT_EQ(shown("numCapAmount"), "10000.00");
    open("mnuNew");
    EXPECT_EQ(window.calculatorWindow("frmDayBal"), nullptr);
    ASSERT_NE(open("mnuDailyBalance"), nullptr);
    EXPECT_EQ(shown("dtStartDate"), "");
    EXPECT_EQ(shown("numAnsDB1"), "0.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, DailyBalanceDatesAreHeldToEachOther)
{
    ASSERT_NE(open("mnuDailyBalance"), nullptr);
    type("dtStartDate", "01/03/2017");

    struct Case {
        const char* field;
        const char* typed;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {"dtEndDate", "31/02/2017", "INVALID DATE", "The date entered is invalid please enter a valid date."},
        {"dtEndDate", "1/3/2047x", "INVALID DATE", "The date entered is invalid please enter a valid date."},
        {"dtEndDate", "05/03/2047", "DATE OUT OF RANGE",
         "The date entered is more than 30 years(360 months) after 01/03/2017."},
        {"dtEndDate", "28/02/2017", "DATE OUT OF RANGE", "The end date cannot be before the start date 01/03/2017."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        type(c.field, c.typed);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].title, c.title);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(hasFocus(c.field));
        EXPECT_EQ(shown(c.field), "") << "the entry goes back to what the field had";
    }
    // The last day allowed is exactly 10 960 days on.
    messages.clear();
    type("dtEndDate", "04/03/2047");
    EXPECT_TRUE(messages.empty());

    // Now the start date is held to the end date.
    const Case starts[] = {
        {"dtStartDate", "04/03/2047", "DATE OUT OF RANGE", "The start date must be before the end date 04/03/2047."},
        {"dtStartDate", "28/02/2017", "DATE OUT OF RANGE",
         "The date entered is more than 30 years(360 months) before 04/03/2047."},
    };
    for (const Case& c : starts) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        type(c.field, c.typed);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].title, c.title);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(shown(c.field), "01/03/2017");
    }
    messages.clear();

    // A date can be emptied again, and is then not counted.
    type("dtEndDate", "");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(state.memory<FinanceMemory>().DayBalEnd, -36522);
}

TEST_F(FinanceWindowsTest, DailyBalanceSpinControls)
{
    ASSERT_NE(open("mnuDailyBalance"), nullptr);
    type("numCapAmount", "10000");
    type("numIntRate", "0.25");
    type("dtStartDate", "01/03/2017");
    enter("dtEndDate", "31/03/2017");

    // The date spin moves the end date and recalculates; never before the start.
    spin("spDate", true);
    EXPECT_EQ(shown("dtEndDate"), "01/04/2017");
    EXPECT_EQ(shown("numAnsDB2"), "31");
    type("dtEndDate", "02/03/2017");
    spin("spDate", false);
    spin("spDate", false);
    EXPECT_EQ(shown("dtEndDate"), "01/03/2017");
    EXPECT_EQ(shown("numAnsDB2"), "0");
    // Up and Down in the end date field do the same.
    auto* end = child<QLineEdit>("dtEndDate");
    end->setFocus();
    QTest::keyClick(end, Qt::Key_Up);
    EXPECT_EQ(shown("dtEndDate"), "02/03/2017");

    // Down from 0.25 beeps and wraps to 50, beyond what may be typed; the
    // focus goes to "&OK" and leaving the rate field does not refuse it.
    spin("spRate", false);
    EXPECT_EQ(shown("numIntRate"), "50.000");
    EXPECT_TRUE(hasFocus("cmdOk"));
    EXPECT_EQ(shown("numAnsDB1"), "13.70");  // 10 000 at 50 % for one day
    child<QLineEdit>("numIntRate")->setFocus();
    child<QPushButton>("cmdCalculate")->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(shown("numIntRate"), "50.000");
    // Typed, 50 is over the 40 % limit.
    type("numIntRate", "50");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Incorrect Interest Rate!");
    EXPECT_EQ(messages[0].text, "The maximum Interest Rate allowed is 40%");
    EXPECT_TRUE(hasFocus("numIntRate"));
    EXPECT_EQ(shown("numIntRate"), "50.000");
    messages.clear();
    // The spun rate is back, and leaving the field now takes it.
    child<QPushButton>("cmdCalculate")->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages.empty());
    // Up from 50 wraps to the step.
    spin("spRate", true);
    EXPECT_EQ(shown("numIntRate"), "0.250");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, InflationProjectsAndRefusesWhatItCannotShow)
{
    ASSERT_NE(open("mnuInflationProject"), nullptr);
    EXPECT_EQ(w->objectName(), "frmInflation");
    EXPECT_EQ(w->windowTitle(), "Inflation");
    type("numPresCost", "1000");
    type("numPeriod", "10");
    enter("numInflaRate", "10");
    EXPECT_EQ(shown("numAns1"), "2 593.74");
    EXPECT_EQ(shown("numAns2"), "385.54");

    const QSqlRecord row = printRow("Inflation", "Inflatin.rpt");
    EXPECT_EQ(row.value("PresCost").toDouble(), 1000);
    EXPECT_EQ(row.value("Period").toDouble(), 10);
    EXPECT_EQ(row.value("InflaRate").toDouble(), 10);
    EXPECT_NEAR(row.value("Ans1").toDouble(), 2593.74, 0.005);
    EXPECT_NEAR(row.value("ANS2").toDouble(), 385.54, 0.005);

    // Too large to show: the label in the figure's place, and no printout.
    type("numPresCost", "9999999999");
    type("numPeriod", "40");
    enter("numInflaRate", "40");
    auto* tooLarge = child<QLabel>("Label2_12");
    EXPECT_TRUE(tooLarge->isVisible());
    EXPECT_EQ(tooLarge->text(), "Amount too large to display");
    EXPECT_FALSE(child<QLineEdit>("numAns1")->isVisible());
    printRefused();
    enter("numPresCost", "1000");
    EXPECT_FALSE(tooLarge->isVisible());
    EXPECT_TRUE(child<QLineEdit>("numAns1")->isVisible());

    // The field limits, with their messages.
    type("numInflaRate", "41");
    type("numPeriod", "41");
    type("numInflaRate", "-5.25");
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].title, "Incorrect Inflation Rate!");
    EXPECT_EQ(messages[0].text, "The range of the Inflation Rate is between -5% and 40%");
    EXPECT_EQ(messages[1].title, "Incorrect Period!");
    EXPECT_EQ(messages[1].text, "The maximum period allowed 40 years");
    EXPECT_EQ(messages[2].title, "Incorrect Inflation Rate!");
    EXPECT_TRUE(hasFocus("numInflaRate"));
}

TEST_F(FinanceWindowsTest, InflationSpinControlsWrap)
{
    ASSERT_NE(open("mnuInflationProject"), nullptr);
    type("numPresCost", "1000");
    type("numPeriod", "40");
    enter("numInflaRate", "30");

    spin("spInflation", true);
    EXPECT_EQ(shown("numInflaRate"), "-5.00");
    EXPECT_TRUE(hasFocus("cmdOk"));
    spin("spInflation", false);
    EXPECT_EQ(shown("numInflaRate"), "30.00");
    spin("spPeriod", true);
    EXPECT_EQ(shown("numPeriod"), "1");
    EXPECT_EQ(shown("numAns1"), "1 300.00") << "recalculated";
    spin("spPeriod", false);
    EXPECT_EQ(shown("numPeriod"), "40");
    // A period of 0 is left alone.
    type("numPeriod", "0");
    spin("spPeriod", true);
    EXPECT_EQ(shown("numPeriod"), "0");
    // Kept between visits, the last case is projected again on opening.
    close();
    ASSERT_NE(open("mnuInflationProject"), nullptr);
    EXPECT_EQ(shown("numInflaRate"), "30.00");
    EXPECT_EQ(shown("numAns1"), "1 000.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinanceWindowsTest, EveryWindowOpensReadyToTypeWithNoSharedMnemonic)
{
    const std::pair<const char*, const char*> windows[] = {
        {"mnuLoansBuster", "numPrinAmount"},
        {"mnuLoansComparison", "numBAmt"},
        {"mnuDailyBalance", "numCapAmount"},
        {"mnuInflationProject", "numPresCost"},
    };
    for (const auto& [command, first] : windows) {
        SCOPED_TRACE(command);
        ASSERT_NE(open(command), nullptr);
        EXPECT_TRUE(hasFocus(first));
        EXPECT_EQ(test::sharedMnemonics(w), QStringList());
        // A case that prints, so the print panel comes up.
        type(first, "1000");
        if (std::string_view(command) == "mnuDailyBalance") {
            type("numIntRate", "10");
            type("dtStartDate", "01/03/2017");
            type("dtEndDate", "31/03/2017");
        } else if (std::string_view(command) != "mnuInflationProject") {
            type("numIntRate", "10");
        }
        click("cmdPrint");
        ASSERT_TRUE(child<QWidget>("fraPrint")->isVisible());
        EXPECT_EQ(test::sharedMnemonics(w), QStringList());
        click("cmdCancel");
        close();
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace grossby
