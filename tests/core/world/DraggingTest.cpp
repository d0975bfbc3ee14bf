#include "core/world/Dragging.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using world::ActorRecord;
using world::Drag;
using world::StairRecord;

// A picture 16 x 32 on a map two screens wide and one high.
Drag drag(int x0, int y0, int x1, int y1, int width = 16, int height = 32)
{
    return Drag{{x0, y0}, {x1, y1}, width, height, 512, 224};
}

TEST(ActorDrag, SnapsBothPointsToTheMetatileGrid)
{
    const ActorRecord actor{4, 6, 0x2A, 0x11};
    // 15 pixels inside one cell move nothing; 1 pixel across a line moves one.
    EXPECT_EQ(world::draggedActor(actor, drag(64, 80, 79, 95)), actor);
    EXPECT_EQ(world::draggedActor(actor, drag(79, 95, 80, 96)), (ActorRecord{5, 7, 0x2A, 0x11}));
    EXPECT_EQ(world::draggedActor(actor, drag(80, 96, 79, 95)), (ActorRecord{3, 5, 0x2A, 0x11}));
    EXPECT_EQ(world::draggedActor(actor, drag(0, 0, 100, 30)), (ActorRecord{10, 7, 0x2A, 0x11}));
    // The outline left of or above the map snaps down the same way.
    for (const auto& [value, snapped] : {std::pair{-1, -16}, {-16, -16}, {-17, -32}, {15, 0}})
        EXPECT_EQ(world::snapDown(value, world::kActorCellPixels), snapped) << value;
}

TEST(ActorDrag, RefusesPlacesOutsideTheMapAndNegativeReleases)
{
    const ActorRecord actor{4, 6, 0, 0};
    EXPECT_FALSE(world::draggedActor(actor, drag(70, 100, -1, 100)));
    EXPECT_FALSE(world::draggedActor(actor, drag(70, 100, 5, -3)));
    // Left edge: x 0 is fine, x -1 is not.
    EXPECT_TRUE(world::draggedActor(actor, drag(64, 100, 0, 100)));
    EXPECT_FALSE(world::draggedActor(ActorRecord{0, 6, 0, 0}, drag(16, 100, 0, 100)));
    // Right edge: (x)*16 + 16 - 2 <= 512, so x 31 is the last column.
    EXPECT_EQ(world::draggedActor(actor, drag(0, 100, 27 * 16, 100))->x, 31);
    EXPECT_FALSE(world::draggedActor(actor, drag(0, 100, 28 * 16, 100)));
    // Bottom: the picture height counts below the foot line: y*16 + 32 - 2 <= 224.
    EXPECT_EQ(world::draggedActor(actor, drag(0, 96, 0, 96 + 6 * 16))->y, 12);
    EXPECT_FALSE(world::draggedActor(actor, drag(0, 96, 0, 96 + 7 * 16)));
    // Top: a foot line at 0 is allowed.
    EXPECT_EQ(world::draggedActor(actor, drag(0, 96, 0, 0))->y, 0);
}

TEST(ActorDrag, RefusesPositionsTheListCannotHold)
{
    // On a map wide enough, column $FF would be a terminator and column $100
    // would wrap round to 0.
    Drag wide = drag(0, 0, 16, 0);
    wide.mapWidth = 40 * 256;
    wide.mapHeight = 40 * 224;
    EXPECT_EQ(world::draggedActor(ActorRecord{0xFD, 1, 0, 0}, wide)->x, 0xFE);
    EXPECT_FALSE(world::draggedActor(ActorRecord{0xFE, 1, 0, 0}, wide));
    wide.end = {32, 0};
    EXPECT_FALSE(world::draggedActor(ActorRecord{0xFE, 1, 0, 0}, wide));
    wide.end = {0, 16};
    EXPECT_FALSE(world::draggedActor(ActorRecord{1, 0xFE, 0, 0}, wide));
}

TEST(StairDrag, SnapsToEightPixelsAndRefusesWhatCannotBeStored)
{
    const StairRecord stair{4, 6, 1, 0};
    EXPECT_EQ(world::draggedStair(stair, drag(32, 48, 39, 55, 16, 16)), stair);
    EXPECT_EQ(world::draggedStair(stair, drag(39, 55, 40, 56, 16, 16)), (StairRecord{5, 7, 1, 0}));
    EXPECT_FALSE(world::draggedStair(stair, drag(32, 48, 32, -1, 16, 16)));
    EXPECT_FALSE(world::draggedStair(StairRecord{0, 6, 0, 0}, drag(8, 48, 7, 48, 16, 16)));
    // x*8 + 16 - 2 <= 512: column 62 is the last.
    EXPECT_EQ(world::draggedStair(stair, drag(0, 0, 58 * 8, 0, 16, 16))->x, 62);
    EXPECT_FALSE(world::draggedStair(stair, drag(0, 0, 59 * 8, 0, 16, 16)));

    Drag wide = drag(0, 0, 8, 0, 16, 16);
    wide.mapWidth = 8 * 256;
    // Going up at column 127 would read as $FF; column 128 does not exist.
    EXPECT_FALSE(world::draggedStair(StairRecord{126, 0, 1, 0}, wide));
    EXPECT_EQ(world::draggedStair(StairRecord{126, 0, 0, 0}, wide)->x, 127);
    EXPECT_FALSE(world::draggedStair(StairRecord{127, 0, 0, 0}, wide));
}

