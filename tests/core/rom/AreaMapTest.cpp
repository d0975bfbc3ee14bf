#include "core/RomError.h"
#include "core/rom/AreaMap.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticGame.h"

#include <gtest/gtest.h>

#include <set>

namespace quarry {
namespace {

using test::SyntheticGame;
using test::SyntheticRom;

std::vector<std::uint8_t> screenBytes(std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes(56);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i);
    return bytes;
}

TEST(AreaMap, OneScreenMapReadsFiftySixBytesFromItsScreen)
{
    SyntheticRom rom;
    rom.put(0x8000, {1, 1, 0x23, 0x81}).put(0x8123, screenBytes(0x40));
    const rom::AreaMap map = rom::decodeAreaMap(rom.image(), 0x8000);
    EXPECT_EQ(map.screensWide, 1);
    EXPECT_EQ(map.screensHigh, 1);
    EXPECT_EQ(map.screenTable, std::vector<std::uint16_t>{0x8123});
    EXPECT_EQ(map.mapGrid, screenBytes(0x40));
}

TEST(AreaMap, GridHoldsScreensRowMajorEachScreenTogether)
{
    SyntheticRom rom;
    // 3 x 2 screens; the screen table entry k names a screen filled from 16 k.
    rom.put(0x9000, {3, 2});
    for (int k = 0; k < 6; ++k) {
        const auto screen = static_cast<std::uint16_t>(0x9100 + 0x40 * k);
        rom.putWord(0x9002 + 2 * static_cast<std::size_t>(k), screen).put(screen, screenBytes(static_cast<std::uint8_t>(16 * k)));
    }
    const rom::AreaMap map = rom::decodeAreaMap(rom.image(), 0x9000);
    ASSERT_EQ(map.mapGrid.size(), 56u * 6);
    // Screen column 1, row 1, metatile row 2, column 5 is cell 245 and comes
    // from the fifth table entry.
    EXPECT_EQ(map.cellIndex(1, 1, 2, 5), 245u);
    EXPECT_EQ(map.mapGrid[245], 16 * 4 + 8 * 2 + 5);
    EXPECT_EQ(map.screenTable[4], 0x9200);
}

TEST(AreaMap, EveryCatalogueMapDecodesAsBuilt)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    const rom::RomImage image = game.image();
    std::set<std::pair<int, int>> sizes;
    for (const auto& built : game.maps()) {
        const rom::AreaMap map = rom::decodeAreaMap(image, built.mapPointer);
        EXPECT_EQ(map.screensWide, built.wide);
        EXPECT_EQ(map.screensHigh, built.high);
        EXPECT_EQ(map.screenTable, built.screenTable);
        EXPECT_EQ(map.mapGrid, built.grid);
        sizes.insert({built.wide, built.high});
    }
    EXPECT_GE(sizes.size(), 6u);
}

TEST(AreaMap, MapsInTheFixedBankAndScreensAboveBankTwo)
{
    SyntheticRom rom;
    // A header at CPU $F700 lies in the fixed bank; a screen at $C010 too.
    rom.put(0x1F700, {1, 1, 0x10, 0xC0}).put(0x1C010, screenBytes(9));
    EXPECT_EQ(rom::decodeAreaMap(rom.image(), 0xF700).mapGrid, screenBytes(9));
    // Bank 2 is switched in for map data: $A000 is body $A000, not $6000.
    rom.put(0xA000, {1, 1, 0x00, 0xA1}).put(0xA100, screenBytes(3)).put(0x6000, {1, 1, 0x00, 0xFF});
    EXPECT_EQ(rom::decodeAreaMap(rom.image(), 0xA000).mapGrid, screenBytes(3));
}

TEST(AreaMap, HeadersOfTooManyScreensAndInvalidAddressesAreRefused)
{
    SyntheticRom rom;
    // 45 x 13 = 585 screens is the largest grid below 32768 cells.
    rom.put(0x8000, {45, 13});
    for (std::size_t i = 0; i < 585; ++i)
        rom.putWord(0x8002 + 2 * i, 0x9000);
    EXPECT_EQ(rom::decodeAreaMap(rom.image(), 0x8000).mapGrid.size(), 32760u);
    rom.put(0x8000, {2, 0xFF}); // 510 screens would fit; 586 would not
    EXPECT_NO_THROW(rom::decodeAreaMap(rom.image(), 0x8000));
    rom.put(0x8000, {0xFF, 0xFF});
    try {
        rom::decodeAreaMap(rom.image(), 0x8000);
        FAIL() << "an oversize header was accepted";
    } catch (const RomError& e) {
        EXPECT_NE(std::string(e.what()).find("$8000"), std::string::npos) << e.what();
    }

    EXPECT_THROW(rom::decodeAreaMap(rom.image(), 0x7FFF), RomError);
    rom.put(0x8400, {2, 1, 0x00, 0x90, 0x00, 0x70}); // second screen below $8000
    try {
        rom::decodeAreaMap(rom.image(), 0x8400);
        FAIL() << "an invalid screen address was accepted";
    } catch (const RomError& e) {
        EXPECT_NE(std::string(e.what()).find("$7000"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("bank 2"), std::string::npos) << e.what();
    }
}

TEST(AreaMap, SharedScreensRoundTripAndShowEditsAtEveryPosition)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    // A 4 x 1 map whose last position shares the screen of the first.
    const test::SyntheticMap* shared = nullptr;
    for (const auto& m : game.maps())
        if (m.wide == 4 && m.screenTable.front() == m.screenTable.back())
            shared = &m;
    ASSERT_NE(shared, nullptr);

    rom::RomImage image = game.image();
    rom::AreaMap map = rom::decodeAreaMap(image, shared->mapPointer);
    rom::encodeAreaMap(image, shared->mapPointer, map);
    EXPECT_EQ(image.body(), rom.body());

    // Paint one cell of the last position, write that screen, decode again.
    map.mapGrid[map.cellIndex(3, 0, 6, 7)] = 0xEE;
    rom::writeScreenToRom(image, shared->mapPointer, map, 3, 0);
    EXPECT_EQ(image.read(shared->screenTable.front() + 55), 0xEE);
    const rom::AreaMap reloaded = rom::decodeAreaMap(image, shared->mapPointer);
    EXPECT_EQ(reloaded.mapGrid[reloaded.cellIndex(0, 0, 6, 7)], 0xEE);
    EXPECT_EQ(reloaded.mapGrid[reloaded.cellIndex(3, 0, 6, 7)], 0xEE);
}

