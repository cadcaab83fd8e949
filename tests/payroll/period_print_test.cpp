// The rows the period calculators stage for their check sheets, compared with
// reviewed golden files (set GROSSBY_UPDATE_GOLDEN=1 to rewrite them after a
// deliberate change, then review the diff).

#include "core/tax_year.h"
#include "payroll/period_print.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace grossby {
namespace {

std::string dump(const PrintRecord& row)
{
    std::ostringstream out;
    for (const auto& f : row) {
        out << f.name << " = ";
        if (const auto* d = std::get_if<double>(&f.value)) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.17g", *d);
            out << "double " << buf;
        } else if (const auto* i = std::get_if<std::int32_t>(&f.value)) {
            out << "int " << *i;
        } else {
            out << "text \"" << std::get<std::string>(f.value) << '"';
        }
        out << '\n';
    }
    return out.str();
}

const PrintValue* find(const PrintRecord& row, const std::string& name)
{
    const PrintValue* found = nullptr;
    for (const auto& f : row)
        if (f.name == name)
            found = &f.value;  // a field written twice keeps its last value
    return found;
}

EmployeeInputs employee()
{
    EmployeeInputs in;
    in.name = "Thandi Mokoena";
    in.age = 67;
    in.pay = {.salary = 18000,
              .commission = 2500,
              .bonus = 5000,
              .travelAllowance = 3000,
              .employerRetirementFund = 1200,
              .employeeRetirementFund = 900,
              .employerMedical = 1500,
              .employeeMedical = 1100};
    in.beneficiaries = 3;
    return in;
}

const PeriodSettings kSettings{1, 1, 1, 14872, 0.8};

PrintRecord monthlyRow(PrintLanguage lang)
{
    MonthlyInputs in;
    static_cast<EmployeeInputs&>(in) = employee();
    in.startDate = static_cast<double>(dayNumberFromDate({2017, 6, 1}));
    in.endDate = static_cast<double>(dayNumberFromDate({2017, 6, 20}));
    return PrintMonthly(in, std::get<PeriodResult>(CalcMonthlyTax(in, kSettings)), lang);
}

PrintRecord annualRow(PrintLanguage lang)
{
    AnnualInputs in;
    static_cast<EmployeeInputs&>(in) = employee();
    in.pay.salary = 216000;
    in.startDate = static_cast<double>(dayNumberFromDate({2017, 5, 10}));
    in.endDate = static_cast<double>(dayNumberFromDate({2017, 12, 31}));
    in.beneficiariesByMonth = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    return PrintAnnual(in, std::get<AnnualResult>(CalcAnnualPAYE(in, kSettings)), lang);
}

PrintRecord shortRow(bool fortnightly, PrintLanguage lang)
{
    ShortPeriodInputs in;
    static_cast<EmployeeInputs&>(in) = employee();
    in.normalDays = 5;
    in.thisDays = 3;
    if (fortnightly)
        return PrintFortnightly(in, std::get<PeriodResult>(CalcFortnightlyTax(in, kSettings)), lang);
    return PrintWeekly(in, std::get<PeriodResult>(CalcWeeklyTax(in, kSettings)), lang);
}

PrintRecord dailyRow(PrintLanguage lang)
{
    DailyInputs in = employee();
    return PrintDaily(in, std::get<PeriodResult>(CalcDailyTax(in, kSettings)), lang);
}

struct SheetCase {
    const char* name;
    PrintRecord (*build)(PrintLanguage);
};

const SheetCase kSheets[] = {
    {"monthly", monthlyRow},
    {"annual", annualRow},
    {"weekly", [](PrintLanguage l) { return shortRow(false, l); }},
    {"fortnightly", [](PrintLanguage l) { return shortRow(true, l); }},
    {"daily", dailyRow},
};

class PeriodPrintTest : public ::testing::TestWithParam<SheetCase> { };

