#include "core/gfx/Chr.h"

#include "core/rom/Addressing.h"
#include "core/rom/RomImage.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quarry::gfx {

TilePixels decodeTiles(const rom::RomImage& rom, std::size_t start, int count)
{
    if (count < 1)
        return {};
    const auto tileCount = static_cast<std::size_t>(count);
    const std::span<const std::uint8_t> chr = rom.bytes(start, tileCount * kChrBytesPerTile);

    TilePixels pixels(tileCount * kPixelsPerTile);
    for (std::size_t t = 0; t < tileCount; ++t) {
        const std::uint8_t* tile = chr.data() + t * kChrBytesPerTile;
        std::uint8_t* out = pixels.data() + t * kPixelsPerTile;
        for (int r = 0; r < kTileSize; ++r) {
            const unsigned plane0 = tile[r];
            const unsigned plane1 = tile[r + 8];
            for (int c = 0; c < kTileSize; ++c) {
                const int bit = 7 - c;
                *out++ = static_cast<std::uint8_t>((((plane1 >> bit) & 1u) << 1) | ((plane0 >> bit) & 1u));
            }
        }
    }
    return pixels;
}

void encodeTiles(std::span<const std::uint8_t> tiles, int count, rom::RomImage& rom, std::size_t start)
{
    if (count < 1)
        return;
    const auto tileCount = static_cast<std::size_t>(count);
    if (tiles.size() < tileCount * kPixelsPerTile)
        throw std::invalid_argument("cannot encode " + std::to_string(count) + " tiles from an array of "
                                    + std::to_string(tiles.size() / kPixelsPerTile));

    std::vector<std::uint8_t> chr(tileCount * kChrBytesPerTile);
    for (std::size_t t = 0; t < tileCount; ++t) {
        const std::uint8_t* in = tiles.data() + t * kPixelsPerTile;
        std::uint8_t* tile = chr.data() + t * kChrBytesPerTile;
        for (int r = 0; r < kTileSize; ++r) {
            unsigned plane0 = 0;
            unsigned plane1 = 0;
            for (int c = 0; c < kTileSize; ++c) {
                const unsigned v = *in++;
                plane0 |= (v & 1u) << (7 - c);
                plane1 |= ((v & 2u) >> 1) << (7 - c);
            }
            tile[r] = static_cast<std::uint8_t>(plane0);
            tile[r + 8] = static_cast<std::uint8_t>(plane1);
        }
    }
    rom.writeBytes(start, chr);
}

void copyTile(std::span<const std::uint8_t> source, std::uint8_t sourceTile, std::span<std::uint8_t> destination,
              std::uint8_t destinationTile)
{
    const std::size_t from = sourceTile * kPixelsPerTile;
    const std::size_t to = destinationTile * kPixelsPerTile;
    if (from + kPixelsPerTile > source.size() || to + kPixelsPerTile > destination.size())
        throw std::out_of_range("tile copy from " + std::to_string(sourceTile) + " to "
                                + std::to_string(destinationTile) + " leaves the tile arrays");
    std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(from), kPixelsPerTile,
                destination.begin() + static_cast<std::ptrdiff_t>(to));
}

bool drawTile(std::span<const std::uint8_t> tiles, std::size_t first, Canvas& target, int x, int y,
              std::span<const std::uint8_t> palette, int paletteNumber, const ColorTable& colors)
{
    if (palette.size() < 32 || first > tiles.size() || tiles.size() - first < kPixelsPerTile)
        return false;

    // The four colours of the palette, resolved once per tile.
    const std::size_t base = static_cast<std::size_t>(paletteNumber & 7) * 4;
    Rgb shades[4];
    for (std::size_t v = 0; v < 4; ++v)
        shades[v] = colors[palette[base + v] & 0x3F];

    const std::uint8_t* pixel = tiles.data() + first;
    for (int r = 0; r < kTileSize; ++r)
        for (int c = 0; c < kTileSize; ++c)
            target.setPixel(x + c, y + r, shades[*pixel++ & 3]);
    return true;
}

TilePixels loadBackgroundTiles(const rom::RomImage& rom, int objectSet)
{
    return decodeTiles(rom, rom::bgChrBase(rom, objectSet), kPatternTableTiles);
}

TilePixels loadSpriteTiles(const rom::RomImage& rom, int objectSet)
{
    return decodeTiles(rom, rom::sprChrBase(rom, objectSet), kPatternTableTiles);
}

Canvas drawPatternTable(std::span<const std::uint8_t> tiles, std::span<const std::uint8_t> palette,
                        int paletteNumber, const ColorTable& colors)
{
    Canvas table(16 * kTileSize, 16 * kTileSize);
    for (int t = 0; t < kPatternTableTiles; ++t)
        drawTile(tiles, static_cast<std::size_t>(t) * kPixelsPerTile, table, (t & 15) * kTileSize,
                 (t / 16) * kTileSize, palette, paletteNumber, colors);
    return table;
}

} // namespace quarry::gfx
