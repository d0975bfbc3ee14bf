#include "core/RomError.h"
#include "core/rom/RomImage.h"
#include "core/world/Actors.h"
#include "core/world/AreaCatalogue.h"
#include "core/world/Stairs.h"
#include "support/SyntheticGame.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::SyntheticGame;
using test::SyntheticRom;
using world::ActorRecord;
using world::StairRecord;

TEST(ActorList, TerminatorsAndBankOne)
{
    SyntheticRom rom;
    // $9000 with bank 1 is body $5000; bank 2 would be $9000.
    rom.put(0x5000, {1, 2, 0xFF, 0xFF, 3, 4, 5, 6, 7, 0xFF, 0, 0}).put(0x9000, {0xFF});
    const auto actors = world::readActorList(rom.image(), 0x9000);
    ASSERT_EQ(actors.size(), 2u); // $FF in bytes 2 and 3 is an ordinary record
    EXPECT_EQ(actors[0], (ActorRecord{1, 2, 0xFF, 0xFF}));
    EXPECT_EQ(actors[1], (ActorRecord{3, 4, 5, 6}));
    rom.put(0x5000, {0xFF, 2, 3, 4});
    EXPECT_TRUE(world::readActorList(rom.image(), 0x9000).empty());
    rom.put(0x1C100, {9, 9, 9, 9, 0xFF});
    EXPECT_EQ(world::readActorList(rom.image(), 0xC100).size(), 1u);
    EXPECT_THROW(world::readActorList(rom.image(), 0x7000), RomError);
}

TEST(ActorList, FullListOfSixtyFourIsWrittenBackWithoutATerminator)
{
    SyntheticRom rom;
    rom.fill(0x5000, 256, 0x10).put(0x5100, {0x99});
    rom::RomImage image = rom.image();
    auto actors = world::readActorList(image, 0x9000);
    ASSERT_EQ(actors.size(), 64u);
    actors[63].control = 0x42;
    world::writeActorList(image, 0x9000, actors);
    EXPECT_EQ(image.read(0x50FF), 0x42);
    EXPECT_EQ(image.read(0x5100), 0x99); // nothing past the 256 bytes

    // 63 records: the terminator is the last record's first byte.
    actors.pop_back();
    world::writeActorList(image, 0x9000, actors);
    EXPECT_EQ(image.read(0x50FC), 0xFF);
    EXPECT_EQ(image.read(0x50FD), 0x10);
}

TEST(ActorList, WritesThatWouldBreakTheListAreRefusedUntouched)
{
    SyntheticRom rom;
    rom.put(0x5000, {1, 2, 3, 4, 5, 6, 7, 8, 0xFF});
    rom::RomImage image = rom.image();
    auto actors = world::readActorList(image, 0x9000);

    world::writeActorList(image, 0x9000, {}); // an empty list writes nothing
    EXPECT_EQ(image.body(), rom.body());

    actors[1].x = 0xFF;
    EXPECT_THROW(world::writeActorList(image, 0x9000, actors), RomError);
    actors[1] = {5, 0xFF, 7, 8};
    EXPECT_THROW(world::writeActorList(image, 0x9000, actors), RomError);
    EXPECT_THROW(world::writeActorList(image, 0x9000, std::vector<ActorRecord>(65, {1, 1, 1, 1})), RomError);
    EXPECT_THROW(world::writeActorList(image, 0x7000, std::vector<ActorRecord>(1)), RomError);
    EXPECT_EQ(image.body(), rom.body());

    // A list that would run past the end of the image is not begun.
    SyntheticRom shortRom;
    shortRom.resizeBody(0x20000);
    rom::RomImage shortImage = shortRom.image();
    EXPECT_THROW(world::writeActorList(shortImage, 0xFFFE, std::vector<ActorRecord>(1)), RomError);
    EXPECT_EQ(shortImage.body(), shortRom.body());
}

TEST(StairList, RecordFieldsAndTerminators)
{
    SyntheticRom rom;
    // $80 in byte 0 is x 0 going up, not a terminator.
    rom.put(0x9000, {0x80, 0x85, 0x05, 0x7F, 0x12, 0xFF}).put(0x5000, {0xFF, 0xFF});
    const auto stairs = world::readStairList(rom.image(), 0x9000);
    ASSERT_EQ(stairs.size(), 2u); // bank 2: body $9000, not $5000
    EXPECT_EQ(stairs[0], (StairRecord{0, 5, 1, 1}));
    EXPECT_EQ(stairs[1], (StairRecord{5, 0x7F, 0, 0}));
    rom.put(0x9000, {0x00, 0xFF});
    EXPECT_TRUE(world::readStairList(rom.image(), 0x9000).empty());
    EXPECT_THROW(world::readStairList(rom.image(), 0x0900), RomError);
}

TEST(StairList, WriteBackInPlaceAndFullLists)
{
    SyntheticRom rom;
    rom.fill(0x9000, 256, 0x21).put(0x9100, {0x99});
    rom::RomImage image = rom.image();
    auto stairs = world::readStairList(image, 0x9000);
    ASSERT_EQ(stairs.size(), 128u);
    world::writeStairList(image, 0x9000, stairs);
    EXPECT_EQ(image.body(), rom.body()); // no terminator after the 128th

    stairs.resize(3);
    stairs[2] = {0x7F, 0x10, 0, 1};
    world::writeStairList(image, 0x9000, stairs);
    EXPECT_EQ(image.read(0x9004), 0x7F);
    EXPECT_EQ(image.read(0x9005), 0x90);
    EXPECT_EQ(image.read(0x9006), 0xFF);
    EXPECT_EQ(image.read(0x9007), 0x21);

    // x 127 going up or y 127 going right would read as the end of the list.
    const auto before = image.body();
    stairs[2] = {0x7F, 0x10, 1, 0};
    EXPECT_THROW(world::writeStairList(image, 0x9000, stairs), RomError);
    stairs[2] = {0x10, 0x7F, 0, 1};
    EXPECT_THROW(world::writeStairList(image, 0x9000, stairs), RomError);
    EXPECT_THROW(world::writeStairList(image, 0x9000, std::vector<StairRecord>(129)), RomError);
    EXPECT_EQ(image.body(), before);
}

} // namespace
} // namespace quarry
