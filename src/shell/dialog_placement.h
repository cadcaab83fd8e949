#pragma once

#include <QWidget>

namespace grossby {

/// Places `box` over `owner`: centred across it and a quarter of the spare
/// height down. Used for the about box and the disclaimer.
inline void placeOverOwner(QWidget* box, const QWidget* owner)
{
    if (!owner)
        return;
    const QRect frame = owner->frameGeometry();
    const QSize size = box->frameGeometry().size();
    box->move(frame.x() + (frame.width() - size.width()) / 2, frame.y() + (frame.height() - size.height()) / 4);
}

}  // namespace grossby
