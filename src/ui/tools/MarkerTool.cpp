#include "ui/tools/MarkerTool.h"

#include "core/world/Dragging.h"

#include <QPainter>

namespace quarry::ui {

MarkerTool::MarkerTool(WorldController& world, WorldController::Markers markers) : world_(world), markers_(markers)
{
}

MapToolInfo MarkerTool::info() const
{
    if (markers_ == WorldController::Markers::Stairs)
        return {QStringLiteral("S"), QStringLiteral("Stair Edit Mode"), Qt::Key_S};
    return {QStringLiteral("A"), QStringLiteral("Actor Edit Mode"), Qt::Key_A};
}

void MarkerTool::activate()
{
    world_.enterMode(markers_);
}

void MarkerTool::deactivate()
{
    finishGesture();
    world_.enterMode(WorldController::Markers::None);
}

void MarkerTool::press(QPoint mapPixel, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    dragIndex_ = world_.layer(markers_).markerAt(mapPixel);
    dragStart_ = mapPixel;
    outline_.reset();
}

void MarkerTool::move(QPoint mapPixel)
{
    if (dragIndex_ < 0 || dragIndex_ >= world_.layer(markers_).count())
        return;
    const int cell = markers_ == WorldController::Markers::Actors ? world::kActorCellPixels : world::kStairCellPixels;
    const QPoint offset(world::snapDown(mapPixel.x(), cell) - world::snapDown(dragStart_.x(), cell),
                        world::snapDown(mapPixel.y(), cell) - world::snapDown(dragStart_.y(), cell));
    // Nothing is stored before the button goes up.
    outline_ = offset.isNull() ? std::nullopt
                               : std::optional<QRect>(world_.layer(markers_).marker(dragIndex_).rect.translated(offset));
}

void MarkerTool::release(QPoint mapPixel, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || dragIndex_ < 0)
        return;
    const int index = dragIndex_;
    dragIndex_ = -1;
    outline_.reset();
    world_.dropMarker(markers_, index, dragStart_, mapPixel);
}

void MarkerTool::doubleClick(QPoint mapPixel, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || markers_ != WorldController::Markers::Stairs)
        return;
    const int index = world_.layer(markers_).markerAt(mapPixel);
    if (index >= 0)
        world_.turnStair(index);
}

void MarkerTool::finishGesture()
{
    // A drag cut short moves nothing.
    dragIndex_ = -1;
    outline_.reset();
}

void MarkerTool::paintOverlay(QPainter& painter) const
{
    if (!outline_)
        return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 255, 255), 1, Qt::DashLine));
    painter.drawRect(outline_->adjusted(0, 0, -1, -1));
}

} // namespace quarry::ui
