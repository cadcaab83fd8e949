#include "cli/calculators.h"

namespace grossby::cli {

std::vector<std::shared_ptr<const Calculator>> packageCalculators()
{
    // The package subcommands, in the order --help shows them.
    return {};
}

}  // namespace grossby::cli
