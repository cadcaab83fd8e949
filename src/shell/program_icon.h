#pragma once

#include <QIcon>

namespace grossby {

/// The program's icon, drawn in code: a ledger-blue tile with a rising
/// column chart. Used for every window of the program.
QIcon programIcon();

}  // namespace grossby
