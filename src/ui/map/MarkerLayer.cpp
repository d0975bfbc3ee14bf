#include "ui/map/MarkerLayer.h"

#include <QPainter>

namespace quarry::ui {

void MarkerLayer::setMarkers(std::vector<Marker> markers)
{
    markers_ = std::move(markers);
    highlight_.reset();
}

void MarkerLayer::setMarker(int index, Marker marker)
{
    markers_.at(static_cast<std::size_t>(index)) = std::move(marker);
}

int MarkerLayer::markerAt(QPoint mapPixel) const
{
    if (!shown_)
        return -1;
    // Later markers lie on top of earlier ones.
    for (int i = count() - 1; i >= 0; --i)
        if (!markers_[static_cast<std::size_t>(i)].outside && markers_[static_cast<std::size_t>(i)].rect.contains(mapPixel))
            return i;
    return -1;
}

void MarkerLayer::paint(QPainter& painter) const
{
    if (!shown_)
        return;
    for (const Marker& marker : markers_) {
        if (marker.outside)
            continue;
        if (marker.picture.isNull()) {
            painter.setPen(QColor(255, 255, 255));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(marker.rect.adjusted(0, 0, -1, -1));
        } else {
            painter.drawImage(marker.rect.topLeft(), marker.picture);
        }
    }
    painter.setBrush(Qt::NoBrush);
    if (highlight_) {
        painter.setPen(QPen(QColor(255, 255, 0), 2));
        painter.drawRect(highlight_->adjusted(1, 1, -1, -1));
    }
}

} // namespace quarry::ui