TEST_P(PeriodPrintTest, RowsMatchTheReviewedCopies)
{
    for (const auto& [lang, suffix] :
         {std::pair{PrintLanguage::English, "en"}, std::pair{PrintLanguage::Afrikaans, "af"}}) {
        const std::string path = std::string(PAYROLL_GOLDEN_DIR) + "/" + GetParam().name + "_" + suffix + ".txt";
        const std::string actual = dump(GetParam().build(lang));
        if (std::getenv("GROSSBY_UPDATE_GOLDEN")) {
            std::ofstream(path) << actual;
            continue;
        }
        std::ifstream file(path);
        ASSERT_TRUE(file) << "missing " << path;
        std::stringstream expected;
        expected << file.rdbuf();
        EXPECT_EQ(actual, expected.str()) << path;
    }
}

TEST_P(PeriodPrintTest, BothLanguagesCarryTheSameFieldsAndFigures)
{
    const PrintRecord en = GetParam().build(PrintLanguage::English);
    const PrintRecord af = GetParam().build(PrintLanguage::Afrikaans);
    ASSERT_EQ(en.size(), af.size());
    std::set<std::string> names;
    for (std::size_t i = 0; i < en.size(); ++i) {
        EXPECT_EQ(en[i].name, af[i].name);
        EXPECT_TRUE(names.insert(en[i].name).second) << en[i].name << " written twice";
        if (!std::holds_alternative<std::string>(en[i].value)) {
            EXPECT_EQ(en[i].value, af[i].value) << en[i].name;
        }
    }
    EXPECT_EQ(dump(GetParam().build(PrintLanguage::English)), dump(en)) << "printing twice gives the same row";
}

INSTANTIATE_TEST_SUITE_P(Sheets, PeriodPrintTest, ::testing::ValuesIn(kSheets),
                         [](const auto& sheet) { return std::string(sheet.param.name); });

TEST(PeriodPrint, FiguresComeFromTheCalculation)
{
    MonthlyInputs in;
    static_cast<EmployeeInputs&>(in) = employee();
    const PeriodResult r = std::get<PeriodResult>(CalcMonthlyTax(in, kSettings));
    const PrintRecord row = PrintMonthly(in, r, PrintLanguage::English);
    // The sheet's "Tax liability" line carries the tax before credits, its
    // "Total tax deduction" line the tax after them.
    EXPECT_EQ(std::get<double>(*find(row, "Taxliabilitynum")), r.paye);
    EXPECT_EQ(std::get<double>(*find(row, "TotalNum")), r.taxLiability);
    EXPECT_EQ(std::get<double>(*find(row, "TravTwo")), 2400);
    EXPECT_EQ(std::get<std::string>(*find(row, "SDateNum")), "01/03/2017");
    EXPECT_EQ(std::get<std::string>(*find(row, "EDateNum")), "31/03/2017");
    // UIF and levy as their two-decimal fields show them.
    EXPECT_EQ(std::get<double>(*find(row, "UIFEMPENum")), 148.72);
    EXPECT_EQ(std::get<double>(*find(row, "SDLNum")), shownAmount(r.sdl));
}

TEST(PeriodPrint, ShownAmountRoundsLikeTheField)
{
    EXPECT_EQ(shownAmount(2797.8500000000004), 2797.85);
    EXPECT_EQ(shownAmount(34.61538461538461), 34.62);
    EXPECT_EQ(shownAmount(0.125), 0.12);  // an exact half goes to even
    EXPECT_EQ(shownAmount(-1.005), -1.00);  // -1.005 is stored just short of the half
    EXPECT_EQ(shownAmount(0), 0);
}

TEST(PeriodPrint, ReportsNameTheirTablesTemplatesAndTitles)
{
    EXPECT_EQ(monthlyReport().table, "IRP5Mon");
    EXPECT_EQ(annualReport().templateName, "Annual.rpt");
    EXPECT_EQ(weeklyReport().table, fortnightlyReport().table);
    EXPECT_EQ(fortnightlyReport().templateName, "FortNightly.rpt");
    EXPECT_EQ(fortnightlyReport().previewTitle,
              "FortNightly - To export printout click on the suitcase button or goto Help");
    EXPECT_EQ(dailyReport().table, "IRP5Day");
}

}  // namespace
}  // namespace grossby
