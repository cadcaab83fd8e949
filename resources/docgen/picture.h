#pragma once

#include <QImage>
#include <QSize>

namespace grossby::docgen {

/// The program's background picture: a ledger-blue backdrop with the
/// product name, drawn in code so the project needs no image files.
QImage drawPicture(const QSize& size);

}  // namespace grossby::docgen
