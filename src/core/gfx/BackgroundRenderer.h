#pragma once

#include "core/gfx/Canvas.h"
#include "core/gfx/ChooserGeometry.h"
#include "core/gfx/NesColor.h"
#include "core/rom/GameLayout.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace quarry::rom {
class RomImage;
}

namespace quarry::gfx {

// Paints an object set's metatiles into a new 256 x 288 chooser picture with
// the background tiles `tiles` (a decoded pattern table) and background
// palettes 0-3 of `palette`, colours from `colors`. Draws the limit byte's
// L - 1 metatiles, but always metatile 0 and never more than 72; cells not
// drawn stay black.
//
// `colors` is the table built with nesColorTable from the current mask
// settings; the caller rebuilds it right before each chooser redraw and keeps
// it for every other tile painting, so all tiles follow the settings in force
// at the last redraw. The chooser is the renderer's cache: the map picture is
// composed from it.
Canvas drawMetatilePicker(const rom::RomImage& rom, int objectSet, std::span<const std::uint8_t> tiles,
                          std::span<const std::uint8_t> palette, const ColorTable& colors);

// Composes the picture of a map of width x height screens (the grid holds
// 56 bytes per screen, screen rows of screens) by copying, for each cell, the
// 32 x 32 block of its metatile out of the chooser. Cells whose block lies
// outside the chooser are black. Throws std::invalid_argument for a negative
// size or a grid shorter than width x height x 56 cells.
Canvas renderMap(std::span<const std::uint8_t> grid, int screensWide, int screensHigh, const Canvas& chooser);

// The w x h part of that picture whose top-left corner is map pixel (x, y),
// composed the same way from the cells it touches only, so a view showing a
// few screens of a large map never composes the rest. Pixels outside the map
// are black. Throws as renderMap does, and std::invalid_argument for a
// negative w or h.
Canvas renderMapRegion(std::span<const std::uint8_t> grid, int screensWide, int screensHigh, const Canvas& chooser,
                       int x, int y, int w, int h);

// Grid index of the cell at row r (0-6), column c (0-7) of screen (sx, sy).
inline std::size_t gridIndex(int screensWide, int sx, int sy, int r, int c)
{
    return static_cast<std::size_t>(sy) * static_cast<std::size_t>(screensWide) * layout::kScreenBytes
           + static_cast<std::size_t>(sx) * layout::kScreenBytes + static_cast<std::size_t>(r * layout::kScreenColumns + c);
}

} // namespace quarry::gfx
