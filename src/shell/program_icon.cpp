#include "shell/program_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace grossby {

void paintProgramIcon(QPainter& p, qreal s)
{
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, QColor(0x3a, 0x62, 0x84));
    tile.setColorAt(1, QColor(0x1a, 0x2c, 0x3d));
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, s, s).adjusted(0.5, 0.5, -0.5, -0.5), s * 0.18, s * 0.18);
    p.fillPath(rounded, tile);

    // Three rising columns and a trend line.
    const QColor column(0x7f, 0xc8, 0xa9);
    const qreal width = s * 0.18;
    const qreal base = s * 0.82;
    const qreal heights[] = {0.22, 0.38, 0.56};
    for (int i = 0; i < 3; ++i) {
        const qreal x = s * 0.17 + i * s * 0.24;
        p.fillRect(QRectF(x, base - s * heights[i], width, s * heights[i]), column);
    }
    p.setPen(QPen(QColor(0xf2, 0xc1, 0x4e), qMax(1.0, s / 16), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.16, s * 0.50), QPointF(s * 0.84, s * 0.16));
}

namespace {
QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintProgramIcon(p, size);
    return pixmap;
}
}  // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(drawIcon(size));
    return icon;
}

}  // namespace grossby
