#include "package/package_print_tables.h"

#include <string>

namespace grossby {
namespace {

using namespace print_columns;

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
    add(c, {"TaxYear", "TaxYearHeading"}, T);
    return c;
}

}  // namespace

const std::vector<PrintTable>& packagePrintTables()
{
    static const std::vector<PrintTable> tables{
        {"SalPackage", false, salaryPackageColumns()},
    };
    return tables;
}

}  // namespace grossby
