#include "picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace grossby::docgen {

QImage drawPicture(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // Deep ledger blue, lighter towards the centre.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0x24, 0x3b, 0x50));
    sky.setColorAt(1.0, QColor(0x1a, 0x2c, 0x3d));
    p.fillRect(image.rect(), sky);
    QRadialGradient glow(w / 2, h * 0.45, w * 0.55);
    glow.setColorAt(0.0, QColor(0x4a, 0x74, 0x96, 150));
    glow.setColorAt(1.0, QColor(0x4a, 0x74, 0x96, 0));
    p.fillRect(image.rect(), glow);

    // Faint ruled lines and a margin line, like a ledger page.
    const qreal rule = h / 36;
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (qreal y = rule; y < h; y += rule)
        p.drawLine(QPointF(0, y), QPointF(w, y));
    p.setPen(QPen(QColor(0xd0, 0x6a, 0x5a, 60), 2));
    p.drawLine(QPointF(w * 0.08, 0), QPointF(w * 0.08, h));

    // A rising column chart along the bottom.
    const int columns = 14;
    const qreal slot = w * 0.84 / columns;
    for (int i = 0; i < columns; ++i) {
        const qreal height = h * (0.06 + 0.018 * i + 0.025 * ((i * 7) % 5) / 4.0);
        const QRectF bar(w * 0.12 + i * slot, h * 0.93 - height, slot * 0.62, height);
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, QColor(0x7f, 0xc8, 0xa9, 110));
        fill.setColorAt(1, QColor(0x7f, 0xc8, 0xa9, 25));
        p.fillRect(bar, fill);
    }
    QPainterPath trend;
    trend.moveTo(w * 0.12, h * 0.84);
    trend.cubicTo(w * 0.40, h * 0.83, w * 0.62, h * 0.74, w * 0.95, h * 0.60);
    p.setPen(QPen(QColor(0xf2, 0xc1, 0x4e, 150), h / 250.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trend);

    // The name and what it is for.
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(int(h / 7.5));
    title.setBold(true);
    p.setFont(title);
    const QRectF titleBox(0, h * 0.22, w, h * 0.2);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(titleBox.translated(h / 200, h / 200), Qt::AlignCenter, QStringLiteral("Grossby 2018"));
    p.setPen(QColor(0xf4, 0xf7, 0xfa));
    p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Grossby 2018"));

    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(int(h / 28));
    p.setFont(sub);
    p.setPen(QColor(0xc9, 0xd8, 0xe6));
    p.drawText(QRectF(0, h * 0.42, w, h * 0.07), Qt::AlignCenter,
               QStringLiteral("Employees' tax  \u00b7  salary packages  \u00b7  vehicles  \u00b7  loans"));
    sub.setPixelSize(int(h / 36));
    p.setFont(sub);
    p.setPen(QColor(0x9f, 0xb6, 0xca));
    p.drawText(QRectF(0, h * 0.49, w, h * 0.06), Qt::AlignCenter,
               QStringLiteral("Tax year 1 March 2017 \u2013 28 February 2018"));
    p.end();
    return image;
}

}  // namespace grossby::docgen
