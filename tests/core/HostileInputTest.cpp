// One row per hostile input, each with the exact outcome it must have: the
// message, the image unchanged, nothing written.
#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaDirectory.h"
#include "core/rom/DataFiles.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/session/PointerAnswer.h"
#include "core/text/TextBlock.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

using namespace quarry;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

namespace {

constexpr std::uint16_t kBad = 0x1234; // below $8000: no bank holds it
const rom::AreaId kVictim{0, 10, 1};
const rom::AreaId kBystander{0, 0, 0};

std::size_t body(std::uint16_t address, rom::DataKind kind)
{
    return rom::cpuToBody(address, kind);
}

// Where, for kVictim, each level of each chain keeps the word that leads on.
struct ChainLevel {
    const char* name;
    std::function<std::size_t(const SyntheticWorld&, const rom::RomImage&)> wordAt;
};

const ChainLevel kChainLevels[] = {
    {"area table", [](const SyntheticWorld&, const rom::RomImage&) { return layout::kAreaTablePointers; }},
    {"area record", [](const SyntheticWorld& w, const rom::RomImage&) { return w.game.areaTableEntry(0, 10); }},
    {"submap record",
     [](const SyntheticWorld& w, const rom::RomImage&) {
         return w.game.area(0, 10).record + layout::kAreaRecordSubmapPointers + 2;
     }},
    {"map",
     [](const SyntheticWorld& w, const rom::RomImage&) {
         return w.game.mapTableEntry(0, w.game.submap(kVictim).mapNumber);
     }},
    {"screen",
     [](const SyntheticWorld& w, const rom::RomImage&) {
         return body(w.game.mapOf(kVictim).mapPointer, rom::DataKind::AreaData) + 2;
     }},
    {"stairs",
     [](const SyntheticWorld& w, const rom::RomImage&) {
         return w.game.mapTableEntry(0, w.game.submap(kVictim).mapNumber) + 2;
     }},
    {"palette record",
     [](const SyntheticWorld&, const rom::RomImage& image) {
         return body(image.readWord(layout::kPaletteTablePointers), rom::DataKind::AreaData) + 4 * 10;
     }},
    {"palette set",
     [](const SyntheticWorld& w, const rom::RomImage&) {
         return layout::kPaletteSetTable + 2 * std::size_t{w.game.submap(kVictim).dayPaletteSets[0]};
     }},
    {"actor area table", [](const SyntheticWorld&, const rom::RomImage&) { return layout::kActorAreaTablePointers; }},
    {"actor submap table",
     [](const SyntheticWorld&, const rom::RomImage& image) {
         return body(image.readWord(layout::kActorAreaTablePointers), rom::DataKind::Actors) + 2 * 10;
     }},
    {"actor list", [](const SyntheticWorld& w, const rom::RomImage&) { return w.game.submap(kVictim).actorTableEntry; }},
    {"thresholds",
     [](const SyntheticWorld&, const rom::RomImage&) {
         return layout::kObjectSetGraphicsRecords + layout::kSolidityPointerOffset;
     }},
};

} // namespace

TEST(HostileInput, ALowPointerAtEveryLevelOfEveryChainIsRefusedCleanly)
{
    for (const ChainLevel& level : kChainLevels) {
        SCOPED_TRACE(level.name);
        TempDir dir;
        SyntheticWorld world;
        const std::size_t at = level.wordAt(world, world.rom.image());
        world.rom.putWord(at, kBad);
        world.writeFile(dir.file("game.nes"));

        session::Document document;
        ASSERT_EQ(document.open(dir.file("game.nes")), rom::OpenResult::Loaded);
        // Every level here belongs to kVictim's chains; area table and
        // actor area table are shared by its object set.
        const bool sharedLevel = std::string(level.name) == "area table" || std::string(level.name) == "actor area table"
                                 || std::string(level.name) == "thresholds" || std::string(level.name) == "palette record"
                                 || std::string(level.name) == "actor submap table";
        rom::AreaId bystander = sharedLevel ? rom::AreaId{1, 0, 0} : kBystander;
        document.loadArea(bystander, false);
        const auto before = document.rom().body();
        try {
            document.loadArea(kVictim, false);
            FAIL() << "the load went through";
        } catch (const RomError& error) {
            // The palette record's address is the list's plus twice the submap.
            const char* shown = std::string(level.name) == "palette record" ? "$1236" : "$1234";
            EXPECT_NE(std::string(error.what()).find(shown), std::string::npos) << error.what();
        }
        EXPECT_EQ(document.area()->id, bystander);
        EXPECT_EQ(document.rom().body(), before);
    }
}

