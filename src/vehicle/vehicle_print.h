#pragma once
// The rows the vehicle calculators stage for their printouts: one per
// vehicle of the register for the company car report, and the travel
// allowance's one row.

#include "core/print_record.h"
#include "vehicle/company_car.h"
#include "vehicle/vehicle_state.h"

#include <string>
#include <vector>

namespace grossby {

/// The company car report: table `compcar`, emptied before the rows are added.
ReportDescriptor compCarReport();

/// The travel allowance report: the one row of `traveldeduction`, with the
/// deemed-cost template or, with records kept, the actual-cost one.
ReportDescriptor carAllowanceReport(const CarAllowanceInputs& in);

/// One `compcar` row per vehicle, numbered 1 to the count. `print` is the
/// print-time pass (`PrintCalc`) over `reg`; a vehicle without a price shows
/// its claim as its adjustment and no true inclusion.
std::vector<PrintRecord> CompCarPrint(const CompanyCarRegister& reg, const CompCarResult& print);

/// The register's totals as the printout shows them, one `compcartotals`
/// row: the adjustments, the code 3802 amounts and the claims of `print`
/// added up as `CompCarPrint` prints them per vehicle.
PrintRecord CompCarPrintTotals(const CompanyCarRegister& reg, const CompCarResult& print);

/// The whole company car printout: the print-time pass over `reg` after the
/// window's pass `window`, one row per vehicle and the register's totals.
PrintJob compCarPrintJob(const CompanyCarRegister& reg, const CompCarResult& window);

/// The `traveldeduction` row: the names, distances and claim, then the
/// actual costs (records kept) or the deemed-cost working. The fields of the
/// other method are not written, so they keep what the row held.
PrintRecord PrintCarAll1(const CarAllowanceInputs& in, const CarAllowanceResult& r);

}  // namespace grossby
