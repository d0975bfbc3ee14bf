// A horizontal offset as the sprite table shows it and reads it back: the
// screen offset from the reference column and the stored byte.
#include "core/sprites/SpriteText.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace quarry;

TEST(SpriteDx, OffsetsAreReadAndShownInBothFormsAndOutOfRangeOnesRefused)
{
    EXPECT_EQ(sprites::dxText(0xFA), "-6 ($FA)");
    EXPECT_EQ(sprites::dxText(0xD0), "-48 ($D0)");
    EXPECT_EQ(sprites::dxText(0xCF), "207 ($CF)");
    // Text, the stored byte beforehand, what it reads as (-1: refused).
    const std::tuple<const char*, int, int> cases[] = {
        {"-6", 0, 0xFA},          {"$FA", 0, 0xFA},         {" 207 ", 0, 0xCF},       {"-48", 0, 0xD0},
        {"-49", 0, -1},           {"208", 0, -1},           {"$100", 0, -1},          {"12x", 0, -1},
        {"$FF", 0, 0xFF},         {"$ff", 0, 0xFF},
        {"-6 ($FA)", 0xFA, 0xFA}, {"-7 ($FA)", 0xFA, 0xF9}, {"-6 ($F0)", 0xFA, 0xF0}, {"-7 ($F0)", 0xFA, -1},
        {"", 0, -1},              {"-6 $FA", 0, -1}};
    for (const auto& [text, current, expected] : cases) {
        const auto value = sprites::parseDxText(text, static_cast<std::uint8_t>(current));
        EXPECT_EQ(value ? *value : -1, expected) << text;
    }
}
