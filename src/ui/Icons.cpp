#include "ui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quarry::ui {

namespace {

constexpr int kSize = 24;

// A brush laying a stroke of cells.
void paintBrush(QPainter& p, const QColor& ink)
{
    p.setBrush(QColor(120, 170, 90));
    for (int i = 0; i < 3; ++i)
        p.drawRect(2 + 6 * i, 16, 6, 6);
    p.setPen(QPen(QColor(150, 110, 70), 3));
    p.drawLine(21, 3, 13, 11);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(200, 60, 60));
    p.drawEllipse(9, 9, 6, 6);
}

void paintIcon(QPainter& p, IconKind kind)
{
    const QColor ink(40, 40, 48);
    p.setPen(QPen(ink, 1.5));
    switch (kind) {
    case IconKind::Open:
        p.setBrush(QColor(232, 190, 90));
        p.drawRect(3, 7, 18, 13);
        p.drawRect(3, 5, 7, 3);
        break;
    case IconKind::Save:
        p.setBrush(QColor(80, 110, 190));
        p.drawRect(3, 3, 18, 18);
        p.setBrush(Qt::white);
        p.drawRect(7, 3, 10, 6);
        p.drawRect(6, 13, 12, 8);
        break;
    case IconKind::Text: {
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(15);
        p.setFont(font);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, "Aa");
        break;
    }
    case IconKind::Background:
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                p.setBrush((x + y) % 2 ? QColor(120, 170, 90) : QColor(150, 110, 70));
                p.drawRect(3 + 9 * x, 3 + 9 * y, 9, 9);
            }
        break;
    case IconKind::Palette: {
        const QColor colours[4] = {QColor(200, 60, 60), QColor(60, 160, 70), QColor(60, 90, 200), QColor(230, 200, 60)};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(3 + 9 * (i % 2), 3 + 9 * (i / 2), 9, 9);
        }
        break;
    }
    case IconKind::Sprite:
        p.setBrush(QColor(220, 150, 120));
        p.drawEllipse(8, 2, 8, 8);
        p.setBrush(QColor(90, 60, 140));
        p.drawRect(7, 10, 10, 8);
        p.drawLine(9, 18, 8, 22);
        p.drawLine(15, 18, 16, 22);
        break;
    case IconKind::Global:
        p.setBrush(QColor(110, 170, 220));
        p.drawEllipse(3, 3, 18, 18);
        p.drawLine(3, 12, 21, 12);
        p.drawEllipse(8, 3, 8, 18);
        break;
    case IconKind::MapInfo: {
        p.setBrush(QColor(250, 250, 240));
        p.drawEllipse(3, 3, 18, 18);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(14);
        p.setFont(font);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, "i");
        break;
    }
    case IconKind::Erase:
        p.setPen(QPen(QColor(190, 40, 40), 3));
        p.drawLine(5, 5, 19, 19);
        p.drawLine(19, 5, 5, 19);
        break;
    case IconKind::Exit:
        p.setBrush(QColor(150, 110, 70));
        p.drawRect(4, 3, 11, 18);
        p.setPen(QPen(ink, 2));
        p.drawLine(12, 12, 21, 12);
        p.drawLine(18, 9, 21, 12);
        p.drawLine(18, 15, 21, 12);
        break;
    case IconKind::Brush: paintBrush(p, ink); break;
    }
}

} // namespace

QIcon commandIcon(IconKind kind)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintIcon(painter, kind);
    painter.end();
    return QIcon(pixmap);
}

} // namespace quarry::ui