TEST(HostileInput, MapsBeyondTheGridLimitAndListsWithoutTerminators)
{
    SyntheticWorld world;
    const auto& map = world.game.mapOf(kVictim);
    rom::RomImage image = world.rom.image();
    // 39 x 15 screens = 32760 cells: the largest grid accepted; 40 x 15 is not.
    image.write(body(map.mapPointer, rom::DataKind::AreaData), 40);
    image.write(body(map.mapPointer, rom::DataKind::AreaData) + 1, 15);
    EXPECT_THROW(rom::decodeAreaMap(image, map.mapPointer), RomError);

    // An actor list of 64 records with no terminator reads 64 and stops.
    rom::RomImage lists = world.rom.image();
    const std::uint16_t actors = world.game.submap(kVictim).actorPointer;
    for (std::size_t i = 0; i < 256; ++i)
        lists.write(body(actors, rom::DataKind::Actors) + i, 0x11);
    EXPECT_EQ(world::readActorList(lists, actors).size(), 64u);
    const std::uint16_t stairs = world.game.mapOf(kVictim).stairPointer;
    for (std::size_t i = 0; i < 256; ++i)
        lists.write(body(stairs, rom::DataKind::AreaData) + i, 0x22);
    EXPECT_EQ(world::readStairList(lists, stairs).size(), 128u);
}

TEST(HostileInput, ScreensRunningPastAShortImageAreRefused)
{
    // A body cut inside bank 7: a screen in the fixed bank near its end has
    // no 56 bytes left. The image never comes from open() this short, but
    // the core must stay inside whatever it is given.
    SyntheticWorld world;
    world.rom.resizeBody(0x1FFF0);
    rom::RomImage image = world.rom.image();
    const auto& map = world.game.mapOf(kVictim);
    image.writeWord(body(map.mapPointer, rom::DataKind::AreaData) + 2, 0xFFE0);
    EXPECT_THROW(rom::decodeAreaMap(image, map.mapPointer), RomError);
}

TEST(HostileInput, LoopingDoorChainsStillLoad)
{
    TempDir dir;
    SyntheticWorld world;
    world.game.setExit(0, 1, true, {0xFB, 2, 0x7F});
    world.game.setExit(0, 2, true, {0xFB, 1, 0x7F});
    world.writeFile(dir.file("game.nes"));
    session::Document document;
    ASSERT_EQ(document.open(dir.file("game.nes")), rom::OpenResult::Loaded);
    ASSERT_NO_THROW(document.loadArea({0, 1, 0}, false));
    EXPECT_FALSE(document.area()->doors.right.has_value());
}

TEST(HostileInput, TextsThatOverflowOrUseUndefinedCodes)
{
    TempDir dir;
    SyntheticWorld world;
    world.writeFile(dir.file("game.nes"));
    session::Document document;
    ASSERT_EQ(document.open(dir.file("game.nes")), rom::OpenResult::Loaded);
    rom::applyDefaultCharTable(document.sideData().charTable);
    text::Texts texts = document.decodeTexts();
    const auto before = document.rom().body();
    for (std::string& text : texts)
        text += std::string(200 - std::min<std::size_t>(text.size(), 200), 'A');
    try {
        document.commitTexts(texts);
        FAIL();
    } catch (const text::TextBlockFull& full) {
        EXPECT_GT(full.usage().bytesOver(), 0u);
        EXPECT_NE(std::string(full.what()).find("nothing was written"), std::string::npos);
    }
    EXPECT_EQ(document.rom().body(), before);

    // A byte the table has no text for reads as {XX} and goes back as itself.
    document.rom().write(document.textBlock().start(), 0x7A);
    EXPECT_EQ(document.decodeTexts()[0].substr(0, 4), "{7A}");
}

