#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quarry::ui {

namespace {

QPixmap paintIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8a, 0x5a, 0x3c));
    p.drawRoundedRect(QRectF(4, 20, 56, 40), 3, 3);
    p.setPen(QPen(QColor(0x5b, 0x3a, 0x28), 2));
    p.setBrush(QColor(0xc4, 0x7a, 0x4a));
    const QRectF bricks[] = {{6, 22, 24, 11}, {32, 22, 26, 11}, {6, 35, 12, 11}, {20, 35, 24, 11},
                             {46, 35, 12, 11}, {6, 48, 24, 10}, {32, 48, 26, 10}};
    for (const QRectF& brick : bricks)
        p.drawRect(brick);
    p.translate(40, 16);
    p.rotate(-35);
    p.translate(-40, -16);
    p.setPen(QPen(QColor(0x3b, 0x24, 0x12), 1.5));
    p.setBrush(QColor(0x6b, 0x44, 0x23));
    p.drawRoundedRect(QRectF(37, 4, 6, 34), 2, 2);
    QPainterPath head;
    head.moveTo(18, 10);
    head.quadTo(40, -2, 62, 10);
    head.lineTo(60, 13);
    head.quadTo(40, 4, 20, 13);
    head.closeSubpath();
    p.setPen(QPen(QColor(0x4a, 0x56, 0x60), 1.5));
    p.setBrush(QColor(0xb8, 0xc4, 0xcc));
    p.drawPath(head);
    return pixmap;
}

} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(paintIcon(size));
    return icon;
}

} // namespace quarry::ui
