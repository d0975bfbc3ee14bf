#include "core/RomError.h"
#include "core/gfx/AreaPalette.h"
#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticGraphics.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quarry;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

namespace {

struct OpenWorld : quarry::test::OpenedWorld {
    // Every byte that differs from the image as opened.
    std::vector<std::size_t> changedBytes() const
    {
        std::vector<std::size_t> changed;
        const auto& now = document.rom().body();
        for (std::size_t i = 0; i < now.size(); ++i)
            if (now[i] != world.rom.body()[i])
                changed.push_back(i);
        return changed;
    }
};

} // namespace

TEST(DocumentGraphics, AreaPaletteGoesIntoTheRecordsSetsOnly)
{
    OpenWorld w;
    // A submap whose background and sprite sets differ.
    rom::AreaId id;
    for (const rom::AreaId& candidate : world::catalogueSubmaps()) {
        const auto& sets = w.world.game.submap(candidate).dayPaletteSets;
        if (sets[0] != sets[1]) {
            id = candidate;
            break;
        }
    }
    w.document.loadArea(id, false);
    const auto& submap = w.world.game.submap(id);
    ASSERT_NE(submap.dayPaletteSets[0], submap.dayPaletteSets[1]);
    gfx::AreaPalette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<std::uint8_t>(0x20 + i);
    w.document.writeAreaPalette(submap.dayPalettePointer, palette);

    const std::size_t background = test::kSyntheticPaletteSetBody + test::kSyntheticPaletteSetStride * submap.dayPaletteSets[0];
    const std::size_t sprite = test::kSyntheticPaletteSetBody + test::kSyntheticPaletteSetStride * submap.dayPaletteSets[1];
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(w.document.rom().read(background + i), 0x20 + i);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(w.document.rom().read(sprite + i), 0x20 + 24 + i);
    // Nothing else moved; entries 16-23 went nowhere.
    for (std::size_t index : w.changedBytes())
        EXPECT_TRUE((index >= background && index < background + 16) || (index >= sprite && index < sprite + 8))
            << std::hex << index;
    // The loaded area shows the colours at once.
    EXPECT_EQ(w.document.area()->palette[0], 0x20);
    EXPECT_EQ(w.document.area()->palette[16], 0x0F);

    const auto before = w.document.rom().body();
    EXPECT_THROW(w.document.writeAreaPalette(0x7000, palette), RomError);
    EXPECT_EQ(w.document.rom().body(), before);
}

TEST(DocumentGraphics, TilesGoIntoTheObjectSetsOwnBankAndOnlyWholeBanksOfWholeTilesAreTaken)
{
    OpenWorld w;
    const int objectSet = 2;
    gfx::TilePixels tiles = gfx::loadBackgroundTiles(w.document.rom(), objectSet);
    w.document.writeBackgroundTiles(objectSet, tiles);
    EXPECT_TRUE(w.changedBytes().empty());
    tiles[5 * 64 + 9] ^= 3; // tile 5, row 1, column 1: both planes change
    w.document.writeBackgroundTiles(objectSet, tiles);
    const std::size_t base = rom::bgChrBase(w.document.rom(), objectSet);
    EXPECT_EQ(w.changedBytes(), (std::vector<std::size_t>{base + 5 * 16 + 1, base + 5 * 16 + 9}));

    gfx::TilePixels sprites = gfx::loadSpriteTiles(w.document.rom(), objectSet);
    sprites[0x21 * 64 + 7] ^= 1; // tile $21, row 0, column 7: the low plane bit changes
    w.document.writeSpriteTiles(objectSet, sprites);
    const std::size_t spriteBase = rom::sprChrBase(w.document.rom(), objectSet);
    EXPECT_EQ(w.changedBytes(), (std::vector<std::size_t>{base + 5 * 16 + 1, base + 5 * 16 + 9, spriteBase + 0x21 * 16}));

    const auto before = w.document.rom().body();
    EXPECT_THROW(w.document.writeBackgroundTiles(objectSet, gfx::TilePixels(64 * 255)), std::invalid_argument);
    EXPECT_THROW(w.document.writeSpriteTiles(objectSet, gfx::TilePixels(64 * 257)), std::invalid_argument);
    EXPECT_THROW(w.document.writeTiles(base, gfx::TilePixels(65)), std::invalid_argument);
    EXPECT_EQ(w.document.rom().body(), before);
}

TEST(DocumentGraphics, ThresholdsReachTheImageAndTheLoadedArea)
{
    OpenWorld w;
    w.document.loadArea({1, 0, 0}, false);
    const rom::SolidityThresholds edited{0x01, 0x00, 0x0A};
    w.document.setSolidityThresholds(1, edited);
    EXPECT_EQ(rom::readSolidityThresholds(w.document.rom(), 1), edited);
    EXPECT_EQ(w.document.area()->thresholds, edited);
    const std::size_t at = w.world.game.solidityIndex(1);
    for (std::size_t index : w.changedBytes())
        EXPECT_TRUE(index >= at && index < at + 3);

    // Another object set's thresholds leave the loaded area's alone.
    w.document.setSolidityThresholds(2, {9, 9, 9});
    EXPECT_EQ(w.document.area()->thresholds, edited);
}
