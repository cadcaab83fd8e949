// The vehicle windows opened from their menu commands and typed into, with
// the print database in a temporary folder.

#include "app/registration.h"
#include "core/module1.h"
#include "gui_test_util.h"
#include "services/file_locations.h"
#include "shell/main_window.h"
#include "vehicle/vehicle_state.h"
#include "widgets/calculator_registry.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/report_preview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace grossby {
namespace {

const QString kCompCarCaption = QStringLiteral("Full use of Company Car :  Vehicle number %1 of %2");

// The program folder stays the build's, so the printouts find their templates.
class VehicleWindowsTest : public test::ProgramFixture {
protected:
    VehicleWindowsTest()
        : ProgramFixture({900, 700}, false)
    { }

    QWidget* open(const char* command) { return openFromMenu(command); }
    QString shown(const char* name) const { return test::shown(w, QLatin1String(name)); }
    void type(const char* name, const QString& keys, const char* leaveTo = "cmdCalculate")
    {
        test::type(w, QLatin1String(name), keys, leaveTo);
    }
    void click(const char* name) { test::click(w, QLatin1String(name)); }
    template <class T = QWidget> T* child(const char* name) const { return test::child<T>(w, QLatin1String(name)); }
    bool enabled(const char* name) const { return child(name)->isEnabled(); }

    /// Adds a vehicle with a registration number and a price, held from
    /// `start` to `end`.
    void addVehicle(const QString& registration, const QString& price, const QString& start = "01/03/2017",
                    const QString& end = "28/02/2018")
    {
        click("cmdAdd");
        type("txtCCRegNumber", registration, "txtCCMake");
        type("numCCPrice", price, "txtCCMake");
        type("dtCCEndDate", end, "txtCCMake");
        type("dtCCStartDate", start, "txtCCMake");
    }

    std::vector<QSqlRecord> printRows(const QString& table, const QString& order = QString()) const
    {
        return ProgramFixture::printRows("SELECT * FROM " + table +
                                         (order.isEmpty() ? QString() : " ORDER BY " + order));
    }

