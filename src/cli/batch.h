#pragma once
// A file of calculations through any calculator, row by row: one
// calculation a row, the columns named like the calculator's options. The
// input is read and the output written through fixed buffers, so memory
// stays flat for any number of rows.

#include "cli/calculator.h"

#include <iosfwd>
#include <string>

namespace grossby::cli {

/// Runs `inPath` through `calc`, every row starting from `base` (the options
/// given, settings filled). The output repeats the input columns and adds
/// the result columns and an error column. `inPath` or `outPath` may be "-"
/// for standard input or output; a named output appears complete or not at
/// all. Messages go to `err`. Returns the exit code.
int runBatch(const Calculator& calc, const Calculation& base, const std::string& inPath, const std::string& outPath,
             std::ostream& err);

}  // namespace grossby::cli
