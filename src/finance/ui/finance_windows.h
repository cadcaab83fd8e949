#pragma once
// The finance subsystem's windows, as the main window's menus open them.

namespace grossby {

class CalculatorRegistry;

/// Registers the loan, loan buster, loan comparison, daily balance and inflation windows.
void registerFinanceWindows(CalculatorRegistry& registry);

}  // namespace grossby
