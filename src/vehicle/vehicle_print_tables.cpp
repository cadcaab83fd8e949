#include "vehicle/vehicle_print_tables.h"

namespace grossby {
namespace {

using namespace print_columns;

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
    // The tax year: its label, and the heading text (empty for 2017/18).
    add(c, {"TaxYear", "TaxYearHeading"}, T);
    return c;
}

Columns companyCarTotalsColumns()
{
    Columns c;
    add(c, {"CMVMaxNum"}, I);
    add(c, {"TotAdjustTaxableInc", "TotFB3802", "TotAdjustTaxableIncSARS"}, R);
    // The tax year, and its first and last days as the heading names them.
    add(c, {"TaxYear", "TaxYearHeading", "YearStart", "YearEnd"}, T);
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
    add(c, {"TaxYear", "TaxYearHeading"}, T);
    return c;
}

}  // namespace

const std::vector<PrintTable>& vehiclePrintTables()
{
    static const std::vector<PrintTable> tables{
        {"compcar", true, companyCarColumns()},
        {"compcartotals", false, companyCarTotalsColumns()},
        {"traveldeduction", false, travelDeductionColumns()},
    };
    return tables;
}

}  // namespace grossby
