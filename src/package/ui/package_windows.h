#pragma once
// The package subsystem's windows, as the main window's menus open them.

namespace grossby {

class CalculatorRegistry;

/// Registers the forward and reverse package windows.
void registerPackageWindows(CalculatorRegistry& registry);

}  // namespace grossby
