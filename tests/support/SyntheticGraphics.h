#pragma once

#include "support/SyntheticRom.h"

#include <array>
#include <cstdint>

namespace quarry::test {

// Graphics data for synthetic images: the metatile tables of all six object
// sets, the CHR bank table and the tiles of the banks it names, the palette
// set pointer table with sets 0-15, and the PPU mask byte. It writes only
// bank 4 ($10000-$12FFF), CHR-ROM and the fixed-bank tables at $1C0B0,
// $1C895 and $1CCE9, so it can be combined with area data built elsewhere.
// The functions below say what each byte holds, so tests can predict it.

// Limit bytes of object sets 0-5: a full table, metatile 0 only, a part, a
// full table, more than the table holds (80), and a limit that still shows
// metatile 0.
inline constexpr std::array<std::uint8_t, 6> kSyntheticMetatileLimits = {68, 2, 30, 70, 80, 1};

// The background and sprite CHR banks of object sets 0-5.
inline constexpr std::array<std::uint8_t, 6> kSyntheticBackgroundBanks = {0, 2, 4, 6, 8, 31};
inline constexpr std::array<std::uint8_t, 6> kSyntheticSpriteBanks = {1, 3, 5, 7, 9, 30};

inline constexpr int kSyntheticPaletteSets = 16;
// Set n lies at CPU $A000 + $20 x n in bank 4 (body $12000 + $20 x n).
inline constexpr std::uint16_t kSyntheticPaletteSetBase = 0xA000;
inline constexpr std::size_t kSyntheticPaletteSetBody = 0x12000;
inline constexpr std::size_t kSyntheticPaletteSetStride = 0x20;

// Attribute byte and tile number at `position` (0-15) of a metatile below
// the table's capacity.
std::uint8_t syntheticAttribute(int objectSet, int metatile);
std::uint8_t syntheticTileNumber(int objectSet, int metatile, int position);

// Pixel value (0-3) of a tile in a CHR bank. Tiles 0-3 are solid in their own
// number; in every other tile the top row shows the tile number in binary
// (3 for a one bit, leftmost the highest) and the rows below a diagonal
// pattern that depends on the bank.
std::uint8_t syntheticTilePixel(int chrBank, int tile, int row, int column);

// The 16 colour indexes of palette set n (a sprite set uses the first 8).
// Set 15 holds $4D at entry 5, a value above $3F.
std::array<std::uint8_t, 16> syntheticPaletteSet(int set);

// Writes the metatile tables, the CHR banks, the palette sets and the PPU
// mask byte.
void fillGraphics(SyntheticRom& rom, std::uint8_t ppuMask = 0x1E);

} // namespace quarry::test