TEST(HostileInput, TypedPointersOutOfRange)
{
    TempDir dir;
    SyntheticWorld world;
    world.writeFile(dir.file("game.nes"));
    session::Document document;
    ASSERT_EQ(document.open(dir.file("game.nes")), rom::OpenResult::Loaded);
    document.loadArea(kVictim, false);
    const auto before = document.rom().body();
    EXPECT_THROW(session::parsePointerAnswer("99999999999"), RomError);
    EXPECT_THROW(document.setScreenPointerAt(1, 1, *session::parsePointerAnswer("$7FFF")), RomError);
    EXPECT_THROW(document.setScreenPointerAt(1, 1, *session::parsePointerAnswer("hello")), RomError);
    EXPECT_EQ(document.rom().body(), before);
}

TEST(HostileInput, UnreadableAndTruncatedSideFiles)
{
    TempDir dat;
    std::filesystem::create_directories(dat.file("TBL.DAT")); // a folder where a file should be
    std::filesystem::create_directories(dat.file("obj"));
    std::ofstream(dat.file("obj/obj05.TXT")) << "Half";
    rom::CharTable table;
    EXPECT_FALSE(rom::loadCharTable(dat.path(), table));
    EXPECT_EQ(table[0x01], "A");
    std::vector<std::string> parts, weapons;
    EXPECT_FALSE(rom::loadNameLists(dat.path(), parts, weapons));
    EXPECT_EQ(parts.size(), 7u);
    const auto types = rom::loadActorTypes(dat.path());
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0].name, "Half");
    EXPECT_EQ(types[0].controlKind, 0);
}

TEST(HostileInput, SavesToAReadOnlyFileOrAVanishedFolderAreRefused)
{
    TempDir dir;
    SyntheticWorld world;
    world.writeFile(dir.file("game.nes"));
    session::Document document;
    ASSERT_EQ(document.open(dir.file("game.nes")), rom::OpenResult::Loaded);
    document.rom().write(0, 0x99);

    ::chmod(dir.file("game.nes").c_str(), 0444);
    EXPECT_EQ(document.save(), rom::SaveResult::WriteFailed);
    EXPECT_EQ(test::readFileBytes(dir.file("game.nes")), world.rom.fileBytes());
    EXPECT_TRUE(document.romLoaded()); // still open: the user may try again

    ::chmod(dir.file("game.nes").c_str(), 0644);
    std::filesystem::remove_all(dir.path());
    EXPECT_EQ(document.save(), rom::SaveResult::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(dir.path()));
}

TEST(HostileInput, MalformedPatchesAreRefusedWithNothingApplied)
{
    TempDir dir;
    SyntheticWorld world;
    world.writeFile(dir.file("game.nes"));
    session::Document document;
    ASSERT_EQ(document.open(dir.file("game.nes")), rom::OpenResult::Loaded);
    const auto before = document.rom().body();
    const std::vector<std::vector<std::uint8_t>> patches = {
        {'P', 'A', 'T', 'C', 'H'},                                           // no "EOF"
        {'P', 'A', 'T', 'C', 'H', 0x00, 0x00, 0x10, 0x00, 0x05, 1, 2, 'E', 'O', 'F'}, // record cut short
        {'P', 'A', 'T', 'C', 'H', 0xFF, 0xFF, 0xF0, 0x00, 0x01, 0x42, 'E', 'O', 'F'}, // past the image
        {'B', 'P', 'S', '1', 0x80, 0x80, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},   // bad checksums
        {'X', 'Y', 'Z'},                                                     // neither format
    };
    for (const auto& patch : patches) {
        SCOPED_TRACE(std::string(patch.begin(), patch.begin() + 3));
        EXPECT_THROW(document.applyPatch(patch), RomError);
        EXPECT_EQ(document.rom().body(), before);
    }
}
