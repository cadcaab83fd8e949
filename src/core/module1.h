#pragma once
// The state shared by every calculator for the life of the program.
//
// Windows and the command line each get a reference to one Module1; nothing
// here is global, so tests can build as many as they like.

#include "core/year_figures.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace grossby {

/// State that must outlive a single calculator window: the annual taxable
/// income every tax calculator leaves for QuickTax, the file locations, and
/// each subsystem's own memory (`memory<T>()`).
struct Module1 {
    /// The income the annual tax function last taxed: every tax calculator
    /// leaves its annual equivalent here and QuickTax taxes it. Not reset.
    double AnnualTaxableIncome = 0;

    /// The tax year the program calculates for (2018 for 2017/18): the menu
    /// bar's "Tax &year" choice. Windows opened after a change take it, and
    /// open year-dependent windows follow it. Not reset.
    int TaxYear = kDefaultTaxYear;

    /// Chooses the program's tax year and tells every listener, when it
    /// differs from the year already chosen.
    void setTaxYear(int year);
    /// Calls `listener` with the year each time setTaxYear() changes it.
    /// Returns the number forgetTaxYearListener() takes.
    int onTaxYearChanged(std::function<void(int)> listener);
    void forgetTaxYearListener(int id);

    // Files: set at start-up, never reset. (Where a report goes is passed
    // to the report call with it, not kept here.)
    std::string PrintDatabasePath;
    std::string SettingsDatabasePath;

    /// What one subsystem's windows keep between visits, in the subsystem's
    /// own struct `T` (its start values are its initialisers): made at its
    /// first use and put back to its start values by InitialiseAll(), or
    /// given to its own `InitialiseAll()` when it keeps part of itself.
    template <class T> T& memory()
    {
        for (const auto& kept : m_memories) {
            if (kept.type == std::type_index(typeid(T)))
                return *static_cast<T*>(kept.value.get());
        }
        auto made = std::make_shared<T>();
        T& result = *made;
        m_memories.push_back({std::type_index(typeid(T)), std::move(made), [](void* value) {
                                  T& memory = *static_cast<T*>(value);
                                  if constexpr (requires { memory.InitialiseAll(); })
                                      memory.InitialiseAll();
                                  else
                                      memory = T{};
                              }});
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
    std::vector<std::pair<int, std::function<void(int)>>> m_yearListeners;
    int m_nextListener = 1;
};

}  // namespace grossby
