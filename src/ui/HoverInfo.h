#pragma once

#include <QPoint>
#include <QString>

namespace quarry::session {
struct LoadedArea;
}

namespace quarry::ui {

// The status bar's words for the map pixel under the pointer: the pixel
// itself (as the inspector's positions are typed), the screen
// (sx, sy), the cell (column, row) inside it, the metatile number and the
// screen's pointer, then `item` (the actor or stair under the pointer in
// their modes) when not empty:
//   "Pixel (300, 160)  Screen (1, 0)  Cell (3, 5)  Metatile $0A  Pointer $8123  Actor 2 ($1C)"
// Empty when no area is loaded or the pixel lies outside the map.
QString hoverText(const session::LoadedArea* area, QPoint mapPixel, const QString& item = {});

// The words for the item under the pointer in actor or stair mode.
QString actorHoverText(int index, int type);
QString stairHoverText(int index);

} // namespace quarry::ui
