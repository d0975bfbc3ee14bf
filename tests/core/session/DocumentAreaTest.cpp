#include "core/RomError.h"
#include "core/gfx/BackgroundRenderer.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaMap.h"
#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarry;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

using OpenWorld = quarry::test::OpenedWorld;

// The one walk over every submap of the catalogue: each resolves, decodes
// and draws, day and night, as the synthetic game laid it out (maps named
// through $FD/$FE, lists ended in either byte, shared screens).
TEST(DocumentArea, EverySubmapLoadsDayAndNight)
{
    OpenWorld w;
    int loads = 0;
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        for (bool night : {false, true}) {
            SCOPED_TRACE(testing::Message() << id.objectSet << "/" << id.area << "/" << id.submap << " night " << night);
            ASSERT_NO_THROW(w.document.loadArea(id, night));
            const session::LoadedArea& area = *w.document.area();
            const auto& expected = w.world.game.mapOf(id);
            const auto& submap = w.world.game.submap(id);
            EXPECT_EQ(area.pointers.mapNumber, submap.mapNumber);
            EXPECT_EQ(area.pointers.mapPointer, expected.mapPointer);
            EXPECT_EQ(area.pointers.stairPointer, expected.stairPointer);
            EXPECT_EQ(area.pointers.actorPointer, submap.actorPointer);
            EXPECT_EQ(area.pointers.palettePointer, night ? submap.nightPalettePointer : submap.dayPalettePointer);
            EXPECT_EQ(area.map.mapGrid, expected.grid);
            EXPECT_EQ(area.stairs, expected.stairs);
            EXPECT_EQ(area.actors, submap.actors);
            EXPECT_EQ(area.mapPicture().width(), expected.wide * 256);
            ++loads;
        }
    }
    EXPECT_EQ(loads, 93 * 2);
}

TEST(DocumentArea, AFailedLoadLeavesTheLoadedAreaAndImage)
{
    OpenWorld w;
    const rom::AreaId good{0, 0, 0};
    w.document.loadArea(good, false);
    const auto before = w.document.rom().body();
    const std::vector<std::uint8_t> grid = w.document.area()->map.mapGrid;

    // Point a map table entry below $8000: the submap using it cannot load.
    const rom::AreaId broken{1, 6, 2};
    const int mapNumber = w.world.game.submap(broken).mapNumber;
    w.document.rom().writeWord(w.world.game.mapTableEntry(1, mapNumber), 0x1234);
    EXPECT_THROW(w.document.loadArea(broken, false), RomError);
    ASSERT_NE(w.document.area(), nullptr);
    EXPECT_EQ(w.document.area()->id, good);
    EXPECT_EQ(w.document.area()->map.mapGrid, grid);
    // The area that stayed is still fully editable.
    EXPECT_TRUE(w.document.paintCell(0, 0, 3));
}

TEST(DocumentArea, PaintingWritesTheScreenAndEveryPositionSharingItShowsIt)
{
    OpenWorld w;
    // Find a map in which two positions share one screen.
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        const auto& map = w.world.game.mapOf(id);
        for (std::size_t a = 0; a < map.screenTable.size(); ++a)
            for (std::size_t b = a + 1; b < map.screenTable.size(); ++b) {
                if (map.screenTable[a] != map.screenTable[b])
                    continue;
                w.document.loadArea(id, false);
                const int W = map.wide;
                const int ax = static_cast<int>(a % W), ay = static_cast<int>(a / W);
                const int bx = static_cast<int>(b % W), by = static_cast<int>(b / W);
                // Row 2, column 5 of screen a.
                ASSERT_TRUE(w.document.paintCell(ax * 256 + 5 * 32 + 7, ay * 224 + 2 * 32 + 31, 0x2A));
                const session::LoadedArea& area = *w.document.area();
                EXPECT_EQ(area.map.mapGrid[area.map.cellIndex(bx, by, 2, 5)], 0x2A);
                const std::size_t screen = rom::cpuToBody(map.screenTable[a], rom::DataKind::AreaData);
                EXPECT_EQ(w.document.rom().read(screen + 2 * 8 + 5), 0x2A);
                // The picture shows the painted block where the other position is.
                EXPECT_EQ(area.mapPicture().pixel(bx * 256 + 5 * 32, by * 224 + 2 * 32),
                          area.chooser.pixel(gfx::chooserX(0x2A), gfx::chooserY(0x2A)));
                return;
            }
    }
    FAIL() << "the synthetic game has no shared screens";
}

TEST(DocumentArea, PressesOutsideTheMapChangeNothing)
{
    OpenWorld w;
    w.document.loadArea({0, 0, 0}, false);
    const auto before = w.document.rom().body();
    const auto& map = w.document.area()->map;
    EXPECT_FALSE(w.document.paintCell(map.screensWide * 256, 0, 1));
    EXPECT_FALSE(w.document.paintCell(0, map.screensHigh * 224, 1));
    EXPECT_FALSE(w.document.paintCell(-1, 0, 1));
    EXPECT_FALSE(w.document.setScreenPointerAt(0, map.screensHigh * 224, 0x9000));
    EXPECT_EQ(w.document.rom().body(), before);
}

