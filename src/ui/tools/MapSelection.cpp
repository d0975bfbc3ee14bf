#include "ui/tools/MapSelection.h"

#include "core/rom/GameLayout.h"

#include <QPainter>

namespace quarry::ui {

void MapSelection::set(const std::optional<session::CellRect>& rect)
{
    const std::optional<session::CellRect> next = rect && !rect->empty() ? rect : std::nullopt;
    if (next == rect_)
        return;
    rect_ = next;
    emit changed();
}

void MapSelection::paint(QPainter& painter) const
{
    if (!rect_)
        return;
    constexpr int cell = layout::kMetatilePixels;
    const QRect area(rect_->column * cell, rect_->row * cell, rect_->columns * cell, rect_->rows * cell);
    painter.fillRect(area, QColor(80, 160, 255, 48));
    // Two contrasting dashes of one view pixel, seen on any metatile and at
    // any zoom.
    QPen light(Qt::white, 0, Qt::DashLine);
    QPen dark(Qt::black, 0, Qt::DashLine);
    dark.setDashOffset(4);
    painter.setPen(light);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(dark);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

} // namespace quarry::ui
