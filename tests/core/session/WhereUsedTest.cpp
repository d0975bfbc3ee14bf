#include "core/session/WhereUsed.h"

#include "core/gfx/Metatiles.h"
#include "core/rom/AreaMap.h"
#include "core/demo/DemoImage.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

using namespace quarry;
using quarry::test::SyntheticWorld;

namespace {

// The expected counts from the builder's own record of its maps: each map
// the object set's submaps name, once, every screen position of it.
std::array<int, 256> expectedCounts(const SyntheticWorld& world, int objectSet, int& maps)
{
    std::array<int, 256> cells{};
    std::set<std::uint16_t> seen;
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        if (id.objectSet != objectSet)
            continue;
        const auto& map = world.game.mapOf(id);
        if (!seen.insert(map.mapPointer).second)
            continue;
        for (std::uint8_t m : map.grid)
            ++cells[m];
    }
    maps = static_cast<int>(seen.size());
    return cells;
}

int submapsOf(int objectSet)
{
    int n = 0;
    for (const rom::AreaId& id : world::catalogueSubmaps())
        n += id.objectSet == objectSet;
    return n;
}

} // namespace

TEST(WhereUsed, CountsEveryDistinctMapOfTheObjectSetOnce)
{
    SyntheticWorld world;
    const rom::RomImage rom = world.rom.image();
    bool sawSharedMap = false;
    for (int set = 0; set < 6; ++set) {
        SCOPED_TRACE(set);
        int maps = 0;
        const auto expected = expectedCounts(world, set, maps);
        const session::MetatileUsage usage = session::countMetatileUsage(rom, set);
        EXPECT_EQ(usage.maps, maps);
        EXPECT_TRUE(usage.unreadable.empty());
        EXPECT_EQ(usage.cells, expected);
        sawSharedMap |= maps < submapsOf(set);
    }
    // The builder lets some submaps share a map, so the dedup is exercised.
    EXPECT_TRUE(sawSharedMap);
}

TEST(WhereUsed, TwoMapNumbersWithOneHeaderCountOnceAndABrokenMapIsSkipped)
{
    SyntheticWorld world;
    const rom::RomImage before = world.rom.image();
    const auto original = session::countMetatileUsage(before, 1);
    const auto& map0 = world.game.map(1, 0);
    const auto& map1 = world.game.map(1, 1);

    // Map 1 now names map 0's header: one map fewer, map 1's cells gone.
    world.game.setMapPointers(1, 1, map0.mapPointer, map0.stairPointer);
    const auto merged = session::countMetatileUsage(world.rom.image(), 1);
    EXPECT_EQ(merged.maps, original.maps - 1);
    EXPECT_TRUE(merged.unreadable.empty());
    const int total = std::accumulate(merged.cells.begin(), merged.cells.end(), 0);
    const int originalTotal = std::accumulate(original.cells.begin(), original.cells.end(), 0);
    EXPECT_EQ(total, originalTotal - static_cast<int>(map1.grid.size()));

    // An address the game could not read a map from: listed, the rest counted.
    world.game.setMapPointers(1, 1, 0x1234, map1.stairPointer);
    const auto broken = session::countMetatileUsage(world.rom.image(), 1);
    EXPECT_EQ(broken.maps, original.maps - 1);
    ASSERT_FALSE(broken.unreadable.empty());
    for (const rom::AreaId& id : broken.unreadable)
        EXPECT_EQ(world.game.submap(id).mapNumber, 1);
    EXPECT_EQ(broken.cells, merged.cells);
}

TEST(WhereUsed, CellsUsingFollowsScreenOrderIntoMapColumnsAndRows)
{
    // Two screens across, one down: cell (row 6, column 7) of the right
    // screen is map cell (15, 6).
    rom::AreaMap map;
    map.screensWide = 2;
    map.screensHigh = 1;
    map.mapGrid.assign(112, 0);
    map.mapGrid[map.cellIndex(1, 0, 6, 7)] = 9;
    map.mapGrid[map.cellIndex(0, 0, 0, 1)] = 9;
    const auto cells = session::cellsUsing(map, 9);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], (session::MapCell{1, 0}));
    EXPECT_EQ(cells[1], (session::MapCell{15, 6}));
    EXPECT_EQ(session::cellsUsing(map, 0).size(), 110u);
    EXPECT_TRUE(session::cellsUsing(map, 5).empty());
}

TEST(WhereUsed, TilesUsedAreThoseInTheOfferedMetatilesOnly)
{
    rom::RomImage rom = demo::buildDemoImage();
    const int set = 2;
    const int limit = gfx::getMetatileLimit(rom, set);
    const auto used = session::tilesUsedByMetatiles(rom, set);
    // The chooser's last metatile counts; the one past it does not.
    int unused = -1;
    for (int t = 255; t >= 0 && unused < 0; --t)
        if (!used[static_cast<std::size_t>(t)])
            unused = t;
    ASSERT_GE(unused, 0);
    gfx::setMetatileTile(rom, set, limit - 1, 0, static_cast<std::uint8_t>(unused));
    EXPECT_FALSE(session::tilesUsedByMetatiles(rom, set)[static_cast<std::size_t>(unused)]);
    gfx::setMetatileTile(rom, set, limit - 2, 15, static_cast<std::uint8_t>(unused));
    EXPECT_TRUE(session::tilesUsedByMetatiles(rom, set)[static_cast<std::size_t>(unused)]);
    for (const std::uint8_t tile : gfx::getMetatileTiles(rom, set, 0))
        EXPECT_TRUE(used[tile]);
}
