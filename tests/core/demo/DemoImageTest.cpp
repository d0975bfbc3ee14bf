#include "core/demo/DemoImage.h"

#include "core/rom/DataFiles.h"
#include "core/rom/GameLayout.h"
#include "core/session/LoadedArea.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/text/TextCodec.h"
#include "core/world/AreaCatalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace quarry::session {
namespace {

TEST(DemoImage, EverySubmapLoadsDayAndNightAndShowsMoreThanSky)
{
    const rom::RomImage rom = demo::buildDemoImage();
    ASSERT_EQ(rom.size(), layout::kMinimumBodySize);
    int withStairs = 0;
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        for (bool night : {false, true}) {
            SCOPED_TRACE(std::to_string(id.objectSet) + "/" + std::to_string(id.area) + "/" + std::to_string(id.submap)
                         + (night ? " night" : " day"));
            LoadedArea area;
            ASSERT_NO_THROW(area = readLoadedArea(rom, id, night));
            EXPECT_EQ(area.mapPicture().width(), area.map.screensWide * 256);
            EXPECT_EQ(area.metatileLimit, demo::kMetatileCount + 1);
            EXPECT_GE(area.actors.size(), 2u);
            // Every cell names a metatile of the set, and the ground is there.
            std::set<int> used(area.map.mapGrid.begin(), area.map.mapGrid.end());
            EXPECT_LT(*used.rbegin(), static_cast<int>(demo::kMetatileCount));
            EXPECT_GE(used.size(), 4u);
            // The doors lead somewhere rather than round in a circle.
            EXPECT_TRUE(area.doors.left.has_value());
            EXPECT_TRUE(area.doors.right.has_value());
            if (!night && !area.stairs.empty())
                ++withStairs;
        }
    }
    EXPECT_GT(withStairs, 10);
}

TEST(DemoImage, DayAndNightDiffer)
{
    const rom::RomImage rom = demo::buildDemoImage();
    const rom::AreaId id = world::catalogueSubmaps().front();
    const LoadedArea day = readLoadedArea(rom, id, false);
    const LoadedArea night = readLoadedArea(rom, id, true);
    EXPECT_NE(day.palette, night.palette);
    EXPECT_NE(day.mapPicture().pixel(0, 0), night.mapPicture().pixel(0, 0));
}

TEST(DemoImage, TextsAndSpriteFramesRead)
{
    const rom::RomImage rom = demo::buildDemoImage();
    rom::CharTable table;
    rom::applyDefaultCharTable(table);
    EXPECT_EQ(text::decodeText(rom, 0, table), "WELCOME TO QUARRY!/THIS WORLD IS A DEMO.");
    EXPECT_EQ(text::decodeText(rom, 120, table), "TEXT 120.");

    sprites::FrameBuilder builder;
    for (int a = 0; a < layout::kAnimationCount; ++a) {
        const sprites::Animation animation = sprites::loadAnimation(rom, a);
        for (std::uint16_t pointer : animation.framePointers) {
            const sprites::OamList list = builder.buildFrameOam(rom, pointer);
            EXPECT_FALSE(sprites::oamEntry(list, 0).hidden()) << "animation " << a;
        }
    }
}

} // namespace
} // namespace quarry::session
