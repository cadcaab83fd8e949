#pragma once

#include <QIcon>

class QPainter;

namespace grossby {

/// The program's icon, drawn in code: a ledger-blue tile with a rising
/// column chart. Used for every window of the program.
QIcon programIcon();

/// Paints the icon into the square (0, 0, size, size) of `painter`; also used
/// at build time to make the installed icon files from the same drawing.
void paintProgramIcon(QPainter& painter, qreal size);

}  // namespace grossby
