#include "finance/finance_print_tables.h"

#include <string>

namespace grossby {
namespace {

using namespace print_columns;

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

}  // namespace

const std::vector<PrintTable>& financePrintTables()
{
    static const std::vector<PrintTable> tables{
        {"Loans", false, loanColumns()},
        {"Amort", true, amortisationColumns()},
        {"BondBust", false, loanBusterColumns()},
        {"BondComp", false, loanComparisonColumns()},
        {"DailyBal", false, dailyBalanceColumns()},
        {"Inflation", false, inflationColumns()},
    };
    return tables;
}

}  // namespace grossby
