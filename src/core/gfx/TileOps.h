#pragma once

#include <cstdint>
#include <span>

namespace quarry::gfx {

// Whole-tile operations of the tile editors. Each works on tile `tile` of a
// decoded tile array (64 pixels per tile) and rewrites all 64 of its pixels.
// They throw std::out_of_range when the tile lies outside the array.

// New pixel (x, y) = old pixel ((x + dx) AND 7, (y + dy) AND 7): the picture
// moves by (-dx, -dy) and what leaves one edge comes back at the other.
void shiftTile(std::span<std::uint8_t> tiles, int tile, int dx, int dy);

// Across the vertical axis left and right swap; across the horizontal axis
// top and bottom swap. Both may be asked for at once.
void flipTile(std::span<std::uint8_t> tiles, int tile, bool acrossVertical, bool acrossHorizontal);

// Turns the tile a quarter anticlockwise: new (x, y) = old (7 - y, x), so
// the top-right pixel moves to the top-left corner.
void rotateTile(std::span<std::uint8_t> tiles, int tile);

} // namespace quarry::gfx
