#include "app/print_tables.h"

#include "finance/finance_print_tables.h"
#include "package/package_print_tables.h"
#include "payroll/payroll_print_tables.h"
#include "services/print_schema.h"
#include "vehicle/vehicle_print_tables.h"

namespace grossby {

void declareProgramPrintTables()
{
    static const bool declared = [] {
        for (const auto* tables :
             {&payrollPrintTables(), &packagePrintTables(), &vehiclePrintTables(), &financePrintTables()})
            declarePrintTables(*tables);
        return true;
    }();
    (void)declared;
}

}  // namespace grossby
