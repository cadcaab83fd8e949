#include "finance/ui/finance_windows.h"

#include "widgets/calculator_registry.h"

namespace grossby {

void registerFinanceWindows(CalculatorRegistry& registry)
{
    // The windows are registered here as they are built; until then the
    // program's planned entries keep their commands disabled.
    (void)registry;
}

}  // namespace grossby
