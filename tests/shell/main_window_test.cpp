// The main window: its menus, opening calculator windows, "&Initialise All",
// the company-car widening, the system calculator and the web page.

#include "app/registration.h"
#include "core/module1.h"
#include "payroll/quicktax_state.h"
#include "shell/help_browser.h"
#include "shell/main_window.h"
#include "widgets/message_service.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeySequence>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace grossby {
namespace {

// Stands in for a calculator window: keeps what is typed into it and notes
// when it is closed.
class StandIn : public QWidget {
public:
    StandIn(const QString& name, QStringList* closeLog)
        : m_closeLog(closeLog)
    {
        setObjectName(name);
        edit = new QLineEdit(this);
        resize(300, 200);
    }
    QLineEdit* edit = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        m_closeLog->append(objectName());
        event->accept();
    }

private:
    QStringList* m_closeLog;
};

const QStringList kCalculatorWindows = {
    "frmGrossbyMon", "frmGrossbyAnn", "frmPelmoraMon", "frmPelmoraAnn", "frmAnnual",  "frmMonthly",
    "frmFortNight",  "frmWeekly",     "frmDaily",      "frmKwikTax",    "frmCompCar", "frmCarAll1",
    "frmInflation",  "frmLoans",      "frmLoanBuster", "frmLoanComp",   "frmDayBal"};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMessageHandler([this](const MessageRequest& request) {
            messages.append(request);
            return QMessageBox::Ok;
        });
        window = std::make_unique<MainWindow>(state, programCalculators());
        window->setProgramFolder(folder.path());
        for (const QString& name : kCalculatorWindows) {
            window->setCalculatorFactory(name, [this, name](Module1&) {
                cursorWhileOpening =
                    QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
                return new StandIn(name, &closeLog);
            });
        }
        window->show();
    }
    void TearDown() override { setMessageHandler({}); }

    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    void open(const char* menuName)
    {
        action(menuName)->trigger();
        QCoreApplication::processEvents();
    }
    StandIn* standIn(const QString& name) const { return static_cast<StandIn*>(window->calculatorWindow(name)); }

    QTemporaryDir folder;
    Module1 state;
    std::unique_ptr<MainWindow> window;
    QList<MessageRequest> messages;
    QStringList closeLog;
    Qt::CursorShape cursorWhileOpening = Qt::ArrowCursor;
};

// Reaches QObject::receivers() to tell whether a command does anything.
struct ReceiverCount : QObject {
    static int of(const QAction* action) { return (action->*(&ReceiverCount::receivers))(SIGNAL(triggered(bool))); }
};

// Every command of the menu bar and its menus, depth first.
QList<QAction*> menuCommands(const QMenuBar* bar)
{
    QList<QAction*> all;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            all.append(a);
            if (a->menu())
                walk(a->menu()->actions());
        }
    };
    walk(bar->actions());
    return all;
}

// Mnemonic letters of the entries of one menu that share one.
QStringList sharedMnemonics(const QList<QAction*>& entries)
{
    QHash<QKeySequence, QStringList> byKey;
    for (const QAction* a : entries) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        if (!key.isEmpty())
            byKey[key].append(a->text());
    }
    QStringList clashes;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            clashes.append(it.value().join(" / "));
    }
    return clashes;
}

