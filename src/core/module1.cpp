#include "core/module1.h"

#include <utility>

namespace grossby {

void Module1::InitialiseAll()
{
    // The start values are the initialisers; only what is not reset is
    // carried over.
    Module1 fresh;
    fresh.AnnualTaxableIncome = AnnualTaxableIncome;
    fresh.PrintDatabasePath = std::move(PrintDatabasePath);
    fresh.SettingsDatabasePath = std::move(SettingsDatabasePath);
    // Each subsystem's memory stays where its windows found it, at its start
    // values.
    for (const KeptMemory& kept : m_memories)
        kept.reset(kept.value.get());
    fresh.m_memories = std::move(m_memories);
    *this = std::move(fresh);
}

}  // namespace grossby
