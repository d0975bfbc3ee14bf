#pragma once

#include "core/rom/AreaMap.h"
#include "core/session/WhereUsed.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarry::session {

// Rectangles, blocks and regions of a whole map in cells (MapCell: 8 columns
// per screen across, 7 rows per screen down). A map pixel (x, y) lies in
// cell (x / 32, y / 32).

struct CellRect {
    int column = 0;
    int row = 0;
    int columns = 0;
    int rows = 0;

    bool contains(MapCell cell) const
    {
        return cell.column >= column && cell.row >= row && cell.column < column + columns && cell.row < row + rows;
    }
    bool empty() const { return columns <= 0 || rows <= 0; }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

int mapColumns(const rom::AreaMap& map);
int mapRows(const rom::AreaMap& map);
// The cell under a map pixel; no value outside the map. The one place a map
// pixel becomes a cell.
std::optional<MapCell> cellAtPixel(const rom::AreaMap& map, int x, int y);

// Where a cell lies among the screens: the screen position (sx, sy), then
// the row (0-6) and column (0-7) inside that screen.
struct ScreenPlace {
    int sx = 0;
    int sy = 0;
    int row = 0;
    int column = 0;
    friend bool operator==(const ScreenPlace&, const ScreenPlace&) = default;
};
ScreenPlace screenPlaceOf(MapCell cell);
// The grid index of a cell (see rom::AreaMap::cellIndex).
std::size_t cellGridIndex(const rom::AreaMap& map, MapCell cell);
// The smallest rectangle holding both cells.
CellRect spanning(MapCell a, MapCell b);
CellRect wholeMap(const rom::AreaMap& map);
// The part of `rect` inside the map (empty when none is).
CellRect clippedToMap(const rom::AreaMap& map, const CellRect& rect);
std::uint8_t metatileAt(const rom::AreaMap& map, MapCell cell);
// The screen position (sy x W + sx) a cell lies in, and the body index of
// the byte the image stores the cell in (RomError for a screen address the
// game could not read).
int screenPosition(const rom::AreaMap& map, MapCell cell);
std::size_t cellBodyIndex(const rom::AreaMap& map, MapCell cell);

// A rectangle of metatile numbers, row by row.
struct MetatileBlock {
    int columns = 0;
    int rows = 0;
    std::vector<std::uint8_t> cells;

    std::uint8_t at(int column, int row) const
    {
        return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns)
                     + static_cast<std::size_t>(column)];
    }
    friend bool operator==(const MetatileBlock&, const MetatileBlock&) = default;
};

// The cells of `rect` (inside the map) as a block.
MetatileBlock copyBlock(const rom::AreaMap& map, const CellRect& rect);
// A block of `rect`'s size holding `metatile` everywhere.
MetatileBlock solidBlock(int columns, int rows, std::uint8_t metatile);

// The plain-text form: one line per row, two upper-case hex digits per
// cell separated by single spaces, each line ending in a line feed.
std::string blockText(const MetatileBlock& block);
// Reads the plain-text form back. Either case of hex digit; any run of
// spaces or tabs separates; a line may end in CR LF; blank lines before the
// first row and after the last are ignored. Throws RomError naming the line
// ("line 3: ...") for anything else: a number that is not two hex digits,
// rows of different lengths, a blank line between rows, no rows at all.
MetatileBlock parseBlockText(std::string_view text);

// A block on the clipboard between our own windows: "set N" and a line feed
// (the object set it was copied in, whose metatiles its numbers mean), then
// the plain-text form.
struct BlockEnvelope {
    int objectSet = 0;
    std::string text;
};
std::string blockEnvelope(int objectSet, const MetatileBlock& block);
// No value unless the first line is "set N" with a decimal N (spaces around
// N allowed) and a line feed ends it.
std::optional<BlockEnvelope> readBlockEnvelope(std::string_view data);

// The cells 4-connected to `start` holding the metatile `start` holds, row
// by row from the top left; when `within` is given the region stops at its
// edges (nothing when `start` lies outside it).
std::vector<MapCell> fillRegion(const rom::AreaMap& map, MapCell start, const std::optional<CellRect>& within = {});

// One cell of a block placed on the map with its top-left cell at `at`:
// the cells landing inside the map, row by row from the top left.
struct PlacedCell {
    MapCell cell;
    std::uint8_t metatile = 0;
};
std::vector<PlacedCell> placeBlock(const rom::AreaMap& map, MapCell at, const MetatileBlock& block);

} // namespace quarry::session
