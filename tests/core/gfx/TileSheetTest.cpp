#include "core/gfx/TileSheet.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quarry;

namespace {

gfx::TilePixels distinctTiles()
{
    gfx::TilePixels tiles(256 * 64);
    for (std::size_t t = 0; t < 256; ++t)
        for (std::size_t i = 0; i < 64; ++i)
            tiles[t * 64 + i] = static_cast<std::uint8_t>((t * 7 + i * (t % 5 + 1) + i / 8) & 3);
    return tiles;
}

} // namespace

TEST(TileSheet, LaysTilesOutAsThePatternTableAndBack)
{
    const gfx::TilePixels tiles = distinctTiles();
    const auto sheet = gfx::tilesToSheet(tiles);
    ASSERT_EQ(sheet.size(), 128u * 128u);
    // Tile $23 sits at column 3, row 2: pixel (5, 6) of it at (29, 22).
    EXPECT_EQ(sheet[22 * 128 + 29], tiles[0x23 * 64 + 6 * 8 + 5]);
    EXPECT_EQ(gfx::sheetToTiles(sheet), tiles);
    EXPECT_THROW(gfx::sheetToTiles(std::vector<std::uint8_t>(100)), std::invalid_argument);
    // A short bank leaves the missing tiles 0.
    const auto half = gfx::tilesToSheet(std::span(tiles).first(128 * 64));
    EXPECT_EQ(half[64 * 128 + 5], 0);
    EXPECT_EQ(half[63 * 128 + 127], tiles[0x7F * 64 + 63]);
}

