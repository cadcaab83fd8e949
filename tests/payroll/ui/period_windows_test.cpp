// The PAYE period windows driven through their named controls, with their
// own settings store and print database in a temporary folder.
#include "app/registration.h"
#include "core/module1.h"
#include "gui_test_util.h"
#include "payroll/ui/annual_window.h"
#include "payroll/ui/daily_window.h"
#include "payroll/ui/monthly_window.h"
#include "payroll/ui/short_period_window.h"
#include "services/settings_store.h"
#include "shell/main_window.h"
#include "widgets/date_edit.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/report_preview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace grossby {
namespace {

struct PeriodWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    Module1 state;
    std::unique_ptr<PeriodWindow> window;
    std::vector<MessageRequest> messages;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        state.SettingsDatabasePath = dir.filePath("Settings.db").toStdString();
        state.PrintDatabasePath = dir.filePath("Crysprin.db").toStdString();
        setMessageHandler([this](const MessageRequest& r) {
            messages.push_back(r);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        window.reset();
        test::closePreviews();
        setMessageHandler({});
    }

    template <class Window> Window* open()
    {
        auto* w = CalculatorWindow::create<Window>(state);
        window.reset(w);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }

    template <class T = NumericEdit> T* child(const char* name) const
    {
        return test::child<T>(window.get(), QLatin1String(name));
    }
    QString shown(const char* name) const { return test::shown(window.get(), QLatin1String(name)); }
    void type(const char* name, const QString& keys) { test::type(window.get(), QLatin1String(name), keys); }
    void click(const char* name) { test::click(window.get(), QLatin1String(name)); }
    void calculate() { click("cmdCalculate"); }

    SetupValues stored() const
    {
        SetupValues v;
        EXPECT_TRUE(SettingsStore(QString::fromStdString(state.SettingsDatabasePath)).load(v).ok());
        return v;
    }

    QSqlRecord printRow(const QString& table)
    {
        QSqlRecord row;
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "period_windows_test_read");
            db.setDatabaseName(QString::fromStdString(state.PrintDatabasePath));
            EXPECT_TRUE(db.open());
            QSqlQuery q("SELECT * FROM " + table, db);
            EXPECT_TRUE(q.next());
            row = q.record();
            EXPECT_FALSE(q.next()) << "one row";
        }
        QSqlDatabase::removeDatabase("period_windows_test_read");
        return row;
    }
};

TEST_F(PeriodWindowFixture, MonthlyLoadsDefaultsAndCalculates)
{
    open<MonthlyWindow>();
    EXPECT_EQ(window->windowTitle(), "Monthly");
    EXPECT_EQ(shown("dtMStartDate"), "01/03/2017");
    EXPECT_EQ(shown("dtMEndDate"), "31/03/2017");
    EXPECT_EQ(shown("numMAns"), "0.00") << "a blank case is calculated on load";
    EXPECT_TRUE(child<QRadioButton>("optTAIncRate80")->isChecked());

    type("numSalRemun", "20000");
    calculate();
    EXPECT_EQ(shown("numMAns"), "2 797.85");
    EXPECT_EQ(shown("numTaxLiability"), "2 797.85");
    EXPECT_EQ(shown("numMAns1"), "148.72") << "the fresh store's 14 872 limit at 1 %";

    // The deduction and the taxable allowance are shown to the whole rand.
    type("numSalRemun", "10001");
    type("numEmpERFundCont", "5000");
    type("silgEdit13", "1001");
    calculate();
    // 27.5 % of (10 001 + 800.80) = 2 970.495; 80 % of 1 001 = 800.80.
    EXPECT_EQ(shown("numAllowableRFundDed"), "2 970.00");
    EXPECT_EQ(shown("numMTAAns"), "801.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PeriodWindowFixture, MonthlyRejectsDatesWithTheirMessages)
{
    open<MonthlyWindow>();
    type("dtMStartDate", "15/03/2017");
    type("dtMEndDate", "10/03/2017");
    calculate();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Incorrect Date");
    EXPECT_EQ(messages[0].text, "The Start date entered must be before the End date");
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    QCoreApplication::processEvents();
    EXPECT_TRUE(child<QLineEdit>("dtMStartDate")->hasFocus());

    type("dtMEndDate", "10/04/2017");
    calculate();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "The Start and End dates entered must be for the same Month");
    EXPECT_TRUE(child<QLineEdit>("dtMEndDate")->hasFocus());

    // Outside the tax year the field itself refuses, quoting the start date.
    type("dtMEndDate", "01/03/2018");
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text,
              "The date entered is not correct please enter a date between 15/03/2017 and 28/02/2018");
    EXPECT_EQ(shown("dtMEndDate"), "10/04/2017") << "the entry before is kept";
}

