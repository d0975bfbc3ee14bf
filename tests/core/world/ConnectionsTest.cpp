#include "core/RomError.h"
#include "core/world/AreaCatalogue.h"
#include "core/world/Connections.h"
#include "support/SyntheticGame.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::SyntheticGame;
using test::SyntheticRom;
using world::ExitDestination;
using world::ExitRecord;

constexpr std::uint8_t kLeft = 0xFF;
constexpr std::uint8_t kRight = 0x7F;

// Woods 1 (object set 2) has ten areas 0-9 with 4,1,1,4,2,2,1,3,3,3 submaps.
class ExitTest : public ::testing::Test {
protected:
    SyntheticRom rom;
    SyntheticGame game{rom};

    std::optional<ExitDestination> follow(int area, std::uint8_t entry)
    {
        return world::followExit(rom.image(), 2, area, entry);
    }
};

TEST_F(ExitTest, KindsFfAndFcLeadToAnObjectSetAndArea)
{
    for (std::uint8_t kind : {std::uint8_t{0xFF}, std::uint8_t{0xFC}}) {
        game.setExit(2, 4, false, {kind, 3, 3}); // Woods 2, area 3: five submaps
        EXPECT_EQ(follow(4, kLeft), (ExitDestination{3, 3, 0x84}));
        game.setExit(2, 4, true, {kind, 0, 10});
        EXPECT_EQ(follow(4, kRight), (ExitDestination{0, 10, 0x00}));
    }
}

TEST_F(ExitTest, TheEntryByteNamesTheSubmapAndTheEndArrivedAt)
{
    // Leaving to the left arrives at the destination's last submap, at its right end.
    game.setExit(2, 4, false, {0xFF, 3, 3});
    const world::Arrival left = world::arrivalOf(*follow(4, kLeft));
    EXPECT_EQ(left, (world::Arrival{3, 3, 4, true}));
    EXPECT_EQ(world::arrivalWords(left), "object set 3, area 3, submap 4, right end");
    EXPECT_EQ(world::arrivalOf(ExitDestination{0, 10, 0x00}), (world::Arrival{0, 10, 0, false}));
    EXPECT_EQ(world::arrivalWords(world::arrivalOf(ExitDestination{5, 0, 0x7F})),
              "object set 5, area 0, submap 127, left end");
}

TEST_F(ExitTest, OtherKindsLeadToAreaBOfTheSameObjectSet)
{
    for (std::uint8_t kind : {std::uint8_t{0xFA}, std::uint8_t{0x00}, std::uint8_t{0x42}}) {
        game.setExit(2, 1, true, {kind, 0x09, 7});
        EXPECT_EQ(follow(1, kRight), (ExitDestination{2, 7, 0x00}));
        game.setExit(2, 1, false, {kind, 0x09, 3});
        EXPECT_EQ(follow(1, kLeft), (ExitDestination{2, 3, 0x83}));
    }
}

TEST_F(ExitTest, FbExitsKeepOnlyBitSevenOfTheirEntry)
{
    game.setExit(2, 6, true, {0xFB, 3, 0x02}); // submap 2 exists in area 3
    EXPECT_EQ(follow(6, kRight), (ExitDestination{2, 3, 0x00}));
    game.setExit(2, 6, true, {0xFB, 3, 0x81});
    EXPECT_EQ(follow(6, kRight), (ExitDestination{2, 3, 0x83}));
}

TEST_F(ExitTest, FbEntryBeyondTheLastSubmapFollowsTheRightExitOnwards)
{
    // Area 1 has one submap: entry 5 lies beyond it, so its right exit is
    // taken, and from area 2 (also one submap) the chain goes on once more.
    game.setExit(2, 0, false, {0xFB, 1, 0x85});
    game.setExit(2, 1, true, {0xFB, 2, 0x06});
    game.setExit(2, 2, true, {0xFA, 0, 8});
    EXPECT_EQ(follow(0, kLeft), (ExitDestination{2, 8, 0x00}));
    // The entry byte of the last $FB exit decides the side of arrival.
    game.setExit(2, 2, true, {0xFF, 4, 1});
    EXPECT_EQ(follow(0, kLeft), (ExitDestination{4, 1, 0x00}));
    game.setExit(2, 1, true, {0xFB, 2, 0x86});
    EXPECT_EQ(follow(0, kLeft), (ExitDestination{4, 1, 0x81}));
}

