// The package windows, opened from their menu commands and typed into with
// real keys, with their own settings store and print database in a
// temporary folder.

#include "app/registration.h"
#include "core/module1.h"
#include "gui_test_util.h"
#include "package/ui/ra_panel.h"
#include "services/file_locations.h"
#include "services/settings_store.h"
#include "shell/main_window.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/report_preview.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace grossby {
namespace {

// The settings of the worked examples: UIF 1 % each up to 15 000 a month,
// SDL 1 %, no R/Fund percentages.
SetupValues workedExampleSettings()
{
    SetupValues v;
    v.EmployeeUIF = 1;
    v.EmployerUIF = 1;
    v.SkillLevy = 1;
    v.UIFLimit = 15000;
    return v;
}

class PackageWindowsTest : public test::ProgramFixture {
protected:
    PackageWindowsTest()
        : ProgramFixture({1280, 900})
    { }
    void SetUp() override
    {
        ProgramFixture::SetUp();
        storeSettings(workedExampleSettings());
    }

    QString settingsPath() const { return QString::fromStdString(state.SettingsDatabasePath); }
    void storeSettings(const SetupValues& v)
    {
        ASSERT_TRUE(SettingsStore(settingsPath()).save(v, SettingsStore::columnNames()).ok());
    }
    SetupValues stored() const
    {
        SetupValues v;
        EXPECT_TRUE(SettingsStore(settingsPath()).load(v).ok());
        return v;
    }

    // Opens a window from its menu command, as the user does.
    QWidget* open(const char* command)
    {
        win = openFromMenu(command);
        EXPECT_NE(win, nullptr) << command;
        return win;
    }
    void close()
    {
        click("cmdOk");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        win = nullptr;
    }

    template <class T = QWidget> T* child(const char* name) const { return test::child<T>(win, QLatin1String(name)); }
    QString shown(const char* name) const { return test::shown(win, QLatin1String(name)); }
    void type(const char* name, const QString& keys, const char* leaveTo = "cmdCalculate")
    {
        test::type(win, QLatin1String(name), keys, leaveTo);
    }
    void click(const char* name) { test::click(win, QLatin1String(name)); }
    void calculate() { click("cmdCalculate"); }
    bool visible(const char* name) const
    {
        auto* c = child(name);
        return c && c->isVisible();
    }

    QSqlRecord printRow()
    {
        const std::vector<QSqlRecord> rows = printRows("SELECT * FROM SalPackage");
        EXPECT_FALSE(rows.empty());
        EXPECT_FALSE(rows.size() > 1) << "one row";
        return rows.empty() ? QSqlRecord() : rows.front();
    }

    // Prints to the preview with `name` typed on the print panel; a missing
    // template is reported by name, which is all a test folder can offer.
    void printToPreview(const QString& name, const char* templateName)
    {
        click("cmdPrint");
        ASSERT_TRUE(visible("fraPrint"));
        type("Text1", name, "cmdVR");
        const std::size_t before = messages.size();
        click("cmdVR");
        EXPECT_FALSE(visible("fraPrint"));
        for (std::size_t i = before; i < messages.size(); ++i)
            EXPECT_TRUE(messages[i].text.contains(QLatin1String(templateName))) << messages[i].text.toStdString();
        messages.resize(before);
    }