TEST_F(PeriodWindowFixture, BeneficiariesAreBoundedToNinetyNine)
{
    open<DailyWindow>();
    type("numEmpEEMedAidCont", "50");
    type("numMedAidBens", "100");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Incorrect Number of Beneficiaries");
    EXPECT_EQ(messages[0].text, "The number of medical aid fund beneficiaries must be a whole number from 0 to 99.");
    type("numMedAidBens", "99");
    type("numSalRemun", "1000");
    calculate();
    EXPECT_EQ(shown("numTaxCredit"), "941.26");  // (97 x 2 448 + 7 272) / 260, no overflow
    EXPECT_EQ(shown("numMAns"), "149.13");
}

TEST_F(PeriodWindowFixture, SetupPanelEditsTheStoreAndRecalculates)
{
    {
        // A package column the period windows must leave alone.
        SetupValues v;
        v.PensionCont = 7.5;
        ASSERT_TRUE(SettingsStore(QString::fromStdString(state.SettingsDatabasePath))
                        .save(v, SettingsStore::columnNames())
                        .ok());
    }
    open<WeeklyWindow>();
    type("numSalRemun", "5000");
    calculate();
    EXPECT_EQ(shown("numMAns1"), "34.32");  // weekly limit 14 872 x 12 / 52 = 3 432.00

    click("cmdSettings");
    auto* panel = child<QGroupBox>("Frame3");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->title(), "Setup");
    for (const char* covered : {"cmdOk", "cmdCalculate", "cmdSettings", "cmdPrint"})
        EXPECT_FALSE(child<QPushButton>(covered)->isEnabled()) << covered;
    type("numEmpEUIF", "2");
    type("numUIFLimit", "26000");
    click("cmdSetupOK");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(child<QPushButton>("cmdCalculate")->isEnabled());
    EXPECT_EQ(shown("numMAns1"), "100.00") << "recalculated with the new portion and limit";
    EXPECT_EQ(shown("numMAns2"), "50.00");

    const SetupValues v = stored();
    EXPECT_EQ(v.EmployeeUIF, 2);
    EXPECT_EQ(v.UIFLimit, 26000);
    EXPECT_EQ(v.PensionCont, 7.5);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PeriodWindowFixture, StoredRateOutsideTheOptionsSelectsNeitherButIsUsed)
{
    {
        SetupValues v;
        v.TAIncRate8020 = 0.5;
        ASSERT_TRUE(SettingsStore(QString::fromStdString(state.SettingsDatabasePath))
                        .save(v, SettingsStore::columnNames())
                        .ok());
    }
    open<MonthlyWindow>();
    EXPECT_FALSE(child<QRadioButton>("optTAIncRate80")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("optTAIncRate20")->isChecked());
    type("silgEdit13", "1000");
    calculate();
    EXPECT_EQ(shown("numMTAAns"), "500.00");

    // Choosing an option takes effect at once, before "O&K".
    click("cmdSettings");
    QTest::mouseClick(child<QRadioButton>("optTAIncRate20"), Qt::LeftButton);
    EXPECT_EQ(window->settings().TAIncRate8020, 0.2);
}

TEST_F(PeriodWindowFixture, AnnualMonthCountsDuplicateAndFollowTheEmployment)
{
    open<AnnualWindow>();
    EXPECT_EQ(shown("dtEndDate"), "28/02/2018");
    type("numAnnCalcBens_3", "30");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Only a maximum of 24 are allowed i.e. Principal member & first beneficiary!");
    EXPECT_EQ(messages[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(shown("numAnnCalcBens_3"), "24");

    type("numAnnCalcBens_3", "2");
    click("cmdDuplicate");
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(shown(QStringLiteral("numAnnCalcBens_%1").arg(month).toLatin1().constData()), "2") << month;

    // Employed in February 2018 only: February's credit, not January's.
    type("numEmpERMedAidCont", "1000");
    type("silgEdit2", "20000");
    type("dtStartDate", "01/02/2018");
    calculate();
    EXPECT_EQ(shown("numTaxCredit"), "606.00");
    EXPECT_EQ(shown("numAnnCalcBens_1"), "0") << "January is cleared";
    EXPECT_EQ(shown("numAnnCalcBens_2"), "2");
    EXPECT_EQ(shown("numAns_1"), shown("numTaxLiability"));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(PeriodWindowFixture, AnnualDatesCannotCross)
{
    open<AnnualWindow>();
    type("dtEndDate", "31/08/2017");
    auto* start = child<DateEdit>("dtStartDate");
    start->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(start->maximum(), child<DateEdit>("dtEndDate")->value());
    type("dtStartDate", "01/09/2017");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "The date entered is not correct please enter a date between 01/03/2017 and 28/02/2018");
    EXPECT_EQ(shown("dtStartDate"), "01/03/2017");

    type("dtStartDate", "01/06/2017");
    type("dtEndDate", "31/05/2017");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text,
              "The date entered is not correct please enter a date between 01/06/2017 and 28/02/2018");
}

TEST_F(PeriodWindowFixture, ShortPeriodDayCounts)
{
    open<FortnightlyWindow>();
    EXPECT_EQ(window->windowTitle(), "Fortnightly");
    EXPECT_EQ(shown("silgEdit21"), "14");
    EXPECT_EQ(child<QLabel>("lblNormalDays")->text(), "Normal fortnight");
    type("numSalRemun", "10000");
    calculate();
    EXPECT_EQ(shown("numMAns"), "1 491.32");

    open<WeeklyWindow>();
    type("silgEdit22", "8");
    calculate();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Incorrect Number of Days");
    EXPECT_EQ(messages[0].text, "The number of 'Normal work-week' days must be = to or larger than 'This work-week'.");
    EXPECT_TRUE(child<QPushButton>("cmdCalculate")->hasFocus());

    type("silgEdit22", "0");
    calculate();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "The number of 'This work-week' days must be larger than 0.");
    EXPECT_TRUE(child<QLineEdit>("silgEdit22")->hasFocus());
}

