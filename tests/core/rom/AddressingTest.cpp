#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "support/SyntheticRom.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::rom;

TEST(Addressing, SwitchableAndFixedBanks)
{
    EXPECT_EQ(cpuToBody(0x8000, DataKind::Actors), 0x4000u);
    EXPECT_EQ(cpuToBody(0xBFFF, DataKind::AreaData), 0xBFFFu);
    EXPECT_EQ(cpuToBody(0xC000, DataKind::Actors), 0x1C000u);
    EXPECT_EQ(cpuToBody(0xC000, DataKind::PaletteSets), 0x1C000u);
    EXPECT_EQ(cpuToBody(0xFFFF, DataKind::AreaData), 0x1FFFFu);
    EXPECT_EQ(cpuToBody(0xF7AB, 2, "x"), 0x1F7ABu);
}

TEST(Addressing, OneAddressPerKind)
{
    EXPECT_EQ(cpuToBody(0x9000, DataKind::Actors), 0x5000u);
    EXPECT_EQ(cpuToBody(0x9000, DataKind::AreaData), 0x9000u);
    EXPECT_EQ(cpuToBody(0x9000, DataKind::Text), 0xD000u);
    EXPECT_EQ(cpuToBody(0x9000, DataKind::PaletteSets), 0x11000u);
    EXPECT_EQ(cpuToBody(0x9000, DataKind::SpriteFrames), 0x1000u);
}

TEST(Addressing, SpriteAndTextAddressesSkipTheRangeTest)
{
    EXPECT_EQ(cpuToBody(0x1234, DataKind::SpriteFrames), 0x1234u);
    EXPECT_EQ(cpuToBody(0xC123, DataKind::SpriteFrames), 0x0123u);
    EXPECT_EQ(cpuToBody(0x0074, DataKind::Text), 0xC074u);
    EXPECT_EQ(cpuToBody(0xCC74, DataKind::Text), 0xCC74u);
}

TEST(Addressing, LowAddressesAreRefusedWithTheirKind)
{
    for (DataKind kind : {DataKind::Actors, DataKind::AreaData, DataKind::PaletteSets})
        EXPECT_THROW(cpuToBody(0x7FFF, kind), RomError);
    try {
        cpuToBody(0x1234, DataKind::AreaData);
        FAIL();
    } catch (const RomError& error) {
        EXPECT_EQ(std::string(error.what()).find("invalid address $1234 for map data"), 0u);
    }
}

TEST(Addressing, ChrBanksPerObjectSet)
{
    test::SyntheticRom rom;
    rom.put(0x1CCE9, {3, 7, 0x10, 0x1F});
    const RomImage image = rom.image();
    EXPECT_EQ(bgChrBase(image, 0), 0x23000u);
    EXPECT_EQ(sprChrBase(image, 0), 0x27000u);
    EXPECT_EQ(bgChrBase(image, 1), 0x30000u);
    EXPECT_EQ(sprChrBase(image, 1), 0x3F000u);
}
