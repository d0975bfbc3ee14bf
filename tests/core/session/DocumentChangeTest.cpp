#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

using namespace quarry;

namespace {

// A document whose history entries and change reports are kept.
struct WatchedDocument : test::OpenedWorld {
    std::vector<session::EditEntry> entries;
    std::vector<session::Change> changes;
    rom::AreaId first = world::catalogueSubmaps().front();

    WatchedDocument()
    {
        document.setEditListener([this](session::EditEntry entry) { entries.push_back(std::move(entry)); });
        document.setChangeListener([this](const session::Change& change) { changes.push_back(change); });
        document.loadArea(first, false);
        changes.clear(); // the load's own announcement
    }
    const session::LoadedArea& area() const { return *document.area(); }
    // A pixel of cell (column, row) of screen (0, 0).
    static int at(int cell) { return cell * 32 + 5; }
};

} // namespace

TEST(DocumentChanges, AGestureIsOneEntryAndAnEmptyOneIsNone)
{
    WatchedDocument w;
    const std::uint8_t old0 = w.area().map.mapGrid[0];
    const std::uint8_t paint = static_cast<std::uint8_t>(old0 == 1 ? 2 : 1);

    w.document.beginGesture("Paint metatile 01");
    for (int column = 0; column < 4; ++column)
        w.document.paintCell(WatchedDocument::at(column), WatchedDocument::at(0), paint);
    // The views hear of every cell as it is painted; the history of none yet.
    EXPECT_TRUE(w.entries.empty());
    EXPECT_GE(w.changes.size(), 1u);
    EXPECT_EQ(w.area().map.mapGrid[3], paint);
    w.document.endGesture();
    ASSERT_EQ(w.entries.size(), 1u);
    EXPECT_EQ(w.entries[0].name, "Paint metatile 01");
    EXPECT_EQ(w.entries[0].area, w.first);
    EXPECT_EQ(w.entries[0].changed, session::kMapChanged);

    // Painting what the cells hold already writes nothing and makes no step.
    w.changes.clear();
    w.document.beginGesture("Paint metatile 01");
    w.document.paintCell(WatchedDocument::at(0), WatchedDocument::at(0), paint);
    w.document.endGesture();
    EXPECT_EQ(w.entries.size(), 1u);
    EXPECT_TRUE(w.changes.empty());

    // Undo takes the whole stroke back and says what and where.
    const session::Document::Restored restored = w.document.undo(w.entries[0]);
    EXPECT_EQ(w.area().map.mapGrid[0], old0);
    EXPECT_EQ(restored.area, w.first);
    EXPECT_TRUE(restored.undone);
    ASSERT_FALSE(w.changes.empty());
    EXPECT_EQ(w.changes.back().origin, session::Change::Origin::Undo);
    EXPECT_TRUE(w.changes.back().touches(session::kMapChanged));
}

TEST(DocumentChanges, GraphicsEditsReachTheLoadedAreaAtOnce)
{
    WatchedDocument w;
    const int set = w.first.objectSet;
    // A tile of the loaded object set's background bank: the chooser is
    // drawn again from it before anyone hears of the change.
    std::vector<std::uint8_t> tile(64, 3);
    w.document.writeTiles(rom::bgChrBase(w.document.rom(), set), tile);
    EXPECT_EQ(w.area().backgroundTiles[0], 3);
    ASSERT_EQ(w.changes.size(), 1u);
    EXPECT_EQ(w.changes[0].kinds, session::kTilesChanged);
    EXPECT_FALSE(w.changes[0].area); // tiles belong to no submap

    w.document.writePpuMask({1, 0x20});
    EXPECT_EQ(w.area().mask.greyscale, 1);
    EXPECT_EQ(w.changes.back().kinds, session::kMaskChanged);
}

TEST(DocumentChanges, OpeningOrLoadingEndsAnOpenGesture)
{
    WatchedDocument w;
    w.document.beginGesture("Paint metatile 07");
    w.document.paintCell(WatchedDocument::at(1), WatchedDocument::at(1), 7);
    w.document.loadArea(w.first, true);
    EXPECT_FALSE(w.document.gestureOpen());
    ASSERT_EQ(w.entries.size(), 1u);
    // Later edits are steps of their own.
    w.document.paintCell(WatchedDocument::at(2), WatchedDocument::at(1), 7);
    EXPECT_EQ(w.entries.size(), 2u);
}

TEST(DocumentChanges, OpeningAnImageAndLoadingASubmapAreAnnouncedLikeEdits)
{
    WatchedDocument w;
    w.document.loadArea(w.first, true);
    ASSERT_EQ(w.changes.size(), 1u);
    EXPECT_EQ(w.changes.back().origin, session::Change::Origin::Load);
    EXPECT_EQ(w.changes.back().area, w.first);
    EXPECT_TRUE(w.changes.back().showsAnew());
    EXPECT_TRUE(w.entries.empty()); // no step of the history

    // A load that fails leaves the area and says nothing.
    w.changes.clear();
    EXPECT_THROW(w.document.loadArea(rom::AreaId{0x7F, 0, 0}, false), RomError);
    EXPECT_TRUE(w.changes.empty());
    EXPECT_EQ(w.area().id, w.first);

    // Another image: announced with no submap loaded; a failed open is silent.
    EXPECT_NE(w.document.open(w.dir.file("missing.nes")), rom::OpenResult::Loaded);
    EXPECT_TRUE(w.changes.empty());
    ASSERT_EQ(w.document.open(w.path), rom::OpenResult::Loaded);
    ASSERT_EQ(w.changes.size(), 1u);
    EXPECT_EQ(w.changes[0].origin, session::Change::Origin::Open);
    EXPECT_EQ(w.changes[0].area, std::nullopt);
    EXPECT_EQ(w.document.area(), nullptr);
    EXPECT_FALSE(session::Change{}.showsAnew());
}
