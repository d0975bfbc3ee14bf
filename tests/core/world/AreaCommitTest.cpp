#include "core/RomError.h"
#include "core/rom/AreaMap.h"
#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"
#include "core/gfx/AreaPalette.h"
#include "core/world/AreaCommit.h"
#include "support/SyntheticGame.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::SyntheticGame;
using test::SyntheticRom;

// What the editor holds for one loaded submap.
struct Loaded {
    rom::ResolvedArea pointers;
    rom::AreaMap map;
    std::vector<world::StairRecord> stairs;
    std::vector<world::ActorRecord> actors;
    gfx::PpuMaskSettings mask;

    Loaded(const rom::RomImage& image, const rom::AreaId& id)
        : pointers(rom::resolveArea(image, id, false)),
          map(rom::decodeAreaMap(image, pointers.mapPointer)),
          stairs(world::readStairList(image, pointers.stairPointer)),
          actors(world::readActorList(image, pointers.actorPointer)),
          mask(gfx::readPpuMask(image))
    {
    }

    void commit(rom::RomImage& image) const { world::commitArea(image, {pointers, map, stairs, actors, mask}); }
};

TEST(AreaCommit, UnchangedAreasRewriteTheSameBytesSaveATerminatorInByteOne)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        SCOPED_TRACE(world::findSubmap(id)->key);
        rom::RomImage image = game.image();
        const Loaded loaded(image, id);
        loaded.commit(image);

        // The game ends a list at $FF in byte 0 or 1; the commit always puts
        // the $FF in byte 0 of the record after the last.
        SyntheticRom expected = rom;
        const auto& map = game.mapOf(id);
        if (!map.stairs.empty() && map.stairTerminatorInByte1)
            expected.put(map.stairPointer + 2 * map.stairs.size(), {0xFF});
        const auto& submap = game.submap(id);
        if (!submap.actors.empty() && submap.actorTerminatorInByte1)
            expected.put(submap.actorPointer - 0x4000u + 4 * submap.actors.size(), {0xFF});
        EXPECT_EQ(image.body(), expected.body());
    }
}

TEST(AreaCommit, WritesMapStairsMaskAndActorsInThatOrder)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    rom::AreaId id{};
    for (const rom::AreaId& candidate : world::catalogueSubmaps())
        if (!game.mapOf(candidate).stairs.empty() && !game.submap(candidate).actors.empty()) {
            id = candidate;
            break;
        }
    rom::RomImage image = game.image();
    Loaded loaded(image, id);
    loaded.map.mapGrid[0] = 0x3C;
    loaded.stairs[0].x = 0x44;
    loaded.actors.back().type = 0x66;
    loaded.mask = {1, 0xE0};

    std::vector<std::size_t> writes;
    image.setWriteObserver([&](std::size_t index, auto, auto) { writes.push_back(index); });
    loaded.commit(image);

    const auto& map = game.mapOf(id);
    const std::size_t screens = map.screenTable.size();
    ASSERT_EQ(writes.size(), screens + 3);
    for (std::size_t i = 0; i < screens; ++i)
        EXPECT_EQ(writes[i], map.screenTable[i]);
    EXPECT_EQ(writes[screens], map.stairPointer);
    EXPECT_EQ(writes[screens + 1], layout::kPpuMaskByte);
    EXPECT_EQ(writes[screens + 2], game.submap(id).actorPointer - 0x4000u);

    EXPECT_EQ(image.read(map.screenTable[0]), 0x3C);
    EXPECT_EQ(image.read(map.stairPointer), (map.stairs[0].upDown << 7) | 0x44);
    EXPECT_EQ(image.read(layout::kPpuMaskByte), 0xFF);
    EXPECT_EQ(image.read(game.submap(id).actorPointer - 0x4000u + 4 * (loaded.actors.size() - 1) + 2), 0x66);
}

TEST(AreaCommit, EmptyListsWriteNothingAndTheMaskKeepsItsFixedBits)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    rom::AreaId id{};
    for (const rom::AreaId& candidate : world::catalogueSubmaps())
        if (game.mapOf(candidate).stairs.empty() && game.submap(candidate).actors.empty())
            id = candidate;
    ASSERT_TRUE(game.mapOf(id).stairs.empty());
    rom.put(layout::kPpuMaskByte, {0x00});
    rom::RomImage image = rom.image();
    Loaded loaded(image, id);
    EXPECT_EQ(loaded.mask.emphasis, 0);
    EXPECT_EQ(loaded.mask.greyscale, 0);
    loaded.commit(image);
    SyntheticRom expected = rom;
    expected.put(layout::kPpuMaskByte, {0x1E});
    EXPECT_EQ(image.body(), expected.body());

    EXPECT_EQ(gfx::ppuMaskByte({1, 0xE0}), 0xFF);
    EXPECT_EQ(gfx::ppuMaskByte({0xFF, 0xFF}), 0xFF);
    EXPECT_EQ(gfx::ppuMaskByte({0, 0x20}), 0x3E);
}

TEST(AreaCommit, AnyRefusalLeavesTheWholeImageUntouched)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    rom::AreaId id{};
    for (const rom::AreaId& candidate : world::catalogueSubmaps())
        if (!game.mapOf(candidate).stairs.empty() && !game.submap(candidate).actors.empty())
            id = candidate;
    const rom::RomImage original = game.image();
    Loaded edited(original, id);
    for (auto& cell : edited.map.mapGrid)
        cell = 0x01;
    edited.mask = {1, 0x80};

    auto expectRefused = [&](const Loaded& loaded) {
        rom::RomImage image = original;
        EXPECT_THROW(loaded.commit(image), RomError);
        EXPECT_EQ(image.body(), original.body());
    };
    Loaded badActors = edited;
    badActors.pointers.actorPointer = 0x7FFC;
    expectRefused(badActors);
    Loaded badActor = edited;
    badActor.actors[0].y = 0xFF;
    expectRefused(badActor);
    Loaded badStairs = edited;
    badStairs.pointers.stairPointer = 0x0100;
    expectRefused(badStairs);
    Loaded tooManyStairs = edited;
    tooManyStairs.stairs.resize(129);
    expectRefused(tooManyStairs);
    Loaded badMap = edited;
    badMap.pointers.mapPointer = 0x4000;
    expectRefused(badMap);
}

} // namespace
} // namespace quarry
