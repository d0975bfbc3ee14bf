#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

using namespace quarry;

namespace {

// An opened synthetic image with a submap of two actors and two stairs loaded.
struct WorldDocument : test::OpenedWorld {
    rom::AreaId id = test::busySubmap(world, 2, 2);

    WorldDocument() { document.loadArea(id, false); }

    const session::LoadedArea& area() const { return *document.area(); }
    std::vector<std::uint8_t> body() const { return document.rom().body(); }
    std::size_t actorIndex() const { return rom::cpuToBody(area().pointers.actorPointer, rom::DataKind::Actors); }
    std::size_t stairIndex() const { return rom::cpuToBody(area().pointers.stairPointer, rom::DataKind::AreaData); }
};

world::MapPoint at(int x, int y)
{
    return {x, y};
}

} // namespace

TEST(DocumentWorld, ActorDragWritesOnlyTheMovedRecordAndKeepsTheEndMark)
{
    WorldDocument w;
    const world::ActorRecord first = w.area().actors[0];
    const std::size_t list = w.actorIndex();
    const std::size_t end = list + 4 * w.area().actors.size();
    // An end mark other than $FF stays as it is, even when nothing moves.
    w.document.rom().write(end, 0xE9);
    std::vector<std::uint8_t> expected = w.body();
    const int x = first.x * 16, y = first.y * 16 - 1;
    EXPECT_FALSE(w.document.moveActor(0, at(x, y - 15), at(x + 15, y), 16, 32));
    EXPECT_EQ(w.body(), expected);

    // One pixel across a grid line moves one metatile right and down.
    ASSERT_TRUE(w.document.moveActor(0, at(x + 15, y), at(x + 16, y + 1), 16, 32));
    expected[list] = static_cast<std::uint8_t>(first.x + 1);
    expected[list + 1] = static_cast<std::uint8_t>(first.y + 1);
    EXPECT_EQ(w.body(), expected);
    EXPECT_EQ(w.area().actors[0].x, first.x + 1);

    // A slider value is written alone, and loading the submap again keeps it.
    w.document.setActorControl(1, 0x42);
    expected[list + 4 + 3] = 0x42;
    w.document.loadArea(w.id, true);
    w.document.loadArea(w.id, false);
    EXPECT_EQ(w.area().actors[1].control, 0x42);
    EXPECT_EQ(w.body(), expected);
}

TEST(DocumentWorld, RefusedDragsChangeNothing)
{
    WorldDocument w;
    const std::vector<std::uint8_t> before = w.body();
    const int width = w.area().map.screensWide * 256;
    EXPECT_FALSE(w.document.moveActor(0, at(20, 20), at(-1, 20), 16, 32));
    EXPECT_FALSE(w.document.moveActor(0, at(0, 20), at(width, 20), 16, 32));
    EXPECT_FALSE(w.document.moveStair(0, at(0, 0), at(0, 2000), 16, 16));
    EXPECT_EQ(w.body(), before);
    EXPECT_THROW(w.document.moveActor(99, at(0, 0), at(16, 0), 16, 32), RomError);
    EXPECT_THROW(w.document.setActorControl(-1, 3), RomError);
}

TEST(DocumentWorld, StairDragAndFourTurnsAreByteExact)
{
    WorldDocument w;
    const std::size_t list = w.stairIndex();
    const world::StairRecord first = w.area().stairs[0];
    const std::vector<std::uint8_t> before = w.body();
    for (int turn = 0; turn < 4; ++turn)
        ASSERT_TRUE(w.document.turnStair(0));
    EXPECT_EQ(w.body(), before);
    ASSERT_TRUE(w.document.turnStair(0));
    EXPECT_EQ(w.document.rom().read(list), static_cast<std::uint8_t>(before[list] ^ 0x80));

    const int x = first.x * 8, y = first.y * 8;
    ASSERT_TRUE(w.document.moveStair(0, at(x + 7, y), at(x + 8, y), 16, 16));
    EXPECT_EQ(w.document.rom().read(list) & 0x7F, first.x + 1);
    EXPECT_EQ(w.document.rom().read(list + 1), before[list + 1]);
}

