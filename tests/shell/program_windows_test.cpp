// The real calculator windows opened from the main window's menus: the
// shared state carries the last annual income from one to the other, and
// "&Initialise All" closes one and leaves the other.

#include "app/registration.h"
#include "core/module1.h"
#include "gui_test_util.h"
#include "services/file_locations.h"
#include "shell/main_window.h"
#include "widgets/calculator_registry.h"
#include "widgets/message_service.h"
#include "widgets/report_preview.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace grossby {
namespace {

class ProgramWindowsTest : public ::testing::Test {
protected:
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

    QWidget* open(const char* menuName)
    {
        QAction* action = window.findChild<QAction*>(menuName);
        EXPECT_TRUE(action && action->isEnabled()) << menuName;
        action->trigger();
        QCoreApplication::processEvents();
        return window.mdiArea()->activeSubWindow() ? window.mdiArea()->activeSubWindow()->widget() : nullptr;
    }
    static QString shown(QWidget* w, const QString& name) { return test::shown(w, name); }
    static void type(QWidget* w, const QString& name, const QString& keys) { test::type(w, name, keys); }
    static void click(QWidget* w, const char* name) { test::click(w, QLatin1String(name)); }

    QTemporaryDir folder;
    Module1 state;
    MainWindow window{state, programCalculators()};
    QList<MessageRequest> messages;
};

TEST_F(ProgramWindowsTest, QuickTaxAndMonthlyFromTheMenus)
{
    QWidget* quick = open("QuickTax");
    ASSERT_NE(quick, nullptr);
    EXPECT_EQ(quick->objectName(), "frmKwikTax");
    type(quick, "sidbEdit1_0", "500000");
    type(quick, "sidbEdit1_1", "40");
    click(quick, "cmdCalculate");
    EXPECT_EQ(shown(quick, "sidbEdit1_7"), "115 824.40");

    QWidget* monthly = open("mnuMonthly");
    ASSERT_NE(monthly, nullptr);
    EXPECT_EQ(monthly->objectName(), "frmMonthly");
    type(monthly, "numSalRemun", "20000");
    click(monthly, "cmdCalculate");
    EXPECT_EQ(shown(monthly, "numMAns"), "2 797.85");

    // Brought forward, QuickTax shows the tax on the monthly annual equivalent.
    EXPECT_EQ(open("QuickTax"), quick);
    EXPECT_EQ(shown(quick, "sidbEdit1_0"), "240000.00");
    EXPECT_EQ(shown(quick, "sidbEdit1_5"), "47 209.20");

    // Initialise All closes Monthly and leaves QuickTax with its figures.
    open("mnuNew");
    EXPECT_EQ(window.calculatorWindow("frmMonthly"), nullptr);
    EXPECT_EQ(window.calculatorWindow("frmKwikTax"), quick);
    EXPECT_EQ(shown(quick, "sidbEdit1_0"), "240000.00");
    monthly = open("mnuMonthly");
    EXPECT_EQ(shown(monthly, "numMAns"), "0.00");

    // QuickTax's OK closes it. Opened again it shows the shared figures:
    // the fresh Monthly window has taxed its blank case meanwhile.
    click(quick, "cmdOk");
    EXPECT_EQ(window.calculatorWindow("frmKwikTax"), nullptr);
    quick = open("QuickTax");
    EXPECT_EQ(shown(quick, "sidbEdit1_0"), "0.00");
    EXPECT_EQ(shown(quick, "sidbEdit1_1"), "40");
    EXPECT_EQ(window.mdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ProgramWindowsTest, QuickTaxAltCCalculatesInsteadOfOpeningTheCarMenu)
{
    QWidget* quick = open("QuickTax");
    ASSERT_NE(quick, nullptr);
    auto* income = quick->findChild<QLineEdit*>("sidbEdit1_0");
    income->setFocus();
    income->selectAll();
    QTest::keyClicks(income, "500000");
    QTest::keyClick(income, Qt::Key_C, Qt::AltModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
    EXPECT_EQ(shown(quick, "sidbEdit1_5"), "129 459.40");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ProgramWindowsTest, EveryBuiltTaxWindowOpensFromItsCommand)
{
    const std::pair<const char*, const char*> commands[] = {
        {"mnuAnnual", "frmAnnual"}, {"mnuMonthly", "frmMonthly"}, {"mnuFortNight", "frmFortNight"},
        {"mnuWeekly", "frmWeekly"}, {"mnuDaily", "frmDaily"},     {"QuickTax", "frmKwikTax"},
    };
    for (const auto& [menu, name] : commands) {
        QWidget* w = open(menu);
        ASSERT_NE(w, nullptr) << menu;
        EXPECT_EQ(w->objectName(), name);
        // Each closes with its own OK button, frame and all.
        QPushButton* ok = w->findChild<QPushButton*>("cmdOk");
        ASSERT_NE(ok, nullptr) << menu;
        ok->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(window.calculatorWindow(name), nullptr) << menu;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
}  // namespace grossby

namespace grossby {
namespace {

// The calculators the menus open, with the field that has the focus at first.
const std::pair<const char*, const char*> kBuiltWindows[] = {
    {"mnuAnnual", "Text1"}, {"mnuMonthly", "Text1"},     {"mnuFortNight", "Text1"},     {"mnuWeekly", "Text1"},
    {"mnuDaily", "Text1"},  {"QuickTax", "sidbEdit1_0"}, {"mnuLoans", "numPrinAmount"},
};

TEST_F(ProgramWindowsTest, EveryCalculatorOpensWithTheFocusInItsFirstField)
{
    for (const auto& [menu, first] : kBuiltWindows) {
        SCOPED_TRACE(menu);
        QWidget* w = open(menu);
        ASSERT_NE(w, nullptr);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), first);
        EXPECT_TRUE(w->isAncestorOf(focus));
        // What is typed goes into that field, in place of what it showed.
        QTest::keyClicks(focus, "12");
        EXPECT_EQ(test::shown(w, first), "12");
    }
}

TEST_F(ProgramWindowsTest, NoTwoControlsOfAWindowShareAMnemonic)
{
    for (const auto& [menu, first] : kBuiltWindows) {
        SCOPED_TRACE(menu);
        QWidget* w = open(menu);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(test::sharedMnemonics(w), QStringList());
        // With each panel up, its buttons and the window's uncovered ones.
        for (const char* opener : {"cmdSettings", "cmdInfo_0", "cmdPrint", "cmPrint"}) {
            auto* button = w->findChild<QPushButton*>(opener);
            if (!button)
                continue;
            button->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(test::sharedMnemonics(w), QStringList()) << opener;
            for (const char* closer : {"cmdSetupOK", "cmdOK_Info_One", "cmdCancel"}) {
                auto* close = w->findChild<QPushButton*>(closer);
                if (close && close->isVisible())
                    close->click();
            }
            QCoreApplication::processEvents();
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ProgramWindowsTest, ALargeCalculatorIsScrolledToNeverCutOff)
{
    window.resize(800, 560);
    QCoreApplication::processEvents();
    QWidget* monthly = open("mnuMonthly");
    ASSERT_NE(monthly, nullptr);
    QCoreApplication::processEvents();
    QMdiArea* area = window.mdiArea();
    auto* ok = monthly->findChild<QPushButton*>("cmdOk");
    const auto okOnScreen = [&] {
        const QRect r(ok->mapTo(area->viewport(), QPoint(0, 0)), ok->size());
        return area->viewport()->rect().contains(r);
    };
    if (!okOnScreen()) {
        ASSERT_TRUE(area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible())
            << "the buttons must be reachable";
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(okOnScreen());
}

TEST_F(ProgramWindowsTest, AMaximisedCalculatorKeepsItsFormAtAReadableWidth)
{
    window.resize(1600, 900);
    QWidget* monthly = open("mnuMonthly");
    ASSERT_NE(monthly, nullptr);
    const int natural = monthly->sizeHint().width();
    window.mdiArea()->activeSubWindow()->showMaximized();
    QCoreApplication::processEvents();
    const QRect area = window.mdiArea()->viewport()->rect();
    EXPECT_LE(monthly->width(), natural * 3 / 2);
    EXPECT_LT(monthly->width(), area.width());
    // Centred, or at the left edge; never pushed off to the right.
    const QRect shown(monthly->mapTo(window.mdiArea()->viewport(), QPoint(0, 0)), monthly->size());
    EXPECT_TRUE(area.contains(shown.topLeft()));
    EXPECT_LE(shown.left(), area.width() - shown.right());
}

// Maximised on a 1280 x 800 screen, the calculators have about 1280 x 745
// pixels. Every calculator opens with its buttons in view, and every panel,
// grid or print frame it opens comes up in view with its buttons, scrolled
// there when the window is taller than the area: never below the edge with
// the form locked, as if the program had frozen.
TEST_F(ProgramWindowsTest, OnASmallScreenEveryWindowAndPanelComesUpInView)
{
    window.resize(1280, 770);
    QCoreApplication::processEvents();
    QMdiArea* area = window.mdiArea();
    const auto inView = [&](const QWidget* w) {
        const QRect r(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
        return area->viewport()->rect().contains(r);
    };
    const auto visibleButtons = [](const QWidget* w) {
        QSet<const QPushButton*> shown;
        for (const QPushButton* b : w->findChildren<QPushButton*>())
            if (b->isVisible() && b->isEnabled())
                shown.insert(b);
        return shown;
    };
    // What is typed first so that there is something to print or show.
    const std::map<QString, std::vector<std::pair<const char*, const char*>>> inputs{
        {"frmCompCar", {{"txtCCRegNumber", "CA 1"}, {"numCCPrice", "300000"}}},
        {"frmLoans", {{"numPrinAmount", "100000"}, {"numPeriod", "240"}, {"numIntRate", "12"}}},
        {"frmMonthly", {{"Text1", "L. Naidoo"}}},
    };
    const char* openers[] = {"cmdSettings", "cmdInfo_0",   "cmdRAExpl", "cmdFinCharge",
                             "cmdMonAmort", "cmdAnnAmort", "cmdPrint",  "cmPrint"};
    const char* closers[] = {"cmdSetupOK", "cmdOK_Info_One", "cmdGridClose", "cmdCancel", "cmdRAOK"};
    const CalculatorRegistry calculators = programCalculators();
    int panels = 0;
    for (const CalculatorEntry& entry : calculators.entries()) {
        SCOPED_TRACE(entry.windowName.toStdString());
        QWidget* w = open(entry.commandName.toLatin1().constData());
        ASSERT_NE(w, nullptr);
        QCoreApplication::processEvents();
        for (const QPushButton* b : visibleButtons(w))
            EXPECT_TRUE(inView(b)) << b->objectName().toStdString();
        if (entry.windowName == QLatin1String("frmCompCar"))
            click(w, "cmdAdd");
        if (const auto it = inputs.find(entry.windowName); it != inputs.end())
            for (const auto& [field, text] : it->second)
                test::type(w, QLatin1String(field), QLatin1String(text), "cmdCalculate");
        click(w, "cmdCalculate");
        for (const char* opener : openers) {
            auto* button = w->findChild<QPushButton*>(opener);
            if (!button || !button->isVisible() || !button->isEnabled())
                continue;
            const QSet<const QPushButton*> before = visibleButtons(w);
            button->click();
            QCoreApplication::processEvents();
            for (const QPushButton* b : visibleButtons(w)) {
                if (!before.contains(b)) {
                    ++panels;
                    EXPECT_TRUE(inView(b)) << opener << " opens " << b->objectName().toStdString() << " out of view";
                }
            }
            for (const char* closer : closers) {
                auto* close = w->findChild<QPushButton*>(closer);
                if (close && close->isVisible() && close->isEnabled())
                    close->click();
            }
            QCoreApplication::processEvents();
        }
        if (auto* ok = w->findChild<QPushButton*>("cmdOk"); ok && ok->isEnabled())
            ok->click();
        QCoreApplication::processEvents();
    }
    EXPECT_GE(panels, 10) << "the panels were opened";
}

// A window opened beside others comes a step below and right of them, whole
// in the area: not pushed into whichever corner is free (after Initialise
// All, Loans used to open in the bottom-right corner over the company car).
TEST_F(ProgramWindowsTest, ANewWindowOpensAStepBelowTheOthersNotInAFreeCorner)
{
    window.resize(1280, 770);
    QCoreApplication::processEvents();
    open("mnuCompCar");
    window.findChild<QAction*>("mnuNew")->trigger();
    QCoreApplication::processEvents();
    open("mnuCompCar");
    const QRect first = window.mdiArea()->activeSubWindow()->geometry();
    open("mnuLoans");
    const QRect loans = window.mdiArea()->activeSubWindow()->geometry();
    EXPECT_GT(loans.top(), first.top());
    EXPECT_LT(loans.top(), first.top() + 60);
    EXPECT_GT(loans.left(), first.left());
    EXPECT_LT(loans.left(), first.left() + 60);
    EXPECT_TRUE(window.mdiArea()->viewport()->rect().contains(loans));
}

}  // namespace
}  // namespace grossby
