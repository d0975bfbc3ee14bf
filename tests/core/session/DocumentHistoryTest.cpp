#include "core/RomError.h"
#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/patch/PatchFile.h"
#include "core/session/Document.h"
#include "core/text/TextBlock.h"
#include "support/SyntheticText.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

using namespace quarry;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

namespace {

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct HistoryDocument : test::OpenedWorld {
    std::vector<session::EditEntry> entries;

    HistoryDocument()
    {
        document.sideData().charTable = test::defaultTextTable();
        document.setEditListener([this](session::EditEntry entry) { entries.push_back(std::move(entry)); });
        load(world::catalogueSubmaps().front());
    }

    void load(const rom::AreaId& id, bool night = false) { document.loadArea(id, night); }
    const session::LoadedArea& area() const { return *document.area(); }
    std::vector<std::uint8_t> body() const { return document.rom().body(); }
};

// The metatiles an editor offers for editing: below the limit byte and
// inside the table's room (a random session can raise the limit past it).
int editableMetatiles(const session::LoadedArea& area, int objectSet)
{
    return std::max(1, std::min<int>(area.metatileLimit - 1, gfx::metatileCapacity(objectSet)));
}

// One random user edit of any kind the program offers. Refused edits
// (a drag off the map, a text that does not fit) are part of the mix.
void randomEdit(HistoryDocument& h, std::mt19937& random)
{
    auto pick = [&](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
    session::Document& doc = h.document;
    const session::LoadedArea& area = h.area();
    const int width = area.map.screensWide * 256;
    const int height = area.map.screensHigh * 224;
    const int objectSet = area.id.objectSet;
    switch (pick(16)) {
    case 0:
        doc.paintCell(pick(width), pick(height), static_cast<std::uint8_t>(pick(std::max<int>(area.metatileLimit - 1, 1))));
        break;
    case 1: {
        const auto& screens = h.world.game.mapOf(area.id).screenTable;
        doc.setScreenPointerAt(pick(width), pick(height), screens[static_cast<std::size_t>(pick(int(screens.size())))]);
        break;
    }
    case 2: doc.eraseMap(); break;
    case 3:
        if (!area.actors.empty()) {
            const world::ActorRecord& actor = area.actors[0];
            const world::MapPoint start{actor.x * 16 + 4, actor.y * 16 - 4};
            doc.moveActor(pick(int(area.actors.size())) * 0, start,
                          {start.x + (pick(5) - 2) * 16, start.y + (pick(5) - 2) * 16}, 16, 32);
        }
        break;
    case 4:
        if (!area.actors.empty())
            doc.setActorType(pick(int(area.actors.size())), static_cast<std::uint8_t>(pick(0x60)));
        break;
    case 5:
        if (!area.stairs.empty()) {
            const int i = pick(int(area.stairs.size()));
            const world::MapPoint start{area.stairs[std::size_t(i)].x * 32 + 4, area.stairs[std::size_t(i)].y * 32 + 4};
            doc.moveStair(i, start, {start.x + (pick(3) - 1) * 32, start.y + (pick(3) - 1) * 32}, 32, 32);
        }
        break;
    case 6:
        if (!area.stairs.empty())
            doc.turnStair(pick(int(area.stairs.size())));
        break;
    case 7: {
        // Two strings change places (always fits) or one takes another's
        // text (may not fit, and then nothing is written).
        text::Texts texts = doc.decodeTexts();
        const auto a = static_cast<std::size_t>(pick(int(texts.size())));
        const auto b = static_cast<std::size_t>(pick(int(texts.size())));
        if (pick(2) == 0)
            std::swap(texts[a], texts[b]);
        else
            texts[a] = texts[b];
        try {
            doc.commitTexts(texts);
        } catch (const text::TextBlockFull&) {
        }
        break;
    }
    case 8: {
        gfx::AreaPalette palette = area.palette;
        for (auto& entry : palette)
            entry = static_cast<std::uint8_t>(pick(0x40));
        doc.writeAreaPalette(area.pointers.palettePointer, palette);
        break;
    }
    case 9: {
        gfx::PpuMaskSettings mask;
        mask.greyscale = static_cast<std::uint8_t>(pick(2));
        mask.emphasis = static_cast<std::uint8_t>(pick(8) * 32);
        doc.writePpuMask(mask);
        break;
    }
    case 10: {
        std::vector<std::uint8_t> tiles(gfx::kPixelsPerTile * static_cast<std::size_t>(1 + pick(3)));
        for (auto& pixel : tiles)
            pixel = static_cast<std::uint8_t>(pick(4));
        doc.writeTiles(rom::bgChrBase(doc.rom(), objectSet) + static_cast<std::size_t>(pick(250)) * 16, tiles);
        break;
    }
    case 11: {
        const int metatile = pick(editableMetatiles(area, objectSet));
        const int position = pick(16);
        doc.setMetatileTile(objectSet, metatile, position, static_cast<std::uint8_t>(pick(256)));
        break;
    }
    case 12:
    {
        const int metatile = pick(editableMetatiles(area, objectSet));
        doc.setMetatileAttribute(objectSet, metatile, static_cast<std::uint8_t>(pick(256)));
    }
        break;
    case 13:
        doc.setSolidityThresholds(objectSet, {static_cast<std::uint8_t>(pick(256)), static_cast<std::uint8_t>(pick(256)),
                                              static_cast<std::uint8_t>(pick(256))});
        break;
    case 15: {
        // An editor closing: several writes, some over the same bytes, as
        // one step.
        session::Document::EditScope scope(doc, "Write tiles");
        const std::size_t start = rom::bgChrBase(doc.rom(), objectSet) + static_cast<std::size_t>(pick(250)) * 16;
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<std::uint8_t> tiles(gfx::kPixelsPerTile * 2);
            for (auto& pixel : tiles)
                pixel = static_cast<std::uint8_t>(pick(4));
            doc.writeTiles(start + static_cast<std::size_t>(pass) * 16, tiles);
        }
        doc.setSolidityThresholds(objectSet, {static_cast<std::uint8_t>(pick(256)), 0, 0});
        break;
    }
    case 14: {
        // Another submap, by day or night: undo must not depend on which
        // one is loaded.
        const auto& submaps = world::catalogueSubmaps();
        h.load(submaps[static_cast<std::size_t>(pick(int(submaps.size())))], pick(2) == 1);
        break;
    }
    }
}

} // namespace