TEST_F(ExitTest, LoopingChainsEndWithoutADestination)
{
    game.setExit(2, 1, true, {0xFB, 2, 0x05});
    game.setExit(2, 2, true, {0xFB, 1, 0x05});
    EXPECT_EQ(follow(1, kRight), std::nullopt);
    EXPECT_EQ(follow(2, kRight), std::nullopt);
    // An area whose right exit leads back to itself beyond its end.
    game.setExit(2, 6, true, {0xFB, 6, 0x7E});
    const world::Doors doors = world::readDoors(rom.image(), {2, 6, 0});
    EXPECT_TRUE(doors.left.has_value());
    EXPECT_FALSE(doors.right.has_value());
    // A plain exit into itself arrives at its first submap: no loop.
    game.setExit(2, 6, true, {0x10, 0, 6});
    EXPECT_EQ(follow(6, kRight), (ExitDestination{2, 6, 0x00}));
    // A loop entered further down a chain is caught as well.
    game.setExit(2, 0, true, {0xFB, 1, 0x05});
    game.setExit(2, 1, true, {0xFB, 2, 0x05});
    game.setExit(2, 2, true, {0xFB, 1, 0x05});
    EXPECT_EQ(world::followExit(rom.image(), 2, 0, kRight), std::nullopt);
}

TEST_F(ExitTest, LargeLastSubmapKeepsTheRightDoorInsideTheArea)
{
    // Submap 127 lies inside an area whose last submap is 127 or more; the
    // arrival's submap record is then read past the record, so give it one.
    game.setLastSubmap(2, 5, 0x90);
    const std::size_t slot = game.area(2, 5).record + 9 + 2 * 127;
    rom.putWord(slot, static_cast<std::uint16_t>(game.submap({2, 5, 0}).submapRecord));
    EXPECT_EQ(follow(5, kRight), (ExitDestination{2, 5, 0x00}));
}

TEST_F(ExitTest, DoorsIgnoreTheSubmapAndMatchTheBuiltExits)
{
    const rom::RomImage image = rom.image();
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        SCOPED_TRACE(world::findSubmap(id)->key);
        const world::Doors doors = world::readDoors(image, id);
        ASSERT_TRUE(doors.left && doors.right);
        EXPECT_EQ(world::readDoors(image, {id.objectSet, id.area, 0}).left, doors.left);
        EXPECT_GE(doors.left->entry, 0x80); // arriving at the right end, moving left
        const auto& area = game.area(id.objectSet, id.area);
        const world::ExitRecord right = area.rightExit;
        if (right.kind == 0xFB && right.b >= 0x80)
            EXPECT_EQ(doors.right->entry, 0x80 | (game.area(id.objectSet, right.a).submapCount - 1));
        else
            EXPECT_EQ(doors.right->entry, 0);

        const world::AreaRecord record = world::readAreaRecord(image, id.objectSet, id.area);
        EXPECT_EQ(record.lastSubmap, area.submapCount - 1);
        EXPECT_EQ(record.leftExit, area.leftExit);
        EXPECT_EQ(record.rightExit, area.rightExit);
    }
}

TEST_F(ExitTest, InvalidAddressesOnTheWayAreReported)
{
    // The start area's further data is checked when leaving to the right.
    rom.putWord(game.area(2, 3).record, 0x1000);
    EXPECT_THROW(follow(3, kRight), RomError);
    EXPECT_NO_THROW(follow(3, kLeft));

    // The arrival's submap record must be readable.
    game.setExit(2, 4, true, {0xFA, 0, 6});
    rom.putWord(game.area(2, 6).record + 9, 0x0000);
    EXPECT_THROW(follow(4, kRight), RomError);

    // So must the arrival's map data.
    game.setExit(2, 4, true, {0xFA, 0, 7});
    rom.putWord(game.mapTableEntry(2, game.submap({2, 7, 0}).mapNumber), 0x5000);
    EXPECT_THROW(follow(4, kRight), RomError);

    // And the record of the area an exit leads to.
    game.setExit(2, 4, true, {0xFA, 0, 20});
    EXPECT_THROW(follow(4, kRight), RomError);
}

} // namespace
} // namespace quarry