    QWidget* w = nullptr;
};

TEST_F(VehicleWindowsTest, CompanyCarWorkedExamples)
{
    EXPECT_EQ(programCalculators().byWindow("frmCompCar")->arrange.widenToTwips, 13405);
    w = open("mnuCompCar");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), "frmCompCar");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(0).arg(0));
    EXPECT_EQ(shown("dtCCStartDate"), "01/03/2017");
    EXPECT_EQ(shown("dtCCEndDate"), "28/02/2018");

    // After Add only the registration number can be typed; Add again
    // without one does nothing.
    click("cmdAdd");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(1).arg(1));
    EXPECT_TRUE(child("txtCCRegNumber")->hasFocus());
    EXPECT_FALSE(enabled("numCCPrice"));
    EXPECT_FALSE(enabled("cmdCalculate"));
    click("cmdAdd");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(1).arg(1));

    type("txtCCRegNumber", "CA 123-456", "txtCCMake");
    EXPECT_TRUE(enabled("numCCPrice"));
    EXPECT_FALSE(enabled("cmdBack"));
    type("numCCPrice", "300000");
    click("cmdCalculate");
    EXPECT_EQ(shown("numCCMonths"), "365") << "the day count is shown, no 1-to-12 guard";
    EXPECT_EQ(shown("numTrueInclusion"), "126 000.00");
    EXPECT_EQ(shown("numTrueInclusion_1"), "126 000.00");
    EXPECT_EQ(shown("numIRP53802"), "126 000.00");
    EXPECT_EQ(shown("numMonFB80"), "8 400.00");
    EXPECT_EQ(shown("numMonFB20"), "2 100.00");
    EXPECT_EQ(shown("numFortFB80"), "3 876.80");
    EXPECT_EQ(shown("numWeekFB80"), "1 938.40");
    EXPECT_EQ(shown("numAdjustTaxableInc"), "126 000.00");
    EXPECT_EQ(shown("numTotAdjustTaxableInc"), "126 000.00");
    EXPECT_FALSE(child("chkAutoCalc3802")->isVisible()) << "hidden below two vehicles";

    // A maintenance plan: 3.25 %. Half the year without one: 182 days.
    click("chkMaintIncluded");
    click("cmdCalculate");
    EXPECT_EQ(shown("numTrueInclusion"), "117 000.00");
    EXPECT_EQ(shown("numMonFB80"), "7 800.00");
    click("chkMaintIncluded");
    type("dtCCEndDate", "29/08/2017");
    click("cmdCalculate");
    EXPECT_EQ(shown("numCCMonths"), "182");
    EXPECT_EQ(shown("numTrueInclusion"), "62 827.00");

    // With one vehicle, "&Calculate" gives it the whole IRP5 total; the
    // deduction never exceeds that total.
    type("numActual3802", "50000");
    click("cmdCalculate");
    EXPECT_EQ(shown("numFB3802ThisCar"), "50000");
    EXPECT_EQ(shown("numAdjustTaxableInc"), "12 827.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(VehicleWindowsTest, RegisterIsBuiltBrowsedDeletedAndKeptUntilInitialiseAll)
{
    w = open("mnuCompCar");
    ASSERT_NE(w, nullptr);
    addVehicle("AAA 111", "100000");
    addVehicle("BBB 222", "200000");
    EXPECT_TRUE(child("chkAutoCalc3802")->isVisible());
    EXPECT_TRUE(child<QCheckBox>("chkAutoCalc3802")->isChecked());
    EXPECT_FALSE(enabled("numFB3802ThisCar")) << "the split is worked out, not typed";
    addVehicle("CCC 333", "300000");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(3).arg(3));

    // Forward and Back wrap around.
    click("cmdForward");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(1).arg(3));
    EXPECT_EQ(shown("txtCCRegNumber"), "AAA 111");
    click("cmdBack");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(3).arg(3));
    EXPECT_EQ(shown("txtCCRegNumber"), "CCC 333");
    EXPECT_EQ(shown("numTrueInclusion"), "126 000.00");
    EXPECT_EQ(shown("numTotAdjustTaxableInc"), "252 000.00") << "42 000 + 84 000 + 126 000";

    // Deleting vehicle 2 of 3 renumbers the third and shows vehicle 1.
    click("cmdBack");
    EXPECT_EQ(shown("txtCCRegNumber"), "BBB 222");
    click("cmdDelete");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(1).arg(2));
    EXPECT_EQ(shown("txtCCRegNumber"), "AAA 111");
    click("cmdForward");
    EXPECT_EQ(shown("txtCCRegNumber"), "CCC 333");
    EXPECT_EQ(shown("numTotAdjustTaxableInc"), "168 000.00");

    // Closed and reopened: the register is kept and vehicle 1 shown.
    click("cmdOk");
    EXPECT_EQ(main.calculatorWindow("frmCompCar"), nullptr);
    w = open("mnuCompCar");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(1).arg(2));
    EXPECT_EQ(shown("txtCCRegNumber"), "AAA 111");
    EXPECT_EQ(shown("numTotAdjustTaxableInc"), "168 000.00");

    // "&Initialise All" closes the window and discards the register.
    open("mnuNew");
    EXPECT_EQ(main.calculatorWindow("frmCompCar"), nullptr);
    w = open("mnuCompCar");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(0).arg(0));
    EXPECT_EQ(shown("txtCCRegNumber"), "");

    // Deleting the only vehicle empties the register and its IRP5 total.
    addVehicle("DDD 444", "100000");
    type("numActual3802", "1000");
    click("cmdDelete");
    EXPECT_EQ(w->windowTitle(), kCompCarCaption.arg(0).arg(0));
    EXPECT_EQ(shown("numActual3802"), "0");
    EXPECT_EQ(shown("txtCCRegNumber"), "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(VehicleWindowsTest, AutoSplitSharesTheIrp5TotalByDaysHeld)
{
    w = open("mnuCompCar");
    ASSERT_NE(w, nullptr);
    addVehicle("AAA 111", "100000", "01/03/2017", "08/06/2017");  // 100 days
    addVehicle("BBB 222", "100000", "09/06/2017", "28/02/2018");  // 265 days
    type("numActual3802", "73000");
    click("cmdCalculate");
    EXPECT_EQ(shown("numFB3802ThisCar"), "53000.00");
    click("cmdBack");
    EXPECT_EQ(shown("numFB3802ThisCar"), "20000.00");

    // Unticked, the share is typed again.
    click("chkAutoCalc3802");
    EXPECT_TRUE(enabled("numFB3802ThisCar"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(VehicleWindowsTest, CompanyCarDatesAreRefusedAndAnEndDateRefusedBlocksClosing)
{
    w = open("mnuCompCar");
    ASSERT_NE(w, nullptr);
    addVehicle("AAA 111", "100000");

    type("dtCCStartDate", "01/01/2017");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Incorrect Date");
    EXPECT_EQ(messages[0].text,
              "The date entered is not correct please enter a date between 01/03/2017 and 28/02/2018");
    QCoreApplication::processEvents();
    EXPECT_TRUE(child("dtCCStartDate")->hasFocus());
    EXPECT_EQ(shown("dtCCStartDate"), "01/03/2017") << "the date held before is kept";

    // An end date before the start quotes the start date.
    type("dtCCStartDate", "01/06/2017");
    type("dtCCEndDate", "31/05/2017");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text,
              "The date entered is not correct please enter a date between 01/06/2017 and 28/02/2018");
    QCoreApplication::processEvents();
    ASSERT_TRUE(child("dtCCEndDate")->hasFocus());

    // Closing the frame now is refused and the focus goes to the start date.
    main.mdiArea()->activeSubWindow()->close();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text,
              "The dates entered are not correct please enter a dates between 01/03/2017 and 28/02/2018");
    EXPECT_NE(main.calculatorWindow("frmCompCar"), nullptr);
    EXPECT_TRUE(child("dtCCStartDate")->hasFocus());

    // Once the end date is left, the window closes.
    click("cmdOk");
    EXPECT_EQ(main.calculatorWindow("frmCompCar"), nullptr);
    EXPECT_EQ(messages.size(), 3u);
}

// A start date in the tax year but after the end date is told so, in both
// vehicle windows, rather than sent to the year's range it is already in.
TEST_F(VehicleWindowsTest, AStartDateAfterTheEndDateIsToldSo)
{
    const std::string expected = "The start date 01/06/2017 is after the end date 31/05/2017. Enter a start date on "
                                 "or before 31/05/2017, or change the end date first.";
    w = open("mnuCompCar");
    ASSERT_NE(w, nullptr);
    addVehicle("AAA 111", "100000");
    type("dtCCEndDate", "31/05/2017");
    type("dtCCStartDate", "01/06/2017");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(), expected);
    EXPECT_EQ(shown("dtCCStartDate"), "01/03/2017");

    w = open("mnuCarAll1");
    ASSERT_NE(w, nullptr);
    type("dtCarAlEndDate", "31/05/2017");
    type("dtCarAlStartDate", "01/06/2017");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text.toStdString(), expected);
}

