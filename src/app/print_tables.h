#pragma once
// The print database's tables, as every subsystem declares them for its
// printouts.

namespace grossby {

/// Declares every subsystem's print tables to the services, once; the
/// program, the command line and their tests call it before printing.
void declareProgramPrintTables();

}  // namespace grossby
