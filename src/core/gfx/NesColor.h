#pragma once

#include "core/gfx/Canvas.h"

#include <array>
#include <cstdint>

namespace quarry::gfx {

// The game-wide greyscale and colour emphasis, as the game programs them in
// its PPU mask byte.
struct PpuMaskSettings {
    std::uint8_t greyscale = 0; // 0 or 1: mask bit 0
    std::uint8_t emphasis = 0;  // the emphasis bits in place: mask AND $E0

    bool greyscaleOn() const { return greyscale != 0; }
    // 0-7: red 1, green 2, blue 4, as nesColorToRgb takes it.
    int emphasisNumber() const { return emphasis / 32; }
    // The mask bits one by one: red is bit 5, green bit 6, blue bit 7.
    bool emphasisRed() const { return (emphasis & 0x20) != 0; }
    bool emphasisGreen() const { return (emphasis & 0x40) != 0; }
    bool emphasisBlue() const { return (emphasis & 0x80) != 0; }
    static PpuMaskSettings from(bool greyscale, int emphasisNumber)
    {
        return {static_cast<std::uint8_t>(greyscale ? 1 : 0), static_cast<std::uint8_t>((emphasisNumber & 7) * 32)};
    }

    bool operator==(const PpuMaskSettings&) const = default;
};

// Turns an NES colour index into a displayable colour. Greyscale keeps only
// the brightness column (index AND $30) and ignores emphasis; otherwise the
// low three bits of `emphasis` pick the channel factors. Indexes above $3F are
// black, greyscale or not. Each channel is rounded half to even and clamped to 255.
Rgb nesColorToRgb(std::uint8_t index, bool greyscale, int emphasis);
Rgb nesColorToRgb(std::uint8_t index, const PpuMaskSettings& settings);

// The 64 colours of the master palette under one set of mask settings. Tile
// painting reads colours only from such a table; the table is rebuilt when
// the metatile chooser is redrawn, so tiles follow the settings in force at
// that redraw.
inline constexpr int kMasterColors = 64;
using ColorTable = std::array<Rgb, kMasterColors>;
ColorTable nesColorTable(const PpuMaskSettings& settings);
// The colour of a palette byte: its low six bits index the master palette.
inline Rgb masterColour(const ColorTable& table, std::uint8_t index) { return table[index & 0x3F]; }

// True for the colours dark enough that a caption on them reads better in a
// light colour: $01-$03, $08-$0F, $1D-$1F, $2E, $2F, $3E, $3F.
bool isDarkColor(std::uint8_t index);

} // namespace quarry::gfx
