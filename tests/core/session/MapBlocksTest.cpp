#include "core/session/MapBlocks.h"

#include "core/RomError.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Hex.h"
#include "core/session/ReachNote.h"
#include "core/session/SharedScreens.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarry;
using session::MapCell;

namespace {

// A map of 2 x 1 screens drawn from rows of digits (16 columns, 7 rows).
rom::AreaMap pictureMap(const std::vector<std::string>& rows)
{
    rom::AreaMap map;
    map.screensWide = 2;
    map.screensHigh = 1;
    map.mapGrid.assign(112, 0);
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 16; ++column)
            map.mapGrid[map.cellIndex(column / 8, 0, row, column % 8)] =
                static_cast<std::uint8_t>(rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] - '0');
    return map;
}

bool holds(const std::vector<MapCell>& cells, MapCell cell)
{
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

// The loaded submap shows a map of three screens whose outer two are one
// screen in the image: A, B, A. Screen A is metatile 07 with a last column
// of 03; B is all 07. Another map's first screen is A too.
struct SharedScreenLayout {
    rom::AreaId id = world::catalogueSubmaps().front();
    std::uint16_t screenA = 0;
};
struct SharedScreenMap : SharedScreenLayout, test::OpenedWorld {
    std::vector<session::EditEntry> entries;

    SharedScreenMap()
        : test::OpenedWorld([this](test::SyntheticWorld& w) {
              test::SyntheticGame& game = w.game;
              screenA = game.allocAreaData(56);
              const std::uint16_t screenB = game.allocAreaData(56);
              for (int c = 0; c < 56; ++c) {
                  w.rom.put(screenA + c, {static_cast<std::uint8_t>(c % 8 == 7 ? 3 : 7)});
                  w.rom.put(screenB + c, {7});
              }
              const std::uint16_t header = game.allocAreaData(8);
              w.rom.put(header, {3, 1});
              for (int i = 0; i < 3; ++i)
                  w.rom.putWord(header + 2 + 2 * i, i == 1 ? screenB : screenA);
              const test::SyntheticMap& mine = game.mapOf(id);
              game.setMapPointers(id.objectSet, mine.number, header, mine.stairPointer);
              for (const test::SyntheticMap& other : game.maps())
                  if (other.mapPointer != mine.mapPointer) {
                      w.rom.putWord(other.mapPointer + 2, screenA);
                      break;
                  }
          })
    {
        document.setEditListener([this](session::EditEntry entry) { entries.push_back(std::move(entry)); });
        document.loadArea(id, false);
    }
    const rom::AreaMap& map() const { return document.area()->map; }
    std::uint8_t at(int column, int row) const { return session::metatileAt(map(), {column, row}); }
};

} // namespace

TEST(MapBlocks, FillJoinsEdgeNeighboursOnlyAndStaysInsideTheSelection)
{
    const rom::AreaMap map = pictureMap({"0000000000000000",
                                         "0111110001000000",
                                         "0150510010100000",
                                         "0111110001000000",
                                         "0000000000000000",
                                         "2222222222222222",
                                         "0000000000000000"});
    const std::vector<MapCell> region = session::fillRegion(map, {0, 0});
    EXPECT_EQ(region.size(), 60u);
    EXPECT_FALSE(holds(region, {3, 2})) << "a hole closed by other metatiles";
    EXPECT_FALSE(holds(region, {9, 2})) << "touching the region only at its corners";
    EXPECT_FALSE(holds(region, {0, 6})) << "beyond a wall";
    EXPECT_EQ(session::fillRegion(map, {15, 4}), region) << "the same region from its bottom right corner";
    EXPECT_TRUE(std::is_sorted(region.begin(), region.end(),
                               [](MapCell a, MapCell b) { return std::pair(a.row, a.column) < std::pair(b.row, b.column); }));

    // A selection cuts the region; a start outside it fills nothing.
    const session::CellRect selection{6, 0, 4, 5};
    const std::vector<MapCell> inside = session::fillRegion(map, {6, 0}, selection);
    EXPECT_EQ(inside.size(), 16u);
    EXPECT_TRUE(std::all_of(inside.begin(), inside.end(), [&](MapCell c) { return selection.contains(c); }));
    EXPECT_TRUE(session::fillRegion(map, {0, 0}, selection).empty());
}

