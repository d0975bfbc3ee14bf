#include "ui/shell/MapZoomActions.h"

#include "ui/map/MapView.h"
#include "ui/map/MapZoom.h"
#include "ui/shell/CommandPlaces.h"

#include <QAction>

namespace quarry::ui {

MapZoomActions::MapZoomActions(CommandTable& commands, MapView& map)
    : QObject(&commands), commands_(commands), map_(map)
{
    zoomIn_ = commands.add({.caption = "Zoom &In",
                            .keys = {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
                            .place = places::kZoom,
                            .run = [this] { map_.zoomIn(); }});
    zoomOut_ = commands.add({.caption = "Zoom &Out", .keys = {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                             .place = places::kZoom, .run = [this] { map_.zoomOut(); }});
    zoomReset_ = commands.add({.caption = "&Actual Size", .keys = {QKeySequence(Qt::CTRL | Qt::Key_0)},
                               .place = places::kZoom, .run = [this] { map_.setZoom(zoom::kMinimum); }});
    connect(&map, &MapView::zoomChanged, this, &MapZoomActions::updateEnabled);
    connect(&commands, &CommandTable::imageOpenChanged, this, &MapZoomActions::updateEnabled);
    updateEnabled();
}

void MapZoomActions::updateEnabled()
{
    const bool open = commands_.imageOpen();
    zoomIn_->setEnabled(open && map_.zoom() < zoom::kMaximum);
    zoomOut_->setEnabled(open && map_.zoom() > zoom::kMinimum);
    zoomReset_->setEnabled(open);
}

} // namespace quarry::ui
