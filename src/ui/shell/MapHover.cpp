#include "ui/shell/MapHover.h"

#include "core/session/LoadedArea.h"
#include "ui/AreaWorkspace.h"
#include "ui/HoverInfo.h"
#include "ui/MainWindow.h"
#include "ui/MapBlockActions.h"
#include "ui/RomDocument.h"
#include "ui/StatusLine.h"
#include "ui/WorldController.h"
#include "ui/map/MapView.h"
#include "ui/map/SharedScreensLayer.h"

namespace quarry::ui {

MapHover::MapHover(MainWindow& window, StatusLine& status) : QObject(&window), window_(window), status_(status)
{
    MapView* map = window.workspace()->mapView();
    connect(map, &MapView::mapHovered, this, &MapHover::showHover);
    connect(map, &MapView::hoverLeft, this, [this] {
        hovered_.reset();
        status_.setHover({});
    });
    // A paint, an undo or any other change under a still pointer shows at once.
    connect(&window.liveDocument(), &RomDocument::changed, this, [this] {
        if (hovered_)
            showHover(*hovered_);
    });
}

QLabel* MapHover::hoverLabel() const
{
    return status_.hoverLabel();
}

void MapHover::showHover(QPoint mapPixel)
{
    hovered_ = mapPixel;
    QString item;
    WorldController* world = window_.world();
    const session::LoadedArea* area = window_.document().area();
    if (area && window_.editMode() == EditMode::Actor) {
        const int index = world->actorLayer().markerAt(mapPixel);
        if (index >= 0 && index < static_cast<int>(area->actors.size()))
            item = actorHoverText(index, area->actors[static_cast<std::size_t>(index)].type);
    } else if (area && window_.editMode() == EditMode::Stair) {
        const int index = world->stairLayer().markerAt(mapPixel);
        if (index >= 0)
            item = stairHoverText(index);
    }
    if (item.isEmpty())
        item = window_.mapBlocks()->sharedScreens().hoverWords(mapPixel);
    status_.setHover(hoverText(area, mapPixel, item));
}

} // namespace quarry::ui