TEST_F(VehicleWindowsTest, ClosingReadingsBelowTheOpeningOnesAreRefusedNamingTheVehicle)
{
    struct Case {
        const char* menu;
        const char* opening;
        const char* closing;
        const char* text;
    };
    const Case cases[] = {
        {"mnuCompCar", "numStartMileage", "numEndMileage",
         "Vehicle 1 (AAA 111): the closing odometer reading (10000 km) is below the opening reading (25000 km). "
         "Enter the readings at the start and at the end of the period."},
        {"mnuCarAll1", "silgEdit4", "silgEdit3",
         "The vehicle: the closing odometer reading (10000 km) is below the opening reading (25000 km). Enter the "
         "readings at the start and at the end of the period."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menu);
        messages.clear();
        w = open(c.menu);
        ASSERT_NE(w, nullptr);
        if (QLatin1String(c.menu) == QLatin1String("mnuCompCar"))
            addVehicle("AAA 111", "300000");
        else
            type("silgEdit1", "300000");
        type(c.opening, "25000");
        type(c.closing, "10000");
        click("cmdCalculate");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].title, "Incorrect Mileage");
        EXPECT_EQ(messages[0].text, c.text);
        QCoreApplication::processEvents();
        EXPECT_TRUE(child(c.closing)->hasFocus());
        // A closing reading above the opening one calculates.
        type(c.closing, "40000");
        click("cmdCalculate");
        EXPECT_EQ(messages.size(), 1u);
        click("cmdOk");
    }
}

