#include "core/gfx/TileOps.h"

#include "core/gfx/Chr.h"

#include <array>
#include <stdexcept>
#include <string>

namespace quarry::gfx {
namespace {

using Tile = std::array<std::uint8_t, kPixelsPerTile>;

std::span<std::uint8_t> tileSpan(std::span<std::uint8_t> tiles, int tile)
{
    const std::size_t first = static_cast<std::size_t>(tile) * kPixelsPerTile;
    if (tile < 0 || first + kPixelsPerTile > tiles.size())
        throw std::out_of_range("tile " + std::to_string(tile) + " lies outside the tile array");
    return tiles.subspan(first, kPixelsPerTile);
}

Tile copyOf(std::span<const std::uint8_t> pixels)
{
    Tile tile{};
    std::copy(pixels.begin(), pixels.end(), tile.begin());
    return tile;
}

std::size_t at(int x, int y)
{
    return static_cast<std::size_t>(y * kTileSize + x);
}

} // namespace

void shiftTile(std::span<std::uint8_t> tiles, int tile, int dx, int dy)
{
    const std::span<std::uint8_t> pixels = tileSpan(tiles, tile);
    const Tile old = copyOf(pixels);
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x)
            pixels[at(x, y)] = old[at((x + dx) & 7, (y + dy) & 7)];
}

void flipTile(std::span<std::uint8_t> tiles, int tile, bool acrossVertical, bool acrossHorizontal)
{
    const std::span<std::uint8_t> pixels = tileSpan(tiles, tile);
    const Tile old = copyOf(pixels);
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x)
            pixels[at(x, y)] = old[at(acrossVertical ? 7 - x : x, acrossHorizontal ? 7 - y : y)];
}

void rotateTile(std::span<std::uint8_t> tiles, int tile)
{
    // A transpose followed by a flip top to bottom.
    const std::span<std::uint8_t> pixels = tileSpan(tiles, tile);
    const Tile old = copyOf(pixels);
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x)
            pixels[at(x, y)] = old[at(y, x)];
    flipTile(tiles, tile, false, true);
}

} // namespace quarry::gfx
