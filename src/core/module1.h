#pragma once
// The state shared by every calculator for the life of the program.
//
// Windows and the command line each get a reference to one Module1; nothing
// here is global, so tests can build as many as they like.

#include "core/year_figures.h"

#include <cstdint>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace grossby {

/// State that must outlive a single calculator window: the annual tax
/// function's input and results, the QuickTax results, the file locations,
/// and each subsystem's own memory (`memory<T>()`).
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

    // Files: set at start-up, never reset. (Where a report goes is passed
    // to the report call with it, not kept here.)
    std::string PrintDatabasePath;
    std::string SettingsDatabasePath;

    /// What one subsystem's windows keep between visits, in the subsystem's
    /// own struct `T` (its start values are its initialisers): made at its
    /// first use and put back to its start values by InitialiseAll().
    template <class T> T& memory()
    {
        for (const auto& kept : m_memories) {
            if (kept.type == std::type_index(typeid(T)))
                return *static_cast<T*>(kept.value.get());
        }
        auto made = std::make_shared<T>();
        T& result = *made;
        m_memories.push_back(
            {std::type_index(typeid(T)), std::move(made), [](void* value) { *static_cast<T*>(value) = T{}; }});
        return result;
    }

    /// Puts every variable back to its start value (its initialiser above),
    /// and every subsystem's memory. Variables documented as "not reset" keep
    /// their values.
    void InitialiseAll();

private:
    struct KeptMemory {
        std::type_index type;
        std::shared_ptr<void> value;
        void (*reset)(void*);
    };
    std::vector<KeptMemory> m_memories;
};

}  // namespace grossby
