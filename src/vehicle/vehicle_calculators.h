#pragma once
// The two vehicle calculators, each described once: the company car benefit
// over a register of vehicles and the travel allowance deduction. Read by
// their subcommands and by the registration of their windows (menu place,
// Initialise All rank).

#include "core/calculator_description.h"
#include "vehicle/car_allowance.h"
#include "vehicle/company_car.h"

#include <optional>

namespace grossby {

/// The first vehicle of the register whose dates or readings are refused,
/// named in the message ("Vehicle 2 (CA 123): ...").
std::optional<InputError> checkRegisterVehicles(const CompanyCarRegister& in);

/// The company car: "&Calculate" over the register, its vehicles' dates and
/// readings checked first (the window checks them as they are typed). The
/// printout is made from the register itself, a row per vehicle, so the
/// description carries the report but no single print row.
CalculatorDescription<CompanyCarRegister, NoSettings, CompCarResult> companyCarDescription();

/// The travel allowance deduction from deemed or actual costs. The printout
/// takes the deemed-cost template, or with records kept the actual-cost one
/// (`reportFor`).
CalculatorDescription<CarAllowanceInputs, NoSettings, CarAllowanceResult> carAllowanceDescription();

}  // namespace grossby