TEST_F(VehicleWindowsTest, CompanyCarPrintsOneRowPerVehicleWithPrintTimeFuel)
{
    w = open("mnuCompCar");
    ASSERT_NE(w, nullptr);
    addVehicle("AAA 111", "300000");
    type("numTotalDistance", "10000");
    click("chkSARSTable");
    click("chkMaintIncluded");
    click("chkBussMilage");
    addVehicle("BBB 222", "100000", "01/03/2017", "31/08/2017");
    click("cmdBack");
    click("cmdCalculate");
    EXPECT_EQ(shown("numFuelComponent"), "11 890.00") << "1.189 R/km on the screen";

    click("cmdPrint");
    auto* panel = child<QGroupBox>("Frame1");
    ASSERT_TRUE(panel->isVisible());
    click("cmdVR");
    EXPECT_FALSE(panel->isVisible());

    const auto rows = printRows("compcar", "CarNum");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].value("CarNum").toInt(), 1);
    EXPECT_EQ(rows[1].value("CarNum").toInt(), 2);
    EXPECT_EQ(rows[0].value("CMVMaxNum").toInt(), 2);
    EXPECT_EQ(rows[0].value("CCRegNumber").toString(), "AAA 111");
    EXPECT_EQ(rows[0].value("FuelComponent").toDouble(), 10750) << "1.075 R/km on the printout";
    EXPECT_EQ(rows[0].value("MaintIncluded").toString(), "Yes");
    EXPECT_EQ(rows[0].value("SARSTable").toString(), "Yes");
    EXPECT_EQ(rows[0].value("BussMilage").toString(), "Yes");
    EXPECT_EQ(rows[1].value("MaintIncluded").toString(), "No");
    EXPECT_EQ(rows[1].value("CCMonths").toDouble(), 184);
    EXPECT_EQ(rows[1].value("CCEndDate").toString(), "31/08/2017");

    // Printed again with one vehicle fewer: no row of the earlier print stays.
    click("cmdDelete");
    click("cmdPrint");
    click("cmdVR");
    EXPECT_EQ(printRows("compcar").size(), 1u);
    for (const MessageRequest& m : messages)
        EXPECT_TRUE(m.text.contains("compcar.rpt")) << m.text.toStdString();
}

