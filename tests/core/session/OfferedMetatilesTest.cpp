#include "core/RomError.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/demo/DemoImage.h"
#include "core/session/NumberInput.h"
#include "core/session/WhereUsed.h"
#include "core/world/Ferryman.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarry;

TEST(OfferedMetatiles, TheLimitByteAloneBoundsTheOfferAndTheRoomBoundsEdits)
{
    // L - 2, at most a full chooser, and metatile 0 even for L of 0 or 1.
    const int cases[][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {68, 66}, {72, 70}, {73, 71}, {74, 71}, {0xFF, 71}};
    for (const auto& [limit, last] : cases)
        EXPECT_EQ(gfx::lastOfferedMetatile(static_cast<std::uint8_t>(limit)), last) << limit;

    // Object set 4 has room for 62 metatiles: the chooser draws all 72 the
    // limit byte offers, but the table's setters refuse 62 on, saying why.
    rom::RomImage rom = demo::buildDemoImage();
    rom.write(gfx::metatileLimitIndex(4), 0xFF);
    const std::vector<std::uint8_t> before = rom.body();
    gfx::setMetatileTile(rom, 4, 61, 15, gfx::getMetatileTiles(rom, 4, 61)[15]);
    try {
        gfx::setMetatileAttribute(rom, 4, 62, 0);
        ADD_FAILURE() << "metatile 62 of object set 4 was written";
    } catch (const RomError& error) {
        EXPECT_STREQ(error.what(), "metatile 3E of object set 4 cannot be edited: its table has room for 62 metatiles "
                                   "(00-3D), and this one's bytes would land in other data");
    }
    EXPECT_THROW(gfx::setMetatileTile(rom, 4, 71, 0, 0), RomError);
    EXPECT_EQ(rom.body(), before);
}

TEST(OfferedMetatiles, UnusedTilesCountEveryObjectSetOfTheBank)
{
    rom::RomImage rom = demo::buildDemoImage();
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

TEST(NumberInput, TypedNumbersAreReadStrictlyAndNeverOverflow)
{
    using session::parseTypedNumber;
    EXPECT_EQ(parseTypedNumber(" 300 ", false), 300);
    EXPECT_EQ(parseTypedNumber("-16", false), -16);
    EXPECT_EQ(parseTypedNumber("99999999999999", false), 1'000'000);
    EXPECT_EQ(parseTypedNumber("$1a", true), 0x1A);
    EXPECT_EQ(parseTypedNumber("FF", true), 0xFF);
    for (const char* junk : {"", " ", "12a", "0x10", "$", "-", "1 2"})
        EXPECT_FALSE(parseTypedNumber(junk, false)) << junk;
    for (const char* junk : {"", "$$1", "g", "-1", "1 2"})
        EXPECT_FALSE(parseTypedNumber(junk, true)) << junk;
    // The parameter's range by the type's kind.
    EXPECT_EQ(world::largestControl(world::ControlKind::Text), 120);
    EXPECT_EQ(world::largestControl(world::ControlKind::TextTable), 10);
    EXPECT_EQ(world::largestControl(world::ControlKind::Health), 0xFF);
}
