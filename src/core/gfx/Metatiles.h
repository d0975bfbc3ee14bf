#pragma once

#include "core/rom/GameLayout.h"

#include <array>
#include <cstdint>

namespace quarry::rom {
class RomImage;
}

namespace quarry::gfx {

// A metatile: 4 x 4 background tiles (32 x 32 pixels) and one attribute byte
// holding a background palette number for each 16 x 16 quarter.
inline constexpr int kMetatileTiles = 16;
inline constexpr int kMetatilePixels = layout::kMetatilePixels;

using MetatileTiles = std::array<std::uint8_t, kMetatileTiles>; // row-major, byte 4r + c

// The metatile table of an object set; any number other than 1-5 reads the
// table of object set 0, as the game does.
int metatileTableOf(int objectSet);

// The limit byte L: the object set's metatiles are 0 to L - 2.
std::uint8_t getMetatileLimit(const rom::RomImage& rom, int objectSet);
// Where that byte lies in the body.
std::size_t metatileLimitIndex(int objectSet);

// How many metatiles the table has room for (67, 66, 69, 69, 62, 64 for
// object sets 0-5): the room between the attribute bytes and the tile-number
// blocks. Setters refuse metatile numbers at or above it.
int metatileCapacity(int objectSet);

// The last metatile the chooser offers for the limit byte L: L - 2, at most
// 71 (a full chooser). Metatile 0 is always offered: the chooser draws it
// and maps use it even when the limit byte is 0 or 1. The table's room plays
// no part: the game draws what the limit byte promises, reading past the
// table where it has to, and so do the chooser, the map tools and the
// command-line tool. Every offer and refusal of a metatile number asks this.
int lastOfferedMetatile(std::uint8_t limit);
// How many metatiles the chooser draws and offers for the limit byte L: L - 1,
// at least 1 and at most 72.
int offeredMetatileCount(std::uint8_t limit);

// Readers follow the fixed layout for any metatile number 0-255, as the
// chooser does when the limit byte promises more metatiles than the table
// holds; past the table's room they read the neighbouring data.
std::uint8_t getMetatileAttribute(const rom::RomImage& rom, int objectSet, int metatile);
MetatileTiles getMetatileTiles(const rom::RomImage& rom, int objectSet, int metatile);

// Writers. They throw RomError, writing nothing, for a metatile number
// outside 0 to capacity - 1 or a position outside 0-15: such a write would
// overwrite another metatile's or another object set's data.
void setMetatileAttribute(rom::RomImage& rom, int objectSet, int metatile, std::uint8_t value);
void setMetatileTile(rom::RomImage& rom, int objectSet, int metatile, int position, std::uint8_t tile);

// Background palette (0-3) of the tile at tile column and tile row (0-3) of a
// metatile: bits 0-1 top-left, 2-3 top-right, 4-5 bottom-left, 6-7
// bottom-right quarter. Rows 0-1 are the top half and columns 0-1 the left
// half; any other value counts as bottom or right.
int quadrantPalette(int column, int row, std::uint8_t attribute);

// The attribute byte with the quarter holding tile (column, row) set to
// background palette `palette` (0-3) and the other three quarters kept.
std::uint8_t withQuadrantPalette(std::uint8_t attribute, int column, int row, int palette);

} // namespace quarry::gfx