TEST(MainWindowMenus, EveryCommandIsOneActionWithAWindowOrAHandler)
{
    Module1 state;
    MainWindow window(state, programCalculators());
    const QList<QAction*> commands = menuCommands(window.menuBar());
    QSet<QString> names;
    for (QAction* a : commands) {
        SCOPED_TRACE(a->objectName().toStdString() + " " + a->text().toStdString());
        EXPECT_FALSE(a->objectName().isEmpty()) << "every entry is named";
        EXPECT_FALSE(names.contains(a->objectName())) << "one action per command";
        names.insert(a->objectName());
        EXPECT_EQ(window.findChildren<QAction*>(a->objectName()).size(), 1);
        if (a->isSeparator() || a->menu())
            continue;
        const CalculatorEntry* calculator = window.calculators().byCommand(a->objectName());
        if (calculator) {
            EXPECT_EQ(a->isEnabled(), bool(calculator->factory)) << "a built window's command is enabled";
        }
        if (a->isEnabled()) {
            EXPECT_GT(ReceiverCount::of(a), 0) << "an enabled command does something";
        }
    }
    // Every registered calculator has its command, once.
    for (const CalculatorEntry& entry : window.calculators().entries()) {
        SCOPED_TRACE(entry.windowName.toStdString());
        EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                                [&](const QAction* a) { return a->objectName() == entry.commandName; }),
                  1);
    }
    // The payroll and loan windows are built (whether the others are, the
    // registry says, and the loop above checks); searching the help is not a
    // command of its own.
    for (const char* built :
         {"mnuAnnual", "mnuMonthly", "mnuFortNight", "mnuWeekly", "mnuDaily", "QuickTax", "mnuLoans"})
        EXPECT_TRUE(window.findChild<QAction*>(built)->isEnabled()) << built;
    EXPECT_FALSE(window.findChild<QAction*>("mnuHelpSearchForHelpOn")->isEnabled());
}

// The menu tree as the program shows it, captions in order: the one place
// that spells it out. The calculator menus are built from the registered
// entries, so this catches an entry moved, renamed or left out.
TEST(MainWindowMenus, TheTreeHasItsCaptionsInOrder)
{
    Module1 state;
    MainWindow window(state, programCalculators());
    QStringList tree;
    for (const QAction* top : window.menuBar()->actions()) {
        tree.append(top->text());
        if (!top->menu())
            continue;
        for (const QAction* a : top->menu()->actions())
            tree.append(QStringLiteral("  ") + (a->isSeparator() ? QStringLiteral("-") : a->text()));
    }
    QStringList years;
    for (const TaxYearFigures* year : taxYears())
        years.append(QStringLiteral("  ") + QString::fromStdString(year->label));
    EXPECT_EQ(tree,
              QStringList({"&File",
                           "  &Initialise All",
                           "  -",
                           "  &Printer Setup",
                           "  -",
                           "  E&xit",
                           "&Grossby",
                           "  &Monthly",
                           "  &Annual",
                           "P&elmora",
                           "  &Monthly",
                           "  &Annual",
                           "&TaxCalcs",
                           "  &Annual",
                           "  &Monthly",
                           "  &FortNightly",
                           "  &Weekly",
                           "  &Daily",
                           "&QuickTax",
                           "&Car Calculations",
                           "  &Company car",
                           "  Car Allowance",
                           "Bu&siness Calculations",
                           "  Inflation Projections",
                           "  Loans",
                           "  Loan buster",
                           "  Loan comparison",
                           "  Daily balance",
                           "Tax &year"}) +
                  years +
                  QStringList({"&MS-Calculator", "&Help/Videos", "  Grossby 2018 Help", "  Video Lectures",
                               "  &Search For Help On...", "  -", "  &About Grossby2018..."}))
        << tree.join('\n').toStdString();
}

TEST(MainWindowMenus, NoTwoEntriesOfAMenuShareAMnemonic)
{
    Module1 state;
    MainWindow window(state, programCalculators());
    EXPECT_EQ(sharedMnemonics(window.menuBar()->actions()), QStringList());
    for (const QAction* a : menuCommands(window.menuBar())) {
        if (a->menu()) {
            EXPECT_EQ(sharedMnemonics(a->menu()->actions()), QStringList()) << a->objectName().toStdString();
        }
    }
    // QuickTax has a letter of its own on the menu bar.
    EXPECT_FALSE(QKeySequence::mnemonic(window.findChild<QAction*>("QuickTax")->text()).isEmpty());
}

TEST(MainWindowMenus, InitialiseAllClosesInItsOrder)
{
    Module1 state;
    const MainWindow window(state, programCalculators());
    EXPECT_EQ(window.initialiseAllCloseOrder(),
              QStringList({"frmAnnual", "frmMonthly", "frmWeekly", "frmDaily", "frmCompCar", "frmCarAll1",
                           "frmHelpBrowser", "frmInflation", "frmLoans", "frmLoanBuster", "frmLoanComp", "frmDayBal",
                           "frmGrossbyMon", "frmGrossbyAnn", "frmPelmoraMon", "frmPelmoraAnn"}));
}