TEST(StairTurn, StepsThroughTheFourDirectionsAndBack)
{
    StairRecord stair{9, 3, 0, 0};
    const std::pair<int, int> expected[] = {{1, 0}, {0, 1}, {1, 1}, {0, 0}};
    for (const auto& [upDown, leftRight] : expected) {
        stair = world::turnedStair(stair);
        EXPECT_EQ(stair.upDown, upDown);
        EXPECT_EQ(stair.leftRight, leftRight);
        EXPECT_EQ(stair.x, 9);
        EXPECT_EQ(stair.y, 3);
    }
    EXPECT_FALSE(world::stairStorable(StairRecord{127, 3, 1, 0}));
    EXPECT_FALSE(world::stairStorable(StairRecord{3, 127, 0, 1}));
    EXPECT_TRUE(world::stairStorable(StairRecord{127, 127, 0, 0}));
}

TEST(TypedPlace, TakesTheDragsSnapAndRefusalsAndMarkersStandWhereTheRecordsSay)
{
    const Drag fit = drag(0, 0, 0, 0);
    const ActorRecord actor{40, 1, 0x2A, 0x11}; // off the map to the right
    EXPECT_EQ(world::typedActor(actor, {47, 111}, fit), (ActorRecord{2, 6, 0x2A, 0x11}));
    std::string why;
    EXPECT_FALSE(world::typedActor(actor, {-1, 96}, fit, &why));
    EXPECT_EQ(why, "x would put the picture outside the map");
    EXPECT_EQ(world::typedActor(actor, {16, 12 * 16 + 15}, fit)->y, 12);
    EXPECT_FALSE(world::typedActor(actor, {16, 13 * 16}, fit, &why)); // 208 + 32 - 2 > 224
    EXPECT_EQ(world::typedActor(actor, {31 * 16, 12 * 16}, fit)->x, 31);
    EXPECT_FALSE(world::typedActor(actor, {32 * 16, 12 * 16}, fit));
    EXPECT_FALSE(world::typedActor(actor, {1'000'000, 0}, fit, &why)); // far beyond, no overflow
    EXPECT_EQ(why, "x would put the picture outside the map");
    Drag wide = fit;
    wide.mapWidth = wide.mapHeight = 40 * 256;
    EXPECT_FALSE(world::typedActor(actor, {0xFF * 16, 0}, wide, &why));
    EXPECT_EQ(why, "x would be $FF: the list cannot hold it");

    const Drag stairFit = drag(0, 0, 0, 0, 16, 16);
    EXPECT_EQ(world::typedStair(StairRecord{99, 99, 1, 0}, {15, 23}, stairFit), (StairRecord{1, 2, 1, 0}));
    EXPECT_FALSE(world::typedStair(StairRecord{1, 1, 0, 0}, {0, -8}, stairFit));
    wide.pictureWidth = wide.pictureHeight = 16;
    EXPECT_FALSE(world::typedStair(StairRecord{1, 1, 1, 0}, {127 * 8, 0}, wide, &why));
    EXPECT_EQ(why, world::kStoredAsEnd);
    EXPECT_FALSE(world::typedStair(StairRecord{1, 1, 0, 0}, {128 * 8, 0}, wide, &why));
    EXPECT_EQ(why, "x would pass $7F: the list cannot hold it");

    // An actor's picture stands on its foot line; a stair's hangs from its corner.
    const world::MapPoint origin = world::actorMarkerOrigin(ActorRecord{3, 5, 0, 0}, 32);
    EXPECT_EQ(origin.x, 48);
    EXPECT_EQ(origin.y, 80 - 32);
    EXPECT_EQ(world::actorFoot(ActorRecord{3, 5, 0, 0}).y, 80);
    const world::MapPoint corner = world::stairMarkerOrigin(StairRecord{3, 5, 1, 1});
    EXPECT_EQ(corner.x, 24);
    EXPECT_EQ(corner.y, 40);
}

} // namespace
} // namespace quarry
