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