TEST_F(MainWindowTest, F10TakesTheKeyboardToTheMenuBar)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    open("mnuMonthly");
    standIn("frmMonthly")->edit->setFocus();
    QTest::keyClick(standIn("frmMonthly")->edit, Qt::Key_F10);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->menuBar()->activeAction(), action("mnuFile"));
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

TEST_F(MainWindowTest, CalculatorCommandIsEnabledOnlyWhenItsWindowCanBeMade)
{
    window->setCalculatorFactory("frmLoans", nullptr);
    EXPECT_FALSE(action("mnuLoans")->isEnabled());
    action("mnuLoans")->trigger();
    EXPECT_EQ(window->calculatorWindow("frmLoans"), nullptr);
    EXPECT_EQ(window->openCalculator("frmLoans"), nullptr);

    window->setCalculatorFactory("frmLoans", [this](Module1&) { return new StandIn("frmLoans", &closeLog); });
    EXPECT_TRUE(action("mnuLoans")->isEnabled());
}

TEST_F(MainWindowTest, EachMenuCommandOpensItsOwnWindowUnderTheBusyPointer)
{
    const std::pair<const char*, const char*> commands[] = {
        {"mnuGrossbyMon", "frmGrossbyMon"},
        {"mnuGrossbyAnn", "frmGrossbyAnn"},
        {"mnuPelmoraMon", "frmPelmoraMon"},
        {"mnuPelmoraAnn", "frmPelmoraAnn"},
        {"mnuAnnual", "frmAnnual"},
        {"mnuMonthly", "frmMonthly"},
        {"mnuFortNight", "frmFortNight"},
        {"mnuWeekly", "frmWeekly"},
        {"mnuDaily", "frmDaily"},
        {"QuickTax", "frmKwikTax"},
        {"mnuCompCar", "frmCompCar"},
        {"mnuCarAll1", "frmCarAll1"},
        {"mnuInflationProject", "frmInflation"},
        {"mnuLoans", "frmLoans"},
        {"mnuLoansBuster", "frmLoanBuster"},
        {"mnuLoansComparison", "frmLoanComp"},
        {"mnuDailyBalance", "frmDayBal"},
    };
    for (const auto& [menu, name] : commands) {
        SCOPED_TRACE(menu);
        cursorWhileOpening = Qt::ArrowCursor;
        open(menu);
        QWidget* w = window->calculatorWindow(name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), name);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(window->mdiArea()->activeSubWindow()->widget(), w);
        EXPECT_EQ(cursorWhileOpening, Qt::WaitCursor);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), int(std::size(commands)));
}

TEST_F(MainWindowTest, OpeningAnOpenCalculatorBringsItForwardWithItsContents)
{
    open("mnuMonthly");
    StandIn* monthly = standIn("frmMonthly");
    monthly->edit->setText("20000");
    open("mnuWeekly");
    EXPECT_NE(window->mdiArea()->activeSubWindow()->widget(), monthly);

    open("mnuMonthly");
    EXPECT_EQ(standIn("frmMonthly"), monthly);
    EXPECT_EQ(monthly->edit->text(), "20000");
    EXPECT_EQ(window->mdiArea()->activeSubWindow()->widget(), monthly);
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);

    // A minimised one comes back too.
    window->mdiArea()->activeSubWindow()->showMinimized();
    open("mnuMonthly");
    EXPECT_FALSE(window->mdiArea()->activeSubWindow()->isMinimized());
    EXPECT_EQ(window->mdiArea()->activeSubWindow()->widget(), monthly);
}