TEST_F(VehicleWindowsTest, CarAllowanceBothMethods)
{
    w = open("mnuCarAll1");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Travel Allowance");
    EXPECT_TRUE(child<QRadioButton>("Option3")->isChecked());
    EXPECT_TRUE(child("fraDeemed")->isVisible());
    EXPECT_FALSE(child("fraActual")->isVisible());
    EXPECT_FALSE(enabled("silgEdit6"));
    EXPECT_EQ(shown("silgEdit12"), "365");

    // Deemed costs, band 4: fixed 93 267 over 30 000 km, fuel and maintenance.
    type("silgEdit1", "300000");
    type("silgEdit4", "10000");
    type("silgEdit3", "40000");
    type("silgEdit5", "12000");
    click("cmdCalculate");
    EXPECT_EQ(shown("sidbEdit3_2"), "30000");
    EXPECT_EQ(shown("sidbEdit3_3"), "93 267.00");
    EXPECT_EQ(shown("sidbEdit1_0"), "310.89");
    EXPECT_EQ(shown("sidbEdit1_1"), "118.90");
    EXPECT_EQ(shown("sidbEdit1_2"), "49.60");
    EXPECT_EQ(shown("sidbEdit1_3"), "479.39");  // the rate the claim is worked from
    EXPECT_EQ(shown("sidbEdit1_4"), "57 526.80");

    // Unticking fuel recalculates at once; the allowance caps the claim.
    click("Check1");
    EXPECT_EQ(shown("sidbEdit1_1"), "0.00");
    EXPECT_EQ(shown("sidbEdit1_3"), "360.49");
    click("Check1");
    type("silgEdit2", "50000");
    click("cmdCalculate");
    EXPECT_EQ(shown("sidbEdit1_4"), "50 000.00");

    // Records kept: the costs are typed, the dates are not.
    click("Option4");
    EXPECT_TRUE(child("fraActual")->isVisible());
    EXPECT_FALSE(child("fraDeemed")->isVisible());
    EXPECT_TRUE(enabled("silgEdit6"));
    EXPECT_FALSE(enabled("dtCarAlStartDate"));
    // Its figures at once: no deemed claim beside costs of 0.
    EXPECT_EQ(shown("sidbEdit2_3"), "0.00");
    EXPECT_EQ(shown("sidbEdit2_5"), "0.00");
    EXPECT_TRUE(messages.empty());
    type("silgEdit6", "60000");
    click("cmdCalculate");
    EXPECT_EQ(shown("sidbEdit2_3"), "60 000.00");
    EXPECT_EQ(shown("sidbEdit2_4"), "36 000.00");
    EXPECT_EQ(shown("sidbEdit2_5"), "24 000.00");

    // Closed and reopened, the case is kept.
    click("cmdOk");
    EXPECT_EQ(main.calculatorWindow("frmCarAll1"), nullptr);
    w = open("mnuCarAll1");
    EXPECT_TRUE(child<QRadioButton>("Option4")->isChecked());
    EXPECT_EQ(shown("silgEdit6"), "60000");
    EXPECT_EQ(shown("sidbEdit2_5"), "24 000.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(VehicleWindowsTest, CarAllowanceRefusesWearAndTearWithALease)
{
    w = open("mnuCarAll1");
    ASSERT_NE(w, nullptr);
    click("Option4");
    type("silgEdit11", "3000");
    // Nothing is said while the amount is typed: the whole of it stays.
    auto* wear = child<NumericEdit>("silgEdit10");
    wear->setFocus();
    QTest::keyClicks(wear, "5000");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(wear->text(), "5000");
    // Leaving the field refuses it.
    child("cmdCalculate")->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Single Payment");
    EXPECT_EQ(messages[0].text, "Only one amount for either Wear & Tear or Lease payments will be accepted");
    EXPECT_EQ(shown("silgEdit10"), "0");
    EXPECT_EQ(state.memory<VehicleMemory>().CarAllowance.WearAndTear, 0);
    EXPECT_EQ(state.memory<VehicleMemory>().CarAllowance.LeasePayments, 3000);
}

TEST_F(VehicleWindowsTest, CarAllowancePrintsTheDeemedRow)
{
    w = open("mnuCarAll1");
    ASSERT_NE(w, nullptr);
    type("Text1", "Thandi Mokoena");
    type("silgEdit1", "300000");
    type("silgEdit4", "10000");
    type("silgEdit3", "40000");
    type("silgEdit5", "12000");
    click("Check1");
    click("cmdPrint");
    auto* panel = child<QGroupBox>("Frame1");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(child("cmdPD")->hasFocus());
    click("cmdVR");

    const auto rows = printRows("traveldeduction");
    ASSERT_EQ(rows.size(), 1u);
    const QSqlRecord& row = rows[0];
    EXPECT_EQ(row.value("mta01").toString(), "Thandi Mokoena");
    EXPECT_NEAR(row.value("tadeduction").toDouble(), 12000 * 360.49 / 100, 1e-6);
    EXPECT_EQ(row.value("FCDet").toString(), "Fuel costs not included");
    EXPECT_EQ(row.value("fc").toDouble(), 0);
    EXPECT_EQ(row.value("mta14").toDouble(), 365);
    EXPECT_EQ(row.value("DateStart").toString(), "01/03/2017");
    EXPECT_EQ(row.value("DateEnd").toString(), "28/02/2018");
    for (const MessageRequest& m : messages)
        EXPECT_TRUE(m.text.contains("caepnrk.rpt")) << m.text.toStdString();
}

// With records kept the row carries the actual costs, and the printout takes
// the actual-cost template.
TEST_F(VehicleWindowsTest, CarAllowanceWithRecordsKeptPrintsTheActualCostRow)
{
    w = open("mnuCarAll1");
    ASSERT_NE(w, nullptr);
    click("Option4");
    type("Text1", "Thandi Mokoena");
    type("Text3", "Fleet pool");
    type("silgEdit2", "50000");
    type("silgEdit4", "10000");
    type("silgEdit3", "40000");
    type("silgEdit5", "12000");
    type("silgEdit6", "60000");
    click("cmdPrint");
    ASSERT_TRUE(child<QGroupBox>("Frame1")->isVisible());
    click("cmdVR");

    const auto rows = printRows("traveldeduction");
    ASSERT_EQ(rows.size(), 1u);
    const QSqlRecord& row = rows[0];
    EXPECT_EQ(row.value("mta01").toString(), "Thandi Mokoena");
    EXPECT_EQ(row.value("TPName").toString(), "Fleet pool");
    EXPECT_EQ(row.value("mta08").toDouble(), 60000);
    EXPECT_EQ(row.value("totcost").toDouble(), 60000);
    EXPECT_EQ(row.value("pu").toDouble(), 36000);
    EXPECT_EQ(row.value("tadeduction").toDouble(), 24000);
    for (const MessageRequest& m : messages)
        EXPECT_TRUE(m.text.contains("caeprk.rpt")) << m.text.toStdString();
}

TEST_F(VehicleWindowsTest, NoTwoControlsShareAMnemonicAndTheFirstFieldHasTheFocus)
{
    const std::pair<const char*, const char*> windows[] = {{"mnuCompCar", "txtCCRegNumber"}, {"mnuCarAll1", "Text1"}};
    for (const auto& [command, first] : windows) {
        SCOPED_TRACE(command);
        w = open(command);
        ASSERT_NE(w, nullptr);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), first);
        if (std::string_view(command) == "mnuCompCar")
            addVehicle("AAA 111", "100000");
        EXPECT_EQ(test::sharedMnemonics(w), QStringList());
        click("cmdPrint");
        EXPECT_EQ(test::sharedMnemonics(w), QStringList()) << "with the print panel up";
        click("cmdCancel");
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace grossby
