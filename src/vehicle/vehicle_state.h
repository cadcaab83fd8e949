#pragma once
// What the vehicle calculators keep between visits to their windows: the
// company car register and the travel allowance's inputs and results. Plain
// data only; the operations on it are in company_car.h and car_allowance.h.
// The windows keep it as the vehicle subsystem's memory in the shared state
// (`state.memory<VehicleMemory>()`), which File > Initialise All puts back to
// its start values.

#include "core/year_figures.h"

#include <string>
#include <vector>

namespace grossby {

/// One vehicle of the company car register: what the user typed for it and
/// the figures the calculation writes back (`TotalDistance`, `BusDistance`,
/// `FB3802ThisCar` with the auto split, `FuelComponent`, `AdjustTaxableInc`).
/// Amounts in rand, distances in kilometres, dates as day numbers; the flags
/// are 0 or 1.
struct Vehicle {
    std::string CCRegNumber;
    std::string CCMake;
    std::string CCModel;
    std::string YearOfManfact;
    double CCPrice = 0;  ///< price including VAT: the determined value
    int MaintIncluded = 0;  ///< 1: a maintenance plan came with the vehicle
    double CCStartDate = defaultTaxYear().start;
    double CCEndDate = defaultTaxYear().end;
    double StartMileage = 0;
    double EndMileage = 0;  ///< above 0: the total distance comes from the readings
    double TotalDistance = 0;
    double BusDistance = 0;
    int BussMilage = 0;  ///< 1: a log book of business travel was kept
    int SARSTable = 0;  ///< 1: fuel is valued with the travel cost table
    double ActualExpEmployee = 0;  ///< fuel the employee paid
    double FuelReimbEmployer = 0;  ///< fuel the employer refunded
    double EmpPaidInsurance = 0;
    double EmpPaidLicence = 0;
    double EmpPaidMaintenance = 0;
    double FB3802ThisCar = 0;  ///< code 3802 benefit declared for this vehicle
    double FuelComponent = 0;  ///< result kept with the vehicle
    double AdjustTaxableInc = 0;  ///< result kept with the vehicle
    friend bool operator==(const Vehicle&, const Vehicle&) = default;
};

/// The company car register. Vehicles are numbered from 1; number 0 is the
/// template whose fields a new vehicle starts from, and the one the window
/// edits while the register is empty.
struct CompanyCarRegister {
    Vehicle Template;
    std::vector<Vehicle> Cars;  ///< vehicle n is Cars[n - 1]
    int CurrentCar = 0;  ///< the vehicle the fields edit; 0 while empty
    int DisplayedCar = 0;  ///< the vehicle number in the caption
    int AutoSplit3802 = 0;  ///< 1: each vehicle's code 3802 share comes from `Actual3802`
    double Actual3802 = 0;  ///< total code 3802 benefits on the employee's IRP5s
    int EndDateRejected = 0;  ///< 1 while the end date field holds a rejected date
    int TaxYear = kDefaultTaxYear;  ///< the year of assessment the register is for, by the year it ends in

    int CarCount() const { return static_cast<int>(Cars.size()); }
    /// Vehicle `number`, or the template for 0. The number must be 0..CarCount.
    Vehicle& slot(int number) { return number == 0 ? Template : Cars[static_cast<std::size_t>(number - 1)]; }
    const Vehicle& slot(int number) const
    {
        return number == 0 ? Template : Cars[static_cast<std::size_t>(number - 1)];
    }
    friend bool operator==(const CompanyCarRegister&, const CompanyCarRegister&) = default;
};

/// The travel allowance window's inputs. Amounts in rand, readings and
/// distances in kilometres.
struct CarAllowanceInputs {
    std::string EmployeeName;  ///< up to 50 characters
    std::string SecondName;  ///< the printout's second name line
    int RecordKept = 0;  ///< 0: deemed costs; 1: actual costs from records kept
    int IncludeFuel = 1;
    int IncludeMaintenance = 1;
    double VehicleValue = 0;
    double AllowanceReceived = 0;
    double CloseKm = 0;
    double OpenKm = 0;
    double BusinessKmInput = 0;  ///< business distance typed; 0 lets the distance rules decide
    double FuelOilCost = 0;
    double RepairsCost = 0;
    double InsuranceLicenceCost = 0;
    double OtherCost = 0;
    double WearAndTear = 0;  ///< exclusive with `LeasePayments`
    double LeasePayments = 0;
    double StartDate = defaultTaxYear().start;  ///< the window's, back to the tax year on every opening
    double EndDate = defaultTaxYear().end;
    int TaxYear = kDefaultTaxYear;  ///< the year of assessment, by the year it ends in
};

/// The travel allowance's results. Rates are cents per kilometre once the
/// deemed method has run, the fixed cost rand per year.
struct CarAllowanceResult {
    double PeriodDays = 0;
    double TotalKm = 0;
    double BusinessKm = 0;
    double PrivateKm = 0;
    double TravelFixedCost = 0;
    double TravelFuelRate = 0;
    double TravelMaintRate = 0;
    double FixedCostPerKm = 0;
    double TotalRatePerKm = 0;  ///< rounded to one decimal for display
    double TotalCosts = 0;
    double PrivateUse = 0;
    double DeductionClaim = 0;
};

/// The vehicle windows' memory between visits: the company car register, and
/// the travel allowance's inputs (its dates apart, which the window resets on
/// every opening) and last results. Initialise All empties the register and
/// puts the travel allowance back to these start values.
struct VehicleMemory {
    CompanyCarRegister CompanyCar;
    CarAllowanceInputs CarAllowance;
    CarAllowanceResult CarAllowanceResults;
};

}  // namespace grossby
