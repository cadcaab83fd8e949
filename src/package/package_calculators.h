#pragma once
// The salary package calculators, each described once: the forward one
// (from a total package to the take-home pay and the cost to company) and
// the reverse one (from the take-home pay required to the gross salary that
// gives it). Each has a window for monthly and one for annual amounts, which
// reads the description of its period; the `package` and `grossup`
// subcommands are made from the same descriptions (--annual choosing the
// period).

#include "core/calculator_description.h"
#include "package/package_calc.h"
#include "package/package_print.h"

namespace grossby {

CalculatorDescription<PackageInputs, PackageSettings, PackageResult> packageDescription(PackagePeriod period);
CalculatorDescription<PackageInputs, PackageSettings, GrossUpResult> grossUpDescription(PackagePeriod period);

/// The window whose amounts inputs `in` hold: forward or reverse, monthly
/// or annual.
PackageWindow packageWindowFor(const PackageInputs& in, bool forward);

}  // namespace grossby
