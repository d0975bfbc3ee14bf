#include "core/gfx/NesColor.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

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

TEST(NesColor, HalvesRoundToTheEvenNeighbour)
{
    // 250 x 0.81 = 202.5 gives 202; 5 x 0.7 = 3.5 gives 4.
    EXPECT_EQ(nesColorToRgb(0x13, false, 1), rgb(130, 44, 202));
    EXPECT_EQ(nesColorToRgb(0x0A, false, 7), rgb(4, 52, 0));
    // 255 x 0.83 = 211.65 rounds up, 255 x 0.82 = 209.1 down.
    EXPECT_EQ(nesColorToRgb(0x20, false, 4) & 0xFFFF, rgb(209, 212, 0));
}

TEST(NesColor, EveryResultMatchesRoundingOfTheDoubleProduct)
{
    // An independent reference: the hardware's round-to-nearest-even mode.
    const double factors[8][3] = {{1.0, 1.0, 1.0},    {1.0, 0.8, 0.81},   {0.78, 0.94, 0.66}, {0.79, 0.77, 0.63},
                                  {0.82, 0.83, 1.12}, {0.81, 0.71, 0.87}, {0.68, 0.79, 0.79}, {0.7, 0.7, 0.7}};
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    for (int emphasis = 0; emphasis < 8; ++emphasis) {
        for (int index = 0; index < 64; ++index) {
            const Rgb plain = nesColorToRgb(static_cast<std::uint8_t>(index), false, 0);
            Rgb expected = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const double base = (plain >> (8 * channel)) & 0xFF;
                const double scaled = std::min(255.0, std::nearbyint(base * factors[emphasis][channel]));
                expected |= static_cast<Rgb>(scaled) << (8 * channel);
            }
            EXPECT_EQ(nesColorToRgb(static_cast<std::uint8_t>(index), false, emphasis), expected)
                << "index " << index << " emphasis " << emphasis;
        }
    }
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
    for (int index : {0x40, 0x4D, 0x80, 0xFF})
        for (int emphasis = 0; emphasis < 8; ++emphasis)
            EXPECT_EQ(nesColorToRgb(static_cast<std::uint8_t>(index), false, emphasis), kBlack) << index;
    // Greyscale masks the index before the range test, so $4D shows as $00.
    EXPECT_EQ(nesColorToRgb(0x4D, true, 0), rgb(128, 128, 128));
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
