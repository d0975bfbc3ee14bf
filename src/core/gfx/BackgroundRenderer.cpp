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
    // L - 1 metatiles, at least metatile 0 and at most a full chooser.
    const int count = std::min(std::max(getMetatileLimit(rom, objectSet) - 1, 1), kChooserMaxMetatiles);

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
    if (screensWide < 0 || screensHigh < 0)
        throw std::invalid_argument("map size " + std::to_string(screensWide) + " x " + std::to_string(screensHigh)
                                    + " screens is negative");
    const std::size_t cells = static_cast<std::size_t>(screensWide) * static_cast<std::size_t>(screensHigh)
                              * kScreenCells;
    if (grid.size() < cells)
        throw std::invalid_argument("map grid of " + std::to_string(grid.size()) + " cells is too short for "
                                    + std::to_string(screensWide) + " x " + std::to_string(screensHigh) + " screens");

    Canvas map(screensWide * kScreenWidth, screensHigh * kScreenHeight);
    for (int sy = 0; sy < screensHigh; ++sy)
        for (int sx = 0; sx < screensWide; ++sx)
            for (int r = 0; r < kScreenRows; ++r)
                for (int c = 0; c < kScreenColumns; ++c) {
                    const int m = grid[gridIndex(screensWide, sx, sy, r, c)];
                    // A block outside the chooser is clipped away and the
                    // cell keeps the black the picture starts with.
                    map.blit(chooser, chooserX(m), chooserY(m), kMetatilePixels, kMetatilePixels,
                             sx * kScreenWidth + c * kMetatilePixels, sy * kScreenHeight + r * kMetatilePixels);
                }
    return map;
}

} // namespace quarry::gfx