TEST(MapBlocks, BlocksAreCopiedAndPlacedClippedAtEveryEdge)
{
    const rom::AreaMap map = pictureMap({"0123456789012345", "1000000000000000", "2000000000000000",
                                         "3000000000000000", "4000000000000000", "5000000000000000",
                                         "6000000000000009"});
    const session::MetatileBlock corner = session::copyBlock(map, session::spanning({1, 1}, {0, 0}));
    EXPECT_EQ(corner, (session::MetatileBlock{2, 2, {0, 1, 1, 0}}));
    // A selection wholly beside the map clips to nothing.
    EXPECT_FALSE(session::clippedToMap(map, {15, 6, 3, 3}).empty());
    EXPECT_TRUE(session::clippedToMap(map, {16, 0, 3, 3}).empty());
    EXPECT_TRUE(session::clippedToMap(map, {0, 7, 3, 3}).empty());
    // A rect of no columns or no rows holds no cell, whatever its other side.
    for (const session::CellRect& flat : {session::CellRect{0, 0, 0, 3}, session::CellRect{0, 0, 3, 0}}) {
        EXPECT_TRUE(flat.empty());
        EXPECT_FALSE(flat.contains({0, 0}));
    }

    const session::MetatileBlock block{3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
    struct Case {
        MapCell at;
        std::size_t cells;
        MapCell first;
        std::uint8_t firstValue;
    } cases[] = {
        {{-1, -1}, 4, {0, 0}, 5}, // left and top
        {{14, 5}, 4, {14, 5}, 1}, // right and bottom
        {{-2, 3}, 3, {0, 3}, 3},  // left only
        {{5, -2}, 3, {5, 0}, 7},  // top only
        {{16, 0}, 0, {}, 0},      // wholly outside
    };
    for (const Case& c : cases) {
        const std::vector<session::PlacedCell> placed = session::placeBlock(map, c.at, block);
        ASSERT_EQ(placed.size(), c.cells) << c.at.column << "," << c.at.row;
        if (!placed.empty()) {
            EXPECT_EQ(placed.front().cell, c.first);
            EXPECT_EQ(placed.front().metatile, c.firstValue);
        }
    }
}

TEST(MapBlocks, TextFormRoundTripsAndNamesTheLineOfAFault)
{
    const session::MetatileBlock block{3, 2, {0x00, 0x0A, 0xFF, 0x3C, 0x01, 0x10}};
    EXPECT_EQ(session::blockText(block), "00 0A FF\n3C 01 10\n");
    EXPECT_EQ(session::parseBlockText(session::blockText(block)), block);
    // As a text editor may leave it: lower case, tabs, CR LF, blank lines around.
    EXPECT_EQ(session::parseBlockText("\r\n00\t0a  ff\r\n3c 01 10\r\n\n"), block);

    const struct {
        const char* text;
        const char* line;
    } bad[] = {
        {"00 01\n02\n", "line 2:"},
        {"00 01\n\n02 03\n", "line 2:"},
        {"00 1\n", "line 1:"},
        {"00 01\n02 0G\n", "line 2:"},
        {"00 100\n", "line 1:"},
        {"  \n\n", "line 1:"},
    };
    for (const auto& c : bad) {
        try {
            session::parseBlockText(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RomError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.line, 0), 0u) << error.what();
        }
    }
}

TEST(MapBlocks, EnvelopeNamesTheObjectSetAndRefusesAnythingElse)
{
    const session::MetatileBlock block{2, 1, {0x05, 0x1F}};
    EXPECT_EQ(session::blockEnvelope(3, block), "set 3\n05 1F\n");
    const auto read = session::readBlockEnvelope(session::blockEnvelope(3, block));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->objectSet, 3);
    EXPECT_EQ(read->text, "05 1F\n");
    EXPECT_EQ(session::readBlockEnvelope("set  12 \r\n00\n")->objectSet, 12);

    for (const char* bad : {"set 3", "set x\n00\n", "set \n00\n", "Set 3\n00\n", "set 3x\n", "set 99999999999\n", ""})
        EXPECT_FALSE(session::readBlockEnvelope(bad)) << bad;
}

TEST(MapBlocks, PixelsFallInCellsAndCellsInScreens)
{
    // Two screens across and two down: 512 x 448 pixels, 16 x 14 cells.
    rom::AreaMap map;
    map.screensWide = 2;
    map.screensHigh = 2;
    map.mapGrid.assign(4 * 56, 0);
    EXPECT_EQ(session::cellAtPixel(map, 0, 0), (MapCell{0, 0}));
    EXPECT_EQ(session::cellAtPixel(map, 255, 223), (MapCell{7, 6}));
    EXPECT_EQ(session::cellAtPixel(map, 256, 224), (MapCell{8, 7}));
    EXPECT_EQ(session::cellAtPixel(map, 511, 447), (MapCell{15, 13}));
    EXPECT_EQ(session::cellAtPixel(map, 512, 0), std::nullopt);
    EXPECT_EQ(session::cellAtPixel(map, 0, 448), std::nullopt);
    EXPECT_EQ(session::cellAtPixel(map, -1, 5), std::nullopt);

    EXPECT_EQ(session::screenPlaceOf({7, 6}), (session::ScreenPlace{0, 0, 6, 7}));
    EXPECT_EQ(session::screenPlaceOf({9, 10}), (session::ScreenPlace{1, 1, 3, 1}));
    // Screens in rows of screens, 56 cells each, row-major inside.
    EXPECT_EQ(session::cellGridIndex(map, {9, 10}), 3u * 56 + 3 * 8 + 1);
    EXPECT_EQ(session::screenPosition(map, {9, 10}), 3);
    map.mapGrid[3u * 56 + 25] = 0x42;
    EXPECT_EQ(session::metatileAt(map, {9, 10}), 0x42);
}

