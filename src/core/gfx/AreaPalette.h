#pragma once

#include "core/gfx/NesColor.h"

#include <array>
#include <cstdint>

namespace quarry::rom {
class RomImage;
}

namespace quarry::gfx {

// The 32 colour indexes an area draws with: background palettes 0-3
// (entries 0-15, from the area's background set), sprite palettes 0-1
// (entries 16-23, fixed by the game) and sprite palettes 2-3 (entries 24-31,
// from the area's sprite set).
using AreaPalette = std::array<std::uint8_t, 32>;

inline constexpr std::size_t kFixedSpriteEntriesFirst = 16;
inline constexpr std::size_t kFixedSpriteEntriesCount = 8;

// Puts the game's fixed colours into entries 16-23.
void setFixedSpriteEntries(AreaPalette& palette);

// Where an area's colours live, resolved from its palette record: the record
// (bank 2) names a background and a sprite set number, and the shared set
// pointer table gives each set's bank-4 address.
struct PaletteSetLocation {
    std::uint8_t backgroundSet = 0;
    std::uint8_t spriteSet = 0;
    std::size_t backgroundIndex = 0; // body index of the 16 background bytes
    std::size_t spriteIndex = 0;     // body index of the 8 sprite bytes
};

// Resolves both sets of the palette record at the CPU address
// `palettePointer`. Throws RomError for a record address or a set pointer
// below $8000, or data outside the image.
PaletteSetLocation locatePaletteSets(const rom::RomImage& rom, std::uint32_t palettePointer);

// Fills entries 0-15 and 24-31 from the area's sets, leaving 16-23 as they
// are. The set numbers are read from the image each time, so areas naming
// the same set share its colours. On error `palette` is left unchanged.
void readAreaPalette(const rom::RomImage& rom, std::uint32_t palettePointer, AreaPalette& palette);

// Writes entries 0-15 and 24-31 into the area's sets; entries 16-23 are never
// written. Both sets are resolved before anything is written, so an invalid
// address writes nothing.
void writeAreaPalette(rom::RomImage& rom, std::uint32_t palettePointer, const AreaPalette& palette);

// The greyscale and emphasis bits of the game's PPU mask byte; the other bits
// are not kept.
PpuMaskSettings readPpuMask(const rom::RomImage& rom);

// The mask byte for the settings: emphasis OR greyscale OR $1E (the show
// bits the game always sets).
std::uint8_t ppuMaskByte(const PpuMaskSettings& settings);

// Stores ppuMaskByte(settings).
void writePpuMask(rom::RomImage& rom, const PpuMaskSettings& settings);

} // namespace quarry::gfx