TEST(DocumentHistory, UndoingARandomSessionRestoresTheImageAndRedoingRepeatsIt)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        HistoryDocument h;
        h.load(test::busySubmap(h.world));
        std::mt19937 random(seed);
        const std::vector<std::uint8_t> original = h.body();
        for (int step = 0; step < 120; ++step)
            randomEdit(h, random);
        const std::vector<std::uint8_t> edited = h.body();
        ASSERT_NE(edited, original) << "seed " << seed;
        ASSERT_GT(h.entries.size(), 30u) << "seed " << seed;
        for (const session::EditEntry& entry : h.entries) {
            // Every write came from an action with a name; none escaped.
            EXPECT_NE(entry.name, session::Document::kUnnamedEdit);
            EXPECT_FALSE(entry.empty());
        }

        const rom::AreaId shown = h.area().id;
        const bool night = h.area().night;
        for (auto it = h.entries.rbegin(); it != h.entries.rend(); ++it)
            ASSERT_TRUE(h.document.undo(*it).areaReloaded);
        EXPECT_EQ(h.body(), original) << "seed " << seed;
        // The area stays the one loaded and shows the restored bytes.
        EXPECT_EQ(h.area().id, shown);
        EXPECT_EQ(h.area().night, night);
        const session::LoadedArea fresh = session::readLoadedArea(h.document.rom(), shown, night);
        EXPECT_EQ(h.area().map.mapGrid, fresh.map.mapGrid);
        EXPECT_EQ(h.area().actors, fresh.actors);
        EXPECT_EQ(h.area().palette, fresh.palette);
        EXPECT_EQ(h.area().backgroundTiles, fresh.backgroundTiles);

        for (const session::EditEntry& entry : h.entries)
            h.document.redo(entry);
        EXPECT_EQ(h.body(), edited) << "seed " << seed;
    }
}

TEST(DocumentHistory, MergedTextStepsUndoAsOne)
{
    HistoryDocument h;
    text::Texts texts = h.document.decodeTexts();
    // Room to type in: the first string is emptied.
    texts[0].clear();
    h.document.commitTexts(texts);
    h.entries.clear();
    const std::vector<std::uint8_t> original = h.body();
    // Typing into string 5, letter by letter, then into string 6.
    for (const char* word : {"A", "AB", "A"}) {
        texts[5] = word;
        h.document.commitTexts(texts);
    }
    texts[6] = "B";
    h.document.commitTexts(texts);
    ASSERT_EQ(h.entries.size(), 4u);
    EXPECT_EQ(h.entries[0].name, "Edit text 05");
    EXPECT_EQ(h.entries[0].mergeId, session::textMergeId(5));
    EXPECT_EQ(h.entries[2].mergeId, session::textMergeId(5));
    EXPECT_EQ(h.entries[3].name, "Edit text 06");
    EXPECT_NE(h.entries[3].mergeId, h.entries[0].mergeId);

    session::EditEntry typing = h.entries[0];
    typing.absorb(h.entries[1]);
    typing.absorb(h.entries[2]);
    const std::vector<std::uint8_t> afterTyping = [&] {
        session::Document::Restored r = h.document.undo(h.entries[3]);
        EXPECT_TRUE(r.problem.empty());
        return h.body();
    }();
    h.document.undo(typing);
    EXPECT_EQ(h.body(), original);
    h.document.redo(typing);
    EXPECT_EQ(h.body(), afterTyping);
    EXPECT_EQ(h.document.decodeTexts()[5], "A");
}

