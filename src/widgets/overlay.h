#pragma once
// Panels that pop up over their window's fields (print, information).

#include <QWidget>

namespace grossby {

/// Sizes `panel` to its contents, centres it across its parent at `top`
/// (or vertically too when `top` is negative), and shows it in front.
inline void showOverParent(QWidget* panel, int top)
{
    panel->adjustSize();
    if (QWidget* p = panel->parentWidget()) {
        const int x = qMax(0, (p->width() - panel->width()) / 2);
        const int y = top >= 0 ? top : qMax(0, (p->height() - panel->height()) / 2);
        panel->move(x, y);
    }
    panel->raise();
    panel->show();
}

}  // namespace grossby
