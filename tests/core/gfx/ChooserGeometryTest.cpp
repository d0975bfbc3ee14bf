#include "core/gfx/ChooserGeometry.h"

#include "core/gfx/Metatiles.h"
#include "core/gfx/NesColor.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::gfx;

TEST(ChooserGeometry, PixelsChooseTheMetatileOfTheirBlockUpToTheLastOffered)
{
    // Blocks of 32 pixels, eight to a row, nine rows: 256 x 288.
    EXPECT_EQ(kChooserWidth, 256);
    EXPECT_EQ(kChooserHeight, 288);
    EXPECT_EQ(chooserMetatileAt(0, 0), 0);
    EXPECT_EQ(chooserMetatileAt(31, 31), 0);
    EXPECT_EQ(chooserMetatileAt(32, 0), 1);
    EXPECT_EQ(chooserMetatileAt(255, 0), 7);
    EXPECT_EQ(chooserMetatileAt(0, 32), 8);
    EXPECT_EQ(chooserMetatileAt(100, 70), 19);
    EXPECT_EQ(chooserMetatileAt(255, 287), 71);
    // Past the edges: the nearest block, never a number past the chooser.
    EXPECT_EQ(chooserMetatileAt(300, 10), 7);
    EXPECT_EQ(chooserMetatileAt(-5, 400), 64);

    // Where each metatile is drawn, the other way round.
    EXPECT_EQ(chooserX(19), 96);
    EXPECT_EQ(chooserY(19), 64);
    EXPECT_EQ(chooserX(71), 224);
    EXPECT_EQ(chooserY(71), 256);

    // Limit byte L offers metatiles 0 to L - 2: a press past them takes the last.
    EXPECT_EQ(chosenMetatileAt(100, 70, 0x20), 19);
    EXPECT_EQ(chosenMetatileAt(100, 70, 0x10), 14);
    EXPECT_EQ(chosenMetatileAt(255, 287, 0xFF), 71);
    EXPECT_EQ(chosenMetatileAt(200, 200, 0), 0); // metatile 0 is always offered
}

TEST(ChooserGeometry, DrawnCountFollowsTheLimitByte)
{
    EXPECT_EQ(offeredMetatileCount(0), 1);
    EXPECT_EQ(offeredMetatileCount(1), 1);
    EXPECT_EQ(offeredMetatileCount(2), 1);
    EXPECT_EQ(offeredMetatileCount(3), 2);
    EXPECT_EQ(offeredMetatileCount(0x43), 66);
    EXPECT_EQ(offeredMetatileCount(73), 72);
    EXPECT_EQ(offeredMetatileCount(0xFF), 72);
}

TEST(MasterPalette, PaletteBytesIndexSixtyFourColoursByTheirLowSixBits)
{
    EXPECT_EQ(kMasterColors, 64);
    ColorTable table{};
    for (int i = 0; i < kMasterColors; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<Rgb>(1000 + i);
    EXPECT_EQ(masterColour(table, 0x00), 1000u);
    EXPECT_EQ(masterColour(table, 0x3F), 1063u);
    EXPECT_EQ(masterColour(table, 0x40), 1000u);
    EXPECT_EQ(masterColour(table, 0xD5), 1021u);
}
