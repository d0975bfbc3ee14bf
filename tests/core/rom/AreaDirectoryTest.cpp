#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaDirectory.h"
#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticGame.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using rom::AreaId;
using test::SyntheticGame;
using test::SyntheticRom;

TEST(AreaDirectory, SubmapRecordsWithFdOrFeTakeTheMapNumberFromTheSecondByte)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    const AreaId id{2, 0, 1};
    const std::size_t record = game.submap(id).submapRecord;
    for (std::uint8_t marker : {std::uint8_t{0xFD}, std::uint8_t{0xFE}}) {
        rom.put(record, {marker, 3});
        EXPECT_EQ(rom::resolveArea(rom.image(), id, false).mapNumber, 3);
        EXPECT_EQ(rom::resolveArea(rom.image(), id, false).mapPointer, game.map(2, 3).mapPointer);
    }
    // Any other first byte is the map number itself, even $FC or $FF.
    rom.put(record, {0x02, 3});
    EXPECT_EQ(rom::resolveArea(rom.image(), id, false).mapNumber, 2);
    rom.put(record, {0xFC, 3});
    EXPECT_EQ(rom::resolveArea(rom.image(), id, false).mapNumber, 0xFC);
}

TEST(AreaDirectory, PalettePointerIsTheListAddressPlusTwiceTheMaskedSubmap)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    // A list address in the fixed bank stays in CPU form: no conversion.
    const std::size_t entry = rom::cpuToBody(rom.image().readWord(layout::kPaletteTablePointers + 2), 2, "test")
                              + 4 * 6;
    rom.putWord(entry, 0xC400).putWord(entry + 2, 0xC480);
    EXPECT_EQ(rom::resolveArea(rom.image(), {1, 6, 3}, false).palettePointer, 0xC406);
    EXPECT_EQ(rom::resolveArea(rom.image(), {1, 6, 3}, true).palettePointer, 0xC486);
    // Bit 7 of the submap does not reach the palette list.
    EXPECT_EQ(rom::palettePointerOf(rom.image(), {1, 6, 0x83}, false), 0xC406);
}

TEST(AreaDirectory, ActorTablesAreReadWithBankOneAndTheWholeSubmapNumber)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    // The actor submap table of object set 0, area 0, moved into the fixed
    // bank; its entries are then read at $1Cxxx, not in bank 1.
    const std::size_t areaTable = rom::cpuToBody(rom.image().readWord(layout::kActorAreaTablePointers), 1, "test");
    EXPECT_EQ(areaTable, rom.image().readWord(layout::kActorAreaTablePointers) - 0x4000u);
    rom.putWord(areaTable, 0xF900);
    rom.putWord(0x1F900, 0x9ABC).putWord(0x1F900 + 2 * 0x81, 0x9DEF);
    EXPECT_EQ(rom::actorPointerOf(rom.image(), {0, 0, 0}), 0x9ABC);
    EXPECT_EQ(rom::actorPointerOf(rom.image(), {0, 0, 0x81}), 0x9DEF);
}

TEST(AreaDirectory, InvalidAddressesNameTheAddressTheBankAndWhatWasRead)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    auto messageOf = [&](const AreaId& id) {
        try {
            rom::resolveArea(rom.image(), id, false);
        } catch (const RomError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };

    rom.putWord(layout::kAreaTablePointers + 2 * 3, 0x7FFF);
    std::string message = messageOf({3, 0, 0});
    EXPECT_NE(message.find("$7FFF"), std::string::npos) << message;
    EXPECT_NE(message.find("bank 2"), std::string::npos) << message;
    EXPECT_NE(message.find("area table of object set 3"), std::string::npos) << message;

    rom.putWord(game.areaTableEntry(4, 2), 0x1234);
    message = messageOf({4, 2, 0});
    EXPECT_NE(message.find("$1234"), std::string::npos) << message;
    EXPECT_NE(message.find("area record of object set 4, area 2"), std::string::npos) << message;

    rom.putWord(game.area(2, 7).record + 9 + 2, 0x0042);
    message = messageOf({2, 7, 1});
    EXPECT_NE(message.find("submap record"), std::string::npos) << message;

    rom.putWord(layout::kActorAreaTablePointers + 2 * 5, 0x4000);
    message = messageOf({5, 0, 1});
    EXPECT_NE(message.find("bank 1"), std::string::npos) << message;
    EXPECT_NE(message.find("actor area table"), std::string::npos) << message;

    EXPECT_THROW(rom::resolveArea(rom.image(), {6, 0, 0}, false), RomError);
    EXPECT_THROW(rom::resolveArea(rom.image(), {-1, 0, 0}, false), RomError);
    EXPECT_THROW(rom::resolveArea(rom.image(), {0, 300, 0}, false), RomError);
}

TEST(AreaDirectory, SolidityThresholdsLiveInBankFour)
{
    SyntheticRom rom;
    SyntheticGame game(rom);
    rom::RomImage image = game.image();
    for (int set = 0; set < 6; ++set)
        EXPECT_EQ(rom::readSolidityThresholds(image, set), game.solidity(set));

    rom::writeSolidityThresholds(image, 3, {0x21, 0x42, 0x63});
    EXPECT_EQ(image.read(game.solidityIndex(3)), 0x21);
    EXPECT_EQ(image.read(game.solidityIndex(3) + 2), 0x63);
    EXPECT_EQ(rom::readSolidityThresholds(image, 2), game.solidity(2));

    // $9000 with bank 4 is body $11000.
    rom.putWord(layout::kObjectSetGraphicsRecords + 4 * 1 + 2, 0x9000).put(0x11000, {7, 8, 9});
    EXPECT_EQ(rom::readSolidityThresholds(rom.image(), 1), (rom::SolidityThresholds{7, 8, 9}));
    rom.putWord(layout::kObjectSetGraphicsRecords + 4 * 1 + 2, 0x6000);
    rom::RomImage broken = rom.image();
    EXPECT_THROW(rom::writeSolidityThresholds(broken, 1, {1, 2, 3}), RomError);
    EXPECT_EQ(broken.body(), rom.body());
}

} // namespace
} // namespace quarry
