#include "core/module1.h"

#include <utility>

namespace grossby {

void Module1::InitialiseAll()
{
    // The start values are the initialisers; only what is not reset is
    // carried over.
    Module1 fresh;
    fresh.AnnualTaxableIncome = AnnualTaxableIncome;
    fresh.TaxYear = TaxYear;
    fresh.m_yearListeners = std::move(m_yearListeners);
    fresh.m_nextListener = m_nextListener;
    fresh.PrintDatabasePath = std::move(PrintDatabasePath);
    fresh.SettingsDatabasePath = std::move(SettingsDatabasePath);
    // Each subsystem's memory stays where its windows found it, at its start
    // values.
    for (const KeptMemory& kept : m_memories)
        kept.reset(kept.value.get());
    fresh.m_memories = std::move(m_memories);
    *this = std::move(fresh);
}

void Module1::setTaxYear(int year)
{
    if (year == TaxYear)
        return;
    TaxYear = year;
    // A listener may forget itself (a window closing) while it is told.
    const auto listeners = m_yearListeners;
    for (const auto& [id, listener] : listeners)
        listener(year);
}

int Module1::onTaxYearChanged(std::function<void(int)> listener)
{
    const int id = m_nextListener++;
    m_yearListeners.emplace_back(id, std::move(listener));
    return id;
}

void Module1::forgetTaxYearListener(int id)
{
    std::erase_if(m_yearListeners, [id](const auto& kept) { return kept.first == id; });
}

}  // namespace grossby
