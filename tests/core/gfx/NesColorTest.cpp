#include "core/gfx/NesColor.h"

#include <gtest/gtest.h>

using namespace quarry::gfx;

namespace {

constexpr Rgb rgb(unsigned r, unsigned g, unsigned b)
{
    return r | (g << 8) | (b << 16);
}

} // namespace

TEST(NesColor, PlainColoursAndPacking)
{
    EXPECT_EQ(nesColorToRgb(0x00, false, 0), rgb(128, 128, 128));
    EXPECT_EQ(nesColorToRgb(0x01, false, 0), rgb(0, 61, 166)); // red low, blue high
    EXPECT_EQ(nesColorToRgb(0x0D, false, 0), kBlack);
    EXPECT_EQ(nesColorToRgb(0x20, false, 0), rgb(255, 255, 255));
    EXPECT_EQ(nesColorToRgb(0x30, false, 0), rgb(255, 255, 255));
    EXPECT_EQ(nesColorToRgb(0x3F, false, 0), rgb(17, 17, 17));
    EXPECT_EQ(nesColorToRgb(0x2C, false, 0), rgb(5, 251, 255));
}

TEST(NesColor, MasterPaletteIsPinned)
{
    // The 64 colours are fixed data; one wrong component shows on screen
    // and nowhere else, so a digest over all of them stands guard.
    std::uint32_t digest = 2166136261u;
    for (int index = 0; index < 64; ++index)
        digest = (digest ^ nesColorToRgb(static_cast<std::uint8_t>(index), false, 0)) * 16777619u;
    EXPECT_EQ(digest, 3390506044u);
}

TEST(NesColor, HalvesRoundToTheEvenNeighbour)
{
    // 250 x 0.81 = 202.5 gives 202; 5 x 0.7 = 3.5 gives 4.
    EXPECT_EQ(nesColorToRgb(0x13, false, 1), rgb(130, 44, 202));
    EXPECT_EQ(nesColorToRgb(0x0A, false, 7), rgb(4, 52, 0));
    // 255 x 0.83 = 211.65 rounds up, 255 x 0.82 = 209.1 down.
    EXPECT_EQ(nesColorToRgb(0x20, false, 4) & 0xFFFF, rgb(209, 212, 0));
}

TEST(NesColor, BlueEmphasisClampsAt255)
{
    EXPECT_EQ(nesColorToRgb(0x20, false, 4) >> 16, 255u);     // 255 x 1.12 = 286
    EXPECT_EQ(nesColorToRgb(0x11, false, 4) >> 16, 255u);     // 255 x 1.12
    EXPECT_EQ(nesColorToRgb(0x01, false, 4) >> 16, 186u);     // 166 x 1.12 = 185.92
    EXPECT_EQ(nesColorToRgb(0x20, false, 9), nesColorToRgb(0x20, false, 1)); // low three bits only
}

TEST(NesColor, GreyscaleKeepsTheBrightnessColumnAndIgnoresEmphasis)
{
    EXPECT_EQ(nesColorToRgb(0x16, true, 0), rgb(199, 199, 199));
    EXPECT_EQ(nesColorToRgb(0x16, true, 7), rgb(199, 199, 199));
    EXPECT_EQ(nesColorToRgb(0x0D, true, 0), rgb(128, 128, 128));
    EXPECT_EQ(nesColorToRgb(0x3D, true, 4), rgb(255, 255, 255));
}

TEST(NesColor, IndexesAboveTheMasterPaletteAreBlack)
{
    // Whatever the flags: greyscale does not fold them back into the palette.
    for (int index : {0x40, 0x4D, 0x80, 0xFF})
        for (int emphasis = 0; emphasis < 8; ++emphasis)
            for (bool greyscale : {false, true})
                EXPECT_EQ(nesColorToRgb(static_cast<std::uint8_t>(index), greyscale, emphasis), kBlack) << index;
}

TEST(NesColor, TableFollowsTheMaskSettings)
{
    const PpuMaskSettings redEmphasis{0, 0x20};
    const ColorTable table = nesColorTable(redEmphasis);
    EXPECT_EQ(table[0x13], rgb(130, 44, 202));
    const ColorTable grey = nesColorTable(PpuMaskSettings{1, 0xE0});
    EXPECT_EQ(grey[0x16], rgb(199, 199, 199));
    EXPECT_EQ(nesColorTable(PpuMaskSettings{})[0x0D], kBlack);
}

TEST(NesColor, DarkColoursForCaptions)
{
    for (int index : {0x01, 0x03, 0x08, 0x0F, 0x1D, 0x1F, 0x2E, 0x2F, 0x3E, 0x3F})
        EXPECT_TRUE(isDarkColor(static_cast<std::uint8_t>(index))) << index;
    for (int index : {0x00, 0x04, 0x07, 0x10, 0x1C, 0x20, 0x2D, 0x30, 0x3D})
        EXPECT_FALSE(isDarkColor(static_cast<std::uint8_t>(index))) << index;
}
