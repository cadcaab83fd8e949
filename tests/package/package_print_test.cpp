// The package statement's row: field names in the order they are written,
// the other-expense rows rule, the once-off note and the reverse windows'
// fields that must not carry an earlier printout's figures.

#include "package/package_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace grossby {
namespace {

std::vector<std::string> names(const PrintRecord& row)
{
    std::vector<std::string> out;
    for (const PrintField& f : row)
        out.push_back(f.name);
    return out;
}

const PrintValue& at(const PrintRecord& row, const std::string& name)
{
    for (const PrintField& f : row) {
        if (f.name == name)
            return f.value;
    }
    ADD_FAILURE() << "no field " << name;
    static const PrintValue none;
    return none;
}

TEST(SalPackPrint, FieldsInTheOrderWritten)
{
    const std::vector<std::string> expected = {
        "MonAnn",         "TPName",     "TPAge",           "MonAnnSal",    "NetMonSal",    "CostToComp",
        "CompCar",        "CompCarCC",  "TravAll",         "TravAllCC",    "MedAidCont",   "MedAidContCC",
        "PMems",          "AddBens",    "TaxFreeMedPrint", "OtherTaxFB",   "OtherTaxFBCC", "PenDeduct",
        "PenDeductCC",    "ProvDeduct", "ProvDeductCC",    "RADirective",  "RADeduct",     "MedDeduct",
        "UIFCont",        "UIFContCC",  "SkillLevy",       "TaxDue",       "TaxCredit",    "TaxDeduct",
        "PrinMembers",    "BenMembers", "OEXPTXT",         "ODedTxt0",     "ODedR0",       "ODedNum0",
        "ODedNumCC0",     "ODedTxt1",   "ODedR1",          "ODedNum1",     "ODedNumCC1",   "ODedTxt2",
        "ODedR2",         "ODedNum2",   "ODedNumCC2",      "ODedTxt3",     "ODedR3",       "ODedNum3",
        "ODedNumCC3",     "GSal",       "TotCostComp",     "PlusCompCar1", "PlusCompCar2", "TaxYear",
        "TaxYearHeading",
    };
    PackageInputs in;
    for (const PackageWindow w :
         {PackageWindow::PelmoraMon, PackageWindow::PelmoraAnn, PackageWindow::GrossbyMon, PackageWindow::GrossbyAnn})
        EXPECT_EQ(names(SalPackPrint(w, in, GrossUpResult{})), expected) << static_cast<int>(w);
}

TEST(SalPackPrint, ForwardMonthlyFigures)
{
    PackageInputs in;
    in.name = "A. Taxpayer";
    in.age = 40;
    in.amount = 30000;
    in.travelAllowance = 2000;
    in.otherFringeBenefits = 300;
    in.raDeduction = 100;
    in.otherExpenses = {{{"Gym", 0, 0}, {"Phone", 500, 550}, {"Club", 0, 10}, {"Parking", 200, 0}}};
    PackageResult r;
    r.takeHome = 24187.70;
    r.totalCostToCompany = 30450;
    const PrintRecord row = SalPackPrint(PackageWindow::PelmoraMon, in, r);

    EXPECT_EQ(at(row, "MonAnn"), PrintValue(std::string("Pelmora Salary Package Calculation : Monthly")));
    EXPECT_EQ(at(row, "MonAnnSal"), PrintValue(std::string("Net monthly salary required")));
    EXPECT_EQ(at(row, "RADirective"), PrintValue(std::string("Med. aid fund beneficiaries")));
    EXPECT_EQ(at(row, "TPAge"), PrintValue(40.0));
    EXPECT_EQ(at(row, "CostToComp"), PrintValue(30000.0));
    EXPECT_EQ(at(row, "TravAllCC"), PrintValue(2000.0));
    EXPECT_EQ(at(row, "OtherTaxFBCC"), PrintValue(300.0));
    EXPECT_EQ(at(row, "RADeduct"), PrintValue(100.0));
    EXPECT_EQ(at(row, "GSal"), PrintValue(24187.70));
    // Rows with an amount are printed; a text with a 0 amount is not.
    EXPECT_EQ(at(row, "OEXPTXT"), PrintValue(std::string("Other Expenses :")));
    for (const char* empty : {"0", "2"}) {
        EXPECT_EQ(at(row, std::string("ODedTxt") + empty), PrintValue(std::string()));
        EXPECT_EQ(at(row, std::string("ODedR") + empty), PrintValue(std::string()));
        EXPECT_EQ(at(row, std::string("ODedNum") + empty), PrintValue(0.0));
        EXPECT_EQ(at(row, std::string("ODedNumCC") + empty), PrintValue(0.0));
    }
    EXPECT_EQ(at(row, "ODedTxt1"), PrintValue(std::string("Phone")));
    EXPECT_EQ(at(row, "ODedR1"), PrintValue(std::string("R")));
    EXPECT_EQ(at(row, "ODedNumCC1"), PrintValue(550.0));
    EXPECT_EQ(at(row, "ODedNum3"), PrintValue(200.0));
    EXPECT_EQ(at(row, "PlusCompCar1"), PrintValue(std::string()));

    in.otherExpenses = {};
    in.otherExpenses[0].text = "Gym";
    EXPECT_EQ(at(SalPackPrint(PackageWindow::PelmoraMon, in, r), "OEXPTXT"), PrintValue(std::string()));
}

TEST(SalPackPrint, OnceOffCarNote)
{
    PackageInputs in;
    PackageResult r;
    r.onceOff = 250000;
    PrintRecord row = SalPackPrint(PackageWindow::PelmoraAnn, in, r);
    EXPECT_EQ(at(row, "PlusCompCar1"), PrintValue(std::string("(plus a 'once-off' cost of R 250000")));
    EXPECT_EQ(at(row, "PlusCompCar2"),
              PrintValue(std::string("for the company car and this does not include fuel, maintenance etc).")));
    r.onceOff = 1234.5;
    EXPECT_EQ(at(SalPackPrint(PackageWindow::PelmoraAnn, in, r), "PlusCompCar1"),
              PrintValue(std::string("(plus a 'once-off' cost of R 1234.5")));
    r.onceOff = 0;
    row = SalPackPrint(PackageWindow::PelmoraAnn, in, r);
    EXPECT_EQ(at(row, "PlusCompCar1"), PrintValue(std::string()));
    EXPECT_EQ(at(row, "PlusCompCar2"), PrintValue(std::string()));
}

TEST(SalPackPrint, ReverseWindowsLeaveNoEarlierFigures)
{
    PackageInputs in;
    in.amount = 20000;
    in.raDeduction = 100;
    GrossUpResult r;
    r.grossSalary = 23983.69;
    const PrintRecord monthly = SalPackPrint(PackageWindow::GrossbyMon, in, r);
    for (const char* field : {"CostToComp", "ProvDeduct", "ProvDeductCC", "RADeduct"})
        EXPECT_EQ(at(monthly, field), PrintValue(0.0)) << field;
    EXPECT_EQ(at(monthly, "GSal"), PrintValue(23983.69));
    const PrintRecord annual = SalPackPrint(PackageWindow::GrossbyAnn, in, r);
    EXPECT_EQ(at(annual, "CostToComp"), PrintValue(0.0));
    EXPECT_EQ(at(annual, "RADeduct"), PrintValue(100.0));
    EXPECT_EQ(at(annual, "MonAnn"), PrintValue(std::string("Grossby Salary Package Calculation : Annual")));
}

TEST(SalPackPrint, TemplatesAndTitles)
{
    EXPECT_EQ(packageReport(PackageWindow::PelmoraMon).templateName, "Pelmora.rpt");
    EXPECT_EQ(packageReport(PackageWindow::GrossbyAnn).templateName, "Grossby.rpt");
    EXPECT_EQ(packageReport(PackageWindow::GrossbyMon).table, "SalPackage");
    EXPECT_EQ(packageReport(PackageWindow::PelmoraAnn).previewTitle,
              "Pelmora2018 Annual - To export printout click on the suitcase button or goto Help");
    EXPECT_EQ(packageReport(PackageWindow::GrossbyMon).previewTitle,
              "Grossby2018 Monthly - To export printout click on the suitcase button or goto Help");
}

}  // namespace
}  // namespace grossby
