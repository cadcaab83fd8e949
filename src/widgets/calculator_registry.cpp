#include "widgets/calculator_registry.h"

#include <algorithm>

namespace grossby {

CalculatorEntry calculatorEntry(const MenuEntry& menu, CalculatorFactory factory, ArrangeRule arrange)
{
    return {QString::fromUtf8(menu.window),
            QString::fromUtf8(menu.command),
            std::move(factory),
            arrange,
            menu.initialiseAllRank,
            {{QString::fromUtf8(menu.menu), QString::fromUtf8(menu.menuCaption)},
             QString::fromUtf8(menu.caption),
             menu.order}};
}

void CalculatorRegistry::add(CalculatorEntry entry)
{
    if (CalculatorEntry* existing = byWindow(entry.windowName))
        *existing = std::move(entry);
    else
        m_entries.push_back(std::move(entry));
}

const CalculatorEntry* CalculatorRegistry::byWindow(const QString& windowName) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const CalculatorEntry& e) { return e.windowName == windowName; });
    return it == m_entries.end() ? nullptr : &*it;
}

CalculatorEntry* CalculatorRegistry::byWindow(const QString& windowName)
{
    return const_cast<CalculatorEntry*>(std::as_const(*this).byWindow(windowName));
}

const CalculatorEntry* CalculatorRegistry::byCommand(const QString& commandName) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const CalculatorEntry& e) { return e.commandName == commandName; });
    return it == m_entries.end() ? nullptr : &*it;
}

}  // namespace grossby
