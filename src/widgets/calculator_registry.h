#pragma once
// Which calculator windows the program has and how the main window treats
// them. Each subsystem adds its own windows (one registration function per
// subsystem): where each command sits in the menus and with what caption,
// what it opens and how. The main window builds its calculator menus from
// these entries, so it never names a subsystem.

#include "core/calculator_description.h"
#include "widgets/calculator_window.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace grossby {

struct Module1;

/// What the main window does once a calculator is shown.
struct ArrangeRule {
    bool cascade = false;  ///< cascade the child windows
    /// When the main window is in the normal state and narrower, widen it to
    /// this many twips (frame included) before cascading; 0 leaves it.
    int widenToTwips = 0;
};

/// A menu of the menu bar that holds calculator commands.
struct CalculatorMenu {
    QString name;  ///< its objectName ("mnuTaxCalc"); empty: the menu bar itself
    QString caption;  ///< "&TaxCalcs"
};

/// Where a calculator's command sits and what it says.
struct MenuPlace {
    CalculatorMenu menu;
    QString caption;  ///< the command's caption: "&Monthly"
    /// Place among all calculator commands (the menus come in the order of
    /// their first command, after "&File").
    int order = 0;
};

/// Makes a calculator window for the shared state.
using CalculatorFactory = std::function<QWidget*(Module1& state)>;

struct CalculatorEntry {
    QString windowName;  ///< "frmMonthly": the window's objectName
    QString commandName;  ///< "mnuMonthly": the menu command that opens it
    /// Makes the window; empty leaves its command in place, disabled.
    CalculatorFactory factory;
    ArrangeRule arrange;
    /// Place in the order "&Initialise All" closes windows (1 first); 0 for a
    /// window that stays open with its contents.
    int initialiseAllRank = 0;
    MenuPlace menu;
};

/// The factory of window `W`, made by CalculatorWindow::create<W>(args...,
/// state).
template <class W, class... Args> CalculatorFactory windowFactory(Args... args)
{
    return [=](Module1& state) -> QWidget* { return CalculatorWindow::create<W>(args..., state); };
}

/// The entry of a calculator whose description gives its menu place.
CalculatorEntry calculatorEntry(const MenuEntry& menu, CalculatorFactory factory, ArrangeRule arrange = {});

class CalculatorRegistry {
public:
    /// Adds a calculator, or replaces the one with the same window name.
    void add(CalculatorEntry entry);

    const CalculatorEntry* byWindow(const QString& windowName) const;
    const CalculatorEntry* byCommand(const QString& commandName) const;
    CalculatorEntry* byWindow(const QString& windowName);

    const std::vector<CalculatorEntry>& entries() const { return m_entries; }

private:
    std::vector<CalculatorEntry> m_entries;
};

}  // namespace grossby
