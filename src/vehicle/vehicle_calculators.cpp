#include "vehicle/vehicle_calculators.h"

#include "vehicle/travel_table.h"
#include "vehicle/vehicle_inputs.h"
#include "vehicle/vehicle_print.h"

namespace grossby {

namespace {

// Both vehicle calculators are on the "&Car Calculations" menu.
MenuEntry carCalcs(const char* window, const char* command, const char* caption, int order, int initialiseAllRank)
{
    return {window, command, "mnuCarCalcs", "&Car Calculations", caption, order, initialiseAllRank};
}

CalcOutcome<CompCarResult> companyCarBenefit(const CompanyCarRegister& in, const NoSettings&)
{
    if (auto error = checkRegisterVehicles(in))
        return *error;
    CompanyCarRegister reg = registerOf(in.Cars, in.Actual3802, in.AutoSplit3802 == 1, in.TaxYear);
    return calculatePressed(reg);
}

// The register's printout: a row per vehicle and the totals, from a pass
// made for the printout beside the one shown.
PrintJob companyCarPrintJob(const CompanyCarRegister& in, const CompCarResult& shown, PrintLanguage)
{
    return compCarPrintJob(in, shown);
}

CalcOutcome<CarAllowanceResult> carAllowance(const CarAllowanceInputs& in, const NoSettings&)
{
    return CalcCarAllowance(in);
}

PrintRecord carAllowancePrintRow(const CarAllowanceInputs& in, const CarAllowanceResult& r, PrintLanguage)
{
    return PrintCarAll1(in, r);
}

}  // namespace

std::optional<InputError> checkRegisterVehicles(const CompanyCarRegister& in)
{
    const TaxYearFigures* year = findTaxYear(in.TaxYear);
    if (!year)
        return unavailableTaxYear(in.TaxYear);
    for (std::size_t i = 0; i < in.Cars.size(); ++i) {
        const Vehicle& v = in.Cars[i];
        if (auto error = checkVehicleDates(v, in.TaxYear))
            return InputError{error->title, vehicleName(i + 1, v) + ": " + error->text, error->field};
        if (auto error = checkVehicleReadings(v, vehicleName(i + 1, v)))
            return error;
        // Only fuel valued with the table needs it.
        if (v.SARSTable == 1 && !year->hasTravelCosts())
            return InputError{kTravelTableTitle,
                              vehicleName(i + 1, v) + ": " +
                                  missingTravelTableMessage(*year, "the fuel of a company car valued with the table"),
                              "fuel-table"};
    }
    return std::nullopt;
}

CalculatorDescription<CompanyCarRegister, NoSettings, CompCarResult> companyCarDescription()
{
    return {.name = "company-car",
            .summary = "Company car fringe benefit for a tax year (2017/18 unless --year) over a register of vehicles",
            .inputs = &companyCarInputTable(),
            .results = &compCarTotalsTable(),
            .compute = &companyCarBenefit,
            .report = compCarReport(),
            .printJob = &companyCarPrintJob,
            .menu = carCalcs("frmCompCar", "mnuCompCar", "&Company car", 50, 5)};
}

CalculatorDescription<CarAllowanceInputs, NoSettings, CarAllowanceResult> carAllowanceDescription()
{
    return {.name = "car-allowance",
            .summary = "Deduction claim on a travel allowance for a tax year (2017/18 unless --year), from deemed or "
                       "actual costs",
            .inputs = &carAllowanceInputTable(),
            .results = &carAllowanceResultTable(),
            .compute = &carAllowance,
            .report = carAllowanceReport(CarAllowanceInputs{}),
            .reportFor = &carAllowanceReport,
            .print = &carAllowancePrintRow,
            .menu = carCalcs("frmCarAll1", "mnuCarAll1", "Car Allowance", 51, 6)};
}

}  // namespace grossby