TEST_F(PeriodWindowFixture, InformationPanelShowsTheNote)
{
    open<DailyWindow>();
    click("cmdInfo_0");
    auto* panel = child<QGroupBox>("fraInfo_One");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->title(), "General Information");
    EXPECT_TRUE(child<QLabel>("lblABC")->text().startsWith("The amount entered in the Salary/remuneration field"));
    click("cmdOK_Info_One");
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(PeriodWindowFixture, PrintStagesTheLastCalculationInTheChosenLanguage)
{
    open<MonthlyWindow>();
    type("Text1", "Thandi Mokoena");
    type("numSalRemun", "20000");
    calculate();
    type("numSalRemun", "99999");  // typed after the calculation: not printed

    click("cmdPrint");
    auto* panel = child<QGroupBox>("fraPrint");
    ASSERT_TRUE(panel->isVisible());
    QTest::mouseClick(child<QRadioButton>("Option2"), Qt::LeftButton);
    click("cmdVR");
    EXPECT_FALSE(panel->isVisible());

    const QSqlRecord row = printRow("IRP5Mon");
    EXPECT_EQ(row.value("TypeAM").toString(), "Maandelikse Inkomste");
    EXPECT_EQ(row.value("Employee").toString(), "Vir : Thandi Mokoena");
    EXPECT_EQ(row.value("SalNum").toDouble(), 20000);
    EXPECT_NEAR(row.value("Taxliabilitynum").toDouble(), 2797.85, 0.005);
    EXPECT_EQ(row.value("UIFEMPENum").toDouble(), 148.72);

    // The preview opened with the report's title, or the missing template
    // was reported by name.
    bool previewed = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<ReportPreview*>(w)) {
            previewed = true;
            EXPECT_EQ(preview->windowTitle(), "Monthly - To export printout click on the suitcase button or goto Help");
        }
    }
    if (!previewed) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.contains("Monthly.rpt")) << messages[0].text.toStdString();
    } else {
        EXPECT_TRUE(messages.empty());
    }
}

// While the print or setup panel is up the form behind it cannot change
// what is printed; what the window had disabled itself stays disabled.
TEST_F(PeriodWindowFixture, TheFormIsLockedWhileAPanelIsUp)
{
    open<MonthlyWindow>();
    type("numSalRemun", "20000");
    calculate();
    child<QWidget>("Text1")->setEnabled(false);
    const struct {
        const char* button;
        const char* panel;
        const char* inside;  ///< a control of the panel, usable while it is up
        const char* close;
    } panels[] = {{"cmdPrint", "fraPrint", "Option2", "cmdCancel"},
                  {"cmdSettings", "Frame3", "numUIFLimit", "cmdSetupOK"}};
    for (const auto& p : panels) {
        SCOPED_TRACE(p.panel);
        click(p.button);
        ASSERT_TRUE(child<QWidget>(p.panel)->isVisible());
        for (const char* behind : {"numSalRemun", "Text1", "cmdCalculate", "cmdOk"})
            EXPECT_FALSE(child<QWidget>(behind)->isEnabled()) << behind;
        EXPECT_TRUE(child<QWidget>(p.inside)->isEnabled());
        click(p.close);
        EXPECT_FALSE(child<QWidget>(p.panel)->isVisible());
        EXPECT_TRUE(child<QWidget>("numSalRemun")->isEnabled());
        EXPECT_TRUE(child<QWidget>("cmdCalculate")->isEnabled());
        EXPECT_FALSE(child<QWidget>("Text1")->isEnabled()) << "disabled by the window, not by the panel";
    }
}

