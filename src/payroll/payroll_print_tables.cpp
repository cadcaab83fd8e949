#include "payroll/payroll_print_tables.h"

namespace grossby {
namespace {

using namespace print_columns;

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
    add(c, {"TaxYear", "TaxYearHeading"}, T);
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
    add(c, {"TaxYear", "TaxYearHeading", "YearStart", "YearEnd"}, T);
    return c;
}

}  // namespace

const std::vector<PrintTable>& payrollPrintTables()
{
    static const std::vector<PrintTable> tables{
        {"IRP5Mon", false, periodColumns(Monthly)}, {"IRP5Ann", false, periodColumns(Annual)},
        {"IRP5Week", false, periodColumns(Weekly)}, {"IRP5Day", false, periodColumns(Daily)},
        {"kwiktax", false, kwiktaxColumns()},
    };
    return tables;
}

}  // namespace grossby