TEST(MapBlocks, FillThroughASharedScreenWritesOnlyTheRegionAsOneStep)
{
    SharedScreenMap m;
    const std::vector<std::uint8_t> before = m.document.rom().body();

    // The region around (10, 0): screen B and the right copy of A up to its
    // last column; the left copy of A is walled off by its column of 03,
    // yet shows the fill, being the same bytes.
    const auto edit = m.document.fillCells({10, 0}, 0x02);
    EXPECT_EQ(edit.cells.size(), 56u + 49u);
    ASSERT_EQ(m.entries.size(), 1u);
    EXPECT_EQ(m.entries[0].name, "Fill 105 cells with 02");
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(m.at(0, row), 0x02);
        EXPECT_EQ(m.at(7, row), 0x03);
        EXPECT_EQ(m.at(23, row), 0x03);
    }
    const auto sharing = session::ScreenSharing::survey(m.document.rom(), m.document.area()->id,
                                                        m.document.area()->pointers.mapPointer,
                                                        m.map());
    EXPECT_EQ(sharing.otherPlaces(0), 2);
    EXPECT_EQ(sharing.otherPlaces(1), 0);
    EXPECT_EQ(sharing.otherPlaces(3), 0) << "past the last position";
    EXPECT_EQ(session::reachText(sharing.reachOf(edit.bodyBytes, edit.positions)),
              "also changes screen 0 of this map and 1 place in other maps");
    EXPECT_EQ(session::reachNote(m.document, edit), "also changes screen 0 of this map and 1 place in other maps");
    // Screen B shows nowhere else: a write there reaches no one, and with no
    // area loaded there is nothing to say.
    const session::Document::CellEdit alone = session::paintedCellEdit(m.document, 300, 10);
    ASSERT_EQ(alone.positions, std::set<int>{1});
    EXPECT_TRUE(sharing.reachOf(alone.bodyBytes, alone.positions).empty());
    EXPECT_FALSE(sharing.reachOf(edit.bodyBytes, edit.positions).empty());
    EXPECT_EQ(session::reachNote(session::Document(), edit), "");

    // Filling with what the cell holds writes nothing; one undo restores
    // every byte.
    EXPECT_TRUE(m.document.fillCells({10, 0}, 0x02).empty());
    EXPECT_EQ(m.entries.size(), 1u);
    m.document.undo(m.entries[0]);
    EXPECT_EQ(m.document.rom().body(), before);
}

TEST(MapBlocks, StampKeepsTheLaterCellOfOneByteAndRefusesUnofferedMetatiles)
{
    SharedScreenMap m;
    const std::vector<std::uint8_t> before = m.document.rom().body();
    const int last = gfx::lastOfferedMetatile(m.document.area()->metatileLimit);

    // Cells 0 and 16 of the row are one byte of screen A: the later wins.
    session::MetatileBlock row = session::solidBlock(24, 1, 0x01);
    row.cells[16] = 0x04;
    m.document.stampBlock({0, 0}, row, "Paste 24 x 1 block");
    EXPECT_EQ(m.at(0, 0), 0x04);
    EXPECT_EQ(m.at(16, 0), 0x04);
    EXPECT_EQ(m.at(8, 0), 0x01);
    EXPECT_EQ(m.at(0, 1), 0x07);
    ASSERT_EQ(m.entries.size(), 1u);
    EXPECT_EQ(m.entries[0].name, "Paste 24 x 1 block");
    m.document.undo(m.entries[0]);
    EXPECT_EQ(m.document.rom().body(), before);

    // A block with numbers the chooser does not offer, even in a part that
    // would be clipped away, writes nothing and says which.
    session::MetatileBlock foreign = session::solidBlock(2, 1, 0x01);
    foreign.cells[1] = static_cast<std::uint8_t>(last + 1);
    try {
        m.document.stampBlock({23, 0}, foreign, "Paste 2 x 1 block");
        ADD_FAILURE() << "an unoffered metatile was written";
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what()).find(hexDigits(static_cast<std::uint32_t>(last + 1), 2)), std::string::npos);
    }
    EXPECT_THROW(m.document.fillCells({0, 0}, static_cast<std::uint8_t>(last + 1)), RomError);
    EXPECT_EQ(m.document.rom().body(), before);
    EXPECT_EQ(m.entries.size(), 1u);
}