TEST(DocumentWorld, FerrymanBytesAreReadAndWrittenInPlace)
{
    WorldDocument w;
    rom::RomImage& image = w.document.rom();
    image.write(layout::kFerrymanItem, 3);
    image.write(layout::kFerrymanText, 0x21);
    image.write(layout::kFerrymanAltText, 0x22);
    EXPECT_EQ(w.document.ferryman(), (world::FerrymanSettings{3, 0x21, 0x22}));
    std::vector<std::uint8_t> expected = w.body();
    w.document.setFerryman({5, 0x30, 0x31});
    expected[0x46F3] = 5;
    expected[0x4709] = 0x30;
    expected[0x4703] = 0x31;
    EXPECT_EQ(w.body(), expected);
}

TEST(DocumentWorld, TypedPositionsAndDirectionsTakeTheDragsChecksAndStepNames)
{
    WorldDocument w;
    std::vector<std::string> steps;
    w.document.setEditListener([&](session::EditEntry entry) { steps.push_back(entry.name); });
    const std::size_t actors = w.actorIndex(), stairs = w.stairIndex();
    const int width = w.area().mapWidth(), height = w.area().mapHeight();

    // An actor far off the map comes back to the foot point typed, snapped
    // down to its cell as a drag's point is.
    w.document.rom().write(actors, 0xF0);
    w.document.loadArea(w.id, false);
    ASSERT_TRUE(w.document.placeActor(0, at(37, 100), 16, 32));
    EXPECT_EQ(w.document.rom().read(actors), 2);
    EXPECT_EQ(w.document.rom().read(actors + 1), 6);
    EXPECT_EQ(world::actorFoot(w.area().actors[0]).x, 32);
    // The same place again writes nothing and makes no step.
    EXPECT_FALSE(w.document.placeActor(0, at(32, 96), 16, 32));
    std::string why;
    const std::vector<std::uint8_t> placed = w.body();
    EXPECT_FALSE(w.document.placeActor(0, at(-1, 96), 16, 32, &why));
    EXPECT_EQ(why, "x would put the picture outside the map");
    EXPECT_FALSE(w.document.placeActor(0, at(width - 14 + 16, 96), 16, 32, &why));
    EXPECT_FALSE(w.document.placeActor(0, at(0, height - 16), 16, 32, &why));
    EXPECT_EQ(why, "y would put the picture outside the map");
    EXPECT_FALSE(w.document.placeStair(0, at(8, 1'000'000), 16, 16, &why));
    EXPECT_EQ(w.body(), placed);

    // A stair's corner, snapped to 8 pixels; a direction that would store $FF is refused.
    ASSERT_TRUE(w.document.placeStair(1, at(15, 23), 16, 16));
    EXPECT_EQ(w.document.rom().read(stairs + 2) & 0x7F, 1);
    EXPECT_EQ(w.document.rom().read(stairs + 3) & 0x7F, 2);
    const std::uint8_t upDown = w.area().stairs[1].upDown ^ 1, leftRight = w.area().stairs[1].leftRight;
    ASSERT_TRUE(w.document.setStairDirection(1, upDown, leftRight));
    EXPECT_EQ(w.document.rom().read(stairs + 2), upDown * 0x80 + 1);
    EXPECT_FALSE(w.document.setStairDirection(1, upDown, leftRight)); // unchanged
    if (127 * 8 + 16 - 2 <= width) {
        w.document.setStairDirection(1, 0, leftRight);
        ASSERT_TRUE(w.document.placeStair(1, at(127 * 8, 16), 16, 16));
        EXPECT_FALSE(w.document.setStairDirection(1, 1, leftRight, &why));
        EXPECT_EQ(why, world::kStoredAsEnd);
    }
    EXPECT_EQ(steps.at(1), "Move actor 00"); // after the test's own write
    EXPECT_EQ(steps.at(2), "Move stair 01");
    EXPECT_EQ(steps.at(3), "Turn stair 01");
}
