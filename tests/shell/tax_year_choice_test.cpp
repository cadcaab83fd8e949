// Choosing the tax year in the program: the menu bar's "Tax &year", the
// status bar, and the year-dependent windows following the choice (caption,
// dates, greyed figures), each window able to keep a year of its own through
// its Setup panel so two years can be worked side by side.

#include "app/registration.h"
#include "core/module1.h"
#include "gui_test_util.h"
#include "services/file_locations.h"
#include "shell/main_window.h"
#include "widgets/calculator_window.h"
#include "widgets/date_edit.h"
#include "widgets/message_service.h"
#include "widgets/setup_panel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace grossby {
namespace {

// The years these tests choose; where the program does not ship one (yet),
// 2017/18's figures moved to its dates stand in for it: what is checked here
// is the choice, not the figures.
void haveYears(std::initializer_list<int> years)
{
    static QTemporaryDir folder;
    QFile shipped(QStringLiteral(GROSSBY_TEMPLATE_DIR "/../years/2018.json"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(shipped.readAll());
    bool added = false;
    for (int year : years) {
        if (findTaxYear(year))
            continue;
        const QString label = QString::fromStdString(taxYearLabel(year));
        QString moved = text;
        moved.replace("\"year\": 2018", QStringLiteral("\"year\": %1").arg(year))
            .replace("2017/18", label)
            .replace("2018-02-28", QStringLiteral("%1-02-%2").arg(year).arg(year % 4 == 0 ? 29 : 28))
            .replace("2017-03-01", QStringLiteral("%1-03-01").arg(year - 1));
        QFile file(QDir(folder.path()).filePath(QStringLiteral("%1.json").arg(year)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(moved.toUtf8());
        added = true;
    }
    if (added)
        addTaxYearFolder(folder.path().toStdString());
    for (int year : years)
        ASSERT_NE(findTaxYear(year), nullptr) << year;
}

class TaxYearChoiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { haveYears({2024, 2026, 2027}); }
    void SetUp() override
    {
        setMessageHandler([this](const MessageRequest& request) {
            messages.append(request);
            return QMessageBox::Ok;
        });
        setDatabasePaths(state, folder.path());
        window.setProgramFolder(folder.path());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override { setMessageHandler({}); }

    CalculatorWindow* open(const char* command)
    {
        window.findChild<QAction*>(command)->trigger();
        QCoreApplication::processEvents();
        QMdiSubWindow* frame = window.mdiArea()->activeSubWindow();
        return frame ? qobject_cast<CalculatorWindow*>(frame->widget()) : nullptr;
    }
    void choose(int year) { window.findChild<QAction*>(QStringLiteral("mnuTaxYear%1").arg(year))->trigger(); }
    QString statusText() const { return window.findChild<QToolButton*>("lblTaxYear")->text(); }
    static QString date(QWidget* w, const char* name) { return test::child<DateEdit>(w, name)->text(); }
    static bool stale(QWidget* w, const char* name) { return test::child(w, name)->property("stale").toBool(); }

    QTemporaryDir folder;
    Module1 state;
    MainWindow window{state, programCalculators()};
    QList<MessageRequest> messages;
};

TEST_F(TaxYearChoiceTest, TheMenuListsEveryYearAndTheStatusBarShowsTheOneChosen)
{
    QMenu* menu = window.findChild<QMenu*>("mnuTaxYear");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "Tax &year");
    QStringList listed, expected;
    for (const QAction* a : menu->actions()) {
        listed.append(a->text());
        EXPECT_TRUE(a->isCheckable());
        EXPECT_EQ(a->isChecked(), a->text() == "2017/18") << a->text().toStdString();
    }
    for (const TaxYearFigures* year : taxYears())
        expected.append(QString::fromStdString(year->label));
    EXPECT_EQ(listed, expected);
    ASSERT_TRUE(listed.contains("2025/26"));
    EXPECT_EQ(statusText(), "Tax year 2017/18");
    // The status bar offers the same choice.
    EXPECT_EQ(window.findChild<QToolButton*>("lblTaxYear")->menu(), menu);

    choose(2026);
    EXPECT_EQ(state.TaxYear, 2026);
    EXPECT_EQ(statusText(), "Tax year 2025/26");
    EXPECT_TRUE(window.findChild<QAction*>("mnuTaxYear2026")->isChecked());
    EXPECT_FALSE(window.findChild<QAction*>("mnuTaxYear2018")->isChecked());

    // Initialise All keeps the year chosen.
    window.initialiseAll();
    EXPECT_EQ(state.TaxYear, 2026);
    EXPECT_EQ(statusText(), "Tax year 2025/26");
}

// The year-dependent windows name a year other than 2017/18 in their caption
// and follow the menu; their 2017/18 captions are the ones they always had.
// The finance windows have no year.
TEST_F(TaxYearChoiceTest, OpenWindowsFollowTheMenuAndNameTheYearInTheirCaption)
{
    const std::vector<std::pair<const char*, QString>> windows = {
        {"mnuMonthly", "Monthly"},
        {"mnuAnnual", "Annual"},
        {"mnuWeekly", "Weekly"},
        {"mnuFortNight", "Fortnightly"},
        {"mnuDaily", "Daily"},
        {"QuickTax", "QuickTax"},
        {"mnuPelmoraMon", "Pelmora : Monthly Calculation"},
        {"mnuGrossbyAnn", "Grossby : Annual Calculation"},
        {"mnuCarAll1", "Travel Allowance"},
        {"mnuCompCar", "Full use of Company Car :  Vehicle number 0 of 0"},
    };
    std::vector<CalculatorWindow*> opened;
    for (const auto& [command, caption] : windows) {
        CalculatorWindow* w = open(command);
        ASSERT_NE(w, nullptr) << command;
        EXPECT_EQ(w->windowTitle(), caption);
        EXPECT_TRUE(w->followsTaxYear()) << command;
        opened.push_back(w);
    }
    CalculatorWindow* loans = open("mnuLoans");
    ASSERT_NE(loans, nullptr);

    choose(2026);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(opened[i]->windowTitle(), windows[i].second + " (2025/26)");
        EXPECT_EQ(opened[i]->taxYear(), 2026);
    }
    EXPECT_EQ(loans->windowTitle(), "Loans");

    CalculatorWindow* monthly = opened[0];
    EXPECT_EQ(date(monthly, "dtMStartDate"), "01/03/2025");
    EXPECT_EQ(date(monthly, "dtMEndDate"), "31/03/2025");
    EXPECT_EQ(date(opened[1], "dtEndDate"), "28/02/2026");
    EXPECT_EQ(date(opened[8], "dtCarAlEndDate"), "28/02/2026");
    EXPECT_EQ(test::shown(opened[8], "silgEdit13_6"), "365");
    // The figures shown are the last year's until Calculate is pressed.
    EXPECT_TRUE(stale(monthly, "numMAns"));
    EXPECT_TRUE(stale(opened[5], "sidbEdit1_7"));
    test::click(opened[5], "cmdCalculate");
    EXPECT_FALSE(stale(opened[5], "sidbEdit1_7"));
    // The calculations are given the year: they take its dates.
    test::click(monthly, "cmdCalculate");
    EXPECT_FALSE(stale(monthly, "numMAns"));
    test::click(opened[8], "cmdCalculate");
    EXPECT_TRUE(messages.isEmpty()) << messages.first().text.toStdString();

    choose(2018);
    for (std::size_t i = 0; i < windows.size(); ++i)
        EXPECT_EQ(opened[i]->windowTitle(), windows[i].second);
    EXPECT_EQ(date(monthly, "dtMStartDate"), "01/03/2017");
    EXPECT_EQ(date(opened[1], "dtEndDate"), "28/02/2018");
}

TEST_F(TaxYearChoiceTest, AWindowOpenedInAnotherYearHasItsDatesAndRefusesTheOldOnes)
{
    choose(2024);  // 2023/24 holds 29 February
    CalculatorWindow* monthly = open("mnuMonthly");
    ASSERT_NE(monthly, nullptr);
    EXPECT_EQ(monthly->windowTitle(), "Monthly (2023/24)");
    EXPECT_EQ(date(monthly, "dtMStartDate"), "01/03/2023");
    EXPECT_EQ(date(monthly, "dtMEndDate"), "31/03/2023");
    CalculatorWindow* annual = open("mnuAnnual");
    EXPECT_EQ(date(annual, "dtEndDate"), "29/02/2024");

    test::type(monthly, "dtMStartDate", "01/03/2017");
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last().text,
              "The date entered is not correct please enter a date between 01/03/2023 and 29/02/2024");
    EXPECT_EQ(date(monthly, "dtMStartDate"), "01/03/2023");
}

// Two years side by side: the Setup panel moves its own window only; the menu
// moves every window, the panels with them.
TEST_F(TaxYearChoiceTest, TheSetupPanelChoosesItsWindowsYearAlone)
{
    CalculatorWindow* monthly = open("mnuMonthly");
    CalculatorWindow* package = open("mnuPelmoraMon");
    CalculatorWindow* quick = open("QuickTax");
    auto* monthlyYear = test::child<SetupPanel>(monthly, "Frame3")->taxYearField();
    auto* packageYear = package->findChild<SetupPanel*>()->taxYearField();
    ASSERT_NE(monthlyYear, nullptr);
    ASSERT_NE(packageYear, nullptr);
    EXPECT_EQ(monthlyYear->currentText(), "2017/18");

    const int index = monthlyYear->findText("2025/26");
    monthlyYear->setCurrentIndex(index);
    Q_EMIT monthlyYear->activated(index);
    EXPECT_EQ(monthly->windowTitle(), "Monthly (2025/26)");
    EXPECT_EQ(date(monthly, "dtMStartDate"), "01/03/2025");
    EXPECT_EQ(package->windowTitle(), "Pelmora : Monthly Calculation");
    EXPECT_EQ(quick->windowTitle(), "QuickTax");
    EXPECT_EQ(state.TaxYear, 2018);
    EXPECT_EQ(statusText(), "Tax year 2017/18");

    choose(2027);
    EXPECT_EQ(monthlyYear->currentText(), "2026/27");
    EXPECT_EQ(packageYear->currentText(), "2026/27");
    EXPECT_EQ(package->windowTitle(), "Pelmora : Monthly Calculation (2026/27)");
}

}  // namespace
}  // namespace grossby
