#include "core/sprites/SpriteGeometry.h"

#include "core/gfx/Chr.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::sprites;

TEST(SpriteGeometry, AttributeBitsAndShownPalettes)
{
    // Palette 4-7 in bits 0-1, behind in bit 5, flips in bits 6 and 7.
    EXPECT_EQ(shownPalette(0x00), 4);
    EXPECT_EQ(shownPalette(0xE3), 7);
    EXPECT_EQ(withShownPalette(0xE3, 5), 0xE1);
    EXPECT_EQ(withShownPalette(0x20, 7), 0x23);
    EXPECT_EQ(withBit(0x01, kFlipHBit, true), 0x41);
    EXPECT_EQ(withBit(0xC1, kFlipVBit, false), 0x41);
    EXPECT_EQ(withBit(0x02, kBehindBit, true), 0x22);
    EXPECT_EQ(OamEntry{.attribute = 0xC6}.spritePalette(), 2);
}

TEST(SpriteGeometry, RectanglesWrapTheUpperHalfAndOffsetsWrapOrStop)
{
    // The listed Y is the lower half; the rectangle starts 8 rows higher.
    EXPECT_EQ(spriteRect({.y = 0x40, .tile = 0, .attribute = 0, .x = 0x30}), (GameRect{0x30, 0x38, 8, 16}));
    EXPECT_EQ(spriteRect({.y = 0x03, .tile = 0, .attribute = 0, .x = 0xF9}), (GameRect{0xF9, 0xFB, 8, 16}));
    EXPECT_TRUE((GameRect{10, 20, 8, 16}).contains(17, 35));
    EXPECT_FALSE((GameRect{10, 20, 8, 16}).contains(18, 35));

    // The whole range sits in the middle of the 360 x 432 frame view.
    const ViewPlacement whole = wholeRangePlacement();
    EXPECT_EQ(whole.scale, 1);
    EXPECT_EQ(whole.left, -52);
    EXPECT_EQ(whole.top, -88);

    EXPECT_EQ(wrappedDx(-1), 255);
    EXPECT_EQ(wrappedDx(256), 0);
    EXPECT_EQ(wrappedDx(77), 77);
    EXPECT_EQ(clampedDy(-65), -64);
    EXPECT_EQ(clampedDy(64), 63);
    EXPECT_EQ(clampedDy(-3), -3);
}

TEST(SpriteGeometry, ColourIsFoundWhereTheFlippedSpriteShowsIt)
{
    // Tile 2 (the lower half) has colour only in its top-left pixel; its
    // pair, tile 3 (the upper half), is empty.
    gfx::TilePixels tiles(256 * gfx::kPixelsPerTile, 0);
    tiles[2 * gfx::kPixelsPerTile] = 1;
    const OamEntry plain{.y = 0x50, .tile = 2, .attribute = 0, .x = 0x20};
    // The lower half starts at Y = $50; its top-left pixel is (X, Y).
    EXPECT_TRUE(spriteColouredAt(plain, tiles, 0x20, 0x50));
    EXPECT_FALSE(spriteColouredAt(plain, tiles, 0x21, 0x50));
    EXPECT_FALSE(spriteColouredAt(plain, tiles, 0x20, 0x48)); // the empty upper half
    OamEntry flipH = plain;
    flipH.attribute = kFlipHBit;
    EXPECT_TRUE(spriteColouredAt(flipH, tiles, 0x27, 0x50));
    EXPECT_FALSE(spriteColouredAt(flipH, tiles, 0x20, 0x50));
    // Upside down, the lower half's top row becomes the sprite's row 7.
    OamEntry flipV = plain;
    flipV.attribute = kFlipVBit;
    EXPECT_TRUE(spriteColouredAt(flipV, tiles, 0x20, 0x4F));
    EXPECT_FALSE(spriteColouredAt(flipV, tiles, 0x20, 0x50));
    // Outside the rectangle or past the tiles there is nothing.
    EXPECT_FALSE(spriteColouredAt(plain, tiles, 0x28, 0x50));
    EXPECT_FALSE(spriteColouredAt(plain, gfx::TilePixels(10, 1), 0x20, 0x50));
}
