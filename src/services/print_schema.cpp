#include "services/print_schema.h"

#include <initializer_list>

namespace grossby {

namespace {

constexpr PrintColumnType R = PrintColumnType::Real;
constexpr PrintColumnType I = PrintColumnType::Integer;
constexpr PrintColumnType T = PrintColumnType::Text;

using Columns = std::vector<PrintColumn>;

void add(Columns& columns, std::initializer_list<const char*> names, PrintColumnType type)
{
    for (const char* name : names)
        columns.push_back({name, type});
}

// The period check sheets (monthly, annual, weekly/fortnightly, daily) share
// one family of columns: a label column in the chosen language and, for most
// labels, a value column beside it. Each report carries only its own subset.
enum PeriodReport { Monthly = 1, Annual = 2, Weekly = 4, Daily = 8 };

Columns periodColumns(PeriodReport report)
{
    Columns c;
    auto on = [report](int reports) { return (reports & report) != 0; };

    // Labels.
    add(c, {"TypeAM", "Employee", "Age", "Sal", "DirFees", "TravAll", "Bonus", "MedExp", "PenCont", "RACont"}, T);
    if (on(Monthly | Annual | Weekly))
        add(c, {"SDate", "EDate"}, T);
    if (on(Annual))
        add(c, {"SITE", "PAYE"}, T);
    if (on(Monthly | Weekly | Daily))
        add(c, {"UIFEMPE", "UIFEMPR", "SDL"}, T);
    add(c, {"EOE", "Taxliability", "TaxCredit", "TaxCreditCons"}, T);
    if (on(Annual))
        add(c, {"NumOFBens"}, T);
    add(c, {"EmpERMedAidCont", "EmpEEMedAidCont", "AnnCalcBens3"}, T);
    if (on(Annual))
        add(c,
            {"AnnCalcBens4", "AnnCalcBens5", "AnnCalcBens6", "AnnCalcBens7", "AnnCalcBens8", "AnnCalcBens9",
             "AnnCalcBens10", "AnnCalcBens11", "AnnCalcBens12", "AnnCalcBens1", "AnnCalcBens2"},
            T);
    add(c, {"MedAidBens", "TOTAL"}, T);

    // Values.
    add(c, {"AgeNum"}, I);
    add(c, {"SalNum", "DirFeesNum"}, R);
    if (on(Monthly))
        add(c, {"TravOne", "TravTwo"}, R);
    if (on(Annual | Weekly | Daily))
        add(c, {"RecBefNum"}, R);
    add(c, {"BonusNum", "MedExpNum", "PenContNum", "RAContNum"}, R);
    if (on(Monthly | Annual | Weekly))
        add(c, {"SDateNum", "EDateNum"}, T);  // dates or day counts, as text
    if (on(Annual))
        add(c, {"SITENum", "PAYENum"}, R);
    if (on(Monthly | Weekly | Daily))
        add(c, {"UIFEMPENum", "UIFEMPRNum", "SDLNum"}, R);
    add(c, {"Taxliabilitynum", "Taxcreditnum", "TaxcreditnumCons", "EmpERMedAidContnum", "EmpEEMedAidContnum"}, R);
    add(c, {"AnnCalcBens3num"}, I);
    if (on(Annual)) {
        add(c,
            {"AnnCalcBens4num", "AnnCalcBens5num", "AnnCalcBens6num", "AnnCalcBens7num", "AnnCalcBens8num",
             "AnnCalcBens9num", "AnnCalcBens10num", "AnnCalcBens11num", "AnnCalcBens12num", "AnnCalcBens1num",
             "AnnCalcBens2num"},
            I);
        add(c, {"MedAidBensnum"}, I);
    }
    add(c, {"TotalNum"}, R);
    return c;
}

Columns kwiktaxColumns()
{
    Columns c;
    add(c, {"AGE"}, I);
    add(c,
        {"TAXINCOME", "TAXTOPAY", "MARGRATE", "PORTION", "TOTTAX", "REBATE", "TAXCOM4", "AVRATE", "AVRATEAFT",
         "TAXCOM4/2"},
        R);
    return c;
}

Columns salaryPackageColumns()
{
    Columns c;
    add(c, {"MonAnn", "TPName"}, T);
    add(c, {"TPAge"}, R);
    add(c, {"MonAnnSal"}, T);
    add(c,
        {"NetMonSal", "CostToComp", "CompCar", "CompCarCC", "TravAll", "TravAllCC", "MedAidCont", "MedAidContCC",
         "PMems", "AddBens", "TaxFreeMedPrint", "OtherTaxFB", "OtherTaxFBCC", "PenDeduct", "PenDeductCC", "ProvDeduct",
         "ProvDeductCC"},
        R);
    add(c, {"RADirective"}, T);
    add(c, {"RADeduct", "MedDeduct", "UIFCont", "UIFContCC", "SkillLevy", "TaxDue", "TaxCredit", "TaxDeduct"}, R);
    add(c, {"PrinMembers", "BenMembers", "OEXPTXT"}, T);
    for (int row = 0; row < 4; ++row) {
        const std::string n = std::to_string(row);
        c.push_back({"ODedTxt" + n, T});
        c.push_back({"ODedR" + n, T});
        c.push_back({"ODedNum" + n, R});
        c.push_back({"ODedNumCC" + n, R});
    }
    add(c, {"GSal", "TotCostComp"}, R);
    add(c, {"PlusCompCar1", "PlusCompCar2"}, T);
    return c;
}

Columns companyCarColumns()
{
    Columns c;
    add(c, {"CarNum", "CMVMaxNum"}, I);
    add(c, {"CCRegNumber", "CCMake", "CCModel"}, T);
    add(c, {"CCPrice"}, R);
    add(c, {"MaintIncluded"}, T);
    add(c, {"CCMonths", "EndMileage", "StartMileage", "TotalDistance", "BusDistance", "ActualExpEmployee"}, R);
    add(c, {"SARSTable"}, T);
    add(c,
        {"FuelReimbEmployer", "EmpPaidInsurance", "EmpPaidLicence", "EmpPaidMaintenance", "Actual3802", "FB3802ThisCar",
         "AdjustTaxableInc", "SARSDeductionClaim", "TrueInclusion", "PrivateDistance", "FuelComponent", "Arr_FuelClaim",
         "TotAddExpense", "FuelExp"},
        R);
    add(c, {"BussMilage", "YearOfManfact", "CCStartDate", "CCEndDate"}, T);
    add(c, {"IRP53802", "MonFB80", "MonFB20", "FortFB80", "FortFB20", "WeekFB80", "WeekFB20"}, R);
    return c;
}

Columns companyCarTotalsColumns()
{
    Columns c;
    add(c, {"CMVMaxNum"}, I);
    add(c, {"TotAdjustTaxableInc", "TotFB3802", "TotAdjustTaxableIncSARS"}, R);
    return c;
}

Columns travelDeductionColumns()
{
    Columns c;
    add(c, {"TPName"}, T);
    add(c, {"CARNO"}, I);
    add(c, {"mta01"}, T);
    add(c, {"mta04", "mta05", "mta06", "mta07", "tadeduction", "MTD", "MBD", "mpd"}, R);
    // With records kept.
    add(c, {"mta08", "mta09", "mta10", "mta11", "mta12", "mta13", "totcost", "pu"}, R);
    // Without records: the deemed costs.
    add(c, {"mta03", "mta14", "cv", "fce", "fc", "mc", "tatc"}, R);
    add(c, {"FCDet", "MCDet", "DateStart", "DateEnd"}, T);
    return c;
}

Columns loanColumns()
{
    Columns c;
    add(c, {"Heading"}, T);
    add(c, {"Num1", "Num2", "Num3", "Num4"}, R);
    add(c, {"FinText1", "FinText1A"}, T);
    add(c, {"FinNum1"}, R);
    add(c, {"FinText2"}, T);
    add(c, {"FinNum2"}, R);
    add(c, {"YearMon"}, T);
    return c;
}

Columns amortisationColumns()
{
    Columns c;
    add(c, {"Year"}, I);
    add(c, {"Capital", "Interest", "Required"}, R);
    return c;
}

Columns loanBusterColumns()
{
    Columns c;
    add(c, {"PAmt"}, R);
    add(c, {"Period"}, I);
    add(c, {"IntRate", "MonRep", "TotIntPaid", "TotRep", "XtraPay"}, R);
    add(c, {"Xper"}, I);
    add(c, {"XMonRep", "XTotIntPaid", "XTotRep", "XTotSavings"}, R);
    return c;
}

Columns loanComparisonColumns()
{
    Columns c;
    add(c, {"PAmt", "IntRate"}, R);
    for (int k = 1; k <= 6; ++k) {
        const std::string n = std::to_string(k);
        c.push_back({"MonRep" + n, R});
        c.push_back({"IntPaid" + n, R});
        c.push_back({"Total" + n, R});
    }
    return c;
}

Columns dailyBalanceColumns()
{
    Columns c;
    add(c, {"CapAmount"}, R);
    add(c, {"StartDate", "EndDate"}, I);  // day numbers
    add(c, {"IntRate", "ANS1"}, R);
    add(c, {"ANS2"}, I);
    return c;
}

Columns inflationColumns()
{
    Columns c;
    add(c, {"PresCost", "Period", "InflaRate", "Ans1", "ANS2"}, R);
    return c;
}

std::vector<PrintTable> buildSchema()
{
    return {
        {"IRP5Mon", false, periodColumns(Monthly)},
        {"IRP5Ann", false, periodColumns(Annual)},
        {"IRP5Week", false, periodColumns(Weekly)},
        {"IRP5Day", false, periodColumns(Daily)},
        {"kwiktax", false, kwiktaxColumns()},
        {"SalPackage", false, salaryPackageColumns()},
        {"compcar", true, companyCarColumns()},
        {"compcartotals", false, companyCarTotalsColumns()},
        {"traveldeduction", false, travelDeductionColumns()},
        {"Loans", false, loanColumns()},
        {"Amort", true, amortisationColumns()},
        {"BondBust", false, loanBusterColumns()},
        {"BondComp", false, loanComparisonColumns()},
        {"DailyBal", false, dailyBalanceColumns()},
        {"Inflation", false, inflationColumns()},
    };
}

}  // namespace

const PrintColumn* PrintTable::find(std::string_view column) const
{
    for (const PrintColumn& c : columns) {
        if (c.name == column)
            return &c;
    }
    return nullptr;
}

const std::vector<PrintTable>& printSchema()
{
    static const std::vector<PrintTable> schema = buildSchema();
    return schema;
}

const PrintTable* findPrintTable(std::string_view name)
{
    for (const PrintTable& table : printSchema()) {
        if (table.name == name)
            return &table;
    }
    return nullptr;
}

const char* sqlTypeName(PrintColumnType type)
{
    switch (type) {
    case PrintColumnType::Real: return "REAL";
    case PrintColumnType::Integer: return "INTEGER";
    case PrintColumnType::Text: return "TEXT";
    }
    return "TEXT";
}

}  // namespace grossby