    QWidget* win = nullptr;
};

// Typed inputs and the figures the window shows for them.
struct WorkedExample {
    const char* what;
    const char* command;
    std::function<void(SetupValues&)> settings;
    std::vector<std::pair<const char*, const char*>> typed;
    std::vector<std::pair<const char*, const char*>> expected;
};

TEST_F(PackageWindowsTest, WorkedExamplesShowTheirFigures)
{
    const WorkedExample cases[] = {
        {"package 30 000",
         "mnuPelmoraMon",
         {},
         {{"numNetMonSalReq", "30000"}, {"numAge", "40"}},
         {{"numMAns", "5 662.30"},
          {"numUIFCont", "150.00"},
          {"numCCUIFCont", "150.00"},
          {"numCCSkillLev", "300.00"},
          {"numGrossSal", "24 187.70"},
          {"numTotCostComp", "30 450.00"},
          {"numCCNetMonSalReq", "30 000.00"}}},
        {"employee 7.5 %",
         "mnuPelmoraMon",
         [](SetupValues& v) { v.PensionCont = 7.5; },
         {{"numNetMonSalReq", "30000"}, {"numAge", "40"}},
         // Taxable 27 750 a month; the contribution is shown in its field.
         {{"numRFundCont", "2 250.00"}, {"numCCSkillLev", "277.50"}, {"numMAns", "4 964.80"}}},
        {"36 beneficiary-months",
         "mnuPelmoraAnn",
         {},
         {{"numNetMonSalReq", "360000"}, {"numAge", "40"}, {"numMedAidCont", "24000"}, {"numPMems", "36"}},
         {{"numTaxCredit", "9 720.00"}, {"numMAns", "67 947.60"}, {"numTaxDeduct", "58 227.60"}}},
        {"car 300 000 with a maintenance plan",
         "mnuPelmoraAnn",
         [](SetupValues& v) { v.CompCarMPYesNo = true; },
         {{"numNetMonSalReq", "360000"}, {"numAge", "40"}, {"numCompCar", "300000"}},
         // 93 600 of car benefit taxed on top of the package; no running
         // cost given, so the car is a once-off cost.
         {{"numMAns", "99 120.40"}, {"numOnceOff", "300 000.00"}}},
        {"net 20 000",
         "mnuGrossbyMon",
         {},
         {{"numNetMonSalReq", "20000"}, {"numAge", "40"}},
         {{"numMAns", "3 833.69"},
          {"numUIFCont", "150.00"},
          {"numGrossSal", "23 983.69"},
          {"numCCSkillLev", "239.84"},
          {"numTotCostComp", "24 373.53"}}},
        {"net 240 000 a year",
         "mnuGrossbyAnn",
         {},
         {{"numNetMonSalReq", "240000"}, {"numAge", "40"}},
         {{"numGrossSal", "287 802.98"}, {"numUIFCont", "1 800.00"}}},
    };
    for (const WorkedExample& c : cases) {
        SCOPED_TRACE(c.what);
        SetupValues settings = workedExampleSettings();
        if (c.settings)
            c.settings(settings);
        storeSettings(settings);
        ASSERT_NE(open(c.command), nullptr);
        for (const auto& [field, keys] : c.typed)
            type(field, keys);
        calculate();
        for (const auto& [field, figure] : c.expected)
            EXPECT_EQ(shown(field), figure) << field;
        EXPECT_EQ(visible("numOnceOff"), shown("numOnceOff") != "0.00");
        EXPECT_FALSE(visible("lblRFundWarning"));
        EXPECT_TRUE(child<QPushButton>("cmdPrint")->isEnabled());
        close();
    }
    EXPECT_TRUE(messages.empty());
}

// Figures stand greyed beside inputs changed since they were worked out,
// until Calculate brings them up to date.
TEST_F(PackageWindowsTest, FiguresOfChangedInputsAreGreyedUntilCalculated)
{
    storeSettings(workedExampleSettings());
    ASSERT_NE(open("mnuPelmoraMon"), nullptr);
    const auto stale = [this](const char* name) { return child<QWidget>(name)->property("stale").toBool(); };
    type("numNetMonSalReq", "30000");
    type("numAge", "40");
    calculate();
    EXPECT_EQ(shown("numMAns"), "5 662.30");
    EXPECT_FALSE(stale("numMAns"));
    type("numNetMonSalReq", "");
    EXPECT_TRUE(stale("numMAns"));
    EXPECT_TRUE(stale("numTotCostComp"));
    EXPECT_FALSE(child<QWidget>("numMAns")->toolTip().isEmpty());
    type("numNetMonSalReq", "30000");
    calculate();
    EXPECT_EQ(shown("numMAns"), "5 662.30");
    EXPECT_FALSE(stale("numMAns"));
    EXPECT_TRUE(child<QWidget>("numMAns")->toolTip().isEmpty());
    close();
}

TEST_F(PackageWindowsTest, WindowsOpenFromTheirMenusWithTheirFields)
{
    struct Case {
        const char* command;
        const char* name;
        const char* caption;
        const char* amountLabel;
        const char* salaryLabel;
        bool deductionFields;
    };
    const Case cases[] = {
        {"mnuPelmoraMon", "frmPelmoraMon", "Pelmora : Monthly Calculation", "Total package amount",
         "Net salary(take-home)", true},
        {"mnuPelmoraAnn", "frmPelmoraAnn", "Pelmora : Annual Calculation", "Total package amount",
         "Net salary(take-home)", true},
        {"mnuGrossbyMon", "frmGrossbyMon", "Grossby : Monthly Calculation", "Net monthly salary required",
         "Gross salary", false},
        {"mnuGrossbyAnn", "frmGrossbyAnn", "Grossby : Annual Calculation", "Net annual salary required", "Gross salary",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_NE(open(c.command), nullptr);
        EXPECT_EQ(win->objectName(), c.name);
        EXPECT_EQ(win->windowTitle(), c.caption);
        EXPECT_EQ(child<QLabel>("lblNetMonSalReq")->text(), c.amountLabel);
        EXPECT_EQ(child<QLabel>("lblGrossSal")->text(), c.salaryLabel);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "numNetMonSalReq") << "typing starts at the amount";
        // The reverse monthly window has no R/A, pension or provident fields.
        for (const char* field : {"numRADeduct", "numPenDeduct", "numProvFund", "numCCProvFund", "Option3_0"})
            EXPECT_EQ(win->findChild<QWidget*>(field) != nullptr, c.deductionFields) << field;
        EXPECT_EQ(shown("numMAns"), "0.00") << "nothing is calculated on opening";
        if (auto* no = win->findChild<QRadioButton*>("Option3_1")) {
            EXPECT_TRUE(no->isChecked()) << "additional beneficiaries start at No";
        }
    }
    // Four windows, cascaded, each closed by "&Initialise All".
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 4);
    main.initialiseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const Case& c : cases)
        EXPECT_EQ(main.calculatorWindow(c.name), nullptr) << c.name;
    EXPECT_TRUE(messages.empty());
}