TEST(DocumentArea, ScreenPointersShowTheirScreenAtOnceAndBadOnesAreRefused)
{
    OpenWorld w;
    const rom::AreaId id{0, 10, 0};
    w.document.loadArea(id, false);
    const rom::AreaMap& map = w.document.area()->map;
    const int sx = map.screensWide - 1, sy = map.screensHigh - 1;
    ASSERT_TRUE(w.document.setScreenPointerAt(sx * 256 + 1, sy * 224 + 1, 0x9ABC));
    EXPECT_EQ(w.document.area()->map.screenTable.back(), 0x9ABC);
    const auto shown = w.document.area()->map.mapGrid.begin() + static_cast<long>(map.screenBase(sx, sy));
    const auto stored = w.document.rom().bytes(0x9ABC, 56);
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), shown));

    const auto before = w.document.rom().body();
    try {
        w.document.setScreenPointerAt(1, 1, 0x7FFF);
        ADD_FAILURE() << "a pointer below $8000 was taken";
    } catch (const RomError& error) {
        // The words give the range that may be typed, not a bank.
        EXPECT_STREQ(error.what(), "the pointer $7FFF cannot be used: a screen pointer is $8000-$FFFF");
    }
    EXPECT_EQ(w.document.rom().body(), before);
    EXPECT_NO_THROW(w.document.loadArea(id, false));
}

TEST(DocumentArea, EraseMapZeroesEveryScreenAndKeepsTheLists)
{
    OpenWorld w;
    const rom::AreaId id{2, 3, 2};
    w.document.loadArea(id, true);
    const session::LoadedArea before = *w.document.area();
    w.document.eraseMap();
    const session::LoadedArea& area = *w.document.area();
    EXPECT_EQ(area.id, id);
    EXPECT_TRUE(area.night);
    EXPECT_EQ(area.map.mapGrid, std::vector<std::uint8_t>(before.map.mapGrid.size(), 0));
    EXPECT_EQ(area.stairs, before.stairs);
    EXPECT_EQ(area.actors, before.actors);
    for (std::uint16_t screen : area.map.screenTable) {
        const auto bytes = w.document.rom().bytes(rom::cpuToBody(screen, rom::DataKind::AreaData), 56);
        EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; }));
    }
}

// In a damaged image a screen may lie over its own map's header. An edit
// whose bytes would leave the map unreadable is taken back and refused:
// nothing is written and no step is left in the history.
TEST(DocumentArea, EditsThatWouldLeaveTheMapUnreadableAreTakenBack)
{
    const rom::AreaId id = world::catalogueSubmaps().front();
    OpenWorld w([&](SyntheticWorld& world) {
        // Two screens: an ordinary one, then one starting at the header's
        // first screen pointer.
        const std::uint16_t header = world.game.allocAreaData(2 + 56);
        const std::uint16_t first = world.game.allocAreaData(56);
        for (int c = 0; c < 56; ++c)
            world.rom.put(first + c, {7});
        world.rom.put(header, {2, 1});
        world.rom.putWord(header + 2, first);
        world.rom.putWord(header + 4, header + 2);
        for (int c = 6; c < 2 + 56; ++c)
            world.rom.put(header + c, {7});
        const test::SyntheticMap& map = world.game.mapOf(id);
        world.game.setMapPointers(id.objectSet, map.number, header, map.stairPointer);
    });
    std::vector<session::EditEntry> entries;
    w.document.setEditListener([&](session::EditEntry entry) { entries.push_back(std::move(entry)); });
    w.document.loadArea(id, false);
    const std::vector<std::uint8_t> before = w.document.rom().body();
    const std::vector<std::uint8_t> grid = w.document.area()->map.mapGrid;

    // Cells (9, 0) and (11, 0) hold the high bytes of the screen pointers.
    EXPECT_THROW(w.document.paintCell(9 * 32 + 1, 1, 0x00), RomError);
    EXPECT_THROW(w.document.stampBlock({11, 0}, session::solidBlock(1, 1, 0x00), "Stamp"), RomError);
    EXPECT_THROW(w.document.eraseMap(), RomError);
    EXPECT_EQ(w.document.rom().body(), before);
    EXPECT_TRUE(entries.empty());
    ASSERT_TRUE(w.document.area());
    EXPECT_EQ(w.document.area()->map.mapGrid, grid);

    // A cell clear of the header paints as ever.
    EXPECT_TRUE(w.document.paintCell(5 * 32 + 1, 2 * 32 + 1, 0x09));
    EXPECT_EQ(entries.size(), 1u);
}