TEST_F(MainWindowTest, ClosedCalculatorOpensAgainFresh)
{
    open("mnuDaily");
    QPointer<StandIn> daily = standIn("frmDaily");
    daily->edit->setText("1000");

    // The window closing itself (its OK button) takes its frame with it.
    daily->close();
    EXPECT_EQ(window->calculatorWindow("frmDaily"), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(daily.isNull());
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());

    open("mnuDaily");
    ASSERT_NE(standIn("frmDaily"), nullptr);
    EXPECT_EQ(standIn("frmDaily")->edit->text(), "");

    // So does closing the frame.
    window->mdiArea()->activeSubWindow()->close();
    EXPECT_EQ(window->calculatorWindow("frmDaily"), nullptr);
    EXPECT_EQ(closeLog, QStringList({"frmDaily", "frmDaily"}));
}

TEST_F(MainWindowTest, CascadingCommandsArrangeTheOpenWindows)
{
    open("mnuAnnual");
    QMdiSubWindow* annual = window->mdiArea()->activeSubWindow();
    annual->move(310, 270);
    open("mnuDaily");  // no cascade
    EXPECT_EQ(annual->pos(), QPoint(310, 270));
    open("mnuCarAll1");  // cascades
    EXPECT_NE(annual->pos(), QPoint(310, 270));
}

TEST_F(MainWindowTest, InitialiseAllClosesItsListInOrderAndLeavesFortnightlyAndQuickTax)
{
    for (const QString& name : kCalculatorWindows)
        window->openCalculator(name);
    ASSERT_EQ(window->mdiArea()->subWindowList().size(), kCalculatorWindows.size());
    standIn("frmFortNight")->edit->setText("fortnight");
    standIn("frmKwikTax")->edit->setText("quick");
    state.AnnualTaxableIncome = 240000;
    state.memory<QuickTaxMemory>().AnnualTax = 47209.2;
    state.memory<QuickTaxMemory>().MarginalRate = 26;

    open("mnuNew");

    QStringList expected = window->initialiseAllCloseOrder();
    expected.removeAll("frmHelpBrowser");
    EXPECT_EQ(closeLog, expected);
    EXPECT_EQ(standIn("frmFortNight")->edit->text(), "fortnight");
    EXPECT_EQ(standIn("frmKwikTax")->edit->text(), "quick");
    for (const QString& name : kCalculatorWindows) {
        const bool stays = name == "frmFortNight" || name == "frmKwikTax";
        EXPECT_EQ(window->calculatorWindow(name) != nullptr, stays) << name.toStdString();
    }
    EXPECT_EQ(state.memory<QuickTaxMemory>().AnnualTax, 0);
    EXPECT_EQ(state.memory<QuickTaxMemory>().MarginalRate, 0);
    EXPECT_EQ(state.AnnualTaxableIncome, 240000);  // kept on purpose
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Opened again, a closed calculator starts from its defaults.
    open("mnuMonthly");
    EXPECT_EQ(standIn("frmMonthly")->edit->text(), "");
}

TEST_F(MainWindowTest, InitialiseAllWithNothingOpenChangesNothingVisible)
{
    Module1 fresh;
    fresh.InitialiseAll();
    state.memory<QuickTaxMemory>().QuickTaxPayable = 99;
    open("mnuNew");
    EXPECT_TRUE(closeLog.isEmpty());
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(state.memory<QuickTaxMemory>().QuickTaxPayable, fresh.memory<QuickTaxMemory>().QuickTaxPayable);
}

TEST_F(MainWindowTest, InitialiseAllClosesTheHelpWindow)
{
    open("mnuContents");
    ASSERT_NE(window->helpBrowser(), nullptr);
    open("mnuFortNight");
    open("mnuNew");
    EXPECT_EQ(window->helpBrowser(), nullptr);
    EXPECT_NE(window->calculatorWindow("frmFortNight"), nullptr);
}

TEST_F(MainWindowTest, CompanyCarWidensANormalWindowOnly)
{
    const int wanted = 894;  // 13405 twips at 15 twips a pixel
    window->resize(700, 500);
    open("mnuCompCar");
    EXPECT_EQ(window->frameGeometry().width(), wanted);
    EXPECT_EQ(window->height(), 500);

    // Already wider: left alone rather than narrowed.
    window->resize(1100, 500);
    open("mnuCompCar");
    EXPECT_EQ(window->width(), 1100);

    window->showMaximized();
    QCoreApplication::processEvents();
    const QSize maximised = window->size();
    open("mnuCompCar");
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->size(), maximised);
}