TEST_F(PackageWindowsTest, TheCostToCompanyColumnFollowsTheEmployeeColumn)
{
    open("mnuPelmoraMon");
    type("numNetMonSalReq", "30000");
    type("numTravAll", "5000");
    type("numOTaxFB", "300");
    type("numOtherDet_1", "500");
    type("numOtherDet_3", "200");
    type("numOtherDetCC_3", "250");
    EXPECT_EQ(shown("numCCNetMonSalReq"), "30 000.00");
    EXPECT_EQ(shown("numCCTravAll"), "5 000.00");
    EXPECT_EQ(shown("numCCOTaxFB"), "300.00");
    EXPECT_EQ(shown("numOtherDetCC_1"), "500.00") << "copied, and still open to typing";
    EXPECT_EQ(shown("numOtherTotal"), "700.00");
    EXPECT_EQ(shown("numOtherTotalCC"), "750.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PackageWindowsTest, RejectionsSayWhyAndPrintNothing)
{
    open("mnuPelmoraMon");
    type("numAge", "40");
    calculate();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Please enter a total package amount above 0.");
    EXPECT_TRUE(child<QLineEdit>("numNetMonSalReq")->hasFocus());
    click("cmdPrint");
    EXPECT_EQ(messages.size(), 2u) << "Print calculates first";
    EXPECT_FALSE(visible("fraPrint"));
    close();

    open("mnuGrossbyMon");
    type("numNetMonSalReq", "20000");
    type("numTravAll", "25000");
    calculate();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text, "Fringe benefits more than salary required!");
    EXPECT_TRUE(child<QLineEdit>("numTravAll")->hasFocus());
    EXPECT_EQ(shown("numGrossSal"), "0.00") << "no search";
}

TEST_F(PackageWindowsTest, ContributionsAboveTheDeductionWarnAndStopPrinting)
{
    SetupValues v = workedExampleSettings();
    v.PensionCont = 20;
    v.EmployerPenCont = 15;
    storeSettings(v);
    open("mnuPelmoraMon");
    auto* frame = main.mdiArea()->activeSubWindow();
    const int before = frame->height();
    EXPECT_TRUE(child<QLineEdit>("numRFundCont")->isReadOnly()) << "a percentage replaces the typed amount";
    type("numNetMonSalReq", "30000");
    calculate();
    EXPECT_TRUE(visible("lblRFundWarning"));
    EXPECT_EQ(child<QLabel>("lblRFundWarning")->text(), "R/Fund contributions exceed allowable limits!");
    EXPECT_FALSE(child<QPushButton>("cmdPrint")->isEnabled());
    EXPECT_GT(frame->height(), before) << "the window grows to hold the warning";
    EXPECT_EQ(shown("numRFundCont"), "6 000.00");
    EXPECT_EQ(shown("numCCRFundCont"), "4 500.00");

    // A panel opened and closed meanwhile does not give "&Print" back.
    click("cmdRAExpl");
    click("cmdRAOK");
    EXPECT_FALSE(child<QPushButton>("cmdPrint")->isEnabled());

    type("numNetMonSalReq", "0");
    click("cmdSettings");
    type("numPenContPerc", "5", "cmdSetupOK");
    click("cmdSetupOK");
    EXPECT_TRUE(messages.empty()) << "nothing to recalculate yet";
    type("numNetMonSalReq", "30000");
    calculate();
    EXPECT_FALSE(visible("lblRFundWarning"));
    EXPECT_TRUE(child<QPushButton>("cmdPrint")->isEnabled());
    EXPECT_EQ(frame->height(), before) << "and gives the height back";
    EXPECT_EQ(stored().PensionCont, 5);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PackageWindowsTest, MedicalFieldsKeepWhatWasTyped)
{
    open("mnuPelmoraMon");
    type("numNetMonSalReq", "30000");
    type("numAge", "65");
    type("numMedDeduct", "1000");
    calculate();
    EXPECT_EQ(shown("numGrossSal"), "23 810.95");  // the larger rebate, less the deductions

    // At 64 the field is greyed; what was typed is kept but not used.
    type("numAge", "64");
    EXPECT_FALSE(child<QLineEdit>("numMedDeduct")->isEnabled());
    calculate();
    EXPECT_EQ(shown("numGrossSal"), "24 187.70");
    EXPECT_EQ(shown("numMedDeduct"), "1000.00");
    type("numAge", "70");
    EXPECT_TRUE(child<QLineEdit>("numMedDeduct")->isEnabled());

    // Beneficiaries typed before any contribution are kept for when one is.
    type("numAge", "40");
    type("numPMems", "3");
    calculate();
    EXPECT_EQ(shown("numTaxCredit"), "0.00");
    EXPECT_EQ(shown("numPMems"), "3");
    type("numMedAidCont", "2000");
    calculate();
    EXPECT_EQ(shown("numTaxCredit"), "810.00");  // 2 x 303 + 204
    EXPECT_TRUE(messages.empty());
}

TEST_F(PackageWindowsTest, ReverseWindowsKeepTheRetirementPercentagesWithinTheLimit)
{
    open("mnuGrossbyMon");
    click("cmdSettings");
    type("numPenContPerc", "20", "numPenPercentage");
    EXPECT_TRUE(messages.empty());
    type("numPenPercentage", "10", "cmdSetupOK");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("27.5%")) << messages[0].text.toStdString();
    EXPECT_EQ(shown("numPenContPerc"), "0.000");
    EXPECT_EQ(shown("numPenPercentage"), "0.000");
    type("numPenContPerc", "17.5", "numPenPercentage");
    type("numPenPercentage", "10", "cmdSetupOK");
    click("cmdSetupOK");
    EXPECT_EQ(stored().PensionCont, 17.5);
    EXPECT_EQ(stored().EmployerPenCont, 10);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(PackageWindowsTest, PrintStagesTheStatementRow)
{
    open("mnuPelmoraMon");
    type("numNetMonSalReq", "30000");
    type("numAge", "40");
    type("numCompCar", "250000");
    type("txtOtherDet_0", "Gym");
    type("txtOtherDet_1", "Phone");
    type("numOtherDet_1", "500");
    type("txtOtherDet_3", "Parking");
    type("numOtherDet_3", "200");
    printToPreview("Thandi Mokoena", "Pelmora.rpt");
    QSqlRecord row = printRow();
    EXPECT_EQ(row.value("MonAnn").toString(), "Pelmora Salary Package Calculation : Monthly");
    EXPECT_EQ(row.value("TPName").toString(), "Thandi Mokoena");
    EXPECT_EQ(row.value("CostToComp").toDouble(), 30000);
    EXPECT_EQ(row.value("OEXPTXT").toString(), "Other Expenses :");
    EXPECT_EQ(row.value("ODedTxt0").toString(), "") << "a text with no amount is not printed";
    EXPECT_EQ(row.value("ODedTxt1").toString(), "Phone");
    EXPECT_EQ(row.value("ODedNumCC3").toDouble(), 200);
    EXPECT_EQ(row.value("PlusCompCar1").toString(), "(plus a 'once-off' cost of R 250000");
    EXPECT_EQ(row.value("GSal").toDouble(), child<NumericEdit>("numGrossSal")->value());
    EXPECT_EQ(row.value("TaxDue").toDouble(), child<NumericEdit>("numMAns")->value());
    close();

    // The reverse monthly window leaves nothing of the forward printout.
    open("mnuGrossbyMon");
    type("numNetMonSalReq", "20000");
    type("numAge", "40");
    printToPreview("Thandi Mokoena", "Grossby.rpt");
    row = printRow();
    EXPECT_EQ(row.value("MonAnn").toString(), "Grossby Salary Package Calculation : Monthly");
    EXPECT_EQ(row.value("CostToComp").toDouble(), 0);
    EXPECT_NEAR(row.value("GSal").toDouble(), 23983.69, 0.005);
    EXPECT_EQ(row.value("PlusCompCar1").toString(), "");
    EXPECT_EQ(row.value("OEXPTXT").toString(), "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PackageWindowsTest, RAPanelExplainsTheLastCalculation)
{
    SetupValues v = workedExampleSettings();
    v.PensionCont = 7.5;
    storeSettings(v);
    open("mnuPelmoraMon");
    type("numNetMonSalReq", "30000");
    type("numTravAll", "1000");
    calculate();
    click("cmdRAExpl");
    auto* panel = child<QGroupBox>("fraRAExpl");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->title(), "R/A Explained(Annual Figures Shown)");
    for (const char* covered : {"cmdOk", "cmdCalculate", "cmdSettings", "cmdPrint", "cmdRAExpl"})
        EXPECT_FALSE(child<QPushButton>(covered)->isEnabled()) << covered;
    // 12 x 2 250 contributed; with a percentage set only the taxable travel
    // allowance (80 % of 12 x 1 000) is non-retirement funding income.
    const QStringList lines = child<QLabel>("lblABC")->text().split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[2], "ie: R 3 500 - R27 000.00 = - R23 500.00");
    EXPECT_EQ(lines[5], "ie: R 9 600.00 X 15% = R1 440.00");
    click("cmdRAOK");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(child<QPushButton>("cmdCalculate")->isEnabled());

    EXPECT_EQ(RAExplanationPanel::lines({1000, 360000})[2], "ie: R 3 500 - R1 000.00 = R2 500.00");
    EXPECT_EQ(RAExplanationPanel::lines({1000, 360000})[5], "ie: R 360 000.00 X 15% = R54 000.00");
}

TEST_F(PackageWindowsTest, NoTwoControlsShareAMnemonicWithAnyPanelUp)
{
    for (const char* command : {"mnuPelmoraMon", "mnuPelmoraAnn", "mnuGrossbyMon", "mnuGrossbyAnn"}) {
        SCOPED_TRACE(command);
        open(command);
        type("numNetMonSalReq", "30000");
        EXPECT_EQ(test::sharedMnemonics(win), QStringList());
        const std::pair<const char*, const char*> panels[] = {
            {"cmdSettings", "cmdSetupOK"}, {"cmdRAExpl", "cmdRAOK"}, {"cmdPrint", "cmdCancel"}};
        for (const auto& [opener, closer] : panels) {
            click(opener);
            EXPECT_EQ(test::sharedMnemonics(win), QStringList()) << opener;
            click(closer);
        }
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace grossby
