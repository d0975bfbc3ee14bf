#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/gfx/TileOps.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quarry::gfx;

namespace {

// Two tiles; tile 1 has a distinct value in every pixel's low bits, so any
// misplaced pixel shows.
TilePixels twoTiles()
{
    TilePixels tiles(128, 0);
    for (std::size_t i = 0; i < 64; ++i)
        tiles[64 + i] = static_cast<std::uint8_t>(i);
    return tiles;
}

std::uint8_t pixel(const TilePixels& tiles, int tile, int x, int y)
{
    return tiles[static_cast<std::size_t>(tile * 64 + y * 8 + x)];
}

} // namespace

TEST(TileOps, ShiftsWrapAroundTheEdges)
{
    // The left column in colour 3: shifting left puts it on the right.
    TilePixels tiles(64, 0);
    for (int y = 0; y < 8; ++y)
        tiles[static_cast<std::size_t>(y * 8)] = 3;
    shiftTile(tiles, 0, 1, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pixel(tiles, 0, x, y), x == 7 ? 3 : 0) << x << "," << y;

    TilePixels ramp = twoTiles();
    const TilePixels original = ramp;
    shiftTile(ramp, 1, 0, -1); // moves down: the bottom row comes back on top
    EXPECT_EQ(pixel(ramp, 1, 3, 0), pixel(original, 1, 3, 7));
    EXPECT_EQ(pixel(ramp, 1, 3, 5), pixel(original, 1, 3, 4));
    // Eight steps in any direction give the tile back; tile 0 is never touched.
    for (int i = 0; i < 7; ++i)
        shiftTile(ramp, 1, 0, -1);
    EXPECT_EQ(ramp, original);
    for (int i = 0; i < 8; ++i)
        shiftTile(ramp, 1, -1, 1);
    EXPECT_EQ(ramp, original);
}

TEST(TileOps, FlipsSwapTheRightHalvesAndUndoThemselves)
{
    TilePixels tiles = twoTiles();
    const TilePixels original = tiles;
    flipTile(tiles, 1, true, false);
    EXPECT_EQ(pixel(tiles, 1, 0, 2), pixel(original, 1, 7, 2));
    EXPECT_EQ(pixel(tiles, 1, 6, 5), pixel(original, 1, 1, 5));
    flipTile(tiles, 1, true, false);
    EXPECT_EQ(tiles, original);

    flipTile(tiles, 1, false, true);
    EXPECT_EQ(pixel(tiles, 1, 2, 0), pixel(original, 1, 2, 7));
    flipTile(tiles, 1, false, true);
    EXPECT_EQ(tiles, original);

    flipTile(tiles, 1, true, true);
    EXPECT_EQ(pixel(tiles, 1, 0, 0), pixel(original, 1, 7, 7));
    EXPECT_EQ(pixel(tiles, 1, 1, 6), pixel(original, 1, 6, 1));
}

TEST(TileOps, RotateTurnsAnticlockwiseAndFourTurnsGiveTheTileBack)
{
    TilePixels tiles = twoTiles();
    const TilePixels original = tiles;
    rotateTile(tiles, 1);
    // The top-right pixel moves to the top-left corner.
    EXPECT_EQ(pixel(tiles, 1, 0, 0), pixel(original, 1, 7, 0));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pixel(tiles, 1, x, y), pixel(original, 1, 7 - y, x));
    for (int i = 0; i < 3; ++i)
        rotateTile(tiles, 1);
    EXPECT_EQ(tiles, original);
}

TEST(TileOps, RefuseTilesOutsideTheArray)
{
    TilePixels tiles = twoTiles();
    const TilePixels original = tiles;
    EXPECT_THROW(shiftTile(tiles, 2, 1, 0), std::out_of_range);
    EXPECT_THROW(flipTile(tiles, -1, true, false), std::out_of_range);
    EXPECT_THROW(rotateTile(tiles, 5), std::out_of_range);
    EXPECT_EQ(tiles, original);
}

TEST(TileOps, QuarterPaletteReplacesOnlyItsTwoBits)
{
    // Palettes 0, 1, 2, 3 in the four quarters, then palette 1 put in two cells.
    EXPECT_EQ(withQuadrantPalette(0xE4, 3, 3, 1), 0x64);
    EXPECT_EQ(withQuadrantPalette(0xE4, 1, 2, 1), 0xD4);
    EXPECT_EQ(withQuadrantPalette(0xE4, 0, 0, 3), 0xE7);
    EXPECT_EQ(withQuadrantPalette(0xE4, 2, 1, 0), 0xE0);
    // Only the palette's low two bits count.
    EXPECT_EQ(withQuadrantPalette(0x00, 3, 0, 6), 0x08);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(quadrantPalette(column, row, withQuadrantPalette(0x1B, column, row, 2)), 2);
}
