#pragma once
// The vehicle subsystem's windows, as the main window's menus open them.

namespace grossby {

class CalculatorRegistry;

/// Registers the company car and car allowance windows.
void registerVehicleWindows(CalculatorRegistry& registry);

}  // namespace grossby