TEST_F(MainWindowTest, SystemCalculatorStartsTheFirstProgramFoundElseSaysSo)
{
    window->setCalculatorPrograms({"/nonexistent/grossby-no-calculator", "true"});
    open("mnuMSCalculator");
    EXPECT_TRUE(messages.isEmpty());

    window->setCalculatorPrograms({"/nonexistent/grossby-no-calculator", "/nonexistent/other-calculator"});
    open("mnuMSCalculator");
    ASSERT_EQ(messages.size(), 1);
#if defined(Q_OS_WIN)
    EXPECT_EQ(messages[0].text, "The Microsoft Calculator is not installed or in the Windows directory");
#else
    // Elsewhere the message names what was tried, not a Windows folder.
    EXPECT_TRUE(messages[0].text.contains("/nonexistent/grossby-no-calculator, /nonexistent/other-calculator"))
        << messages[0].text.toStdString();
    EXPECT_FALSE(messages[0].text.contains("Windows"));
#endif
    EXPECT_EQ(messages[0].buttons, QMessageBox::Ok);
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void handle(const QUrl& url) { urls.append(url); }
};

TEST_F(MainWindowTest, VideoLecturesOpensTheLecturePageInTheBrowser)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "handle");
    open("VideoLectures1");
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_TRUE(catcher.urls[0].isValid());
    EXPECT_TRUE(catcher.urls[0].path().endsWith("/grossby2018-video-lectures/"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, VideoLecturesWithoutABrowserSaysSo)
{
    // No handler and no desktop to hand the address to: the opening fails.
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "noSuchSlot");
    open("VideoLectures1");
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.contains(MainWindow::videoLecturesUrl())) << messages[0].text.toStdString();
}

TEST_F(MainWindowTest, CancellingPrinterSetupIsSilent)
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen = true;
            static_cast<QDialog*>(modal)->reject();
        }
    });
    poll.start(10);
    open("mnuPrinterSet");
    poll.stop();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, ExitClosesTheMainWindowAndTheHelpWindow)
{
    open("mnuContents");
    QPointer<HelpBrowser> help = window->helpBrowser();
    ASSERT_TRUE(help && help->isVisible());
    open("mnuExit");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(help.isNull() || !help->isVisible());
}

}  // namespace
}  // namespace grossby

#include "main_window_test.moc"

namespace grossby {
namespace {

// The window opens large enough for the largest calculator, maximised on a
// screen too small for that, and where the user left it once it has a store.
TEST(MainWindowPlace, OpensRoomyOrMaximisedAndComesBackWhereTheUserLeftIt)
{
    Module1 state;
    const QSize room = MainWindow::roomForLargestCalculator();
    {
        MainWindow window(state);
        window.placeOnScreen(QRect(0, 0, 1920, 1080));
        EXPECT_FALSE(window.isMaximized());
        EXPECT_EQ(window.size(), room);
        EXPECT_GT(window.x(), 0);
        EXPECT_GT(window.y(), 0);
    }
    {
        MainWindow window(state);
        window.placeOnScreen(QRect(0, 0, 1280, 800));
        EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    }

    QTemporaryDir folder;
    const QString ini = folder.filePath("place.ini");
    {
        MainWindow window(state);
        window.rememberPlaceIn(std::make_shared<QSettings>(ini, QSettings::IniFormat));
        window.placeOnScreen(QRect(0, 0, 1920, 1080));
        window.show();
        window.setGeometry(100, 120, 1100, 700);
        QCoreApplication::processEvents();
        window.close();
    }
    MainWindow again(state);
    again.rememberPlaceIn(std::make_shared<QSettings>(ini, QSettings::IniFormat));
    again.placeOnScreen(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(again.size(), QSize(1100, 700));
}

}  // namespace
}  // namespace grossby
