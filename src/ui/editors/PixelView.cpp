#include "ui/editors/PixelView.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace quarry::ui {

namespace {

int buttonNumber(Qt::MouseButtons buttons)
{
    return static_cast<int>(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

} // namespace

PixelView::PixelView(QSize logicalSize, int displayScale, QWidget* parent)
    : QWidget(parent), logicalSize_(logicalSize), scale_(std::max(1, displayScale))
{
    setFixedSize(logicalSize_ * scale_);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PixelView::setGridPitch(int pitch)
{
    gridPitch_ = pitch;
    update();
}

void PixelView::setGridShown(bool shown)
{
    gridShown_ = shown;
    update();
}

void PixelView::setGridColor(const QColor& colour)
{
    gridColor_ = colour;
    update();
}

QPoint PixelView::toLogical(QPointF widgetPosition) const
{
    return QPoint(static_cast<int>(std::floor(widgetPosition.x() / scale_)),
                  static_cast<int>(std::floor(widgetPosition.y() / scale_)));
}

void PixelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull())
        painter.drawImage(rect(), picture_);
    if (gridShown_ && gridPitch_ > 0) {
        painter.setPen(QPen(gridColor_, 1));
        const int step = gridPitch_ * scale_;
        for (int x = step; x < width(); x += step)
            painter.drawLine(x, 0, x, height() - 1);
        for (int y = step; y < height(); y += step)
            painter.drawLine(0, y, width() - 1, y);
    }
}

void PixelView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(toLogical(event->position()), buttonNumber(event->button()));
}

void PixelView::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(toLogical(event->position()), buttonNumber(event->buttons()));
}

void PixelView::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(toLogical(event->position()), buttonNumber(event->button()));
}

} // namespace quarry::ui