TEST(DocumentHistory, AnEntryKeepsOnlyTheStretchThatChanged)
{
    session::EditEntry entry;
    entry.record(100, std::vector<std::uint8_t>{1, 2, 3, 4, 5}, std::vector<std::uint8_t>{1, 9, 3, 8, 5});
    entry.record(200, std::vector<std::uint8_t>{7, 7}, std::vector<std::uint8_t>{7, 7}); // no change, no record
    ASSERT_EQ(entry.changes.size(), 1u);
    EXPECT_EQ(entry.changes[0].index, 101u);
    EXPECT_EQ(entry.changes[0].before, (std::vector<std::uint8_t>{2, 3, 4}));
    EXPECT_EQ(entry.changes[0].after, (std::vector<std::uint8_t>{9, 3, 8}));
}

TEST(DocumentHistory, ScopesFoldNestedEditsAndNothingEscapes)
{
    HistoryDocument h;
    const int objectSet = h.area().id.objectSet;
    {
        session::Document::EditScope outer(h.document, "Write tiles");
        h.document.setSolidityThresholds(objectSet, {1, 2, 3});
        h.document.writeTiles(rom::bgChrBase(h.document.rom(), objectSet),
                              std::vector<std::uint8_t>(gfx::kPixelsPerTile, 3));
        EXPECT_TRUE(h.entries.empty()) << "nothing is handed out before the outermost scope ends";
    }
    ASSERT_EQ(h.entries.size(), 1u);
    EXPECT_EQ(h.entries[0].name, "Write tiles");
    EXPECT_EQ(h.entries[0].changes.size(), 2u);

    // A write no action announced becomes an entry of its own.
    const std::uint8_t old = h.document.rom().read(0x200);
    h.document.rom().write(0x200, static_cast<std::uint8_t>(old ^ 0xFF));
    ASSERT_EQ(h.entries.size(), 2u);
    EXPECT_EQ(h.entries[1].name, session::Document::kUnnamedEdit);
    ASSERT_EQ(h.entries[1].changes.size(), 1u);
    EXPECT_EQ(h.entries[1].changes[0].index, 0x200u);

    // Writing what is already there is no step at all.
    h.document.setSolidityThresholds(objectSet, {1, 2, 3});
    h.document.paintCell(0, 0, h.area().map.mapGrid[0]);
    EXPECT_EQ(h.entries.size(), 2u);

    // An action that fails half-way still hands over what it wrote.
    try {
        session::Document::EditScope scope(h.document, "Erase map");
        h.document.rom().write(0x201, static_cast<std::uint8_t>(h.document.rom().read(0x201) ^ 1));
        h.document.rom().write(h.document.rom().size(), 0); // outside: throws
    } catch (const RomError&) {
    }
    ASSERT_EQ(h.entries.size(), 3u);
    EXPECT_EQ(h.entries[2].name, "Erase map");

    // Each kind of edit names itself.
    h.load(test::busySubmap(h.world));
    h.entries.clear();
    h.document.paintCell(0, 0, static_cast<std::uint8_t>(h.area().map.mapGrid[0] == 0x1A ? 0x1B : 0x1A));
    h.document.setActorType(0, static_cast<std::uint8_t>(h.area().actors[0].type ^ 1));
    ASSERT_EQ(h.entries.size(), 2u);
    EXPECT_EQ(h.entries[0].name.rfind("Paint metatile 1", 0), 0u);
    EXPECT_EQ(h.entries[1].name, "Set type of actor 00");
}

TEST(DocumentHistory, OpeningAnotherImageForgetsTheAreaButKeepsRecording)
{
    HistoryDocument h;
    h.world.writeFile(h.dir.file("other.nes"));
    ASSERT_EQ(h.document.open(h.dir.file("other.nes")), rom::OpenResult::Loaded);
    EXPECT_EQ(h.document.area(), nullptr);
    EXPECT_THROW(h.document.paintCell(0, 0, 1), RomError);
    h.load(world::catalogueSubmaps().front());
    h.document.paintCell(0, 0, static_cast<std::uint8_t>(h.area().map.mapGrid[0] ^ 1));
    EXPECT_EQ(h.entries.size(), 1u);

    // A failed open keeps the image, the path and the recording.
    std::ofstream(h.dir.file("bad.nes")) << "not an image";
    EXPECT_NE(h.document.open(h.dir.file("bad.nes")), rom::OpenResult::Loaded);
    EXPECT_EQ(h.document.romPath(), h.dir.file("other.nes"));
    h.document.eraseMap();
    EXPECT_EQ(h.entries.size(), 2u);
}