TEST(AreaMap, EncodingWritesPositionsInTableOrderLastOneStays)
{
    SyntheticRom rom;
    rom.put(0x8000, {2, 1, 0x00, 0x81, 0x00, 0x81}).put(0x8100, screenBytes(0));
    rom::RomImage image = rom.image();
    rom::AreaMap map = rom::decodeAreaMap(image, 0x8000);
    map.mapGrid[0] = 0xA1;  // first position only
    map.mapGrid[56] = 0xB2; // second position, same screen
    rom::encodeAreaMap(image, 0x8000, map);
    EXPECT_EQ(image.read(0x8100), 0xB2);
}

TEST(AreaMap, RefusedWritesLeaveTheImageUntouched)
{
    SyntheticRom rom;
    rom.put(0x8000, {2, 1, 0x00, 0x81, 0x00, 0x82}).put(0x8100, screenBytes(0)).put(0x8200, screenBytes(100));
    const rom::RomImage original = rom.image();
    rom::AreaMap map = rom::decodeAreaMap(original, 0x8000);
    for (auto& cell : map.mapGrid)
        cell = 0x77;

    // The second screen address turns invalid after the decode: the first
    // screen must not be written either.
    rom.putWord(0x8004, 0x2000);
    rom::RomImage image = rom.image();
    EXPECT_THROW(rom::encodeAreaMap(image, 0x8000, map), RomError);
    EXPECT_EQ(image.body(), rom.body());
    EXPECT_THROW(rom::writeScreenToRom(image, 0x8000, map, 1, 0), RomError);
    EXPECT_EQ(image.body(), rom.body());

    // A grid that no longer matches the header is refused, and so is a
    // position past the map even where the word after the screen table
    // would read as a screen.
    rom.putWord(0x8004, 0x8200).putWord(0x8006, 0x8200);
    image = rom.image();
    rom::AreaMap small = map;
    small.screensWide = 1;
    small.mapGrid.resize(56);
    EXPECT_THROW(rom::encodeAreaMap(image, 0x8000, small), RomError);
    EXPECT_THROW(rom::writeScreenToRom(image, 0x8000, map, 2, 0), RomError);
    EXPECT_THROW(rom::writeScreenToRom(image, 0x8000, map, 0, 1), RomError);
    EXPECT_EQ(image.body(), rom.body());

    // So is a negative row, where the word before the header reads as a screen.
    rom.putWord(0x8FFE, 0x8200).put(0x9000, {2, 1, 0x00, 0x82, 0x00, 0x82});
    image = rom.image();
    EXPECT_THROW(rom::writeScreenToRom(image, 0x9000, map, 0, -1), RomError);
    EXPECT_EQ(image.body(), rom.body());
}

TEST(AreaMap, ScreenPointerEdits)
{
    SyntheticRom rom;
    rom.put(0x8000, {2, 1, 0x00, 0x81, 0x00, 0x81}).put(0x8100, screenBytes(0)).put(0x9ABC, screenBytes(50));
    rom::RomImage image = rom.image();

    EXPECT_TRUE(rom::setScreenPointer(image, 0x8000, 1, 0, 0x9ABC));
    EXPECT_EQ(image.read(0x8004), 0xBC);
    EXPECT_EQ(image.read(0x8005), 0x9A);
    const rom::AreaMap map = rom::decodeAreaMap(image, 0x8000);
    EXPECT_EQ(map.mapGrid[56], 50);
    EXPECT_EQ(map.mapGrid[0], 0); // the other position keeps its screen

    const auto before = image.body();
    EXPECT_FALSE(rom::setScreenPointer(image, 0x8000, 2, 0, 0x9000));
    EXPECT_FALSE(rom::setScreenPointer(image, 0x8000, 0, 1, 0x9000));
    EXPECT_FALSE(rom::setScreenPointer(image, 0x8000, -1, 0, 0x9000));
    EXPECT_FALSE(rom::setScreenPointer(image, 0x8000, 0, -1, 0x9000));
    EXPECT_THROW(rom::setScreenPointer(image, 0x8000, 0, 0, 0x1ABC), RomError);
    EXPECT_EQ(image.body(), before);
    EXPECT_NO_THROW(rom::decodeAreaMap(image, 0x8000));
}

} // namespace
} // namespace quarry
