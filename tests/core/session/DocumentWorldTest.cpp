#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quarry;
using quarry::test::SyntheticWorld;

namespace {

// The first submap with at least `actors` actors and `stairs` stairs.
rom::AreaId busySubmap(const SyntheticWorld& world, std::size_t actors, std::size_t stairs)
{
    for (const rom::AreaId& id : world::catalogueSubmaps())
        if (world.game.submap(id).actors.size() >= actors && world.game.mapOf(id).stairs.size() >= stairs)
            return id;
    throw std::runtime_error("no submap with enough actors and stairs");
}

// An opened synthetic image with a busy submap loaded, after `prepare` had
// its way with the synthetic game.
struct WorldDocument : test::OpenedWorld {
    rom::AreaId id;

    explicit WorldDocument(std::size_t actors = 2, std::size_t stairs = 2,
                           const std::function<void(SyntheticWorld&, const rom::AreaId&)>& prepare = {})
        : test::OpenedWorld([&](SyntheticWorld& w) {
              if (prepare)
                  prepare(w, busySubmap(w, actors, stairs));
          })
    {
        id = busySubmap(world, actors, stairs);
        document.loadArea(id, false);
    }

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

TEST(DocumentWorld, ActorDragWritesTheRecordAndTheTerminator)
{
    WorldDocument w;
    const std::vector<std::uint8_t> before = w.body();
    const world::ActorRecord first = w.area().actors[0];
    const std::size_t count = w.area().actors.size();
    const int x = first.x * 16, y = first.y * 16 - 1;

    // 15 pixels inside one metatile (or a still click) move nothing, and
    // nothing is written: not even the list's end mark.
    w.document.rom().write(w.actorIndex() + 4 * count, 0xE9);
    const std::vector<std::uint8_t> marked = w.body();
    EXPECT_FALSE(w.document.moveActor(0, at(x, y - 15), at(x + 15, y), 16, 32));
    EXPECT_FALSE(w.document.moveActor(0, at(x, y - 15), at(x, y - 15), 16, 32));
    EXPECT_EQ(w.area().actors[0], first);
    EXPECT_EQ(w.body(), marked);
    w.document.rom().write(w.actorIndex() + 4 * count, before[w.actorIndex() + 4 * count]);

    // One pixel across a grid line moves one metatile right and down.
    ASSERT_TRUE(w.document.moveActor(0, at(x + 15, y), at(x + 16, y + 1), 16, 32));
    const std::size_t list = w.actorIndex();
    EXPECT_EQ(w.document.rom().read(list), first.x + 1);
    EXPECT_EQ(w.document.rom().read(list + 1), first.y + 1);
    EXPECT_EQ(w.document.rom().read(list + 2), first.type);
    EXPECT_EQ(w.document.rom().read(list + 3), first.control);
    EXPECT_EQ(w.document.rom().read(list + 4 * count), 0xFF);
    EXPECT_EQ(w.area().actors[0].x, first.x + 1);
    // Nothing else in the image changed.
    std::vector<std::uint8_t> after = w.body();
    after[list] = before[list];
    after[list + 1] = before[list + 1];
    EXPECT_EQ(after, before);
}

TEST(DocumentWorld, RefusedDragsChangeNothing)
{
    WorldDocument w;
    const std::vector<std::uint8_t> before = w.body();
    const auto actors = w.area().actors;
    const int width = w.area().map.screensWide * 256;
    EXPECT_FALSE(w.document.moveActor(0, at(20, 20), at(-1, 20), 16, 32));
    EXPECT_FALSE(w.document.moveActor(0, at(0, 20), at(width, 20), 16, 32));
    EXPECT_FALSE(w.document.moveActor(0, at(0, 500), at(0, 0), 16, 32 * 40));
    EXPECT_FALSE(w.document.moveStair(0, at(0, 0), at(0, 2000), 16, 16));
    EXPECT_EQ(w.area().actors, actors);
    EXPECT_EQ(w.body(), before);
    EXPECT_THROW(w.document.moveActor(99, at(0, 0), at(16, 0), 16, 32), RomError);
    EXPECT_THROW(w.document.setActorControl(-1, 3), RomError);
}

TEST(DocumentWorld, SliderValueIsWrittenAloneAndAtOnce)
{
    WorldDocument w;
    const std::size_t list = w.actorIndex();
    const std::size_t end = list + 4 * w.area().actors.size();
    w.document.rom().write(end, 0xE9); // an end mark other than $FF stays as it is
    std::vector<std::uint8_t> expected = w.body();
    w.document.setActorControl(1, 0x42);
    expected[list + 4 + 3] = 0x42;
    EXPECT_EQ(w.body(), expected);
    EXPECT_EQ(w.area().actors[1].control, 0x42);

    // It is in the image: loading the submap again keeps it.
    w.document.loadArea(w.id, true);
    w.document.loadArea(w.id, false);
    EXPECT_EQ(w.area().actors[1].control, 0x42);
    EXPECT_EQ(w.body(), expected);
}

TEST(DocumentWorld, StairDragAndFourTurnsAreByteExact)
{
    WorldDocument w;
    const std::size_t list = w.stairIndex();
    const std::size_t count = w.area().stairs.size();
    const world::StairRecord first = w.area().stairs[0];
    const std::uint8_t byte0 = w.document.rom().read(list), byte1 = w.document.rom().read(list + 1);

    for (int turn = 0; turn < 4; ++turn)
        ASSERT_TRUE(w.document.turnStair(0));
    EXPECT_EQ(w.document.rom().read(list), byte0);
    EXPECT_EQ(w.document.rom().read(list + 1), byte1);
    EXPECT_EQ(w.document.rom().read(list + 2 * count), 0xFF);

    ASSERT_TRUE(w.document.turnStair(0));
    EXPECT_EQ(w.document.rom().read(list), static_cast<std::uint8_t>(byte0 ^ 0x80));

    // 7 pixels inside a tile move nothing; 1 pixel across a line moves one tile.
    const int x = first.x * 8, y = first.y * 8;
    EXPECT_FALSE(w.document.moveStair(0, at(x, y), at(x + 7, y + 7), 16, 16));
    EXPECT_EQ(w.area().stairs[0].x, first.x);
    ASSERT_TRUE(w.document.moveStair(0, at(x + 7, y), at(x + 8, y), 16, 16));
    EXPECT_EQ(w.document.rom().read(list) & 0x7F, first.x + 1);
    EXPECT_EQ(w.document.rom().read(list + 1), byte1);
}

TEST(DocumentWorld, FullListsAreWrittenWithoutTerminator)
{
    // The submap's lists move to fresh space: 64 actors and 128 stairs, each
    // list followed by a marked byte that no commit may touch.
    WorldDocument w(1, 1, [](SyntheticWorld& world, const rom::AreaId& id) {
        const std::uint16_t actors = world.game.allocActorData(257);
        const std::size_t actorIndex = actors - 0x4000u;
        for (std::size_t i = 0; i < 64; ++i)
            world.rom.put(actorIndex + 4 * i, {1, 2, 3, 4});
        world.rom.put(actorIndex + 256, {0x5A});
        world.game.setActorPointer(id, actors);
        const std::uint16_t stairs = world.game.allocAreaData(257);
        const std::size_t stairIndex = stairs; // bank 2 lies at body $8000
        for (std::size_t i = 0; i < 128; ++i)
            world.rom.put(stairIndex + 2 * i, {5, 6});
        world.rom.put(stairIndex + 256, {0xA5});
        const test::SyntheticMap& map = world.game.mapOf(id);
        world.game.setMapPointers(map.objectSet, map.number, map.mapPointer, stairs);
    });
    ASSERT_EQ(w.area().actors.size(), 64u);
    ASSERT_EQ(w.area().stairs.size(), 128u);
    const std::size_t actors = w.actorIndex(), stairs = w.stairIndex();
    const rom::RomImage& image = w.document.rom();

    ASSERT_TRUE(w.document.moveActor(63, at(16, 16), at(32, 16), 16, 16));
    ASSERT_TRUE(w.document.turnStair(127));
    EXPECT_EQ(image.read(actors + 252), 2);
    EXPECT_EQ(image.read(stairs + 254), 0x85);
    EXPECT_EQ(image.read(actors + 256), 0x5A);
    EXPECT_EQ(image.read(stairs + 256), 0xA5);
}

TEST(DocumentWorld, FerrymanBytesAreReadAndWrittenInPlace)
{
    WorldDocument w;
    rom::RomImage& image = w.document.rom();
    image.write(layout::kFerrymanItem, 3);
    image.write(layout::kFerrymanText, 0x21);
    image.write(layout::kFerrymanAltText, 0x22);
    EXPECT_EQ(w.document.ferryman(), (world::FerrymanSettings{3, 0x21, 0x22}));
    const std::vector<std::uint8_t> before = w.body();
    w.document.setFerryman({5, 0x30, 0x31});
    EXPECT_EQ(image.read(0x46F3), 5);
    EXPECT_EQ(image.read(0x4709), 0x30);
    EXPECT_EQ(image.read(0x4703), 0x31);
    std::vector<std::uint8_t> after = w.body();
    after[0x46F3] = before[0x46F3];
    after[0x4709] = before[0x4709];
    after[0x4703] = before[0x4703];
    EXPECT_EQ(after, before);
}
