#pragma once
// The state shared by every calculator for the life of the program.
//
// Windows and the command line each get a reference to one Module1; nothing
// here is global, so tests can build as many as they like.

#include "vehicle/vehicle_state.h"

#include <cstdint>
#include <string>

namespace grossby {

/// State that must outlive a single calculator window: the annual tax
/// function's input and results, the QuickTax results, the file locations and
/// the print destination. Later calculators add their own groups here.
struct Module1 {
    // Annual tax function (CalcAnnualTax).
    double AnnualTaxableIncome = 0;  ///< input; not reset: keeps the last income taxed
    double MarginalRate = 0;  ///< whole percent of the bracket
    double BracketBaseTax = 0;  ///< not reset
    double TaxOnExcess = 0;  ///< not reset
    double AnnualTax = 0;

    // QuickTax results.
    double QuickTaxPayable = 0;
    double QuickTaxPrimaryRebate = 0;
    double QuickTaxTotal = 0;
    double QuickTaxAverageRate = 0;
    std::int16_t QuickTaxAge = 0;  ///< not reset
    double QuickTaxIncome = 0;  ///< not reset
    double QuickTaxRebate = 0;  ///< not reset
    double QuickTaxAgeRebate = 0;  ///< not reset
    double QuickTaxAverageRateAfter = 0;  ///< not reset

    // Files and printing: set at start-up and by the print buttons, never reset.
    std::string PrintDatabasePath;
    std::string SettingsDatabasePath;
    std::int16_t PrintToPrinter = 0;  ///< 0 = preview window, 1 = straight to the printer

    // Vehicles: the company car register, and the travel allowance's inputs
    // (its dates apart, which the window resets) and last results.
    CompanyCarRegister CompanyCar;
    CarAllowanceInputs CarAllowance;
    CarAllowanceResult CarAllowanceResults;

    /// Puts every variable that has a start value back to it. Variables
    /// documented as "not reset" keep their values.
    void InitialiseAll();
};

}  // namespace grossby
