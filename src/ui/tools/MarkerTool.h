#pragma once

#include "ui/WorldController.h"
#include "ui/tools/MapTool.h"

#include <QRect>

#include <optional>

namespace quarry::ui {

// Actor Edit Mode and Stair Edit Mode: the markers show over the map; a
// marker dragged with the left button moves (its outline follows the
// pointer in whole cells, the record changes on release), and a stair
// double-clicked turns.
class MarkerTool final : public MapTool {
public:
    MarkerTool(WorldController& world, WorldController::Markers markers);

    MapToolInfo info() const override;
    void activate() override;
    void deactivate() override;
    void press(QPoint mapPixel, Qt::MouseButton button) override;
    void move(QPoint mapPixel) override;
    void release(QPoint mapPixel, Qt::MouseButton button) override;
    void doubleClick(QPoint mapPixel, Qt::MouseButton button) override;
    void finishGesture() override;
    void paintOverlay(QPainter& painter) const override;
    QCursor cursor() const override { return Qt::OpenHandCursor; }

    // The outline of the drag in progress, in map pixels.
    const std::optional<QRect>& outline() const { return outline_; }

private:
    WorldController& world_;
    WorldController::Markers markers_;
    int dragIndex_ = -1;
    QPoint dragStart_;
    std::optional<QRect> outline_;
};

} // namespace quarry::ui
