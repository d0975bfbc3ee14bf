#include "core/RomError.h"
#include "core/gfx/BackgroundRenderer.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaMap.h"
#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

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
            EXPECT_EQ(area.mapPicture().height(), expected.high * 224);
            EXPECT_EQ(area.chooser.width(), 256);
            EXPECT_EQ(area.chooser.height(), 288);
            EXPECT_EQ(area.palette[16], 0x0F);
            EXPECT_EQ(area.palette[19], 0x20);
            EXPECT_EQ(area.palette[23], 0x16);
            EXPECT_EQ(area.backgroundTiles.size(), 256u * 64u);
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

TEST(DocumentArea, ScreenPointersAreWrittenLowByteFirstAndBadOnesRefused)
{
    OpenWorld w;
    const rom::AreaId id{0, 10, 0};
    w.document.loadArea(id, false);
    const std::uint16_t mapPointer = w.document.area()->pointers.mapPointer;
    const std::size_t header = rom::cpuToBody(mapPointer, rom::DataKind::AreaData);
    const int W = w.document.area()->map.screensWide;
    const int H = w.document.area()->map.screensHigh;
    const int sx = W - 1, sy = H - 1;
    const std::size_t entry = header + 2 + 2 * static_cast<std::size_t>(W * sy + sx);

    ASSERT_TRUE(w.document.setScreenPointerAt(sx * 256 + 1, sy * 224 + 1, 0x9ABC));
    EXPECT_EQ(w.document.rom().read(entry), 0xBC);
    EXPECT_EQ(w.document.rom().read(entry + 1), 0x9A);
    // The map was re-read: that position now shows the bytes at $9ABC.
    for (int i = 0; i < 56; ++i)
        EXPECT_EQ(w.document.area()->map.mapGrid[w.document.area()->map.screenBase(sx, sy) + i],
                  w.document.rom().read(0x9ABC + static_cast<std::size_t>(i)));

    const auto before = w.document.rom().body();
    EXPECT_THROW(w.document.setScreenPointerAt(1, 1, 0x7FFF), RomError);
    EXPECT_EQ(w.document.rom().body(), before);
    // The area stays loadable after the refusal.
    EXPECT_NO_THROW(w.document.loadArea(id, false));
}

TEST(DocumentArea, EraseMapZeroesEveryCellAndKeepsTheLists)
{
    OpenWorld w;
    const rom::AreaId id{2, 3, 2};
    w.document.loadArea(id, true);
    const auto stairs = w.document.area()->stairs;
    const auto actors = w.document.area()->actors;
    w.document.eraseMap();
    const session::LoadedArea& area = *w.document.area();
    EXPECT_EQ(area.id, id);
    EXPECT_TRUE(area.night);
    for (std::uint8_t cell : area.map.mapGrid)
        EXPECT_EQ(cell, 0);
    EXPECT_EQ(area.stairs, stairs);
    EXPECT_EQ(area.actors, actors);
    for (std::uint16_t screen : area.map.screenTable)
        for (std::size_t i = 0; i < 56; ++i)
            EXPECT_EQ(w.document.rom().read(rom::cpuToBody(screen, rom::DataKind::AreaData) + i), 0);
}

TEST(DocumentArea, OpeningAnotherImageForgetsTheArea)
{
    OpenWorld w;
    w.document.loadArea({0, 0, 0}, false);
    EXPECT_NE(w.document.area(), nullptr);
    ASSERT_EQ(w.document.open(w.dir.file("game.nes")), rom::OpenResult::Loaded);
    EXPECT_EQ(w.document.area(), nullptr);
    EXPECT_THROW(w.document.paintCell(0, 0, 1), RomError);
}
