#include "core/gfx/BackgroundRenderer.h"

#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/RomImage.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quarry::gfx {

Canvas drawMetatilePicker(const rom::RomImage& rom, int objectSet, std::span<const std::uint8_t> tiles,
                          std::span<const std::uint8_t> palette, const ColorTable& colors)
{
    Canvas chooser(kChooserWidth, kChooserHeight);
    // The offered metatiles: L - 1, at least metatile 0 and at most a full chooser.
    const int count = offeredMetatileCount(getMetatileLimit(rom, objectSet));

    for (int n = 0; n < count; ++n) {
        const MetatileTiles numbers = getMetatileTiles(rom, objectSet, n);
        const std::uint8_t attribute = getMetatileAttribute(rom, objectSet, n);
        for (int tr = 0; tr < 4; ++tr) {
            for (int tc = 0; tc < 4; ++tc) {
                const std::uint8_t tile = numbers[static_cast<std::size_t>(tr * 4 + tc)];
                drawTile(tiles, tile * kPixelsPerTile, chooser, chooserX(n) + tc * kTileSize,
                         chooserY(n) + tr * kTileSize, palette, quadrantPalette(tc, tr, attribute), colors);
            }
        }
    }
    return chooser;
}

Canvas renderMap(std::span<const std::uint8_t> grid, int screensWide, int screensHigh, const Canvas& chooser)
{
    return renderMapRegion(grid, screensWide, screensHigh, chooser, 0, 0, std::max(screensWide, 0) * layout::kScreenWidth,
                           std::max(screensHigh, 0) * layout::kScreenHeight);
}

Canvas renderMapRegion(std::span<const std::uint8_t> grid, int screensWide, int screensHigh, const Canvas& chooser,
                       int x, int y, int w, int h)
{
    if (screensWide < 0 || screensHigh < 0)
        throw std::invalid_argument("map size " + std::to_string(screensWide) + " x " + std::to_string(screensHigh)
                                    + " screens is negative");
    const std::size_t cells = static_cast<std::size_t>(screensWide) * static_cast<std::size_t>(screensHigh)
                              * layout::kScreenBytes;
    if (grid.size() < cells)
        throw std::invalid_argument("map grid of " + std::to_string(grid.size()) + " cells is too short for "
                                    + std::to_string(screensWide) + " x " + std::to_string(screensHigh) + " screens");

    Canvas region(w, h);
    // The cell columns and rows of the whole map the region touches.
    const long long columns = static_cast<long long>(screensWide) * layout::kScreenColumns;
    const long long rows = static_cast<long long>(screensHigh) * layout::kScreenRows;
    const long long firstColumn = std::max(0LL, static_cast<long long>(x) / kMetatilePixels);
    const long long firstRow = std::max(0LL, static_cast<long long>(y) / kMetatilePixels);
    const long long endColumn = std::min(columns, (static_cast<long long>(x) + w + kMetatilePixels - 1) / kMetatilePixels);
    const long long endRow = std::min(rows, (static_cast<long long>(y) + h + kMetatilePixels - 1) / kMetatilePixels);
    for (long long row = firstRow; row < endRow; ++row) {
        const int sy = static_cast<int>(row / layout::kScreenRows);
        const int r = static_cast<int>(row % layout::kScreenRows);
        for (long long column = firstColumn; column < endColumn; ++column) {
            const int sx = static_cast<int>(column / layout::kScreenColumns);
            const int c = static_cast<int>(column % layout::kScreenColumns);
            const int m = grid[gridIndex(screensWide, sx, sy, r, c)];
            // A block outside the chooser is clipped away and the cell keeps
            // the black the picture starts with.
            region.blit(chooser, chooserX(m), chooserY(m), kMetatilePixels, kMetatilePixels,
                        static_cast<int>(column * kMetatilePixels - x), static_cast<int>(row * kMetatilePixels - y));
        }
    }
    return region;
}

} // namespace quarry::gfx
