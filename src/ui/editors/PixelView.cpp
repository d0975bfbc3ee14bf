#include "ui/editors/PixelView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
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

void PixelView::setOverlay(std::function<void(QPainter&)> overlay)
{
    overlay_ = std::move(overlay);
    update();
}

void PixelView::setZoom(int zoom)
{
    zoom = std::clamp(zoom, 1, maximumZoom_);
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    setFixedSize(logicalSize_ * scale_ * zoom_);
    update();
    emit zoomChanged(zoom_);
}

void PixelView::setMaximumZoom(int maximum)
{
    maximumZoom_ = std::max(1, maximum);
    setZoom(zoom_);
}

QPoint PixelView::toLogical(QPointF widgetPosition) const
{
    const double factor = static_cast<double>(scale_ * zoom_);
    return QPoint(static_cast<int>(std::floor(widgetPosition.x() / factor)),
                  static_cast<int>(std::floor(widgetPosition.y() / factor)));
}

void PixelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull())
        painter.drawImage(rect(), picture_);
    const int factor = scale_ * zoom_;
    if (overlay_) {
        painter.save();
        painter.scale(factor, factor);
        overlay_(painter);
        painter.restore();
    }
    if (gridShown_ && gridPitch_ > 0) {
        painter.setPen(QPen(gridColor_, 1));
        const int step = gridPitch_ * factor;
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

void PixelView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (!(event->modifiers() & Qt::ControlModifier) || steps == 0 || maximumZoom_ == 1) {
        event->ignore();
        return;
    }
    setZoom(zoom_ + steps);
    event->accept();
}

} // namespace quarry::ui
