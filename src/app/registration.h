#pragma once
// Every calculator window of the program, as each subsystem registers it.

#include "widgets/calculator_registry.h"

namespace grossby {

/// The registry the program's main window is built with.
CalculatorRegistry programCalculators();

}  // namespace grossby
