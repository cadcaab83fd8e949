#pragma once
// Which calculator windows the program has and how the main window treats
// them. Each subsystem adds its own windows (one registration function per
// subsystem); the main window builds its menus from fixed captions and looks
// up here what each command opens, so it never names a subsystem.

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

struct CalculatorEntry {
    QString windowName;  ///< "frmMonthly": the window's objectName
    QString commandName;  ///< "mnuMonthly": the menu command that opens it
    /// Makes the window for the shared state; empty while the window is not
    /// built yet (its command then stays disabled).
    std::function<QWidget*(Module1& state)> factory;
    ArrangeRule arrange;
    /// Place in the order "&Initialise All" closes windows (1 first); 0 for a
    /// window that stays open with its contents.
    int initialiseAllRank = 0;
};

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