TEST_F(PeriodWindowFixture, ButtonMnemonicsComeBeforeTheMenuBar)
{
    // The main window's "&Car Calculations" and "Bu&siness Calculations"
    // share Alt+C and Alt+S with "&Calculate" and "&Settings".
    MainWindow main(state, programCalculators());
    main.resize(1000, 700);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QWidget* monthly = main.openCalculator("frmMonthly");
    ASSERT_NE(monthly, nullptr);
    auto* salary = monthly->findChild<QLineEdit*>("numSalRemun");
    salary->setFocus();
    salary->selectAll();
    QTest::keyClicks(salary, "20000");
    QTest::keyClick(salary, Qt::Key_C, Qt::AltModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
    EXPECT_EQ(monthly->findChild<QLineEdit*>("numMAns")->text(), "2 797.85");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QCoreApplication::processEvents();
    auto* setup = monthly->findChild<QWidget*>("Frame3");
    EXPECT_TRUE(setup->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::AltModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(setup->isVisible());

    // With the print panel up, Alt+C is its "&Cancel".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
    QCoreApplication::processEvents();
    auto* print = monthly->findChild<QWidget*>("fraPrint");
    ASSERT_TRUE(print->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(print->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(PeriodWindowFixture, EnterInAFieldCalculates)
{
    open<MonthlyWindow>();
    auto* salary = child<QLineEdit>("numSalRemun");
    salary->setFocus();
    salary->selectAll();
    QTest::keyClicks(salary, "20000");
    QTest::keyClick(salary, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown("numMAns"), "2 797.85");

    // The name field too, and Enter on the keypad.
    open<FortnightlyWindow>();
    type("numSalRemun", "10000");
    child<QLineEdit>("Text1")->setFocus();
    QTest::keyClick(child<QLineEdit>("Text1"), Qt::Key_Enter, Qt::KeypadModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown("numMAns"), "1 491.32");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PeriodWindowFixture, AnAltChordNeverReachesTheNameAsText)
{
    open<MonthlyWindow>();
    auto* name = child<QLineEdit>("Text1");
    name->setFocus();
    QTest::keyClicks(name, "Thandi");
    name->selectAll();
    QTest::keyClick(name, Qt::Key_C, Qt::AltModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(name->text(), "Thandi");
}

// The form's own labels, fields and buttons that `panel` covers.
QStringList coveredBy(const QWidget* window, const QWidget* panel)
{
    const QRect area(panel->mapTo(window, QPoint(0, 0)), panel->size());
    QStringList covered;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
            qobject_cast<const QAbstractButton*>(w);
        if (!control || !w->isVisible() || panel->isAncestorOf(w) || w->objectName().isEmpty())
            continue;
        if (QRect(w->mapTo(window, QPoint(0, 0)), w->size()).intersects(area))
            covered.append(w->objectName());
    }
    return covered;
}

TEST_F(PeriodWindowFixture, PanelsNeverCoverTheFormsLabelsOrButtons)
{
    struct Case {
        const char* button;
        const char* panel;
        const char* closer;
    };
    const Case panels[] = {
        {"cmdSettings", "Frame3", "cmdSetupOK"},
        {"cmdInfo_0", "fraInfo_One", "cmdOK_Info_One"},
        {"cmdPrint", "fraPrint", "cmdCancel"},
    };
    auto check = [&] {
        QCoreApplication::processEvents();
        const QSize before = window->size();
        for (const Case& c : panels) {
            SCOPED_TRACE(std::string(window->objectName().toStdString()) + " " + c.panel);
            click(c.button);
            auto* panel = child<QWidget>(c.panel);
            ASSERT_TRUE(panel->isVisible());
            EXPECT_EQ(coveredBy(window.get(), panel), QStringList());
            EXPECT_TRUE(window->rect().contains(QRect(panel->mapTo(window.get(), QPoint(0, 0)), panel->size())))
                << "the whole panel is on the window";
            click(c.closer);
            QCoreApplication::processEvents();
            EXPECT_FALSE(panel->isVisible());
        }
        EXPECT_EQ(window->size(), before) << "the window is given its size back";
    };
    open<MonthlyWindow>();
    check();
    open<DailyWindow>();
    check();
    open<AnnualWindow>();
    check();
    // The Setup panel's values carry their units.
    click("cmdSettings");
    EXPECT_EQ(child<QLabel>("numEmpEUIFUnit")->text(), "%");
    EXPECT_EQ(child<QLabel>("numUIFLimitUnit")->text(), "R");
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace grossby
