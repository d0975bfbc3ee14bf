#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/session/DemoImage.h"
#include "core/session/NumberInput.h"
#include "core/session/WhereUsed.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarry;

TEST(OfferedMetatiles, TheLimitByteAndTheTableRoomBothBound)
{
    // L - 2, never past the table's room, and metatile 0 even for L of 0 or 1.
    const struct {
        int limit, set, last;
    } cases[] = {{68, 0, 66}, {0xFF, 0, 66}, {0xFF, 4, 61}, {2, 3, 0}, {1, 3, 0}, {0, 5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(gfx::lastOfferedMetatile(static_cast<std::uint8_t>(c.limit), c.set), c.last) << c.limit << "/" << c.set;
}

TEST(OfferedMetatiles, UnusedTilesCountEveryObjectSetOfTheBank)
{
    rom::RomImage rom = session::buildDemoImage();
    // Object set 2 offers metatile 0 alone; its tiles are used all the same.
    rom.write(gfx::metatileLimitIndex(2), 1);
    for (const std::uint8_t tile : gfx::getMetatileTiles(rom, 2, 0))
        EXPECT_TRUE(session::tilesUsedByMetatiles(rom, 2)[tile]);
    const auto alone = session::tilesUsedByMetatiles(rom, 2);
    EXPECT_LT(std::count(alone.begin(), alone.end(), true), 256);

    // Object set 3 drawing from the same bank: what it places is used in 2.
    int other = -1;
    for (int t = 0; t < 256 && other < 0; ++t)
        if (!alone[static_cast<std::size_t>(t)])
            other = t;
    ASSERT_GE(other, 0);
    rom.write(layout::kChrBankTable + 2 * 3, rom.read(layout::kChrBankTable + 2 * 2));
    gfx::setMetatileTile(rom, 3, 0, 0, static_cast<std::uint8_t>(other));
    EXPECT_TRUE(session::tilesUsedByMetatiles(rom, 2)[static_cast<std::size_t>(other)]);
}

TEST(OfferedMetatiles, ThresholdBoxesReadLeadingHexDigitsSkippingBlanks)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"1g", 0x01}, {"zz", 0}, {"a", 0x0A}, {"", 0}, {"fF", 0xFF}, {" 7", 0x07}, {"1 2", 0x12}, {"-1", 0},
                 {"123", 0x23}, {"A0", 0xA0}, {"\t1\r\n2", 0x12}};
    for (const auto& c : cases)
        EXPECT_EQ(session::parseHexByteBox(c.text), c.value) << c.text;
}