TEST(DocumentHistory, AStepTheAreaCannotBeShownAfterUnloadsItAndForeignStepsAreRefused)
{
    HistoryDocument h;
    const rom::AreaId id = h.area().id;
    // A step whose old bytes break the loaded submap's map table entry.
    const std::size_t entry = h.world.game.mapTableEntry(id.objectSet, h.world.game.submap(id).mapNumber);
    session::EditEntry breaking;
    breaking.name = "Set screen pointer";
    const std::vector<std::uint8_t> now(h.document.rom().bytes(entry, 2).begin(), h.document.rom().bytes(entry, 2).end());
    breaking.record(entry, std::vector<std::uint8_t>{0x34, 0x12}, now);
    const session::Document::Restored restored = h.document.undo(breaking);
    EXPECT_FALSE(restored.areaReloaded);
    EXPECT_NE(restored.problem.find("$1234"), std::string::npos) << restored.problem;
    EXPECT_EQ(h.document.area(), nullptr);
    EXPECT_EQ(h.document.rom().readWord(entry), 0x1234);
    EXPECT_TRUE(h.entries.empty()) << "undo itself is not recorded";

    session::EditEntry foreign;
    foreign.name = "Write tiles";
    foreign.record(h.document.rom().size() - 1, std::vector<std::uint8_t>{1, 2}, std::vector<std::uint8_t>{3, 4});
    const std::vector<std::uint8_t> before = h.body();
    EXPECT_THROW(h.document.undo(foreign), RomError);
    EXPECT_EQ(h.body(), before);
}

TEST(DocumentHistory, TheFirstSaveOfEachOpeningKeepsTheOpenedFileAsBackupAndAFailedBackupStopsIt)
{
    HistoryDocument h;
    const std::string path = h.path;
    const std::vector<std::uint8_t> opened = readFile(path);
    EXPECT_EQ(h.document.openedFile(), opened);
    h.document.paintCell(0, 0, static_cast<std::uint8_t>(h.area().map.mapGrid[0] ^ 1));
    EXPECT_EQ(h.document.save([](rom::SaveStep step) { return step == rom::SaveStep::Backup; }),
              rom::SaveResult::BackupFailed);
    EXPECT_EQ(readFile(path), opened);

    ASSERT_EQ(h.document.save(), rom::SaveResult::Written);
    EXPECT_EQ(h.document.backupPath(), path + ".bak");
    EXPECT_EQ(readFile(path + ".bak"), opened);
    EXPECT_NE(readFile(path), opened);
    // Later saves of the same opening leave the backup alone.
    h.document.eraseMap();
    ASSERT_EQ(h.document.save(), rom::SaveResult::Written);
    EXPECT_EQ(readFile(path + ".bak"), opened);

    // Opening again makes a new backup on the next save; the first is kept.
    ASSERT_EQ(h.document.open(path), rom::OpenResult::Loaded);
    const std::vector<std::uint8_t> reopened = readFile(path);
    h.document.rom().write(0x300, static_cast<std::uint8_t>(h.document.rom().read(0x300) ^ 1));
    ASSERT_EQ(h.document.save(), rom::SaveResult::Written);
    EXPECT_NE(h.document.backupPath(), path + ".bak");
    EXPECT_EQ(readFile(h.document.backupPath()), reopened);
    EXPECT_EQ(readFile(path + ".bak"), opened);
}

TEST(DocumentHistory, SaveAsBecomesTheCurrentFileWithoutABackup)
{
    HistoryDocument h;
    const std::string original = h.path;
    const std::vector<std::uint8_t> opened = readFile(original);
    const std::string copy = h.dir.file("copy.nes");
    h.document.rom().write(0x300, static_cast<std::uint8_t>(h.document.rom().read(0x300) ^ 1));

    // A failed write leaves the current file as it was.
    EXPECT_EQ(h.document.saveAs(copy, [](rom::SaveStep step) { return step == rom::SaveStep::Rename; }),
              rom::SaveResult::WriteFailed);
    EXPECT_EQ(h.document.romPath(), original);
    ASSERT_EQ(h.document.saveAs(copy), rom::SaveResult::Written);
    EXPECT_EQ(h.document.romPath(), copy);
    EXPECT_EQ(readFile(original), opened);

    // Saves now go to the new file, and it has no opened state to back up.
    h.document.rom().write(0x301, static_cast<std::uint8_t>(h.document.rom().read(0x301) ^ 1));
    ASSERT_EQ(h.document.save(), rom::SaveResult::Written);
    EXPECT_EQ(readFile(copy), patch::imageFileBytes(h.document.rom()));
    EXPECT_FALSE(std::filesystem::exists(copy + ".bak"));
    EXPECT_FALSE(std::filesystem::exists(original + ".bak"));
}
