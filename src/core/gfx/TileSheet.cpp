#include "core/gfx/TileSheet.h"

#include <algorithm>
#include <stdexcept>

namespace quarry::gfx {

namespace {

// Sheet index of pixel (x, y) of tile t.
std::size_t sheetIndex(std::size_t tile, int x, int y)
{
    const std::size_t left = (tile & 15) * kTileSize;
    const std::size_t top = (tile / 16) * kTileSize;
    return (top + static_cast<std::size_t>(y)) * kTileSheetSize + left + static_cast<std::size_t>(x);
}

} // namespace

std::vector<std::uint8_t> tilesToSheet(std::span<const std::uint8_t> tiles)
{
    std::vector<std::uint8_t> sheet(kTileSheetPixels, 0);
    const std::size_t count = std::min<std::size_t>(tiles.size() / kPixelsPerTile, kPatternTableTiles);
    for (std::size_t t = 0; t < count; ++t)
        for (int y = 0; y < kTileSize; ++y)
            for (int x = 0; x < kTileSize; ++x)
                sheet[sheetIndex(t, x, y)] = tiles[t * kPixelsPerTile + static_cast<std::size_t>(y * kTileSize + x)] & 3;
    return sheet;
}

TilePixels sheetToTiles(std::span<const std::uint8_t> sheet)
{
    if (sheet.size() != kTileSheetPixels)
        throw std::invalid_argument("a tile sheet holds 128 x 128 pixels");
    TilePixels tiles(kPatternTableTiles * kPixelsPerTile, 0);
    for (std::size_t t = 0; t < kPatternTableTiles; ++t)
        for (int y = 0; y < kTileSize; ++y)
            for (int x = 0; x < kTileSize; ++x)
                tiles[t * kPixelsPerTile + static_cast<std::size_t>(y * kTileSize + x)] = sheet[sheetIndex(t, x, y)] & 3;
    return tiles;
}

} // namespace quarry::gfx
