#pragma once

#include "core/rom/GameLayout.h"

#include <cstdint>

namespace quarry::gfx {

// The metatile chooser: the object set's metatiles eight to a row, at most
// nine rows, each block 32 x 32 pixels: 256 x 288 pixels in all.
inline constexpr int kChooserColumns = 8;
inline constexpr int kChooserRows = 9;
inline constexpr int kChooserMaxMetatiles = kChooserColumns * kChooserRows; // 72
inline constexpr int kChooserWidth = kChooserColumns * layout::kMetatilePixels;
inline constexpr int kChooserHeight = kChooserRows * layout::kMetatilePixels;

// Where metatile m sits in the chooser: ((m AND 7) x 32, (m / 8) x 32).
inline int chooserX(int metatile) { return (metatile & 7) * layout::kMetatilePixels; }
inline int chooserY(int metatile) { return (metatile / 8) * layout::kMetatilePixels; }

// The metatile whose block holds chooser pixel (x, y): row y / 32 of eight
// from column x / 32. Pixels outside the chooser count as its nearest edge.
int chooserMetatileAt(int x, int y);

// What a press at chooser pixel (x, y) chooses for the limit byte L: the
// metatile of that block or, past the last one the chooser offers, that last
// one.
int chosenMetatileAt(int x, int y, std::uint8_t limit);

} // namespace quarry::gfx
