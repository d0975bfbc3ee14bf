#include "ui/tools/BlockTools.h"

#include "core/gfx/ChooserGeometry.h"
#include "core/rom/Hex.h"
#include "ui/ActionGuard.h"
#include "ui/AreaWorkspace.h"
#include "ui/CanvasImage.h"
#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/map/SharedConsent.h"
#include "ui/map/MapView.h"
#include "ui/tools/MapSelection.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace quarry::ui {

namespace {

constexpr int kCell = layout::kMetatilePixels;
// A press that moves less than this (map pixels) before release is a click.
constexpr int kClickSlack = 4;

int floorDiv(int value, int by)
{
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

// The cell under a pixel, moved to the nearest cell of the map for a pixel
// outside it.
session::MapCell clampedCell(const rom::AreaMap& map, QPoint mapPixel)
{
    return {std::clamp(floorDiv(mapPixel.x(), kCell), 0, session::mapColumns(map) - 1),
            std::clamp(floorDiv(mapPixel.y(), kCell), 0, session::mapRows(map) - 1)};
}

} // namespace

SelectTool::SelectTool(RomDocument& document, MapSelection& selection) : document_(document), selection_(selection)
{
}

void SelectTool::press(QPoint mapPixel, Qt::MouseButton)
{
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return;
    dragging_ = true;
    moved_ = false;
    pressPixel_ = mapPixel;
    anchor_ = clampedCell(area->map, mapPixel);
}

void SelectTool::move(QPoint mapPixel)
{
    const session::LoadedArea* area = document_.document().area();
    if (!dragging_ || !area)
        return;
    if (!moved_ && (mapPixel - pressPixel_).manhattanLength() < kClickSlack)
        return;
    moved_ = true;
    selection_.set(session::spanning(anchor_, clampedCell(area->map, mapPixel)));
}

void SelectTool::release(QPoint, Qt::MouseButton)
{
    if (!dragging_)
        return;
    dragging_ = false;
    if (!moved_ && selection_.rect() && !selection_.rect()->contains(anchor_))
        selection_.clear();
}

FillTool::FillTool(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace, MapSelection& selection,
                   CellsWritten written, StatusNote note)
    : document_(document), dialogs_(dialogs), workspace_(workspace), selection_(selection),
      written_(std::move(written)), note_(std::move(note))
{
}

void FillTool::press(QPoint mapPixel, Qt::MouseButton)
{
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return;
    const auto cell = session::cellAtPixel(area->map, mapPixel.x(), mapPixel.y());
    if (!cell)
        return;
    if (selection_.rect() && !selection_.rect()->contains(*cell)) {
        note_(QStringLiteral("The fill stays inside the selection: click a cell in it, or press Escape to clear it"));
        return;
    }
    const auto metatile = static_cast<std::uint8_t>(workspace_.selectedMetatile());
    std::vector<session::PlacedCell> region;
    for (const session::MapCell& at : session::fillRegion(area->map, *cell, selection_.rect()))
        region.push_back({at, metatile});
    if (!document_.mayWriteScreens(screensChanged(area->map, region)))
        return;
    session::Document::CellEdit edit;
    if (!runGuarded(dialogs_, &workspace_, [&] {
            edit = document_.document().fillCells(*cell, metatile, selection_.rect());
        }))
        return;
    written_(edit);
    if (edit.empty())
        note_(QStringLiteral("Nothing to fill: the cells there hold metatile %1 already")
                  .arg(hexByte(metatile)));
}

StampTool::StampTool(RomDocument& document, Dialogs& dialogs, MapView& view, CellsWritten written)
    : document_(document), dialogs_(dialogs), view_(view), written_(std::move(written))
{
}

void StampTool::hover(QPoint mapPixel)
{
    const session::MapCell cell{floorDiv(mapPixel.x(), kCell), floorDiv(mapPixel.y(), kCell)};
    if (at_ && *at_ == cell)
        return;
    at_ = cell;
    view_.viewport()->update();
}

void StampTool::press(QPoint mapPixel, Qt::MouseButton)
{
    if (!document_.document().area() || block_.cells.empty())
        return;
    hover(mapPixel);
    const rom::AreaMap& map = document_.document().area()->map;
    if (!document_.mayWriteScreens(screensChanged(map, session::placeBlock(map, *at_, block_))))
        return;
    session::Document::CellEdit edit;
    runGuarded(dialogs_, &view_, [&] {
        edit = document_.document().stampBlock(
            *at_, block_, "Paste " + std::to_string(block_.columns) + " x " + std::to_string(block_.rows) + " block");
    });
    written_(edit);
}

void StampTool::paintOverlay(QPainter& painter) const
{
    const session::LoadedArea* area = document_.document().area();
    if (!at_ || !area || block_.cells.empty())
        return;
    // The block's metatiles as the chooser draws them, a little see-through.
    // Only the cells the view shows are drawn: a block may be a whole map.
    int firstColumn = 0, lastColumn = block_.columns - 1, firstRow = 0, lastRow = block_.rows - 1;
    if (painter.hasClipping()) {
        const QRect shown = painter.clipBoundingRect().toAlignedRect();
        firstColumn = std::max(firstColumn, floorDiv(shown.left(), kCell) - at_->column);
        lastColumn = std::min(lastColumn, floorDiv(shown.right(), kCell) - at_->column);
        firstRow = std::max(firstRow, floorDiv(shown.top(), kCell) - at_->row);
        lastRow = std::min(lastRow, floorDiv(shown.bottom(), kCell) - at_->row);
    }
    const QImage chooser = toImage(area->chooser);
    // Cells past the map's edges are left out when placed; they are not drawn.
    painter.setClipRect(QRect(0, 0, area->mapWidth(), area->mapHeight()), Qt::IntersectClip);
    painter.setOpacity(0.75);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int metatile = block_.at(column, row);
            painter.drawImage(QPoint((at_->column + column) * kCell, (at_->row + row) * kCell), chooser,
                              QRect(gfx::chooserX(metatile), gfx::chooserY(metatile), kCell, kCell));
        }
    painter.setOpacity(1.0);
    painter.setPen(QPen(QColor(255, 220, 0), 0));
    painter.drawRect(QRect(at_->column * kCell, at_->row * kCell, block_.columns * kCell, block_.rows * kCell)
                         .adjusted(0, 0, -1, -1));
}

} // namespace quarry::ui
