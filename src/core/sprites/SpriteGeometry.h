#pragma once

#include "core/sprites/FrameOam.h"
#include "core/sprites/OamRenderer.h"

#include <cstdint>
#include <span>

namespace quarry::sprites {

// The editor numbers sprite palettes 4-7, as palettes of the area palette.
inline constexpr int kFirstShownPalette = 4;
int shownPalette(std::uint8_t attribute);
// The attribute with shown palette `palette` (4-7) and its other bits kept.
std::uint8_t withShownPalette(std::uint8_t attribute, int palette);
std::uint8_t withBit(std::uint8_t attribute, std::uint8_t bit, bool set);

// Sprite positions run 0-255 both ways.
inline constexpr int kGameRange = 256;

// A rectangle of game pixels.
struct GameRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    bool operator==(const GameRect&) const = default;
};

// Where a visible entry lies: its upper half's corner (X, (Y - 8) AND $FF)
// and 8 x 16 pixels.
GameRect spriteRect(const OamEntry& entry);

// Whether the entry shows a colour other than 0 at game pixel (x, y) of its
// rectangle, flips applied as the game applies them; `tiles` is the decoded
// sprite bank. False outside the rectangle or the tiles.
bool spriteColouredAt(const OamEntry& entry, std::span<const std::uint8_t> tiles, int x, int y);

// The frame view showing the whole 256 x 256 range at 1:1 in its middle.
ViewPlacement wholeRangePlacement();

// A moved sprite's offsets: X wraps as on screen (one pixel left of 0 is
// 255), the vertical offset stops at -64 and 63.
int wrappedDx(int dx);
int clampedDy(int dy);

} // namespace quarry::sprites
