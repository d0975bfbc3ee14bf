#pragma once

#include "core/gfx/Canvas.h"
#include "core/gfx/NesColor.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::gfx {

inline constexpr int kTileSize = 8;
inline constexpr std::size_t kPixelsPerTile = 64;
inline constexpr std::size_t kChrBytesPerTile = 16;
inline constexpr int kPatternTableTiles = 256;

// Decoded tiles: one byte (0-3) per pixel, 64 per tile, tile t row r column c
// at t x 64 + r x 8 + c. Holds exactly tile count x 64 entries.
using TilePixels = std::vector<std::uint8_t>;

// Reads `count` CHR tiles (16 bytes each: eight plane-0 rows, then eight
// plane-1 rows, bit 7 the leftmost pixel) starting at body index `start`.
// A count below 1 gives an empty array. Throws RomError when the tiles would
// run past the end of the image.
TilePixels decodeTiles(const rom::RomImage& rom, std::size_t start, int count);

// Writes the first `count` tiles of `tiles` back in CHR form at `start`, in
// one write. Only the two low bits of each pixel count. Throws
// std::invalid_argument when `tiles` holds fewer than `count` tiles, and
// RomError when the write would leave the image; nothing is written then.
void encodeTiles(std::span<const std::uint8_t> tiles, int count, rom::RomImage& rom, std::size_t start);

// Copies the 64 pixels of one tile over another. Throws std::out_of_range
// when either tile lies outside its array.
void copyTile(std::span<const std::uint8_t> source, std::uint8_t sourceTile, std::span<std::uint8_t> destination,
              std::uint8_t destinationTile);

// Paints the tile whose first pixel is tiles[first] at (x, y) of `target`
// with palette (paletteNumber AND 7) of the 32-entry `palette`; pixel value v
// takes colour colors[palette[4p + v] AND $3F]. Value 0 is painted like any
// other: nothing is transparent. Draws nothing and returns false when the
// palette has fewer than 32 entries or the tile lies outside `tiles`.
bool drawTile(std::span<const std::uint8_t> tiles, std::size_t first, Canvas& target, int x, int y,
              std::span<const std::uint8_t> palette, int paletteNumber, const ColorTable& colors);

// The 256 tiles at an object set's background (or sprite) CHR bank.
TilePixels loadBackgroundTiles(const rom::RomImage& rom, int objectSet);
TilePixels loadSpriteTiles(const rom::RomImage& rom, int objectSet);

// Paints a whole pattern table as 16 x 16 tiles (128 x 128 pixels), tile t at
// ((t AND 15) x 8, (t / 16) x 8), all with one palette. Tiles missing from
// `tiles` stay black.
Canvas drawPatternTable(std::span<const std::uint8_t> tiles, std::span<const std::uint8_t> palette,
                        int paletteNumber, const ColorTable& colors);

} // namespace quarry::gfx
