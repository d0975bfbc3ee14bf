#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/session/LoadedArea.h"
#include "core/session/MapInfoText.h"
#include "core/world/Ferryman.h"
#include "support/SyntheticRom.h"

#include <gtest/gtest.h>

using namespace quarry;

TEST(MapInfoText, AddressesAndFileOffsetsPerBank)
{
    EXPECT_EQ(session::addressWithOffset(0x8A3C, 2), "$8A3C (0x008A4C)");
    EXPECT_EQ(session::addressWithOffset(0x8A3C, 1), "$8A3C (0x004A4C)");
    EXPECT_EQ(session::addressWithOffset(0xC123, 1), "$C123 (0x01C133)");
    EXPECT_EQ(session::addressWithOffset(0xC123, 2), "$C123 (0x01C133)");
    EXPECT_EQ(session::addressWithOffset(0x7FF0, 2), "$7FF0 (no file offset)");
    EXPECT_EQ(session::addressWithOffset(0x0012, 1), "$12 (no file offset)");
}

TEST(MapInfoText, DescribesTheLoadedSubmap)
{
    session::LoadedArea area;
    area.id = {0, 10, 1};
    area.pointers.mapPointer = 0x8A3C;
    area.pointers.actorPointer = 0x8A3C;
    area.pointers.stairPointer = 0xBFFE;
    area.pointers.palettePointer = 0x9001;
    area.map.screensWide = 3;
    area.map.screensHigh = 2;
    area.map.screenTable = {0x8100, 0x8138, 0x0170, 0x81A8, 0xC000, 0x8100};
    const session::MapInfoText info = session::describeMapInfo(area);
    EXPECT_EQ(info.objectSet, "$00");
    EXPECT_EQ(info.area, "$0A");
    EXPECT_EQ(info.submap, "$01");
    EXPECT_EQ(info.mapWidth, "03");
    EXPECT_EQ(info.mapHeight, "02");
    EXPECT_EQ(info.mapData, "$8A3C (0x008A4C)");
    EXPECT_EQ(info.actorData, "$8A3C (0x004A4C)");
    EXPECT_EQ(info.stairData, "$BFFE (0x00C00E)");
    EXPECT_EQ(info.paletteData, "$9001 (0x009011)");
    EXPECT_EQ(info.screens, "$8100 $8138 $0170 $81A8 $C000 $8100 ");
}

TEST(ActorText, TextNumberByControlKind)
{
    test::SyntheticRom synthetic;
    for (int i = 0; i < 11; ++i)
        synthetic.put(layout::kActorTextTable + static_cast<std::size_t>(i), {static_cast<std::uint8_t>(0x40 + i)});
    synthetic.put(layout::kFerrymanText, {0x11}).put(layout::kFerrymanAltText, {0x22});
    const rom::RomImage rom = synthetic.image();
    using world::ControlKind;
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::Text, 0x77, 0, 0), 0x77);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::TextTable, 0, 0, 0), 0x40);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::TextTable, 10, 0, 0), 0x4A);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::TextTable, 11, 0, 0), std::nullopt);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::Ferryman, 0, 7, 1), 0x22);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::Ferryman, 0, 7, 2), 0x11);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::Ferryman, 0, 6, 1), 0x11);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::Health, 5, 0, 0), std::nullopt);
    EXPECT_EQ(world::actorTextNumber(rom, ControlKind::None, 5, 0, 0), std::nullopt);
    const ControlKind kinds[] = {ControlKind::None, ControlKind::Text, ControlKind::TextTable, ControlKind::Health,
                                 ControlKind::Ferryman, ControlKind::None};
    for (int value = 0; value < 6; ++value)
        EXPECT_EQ(world::controlKindOf(value), kinds[value]) << value;
    EXPECT_EQ(world::controlKindOf(-1), ControlKind::None);
}
