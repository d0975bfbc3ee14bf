// Hostile images and files as a whole document meets them, each with the
// exact outcome it must have: the message, the image unchanged, nothing
// written. Hostile patches, texts and typed values are checked where their
// readers are.
#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaDirectory.h"
#include "core/rom/DataFiles.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "support/OpenedWorld.h"

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
        test::OpenedWorld w([&](SyntheticWorld& world) { world.rom.putWord(level.wordAt(world, world.rom.image()), kBad); });
        // Levels shared by kVictim's whole object set break every submap of it.
        const std::string name = level.name;
        const bool shared = name == "area table" || name == "actor area table" || name == "thresholds"
                            || name == "palette record" || name == "actor submap table";
        const rom::AreaId bystander = shared ? rom::AreaId{1, 0, 0} : kBystander;
        w.document.loadArea(bystander, false);
        const auto before = w.document.rom().body();
        try {
            w.document.loadArea(kVictim, false);
            FAIL() << "the load went through";
        } catch (const RomError& error) {
            // The palette record's address is the list's plus twice the submap.
            const char* shown = name == "palette record" ? "$1236" : "$1234";
            EXPECT_NE(std::string(error.what()).find(shown), std::string::npos) << error.what();
        }
        EXPECT_EQ(w.document.area()->id, bystander);
        EXPECT_EQ(w.document.rom().body(), before);
    }
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
    test::OpenedWorld w;
    w.document.rom().write(0, 0x99);

    ::chmod(w.path.c_str(), 0444);
    EXPECT_EQ(w.document.save(), rom::SaveResult::WriteFailed);
    EXPECT_EQ(test::readFileBytes(w.path), w.world.rom.fileBytes());
    EXPECT_TRUE(w.document.romLoaded()); // still open: the user may try again

    ::chmod(w.path.c_str(), 0644);
    std::filesystem::remove_all(w.dir.path());
    EXPECT_EQ(w.document.save(), rom::SaveResult::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(w.dir.path()));
}
