#pragma once
// The payroll subsystem's windows, as the main window's menus open them.

namespace grossby {

class CalculatorRegistry;

/// Registers the five PAYE period windows and QuickTax.
void registerPayrollWindows(CalculatorRegistry& registry);

}  // namespace grossby
