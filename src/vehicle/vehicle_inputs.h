#pragma once
// The vehicle calculators' inputs and results as tables: the windows bind
// their fields to these, the command line makes its options, file columns,
// JSON keys and --help from them.

#include "core/input_table.h"
#include "vehicle/car_allowance.h"
#include "vehicle/company_car.h"

#include <limits>
#include <vector>

namespace grossby {

/// Largest figure a vehicle field takes (rand or kilometres, whole numbers).
inline constexpr double kMaxVehicleFigure = 999'999'999;

/// One vehicle of the register, in the window's order: the command line's
/// field names for a vehicle file.
const std::vector<InputSpec<Vehicle>>& vehicleInputTable();

/// A vehicle as a register file gives it: its dates stay NaN unless the file
/// gives them, so that dates left blank can take the tax year, which is
/// known only once every option is read.
struct RegisterFileVehicle : Vehicle {
    RegisterFileVehicle()
    {
        CCStartDate = std::numeric_limits<double>::quiet_NaN();
        CCEndDate = std::numeric_limits<double>::quiet_NaN();
    }
};

/// `vehicleInputTable` for a register file's vehicles.
const std::vector<InputSpec<RegisterFileVehicle>>& registerFileVehicleTable();

/// What applies to the whole register: the IRP5 total and the auto split.
const std::vector<InputSpec<CompanyCarRegister>>& companyCarInputTable();

/// A vehicle's results, in the window's order.
const std::vector<ResultSpec<CarResult>>& carResultTable();

/// The register's totals.
const std::vector<ResultSpec<CompCarResult>>& compCarTotalsTable();

/// The travel allowance's inputs.
const std::vector<InputSpec<CarAllowanceInputs>>& carAllowanceInputTable();

/// The travel allowance's results.
const std::vector<ResultSpec<CarAllowanceResult>>& carAllowanceResultTable();

}  // namespace grossby
