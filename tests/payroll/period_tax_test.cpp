#include "calc_test_util.h"
#include "core/tax_year.h"
#include "payroll/period_tax.h"

#include <gtest/gtest.h>

#include <cmath>

namespace grossby {
namespace {

using test::ok;
using test::rejected;

// 1 % UIF each side, 1 % levy, a limit above the examples' pay, 80 % travel.
const PeriodSettings kSettings{1, 1, 1, 25000, 0.8};

double day(int d, int m, int y)
{
    return static_cast<double>(dayNumberFromDate({y, m, d}));
}

// Figures are compared to the cent, as the worked examples give them.
#define EXPECT_CENTS(actual, expected) EXPECT_NEAR((actual), (expected), 0.005)

// ---- Monthly ---------------------------------------------------------------

struct MonthlyCase {
    const char* what;
    MonthlyInputs in;
    double paye;
    double annualTaxableIncome;
};

MonthlyInputs monthly(int age, double salary, double bonus, double start, double end)
{
    MonthlyInputs in;
    in.age = age;
    in.pay.salary = salary;
    in.pay.bonus = bonus;
    in.startDate = start;
    in.endDate = end;
    return in;
}

TEST(MonthlyTax, WorkedExamples)
{
    const MonthlyCase cases[] = {
        {"full March", monthly(40, 20000, 0, day(1, 3, 2017), day(31, 3, 2017)), 2797.85, 240000},
        {"1 to 15 March is scaled to a full month", monthly(40, 20000, 0, day(1, 3, 2017), day(15, 3, 2017)), 4612.27,
         496000},
        {"bonus taxed in full in the month", monthly(40, 20000, 10000, day(1, 3, 2017), day(31, 3, 2017)), 5397.85,
         240000},
        {"70, under the threshold", monthly(70, 9000, 0, day(1, 6, 2017), day(30, 6, 2017)), 0, 108000},
        // T2 clamps at 0; only the part of 128 000 over the threshold is taxed.
        {"70, bonus crosses the threshold", monthly(70, 9000, 20000, day(1, 6, 2017), day(30, 6, 2017)),
         128000 * 0.18 - 21114, 108000},
        {"February has 28 days", monthly(40, 20000, 0, day(1, 2, 2018), day(14, 2, 2018)), 4526.02, 480000},
        {"one-day period", monthly(40, 20000, 0, day(30, 4, 2017), day(30, 4, 2017)), 8569.42, 7200000},
        {"nothing earned", monthly(40, 0, 0, day(1, 3, 2017), day(31, 3, 2017)), 0, 0},
    };
    for (const auto& c : cases) {
        const PeriodResult r = ok(CalcMonthlyTax(c.in, kSettings));
        EXPECT_CENTS(r.paye, c.paye) << c.what;
        EXPECT_NEAR(r.annualTaxableIncome, c.annualTaxableIncome, 1e-6) << c.what << ": left for QuickTax";
    }
}

TEST(MonthlyTax, UifSdlAndCreditsFollowThePay)
{
    MonthlyInputs in = monthly(66, 20000, 0, day(1, 3, 2017), day(31, 3, 2017));
    in.pay.commission = 4000;
    in.pay.employerMedical = 2000;
    in.pay.employeeMedical = 1000;
    in.pay.travelAllowance = 5000;
    in.pay.employeeRetirementFund = 1500;
    in.beneficiaries = 2;
    const PeriodResult r = ok(CalcMonthlyTax(in, PeriodSettings{1, 1, 1, 14872, 0.8}));

    EXPECT_EQ(r.medicalCredit, 606);
    EXPECT_NEAR(r.additionalMedicalCredit, 393.606, 1e-9);
    EXPECT_EQ(r.taxableTravelAllowance, 4000);
    EXPECT_EQ(r.rfDeduction, 1500);
    // UIF remuneration 20 000 + 2 000 + 4 000 = 26 000, above the 14 872 limit.
    EXPECT_DOUBLE_EQ(r.uifEmployee, 148.72);
    EXPECT_DOUBLE_EQ(r.uifEmployer, 148.72);
    // Levy: (26 000 - 1 500 + 4 000) x 1 %.
    EXPECT_DOUBLE_EQ(r.sdl, 285);
    // Income 20 000 + 4 000 + 4 000 + 2 000 - 1 500 = 28 500 a month.
    const double t2 = (342000 - 296540) * 0.31 + 61910 - 21114;
    EXPECT_CENTS(r.paye, t2 / 12);
    EXPECT_CENTS(r.taxLiability, t2 / 12 - 606 - 393.606);
}

TEST(MonthlyTax, TravelAllowanceAtTwentyPercent)
{
    MonthlyInputs in = monthly(40, 0, 0, day(1, 3, 2017), day(31, 3, 2017));
    in.pay.travelAllowance = 10000;
    const PeriodResult r = ok(CalcMonthlyTax(in, PeriodSettings{1, 1, 1, 14872, 0.2}));
    EXPECT_EQ(r.taxableTravelAllowance, 2000);
    EXPECT_EQ(r.annualTaxableIncome, 24000);
    EXPECT_DOUBLE_EQ(r.uifEmployee, 20);
}

TEST(MonthlyTax, RejectsDatesAndBeneficiariesWithTheirMessages)
{
    struct Case {
        const char* what;
        MonthlyInputs in;
        InputError error;
    };
    MonthlyInputs tooMany = monthly(40, 1000, 0, day(1, 3, 2017), day(31, 3, 2017));
    tooMany.beneficiaries = 100;
    MonthlyInputs negative = tooMany;
    negative.beneficiaries = -1;
    const Case cases[] = {
        {"start after end",
         monthly(40, 1000, 0, day(15, 3, 2017), day(10, 3, 2017)),
         {"Incorrect Date", "The Start date entered must be before the End date", "start"}},
        {"two months",
         monthly(40, 1000, 0, day(15, 3, 2017), day(10, 4, 2017)),
         {"Incorrect Date", "The Start and End dates entered must be for the same Month", "end"}},
        {"start before the tax year",
         monthly(40, 1000, 0, day(28, 2, 2017), day(10, 3, 2017)),
         {"Incorrect Date", "The date entered is not correct please enter a date between 01/03/2017 and 28/02/2018",
          "start"}},
        {"end after the tax year",
         monthly(40, 1000, 0, day(5, 2, 2018), day(1, 3, 2018)),
         {"Incorrect Date", "The date entered is not correct please enter a date between 05/02/2018 and 28/02/2018",
          "end"}},
        {"100 beneficiaries",
         tooMany,
         {"Incorrect Number of Beneficiaries",
          "The number of medical aid fund beneficiaries must be a whole number from 0 to 99.", "beneficiaries"}},
        {"negative beneficiaries",
         negative,
         {"Incorrect Number of Beneficiaries",
          "The number of medical aid fund beneficiaries must be a whole number from 0 to 99.", "beneficiaries"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rejected(CalcMonthlyTax(c.in, kSettings)), c.error) << c.what;
    }

    MonthlyInputs most = tooMany;
    most.beneficiaries = 99;
    most.pay.employeeMedical = 1;
    EXPECT_EQ(ok(CalcMonthlyTax(most, kSettings)).medicalCredit, 606 + 97 * 204);
}

// ---- Annual ----------------------------------------------------------------

AnnualInputs annual(double salary, double start, double end)
{
    AnnualInputs in;
    in.age = 40;
    in.pay.salary = salary;
    in.startDate = start;
    in.endDate = end;
    return in;
}

TEST(AnnualTax, WorkedExamples)
{
    struct Case {
        const char* what;
        AnnualInputs in;
        double paye;
        double annualTaxableIncome;
    };
    AnnualInputs travel = annual(240000, defaultTaxYear().start, defaultTaxYear().end);
    travel.pay.travelAllowance = 10000;
    AnnualInputs partYearBonus = annual(120000, day(1, 3, 2017), day(31, 8, 2017));
    partYearBonus.pay.bonus = 10000;
    AnnualInputs commission = annual(0, defaultTaxYear().start, defaultTaxYear().end);
    commission.pay.commission = 100000.5;
    AnnualInputs capped = annual(3000000, defaultTaxYear().start, defaultTaxYear().end);
    capped.pay.employeeRetirementFund = 800000;
    const Case cases[] = {
        {"full year", annual(240000, defaultTaxYear().start, defaultTaxYear().end), 33574.20, 240000},
        {"travel allowance truncates to whole rand", travel, 35654, 248000},
        {"March to August", annual(120000, day(1, 3, 2017), day(31, 8, 2017)), 16668.64, 120000.0 * 365 / 184},
        {"the bonus's tax is not prorated", partYearBonus, 16668.64 + 2600, 120000.0 * 365 / 184},
        // 100 000.50 x 18 % = 18 000.09 less the rebate, floored.
        {"commission truncates too", commission, 4365, 100000.5},
        {"the 350 000 cap is not reduced", capped, 533625 + (2650000 - 1500000) * 0.45 - 13635, 2650000},
    };
    for (const auto& c : cases) {
        const AnnualResult r = ok(CalcAnnualPAYE(c.in, kSettings));
        EXPECT_CENTS(r.paye, c.paye) << c.what;
        EXPECT_NEAR(r.annualTaxableIncome, c.annualTaxableIncome, 1e-6) << c.what;
    }
}

TEST(AnnualTax, MedicalCreditCountsTheMonthsOfEmployment)
{
    struct Case {
        const char* what;
        double start, end;
        double credit;
        std::array<int, 12> counted;  // March first
    };
    const Case cases[] = {
        {"whole year", defaultTaxYear().start, defaultTaxYear().end, 12 * 606, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}},
        {"March to August", defaultTaxYear().start, day(31, 8, 2017), 6 * 606, {2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0}},
        {"June to November", day(15, 6, 2017), day(2, 11, 2017), 6 * 606, {0, 0, 0, 2, 2, 2, 2, 2, 2, 0, 0, 0}},
        {"December to January", day(31, 12, 2017), day(1, 1, 2018), 2 * 606, {0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 0}},
        // Someone employed only in February gets February's credit and not January's.
        {"February only", day(1, 2, 2018), day(28, 2, 2018), 606, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}},
    };
    for (const auto& c : cases) {
        AnnualInputs in = annual(200000, c.start, c.end);
        in.pay.employerMedical = 12000;
        in.beneficiariesByMonth.fill(2);
        const AnnualResult r = ok(CalcAnnualPAYE(in, kSettings));
        EXPECT_EQ(r.medicalCredit, c.credit) << c.what;
        EXPECT_EQ(r.beneficiariesByMonth, c.counted) << c.what;
    }
}

TEST(AnnualTax, MonthlyCountsTakeTheirOwnBeneficiaries)
{
    AnnualInputs in = annual(300000, defaultTaxYear().start, defaultTaxYear().end);
    in.age = 70;
    in.pay.employeeMedical = 60000;
    in.beneficiariesByMonth = {1, 1, 2, 2, 3, 3, 24, 0, 0, 0, 0, 4};
    const AnnualResult r = ok(CalcAnnualPAYE(in, kSettings));
    const double credit = 2 * 303 + 2 * 606 + 2 * 810 + (606 + 22 * 204) + 1014;
    EXPECT_EQ(r.medicalCredit, credit);
    EXPECT_NEAR(r.additionalMedicalCredit, 0.333 * (60000 - 3 * credit), 1e-9);
    EXPECT_CENTS(r.taxLiability, r.paye - credit - r.additionalMedicalCredit);

    // Without a contribution there is no credit, whatever the counts.
    in.pay.employeeMedical = 0;
    EXPECT_EQ(ok(CalcAnnualPAYE(in, kSettings)).medicalCredit, 0);
}

TEST(AnnualTax, Rejections)
{
    AnnualInputs backwards = annual(1000, day(1, 6, 2017), day(31, 5, 2017));
    EXPECT_EQ(
        rejected(CalcAnnualPAYE(backwards, kSettings)),
        (InputError{"Incorrect Date",
                    "The date entered is not correct please enter a date between 01/06/2017 and 28/02/2018", "end"}));

    AnnualInputs over = annual(1000, defaultTaxYear().start, defaultTaxYear().end);
    over.beneficiariesByMonth[4] = 25;
    const InputError e = rejected(CalcAnnualPAYE(over, kSettings));
    EXPECT_EQ(e.text, "Only a maximum of 24 are allowed i.e. Principal member & first beneficiary!");
    EXPECT_EQ(e.field, "beneficiaries-by-month");

    over.beneficiariesByMonth[4] = -2;
    EXPECT_EQ(rejected(CalcAnnualPAYE(over, kSettings)).field, "beneficiaries-by-month");
}

// ---- Weekly, fortnightly, daily -------------------------------------------

ShortPeriodInputs shortPeriod(double salary, double bonus, int normalDays, int thisDays)
{
    ShortPeriodInputs in;
    in.age = 40;
    in.pay.salary = salary;
    in.pay.bonus = bonus;
    in.normalDays = normalDays;
    in.thisDays = thisDays;
    return in;
}

TEST(ShortPeriodTax, WorkedExamples)
{
    struct Case {
        const char* what;
        bool fortnightly;
        ShortPeriodInputs in;
        double paye;
    };
    const Case cases[] = {
        {"weekly full week", false, shortPeriod(5000, 0, 7, 7), 745.66},
        {"weekly 3 of 5 days", false, shortPeriod(3000, 0, 5, 3), 447.39},
        {"fortnightly", true, shortPeriod(10000, 0, 14, 14), 1491.32},
        // The unused rebate reduces the tax on the bonus: (9 360 - 13 635) / 52 + 3 600.
        {"weekly bonus under the threshold", false, shortPeriod(1000, 20000, 7, 7), 3517.79},
        {"weekly, nothing earned", false, shortPeriod(0, 0, 7, 7), 0},
    };
    for (const auto& c : cases) {
        const auto outcome = c.fortnightly ? CalcFortnightlyTax(c.in, kSettings) : CalcWeeklyTax(c.in, kSettings);
        EXPECT_CENTS(ok(outcome).paye, c.paye) << c.what;
    }
    EXPECT_EQ(ok(CalcWeeklyTax(shortPeriod(1000, 20000, 7, 7), kSettings)).annualTaxableIncome, 52000)
        << "the income without the bonus stays";
}

TEST(ShortPeriodTax, CreditsAndUifLimitsPerPeriod)
{
    ShortPeriodInputs in = shortPeriod(20000, 0, 7, 7);
    in.beneficiaries = 3;
    in.pay.employerMedical = 500;
    const PeriodSettings settings{1, 1, 1, 15000, 0.8};
    const PeriodResult week = ok(CalcWeeklyTax(in, settings));
    EXPECT_DOUBLE_EQ(week.medicalCredit, 202.50);
    EXPECT_CENTS(week.uifEmployee, 34.62);  // period limit 3 461.54
    const PeriodResult fortnight = ok(CalcFortnightlyTax(in, settings));
    EXPECT_DOUBLE_EQ(fortnight.medicalCredit, 405);
    EXPECT_CENTS(fortnight.uifEmployer, 69.23);  // period limit 6 923.08

    in.beneficiaries = 1;
    EXPECT_DOUBLE_EQ(ok(CalcWeeklyTax(in, settings)).medicalCredit, 75.75);
}

TEST(ShortPeriodTax, RejectsDayCounts)
{
    struct Case {
        const char* what;
        bool fortnightly;
        int normalDays, thisDays;
        const char* message;
        std::string field;
    };
    const Case cases[] = {
        {"8 of 7", false, 7, 8, "The number of 'Normal work-week' days must be = to or larger than 'This work-week'.",
         ""},
        {"15 of 14", true, 14, 15,
         "The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'.", ""},
        {"0 of 7", false, 7, 0, "The number of 'This work-week' days must be larger than 0.", "days-worked"},
        {"0 of 0", true, 0, 0, "The number of 'This fortnight' days must be larger than 0.", "days-worked"},
        {"-1 of 5", false, 5, -1, "The number of 'This work-week' days must be larger than 0.", "days-worked"},
    };
    for (const auto& c : cases) {
        const ShortPeriodInputs in = shortPeriod(1000, 0, c.normalDays, c.thisDays);
        const InputError e = rejected(c.fortnightly ? CalcFortnightlyTax(in, kSettings) : CalcWeeklyTax(in, kSettings));
        EXPECT_EQ(e.title, "Incorrect Number of Days") << c.what;
        EXPECT_EQ(e.text, c.message) << c.what;
        EXPECT_EQ(e.field, c.field) << c.what;
    }
    ShortPeriodInputs in = shortPeriod(1000, 0, 7, 7);
    in.beneficiaries = 100;
    EXPECT_EQ(rejected(CalcFortnightlyTax(in, kSettings)).field, "beneficiaries");
}

TEST(DailyTax, WorkedExamples)
{
    DailyInputs in;
    in.age = 40;
    in.pay.salary = 1000;
    const PeriodResult day = ok(CalcDailyTax(in, kSettings));
    EXPECT_CENTS(day.paye, 149.13);
    EXPECT_EQ(day.annualTaxableIncome, 260000);

    // Credits: 12 / 260 of the monthly credit, exact for every count up to 99.
    in.pay.employeeMedical = 100;
    const std::pair<int, double> credits[] = {{0, 0},
                                              {2, 7272.0 / 260},
                                              {3, 9720.0 / 260},
                                              {16, (14 * 2448 + 7272) / 260.0},
                                              {99, (97 * 2448 + 7272) / 260.0}};
    for (const auto& [n, credit] : credits) {
        in.beneficiaries = n;
        EXPECT_DOUBLE_EQ(ok(CalcDailyTax(in, kSettings)).medicalCredit, credit) << n;
    }
    in.beneficiaries = 3;
    EXPECT_CENTS(ok(CalcDailyTax(in, kSettings)).medicalCredit, 37.38);

    // Daily UIF limit 15 000 x 12 / 260 = 692.31.
    in.pay.salary = 2000;
    const PeriodResult r = ok(CalcDailyTax(in, PeriodSettings{1, 2, 1, 15000, 0.8}));
    EXPECT_CENTS(r.uifEmployee, 6.92);
    EXPECT_CENTS(r.uifEmployer, 13.85);

    in.beneficiaries = 100;
    EXPECT_EQ(rejected(CalcDailyTax(in, kSettings)).field, "beneficiaries");
}

TEST(DailyTax, BonusNetsTheRebateAgainstTheRegularTaxOnly)
{
    DailyInputs in;
    in.age = 40;
    in.pay.salary = 100;
    in.pay.bonus = 10000;
    // T1 on 36 000, T2 on 26 000: (4 680 - 13 635) / 260 + 1 800.
    EXPECT_CENTS(ok(CalcDailyTax(in, kSettings)).paye, (4680 - 13635) / 260.0 + 1800);
}

}  // namespace
}  // namespace grossby
