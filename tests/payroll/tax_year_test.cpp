// The payroll calculators follow the tax year they are given: its scale,
// rebates, credits, dates and UIF ceilings. The expected figures are worked
// by hand from SARS's published tables for the year.

#include "calc_test_util.h"
#include "core/annual_tax.h"
#include "core/tax_year.h"
#include "payroll/period_print.h"
#include "payroll/period_tax.h"
#include "payroll/quicktax.h"
#include "payroll/test_years.h"

#include <gtest/gtest.h>

#include <string>

namespace grossby {
namespace {

using test::ok;
using test::rejected;
using test::testYear;

#define EXPECT_CENTS(actual, expected) EXPECT_NEAR((actual), (expected), 0.005)

double day(int d, int m, int y)
{
    return static_cast<double>(dayNumberFromDate({y, m, d}));
}

// The settings store's 2017/18 figures: its UIF limit is that year's.
const PeriodSettings kStored{1, 1, 1, 14872, 0.8, kDefaultTaxYear};

TEST(TaxYears, QuickTaxUsesTheYearsScaleAndRebates)
{
    testYear(2026);
    // 2025/26: 77 362 + 31 % of (500 000 - 370 500) = 117 507; less the
    // primary rebate of 17 235 = 100 272 (8 356 a month).
    const QuickTaxResult r = ok(CalcQuickTax({500000, 40, 2026}));
    EXPECT_EQ(r.marginalRate, 31);
    EXPECT_EQ(r.bracketBaseTax, 77362);
    EXPECT_CENTS(r.total, 117507);
    EXPECT_EQ(r.rebate, 17235);
    EXPECT_CENTS(r.payable, 100272);
    EXPECT_CENTS(r.monthlyTax(), 8356);
    // 75 and over: 17 235 + 9 444 + 3 145.
    EXPECT_EQ(ok(CalcQuickTax({500000, 75, 2026})).rebate, 29824);
    // The same income in 2017/18 stays as it was.
    EXPECT_CENTS(ok(CalcQuickTax({500000, 40})).payable, 115824.40);
}

TEST(TaxYears, AYearThatIsNotAvailableIsRefusedNamingIt)
{
    const InputError e = rejected(CalcQuickTax({500000, 40, 2041}));
    EXPECT_EQ(e.title, "Tax year");
    EXPECT_NE(e.text.find("The tax year 2040/41 is not available"), std::string::npos) << e.text;
    EXPECT_EQ(e.field, "year");
    MonthlyInputs in;
    in.TaxYear = 2041;
    EXPECT_EQ(rejected(CalcMonthlyTax(in, kStored)).field, "year");
}

TEST(TaxYears, PeriodCalculatorsTaxOnTheYearsFigures)
{
    const TaxYearFigures& y = testYear(2026);
    // A full month of 30 000 with two beneficiaries: 360 000 a year.
    MonthlyInputs month;
    month.age = 40;
    month.pay.salary = 30000;
    month.pay.employeeMedical = 2000;
    month.beneficiaries = 2;
    month.TaxYear = 2026;
    month.startDate = day(1, 4, 2025);
    month.endDate = day(30, 4, 2025);
    const PeriodResult m = ok(CalcMonthlyTax(month, kStored));
    const double annual = 42678 + (360000 - 237100) * 0.26 - 17235;  // 57 397
    EXPECT_CENTS(m.paye, annual / 12);
    EXPECT_EQ(m.medicalCredit, 2 * 364);
    // The store's limit is 2017/18's: the year's own ceiling of 17 712 applies.
    EXPECT_CENTS(m.uifEmployee, 177.12);

    ShortPeriodInputs week;
    week.age = 40;
    week.pay.salary = 360000.0 / 52;
    week.pay.employeeMedical = 100;
    week.beneficiaries = 3;
    week.normalDays = week.thisDays = 5;
    week.TaxYear = 2026;
    const PeriodResult w = ok(CalcWeeklyTax(week, kStored));
    EXPECT_CENTS(w.paye, annual / 52);
    EXPECT_CENTS(w.medicalCredit, (2 * 364 + 246) / 4.0);
    EXPECT_CENTS(w.uifEmployee, 17712 * 12 / 52.0 / 100);

    DailyInputs d;
    d.age = 66;
    d.pay.salary = 360000.0 / 260;
    d.TaxYear = 2026;
    EXPECT_CENTS(ok(CalcDailyTax(d, kStored)).paye, (42678 + (360000 - 237100) * 0.26 - 17235 - 9444) / 260);
    EXPECT_EQ(y.label, "2025/26");
}

TEST(TaxYears, DatesOutsideTheChosenYearAreRefusedWithItsDates)
{
    testYear(2026);
    MonthlyInputs in;
    in.TaxYear = 2026;  // the dates left at 2017/18's
    const InputError start = rejected(CalcMonthlyTax(in, kStored));
    EXPECT_EQ(start.text, "The date entered is not correct please enter a date between 01/03/2025 and 28/02/2026");
    EXPECT_EQ(start.field, "start");

    AnnualInputs annual;
    annual.TaxYear = 2026;
    annual.startDate = day(1, 3, 2025);
    annual.endDate = day(1, 3, 2026);
    const InputError end = rejected(CalcAnnualPAYE(annual, kStored));
    EXPECT_EQ(end.text, "The date entered is not correct please enter a date between 01/03/2025 and 28/02/2026");
    EXPECT_EQ(end.field, "end");

    // 2017/18's messages are as they were.
    MonthlyInputs old;
    old.startDate = day(1, 3, 2025);
    EXPECT_EQ(rejected(CalcMonthlyTax(old, kStored)).text,
              "The date entered is not correct please enter a date between 01/03/2017 and 28/02/2018");
}

TEST(TaxYears, UifCeilingOf2021_22FollowsTheMonthsStart)
{
    testYear(2022);
    MonthlyInputs in;
    in.age = 40;
    in.pay.salary = 20000;
    in.TaxYear = 2022;
    struct Case {
        double start, end, employee;
    } cases[] = {
        {day(1, 5, 2021), day(31, 5, 2021), 148.72},  // R14 872 to 31 May 2021
        {day(1, 6, 2021), day(30, 6, 2021), 177.12},  // R17 712 from 1 June 2021
        {day(31, 5, 2021), day(31, 5, 2021), 148.72},
        {day(1, 2, 2022), day(28, 2, 2022), 177.12},
    };
    for (const Case& c : cases) {
        in.startDate = c.start;
        in.endDate = c.end;
        const PeriodResult r = ok(CalcMonthlyTax(in, kStored));
        EXPECT_CENTS(r.uifEmployee, c.employee) << formatDate(c.start);
        EXPECT_CENTS(r.uifEmployer, c.employee) << formatDate(c.start);
    }
    // A limit given for the calculation (UIFLimitYear 0) applies in any year and month.
    PeriodSettings given = kStored;
    given.UIFLimit = 15000;
    given.UIFLimitYear = 0;
    in.startDate = day(1, 6, 2021);
    in.endDate = day(30, 6, 2021);
    EXPECT_CENTS(ok(CalcMonthlyTax(in, given)).uifEmployee, 150);
    // Weeks have no dates: the ceiling at the year's start.
    ShortPeriodInputs week;
    week.pay.salary = 5000;
    week.normalDays = week.thisDays = 5;
    week.TaxYear = 2022;
    EXPECT_CENTS(ok(CalcWeeklyTax(week, kStored)).uifEmployee, 14872 * 12 / 52.0 / 100);
}

TEST(TaxYears, LeapYearFebruaryAndYearCountTheirDays)
{
    testYear(2024);
    // 2023/24 ends on 29 February 2024: a full February is a full month.
    MonthlyInputs feb;
    feb.age = 40;
    feb.pay.salary = 25000;
    feb.TaxYear = 2024;
    feb.startDate = day(1, 2, 2024);
    feb.endDate = day(29, 2, 2024);
    MonthlyInputs march = feb;
    march.startDate = day(1, 3, 2023);
    march.endDate = day(31, 3, 2023);
    const PeriodResult f = ok(CalcMonthlyTax(feb, kStored));
    EXPECT_CENTS(f.paye, ok(CalcMonthlyTax(march, kStored)).paye);
    EXPECT_EQ(f.annualTaxableIncome, 300000);

    // The whole year is 366 days and is taxed without proration; half of it
    // is annualised over 366 days.
    AnnualInputs year;
    year.age = 40;
    year.pay.salary = 300000;
    year.TaxYear = 2024;
    year.startDate = day(1, 3, 2023);
    year.endDate = day(29, 2, 2024);
    const AnnualResult whole = ok(CalcAnnualPAYE(year, kStored));
    EXPECT_EQ(whole.daysEmployed, 366);
    EXPECT_CENTS(whole.paye, 42678 + (300000 - 237100) * 0.26 - 17235);
    year.endDate = day(31, 8, 2023);  // 184 days
    year.pay.salary = 150000;
    const AnnualResult part = ok(CalcAnnualPAYE(year, kStored));
    EXPECT_CENTS(part.annualTaxableIncome, 150000 * 366 / 184.0);
}

TEST(TaxYears, PrintoutsNameTheYearOnlyWhenItIsNot2017_18)
{
    testYear(2026);
    auto value = [](const PrintRecord& row, const std::string& column) {
        for (const auto& field : row) {
            if (field.name == column)
                return std::get<std::string>(field.value);
        }
        ADD_FAILURE() << "no column " << column;
        return std::string();
    };
    DailyInputs d;
    const PeriodResult r = ok(CalcDailyTax(d, kStored));
    EXPECT_EQ(value(PrintDaily(d, r, PrintLanguage::English), "TaxYear"), "2017/18");
    EXPECT_EQ(value(PrintDaily(d, r, PrintLanguage::English), "TaxYearHeading"), "");
    d.TaxYear = 2026;
    EXPECT_EQ(value(PrintDaily(d, r, PrintLanguage::English), "TaxYearHeading"), "Tax year 2025/26");
    EXPECT_EQ(value(PrintDaily(d, r, PrintLanguage::Afrikaans), "TaxYearHeading"), "Belastingjaar 2025/26");

    const PrintRecord quick = KwikTaxRecord(ok(CalcQuickTax({500000, 40, 2026})));
    EXPECT_EQ(value(quick, "TaxYearHeading"), "Tax year 2025/26");
    EXPECT_EQ(value(quick, "YearStart"), "1 March 2025");
    EXPECT_EQ(value(quick, "YearEnd"), "28 February 2026");
    const PrintRecord old = KwikTaxRecord(ok(CalcQuickTax({500000, 40})));
    EXPECT_EQ(value(old, "YearStart"), "1 March 2017");
    EXPECT_EQ(value(old, "YearEnd"), "28 February 2018");
    EXPECT_EQ(value(old, "TaxYearHeading"), "");
}

}  // namespace
}  // namespace grossby
