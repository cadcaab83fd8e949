#pragma once
// What QuickTax keeps between visits to its window: the figures of its last
// calculation (with the annual tax function's, which it works through), the
// income shown and the age. The window keeps them as the payroll subsystem's
// memory in the shared state (`state.memory<QuickTaxMemory>()`); File >
// Initialise All clears the results and keeps the income, the age and the
// figures marked "not reset". The income taxed is the shared
// `AnnualTaxableIncome`, which every tax calculator fills.

#include "core/year_figures.h"

#include <cstdint>

namespace grossby {

struct QuickTaxMemory {
    // Annual tax function (CalcAnnualTax), as QuickTax last ran it.
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
    int QuickTaxYear = kDefaultTaxYear;  ///< the tax year of the figures kept; not reset

    /// Initialise All: back to the start values (the initialisers above),
    /// keeping what is "not reset".
    void InitialiseAll()
    {
        QuickTaxMemory fresh;
        fresh.BracketBaseTax = BracketBaseTax;
        fresh.TaxOnExcess = TaxOnExcess;
        fresh.QuickTaxAge = QuickTaxAge;
        fresh.QuickTaxIncome = QuickTaxIncome;
        fresh.QuickTaxRebate = QuickTaxRebate;
        fresh.QuickTaxAgeRebate = QuickTaxAgeRebate;
        fresh.QuickTaxAverageRateAfter = QuickTaxAverageRateAfter;
        fresh.QuickTaxYear = QuickTaxYear;
        *this = fresh;
    }
};

}  // namespace grossby
