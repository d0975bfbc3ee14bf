#pragma once

#include "core/gfx/Chr.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quarry::gfx {

// A CHR bank laid out as one picture, the way the pattern table shows it:
// 16 x 16 tiles of 8 x 8 pixels, tile t at ((t AND 15) x 8, (t / 16) x 8).
// Each picture pixel holds a colour number 0-3, row-major.
inline constexpr int kTileSheetSize = 128;
inline constexpr std::size_t kTileSheetPixels = static_cast<std::size_t>(kTileSheetSize) * kTileSheetSize;

// The 256 tiles of `tiles` as a sheet; tiles missing from `tiles` give 0.
std::vector<std::uint8_t> tilesToSheet(std::span<const std::uint8_t> tiles);

// The 256 tiles of a sheet of kTileSheetPixels colour numbers (each taken
// AND 3). Throws std::invalid_argument for a sheet of another size.
TilePixels sheetToTiles(std::span<const std::uint8_t> sheet);

} // namespace quarry::gfx
