#pragma once

#include "core/rom/RomImage.h"

namespace quarry::demo {

// A small world of our own in the target game's layout, for trying the
// editor without a game image: procedurally drawn tiles (bricks, grass,
// water, stairs, stone, trees), metatiles, day and night palettes, a map for
// every submap of the area catalogue with stairs and actors, a few sprite
// figures with animations, and texts. Every catalogue submap loads, day and
// night. Nothing in it comes from any game.
rom::RomImage buildDemoImage();

// The pieces buildDemoImage() puts together; each writes its own tables.
void writeDemoGraphics(rom::RomImage& rom);
void writeDemoSprites(rom::RomImage& rom);
void writeDemoTexts(rom::RomImage& rom);
void writeDemoWorld(rom::RomImage& rom);

// The metatiles every object set of the demo shares.
enum Metatile : std::uint8_t {
    kSky,
    kCloud,
    kGrass,
    kDirt,
    kWater,
    kBrick,
    kStairRight,
    kStairLeft,
    kStone,
    kWindow,
    kDoor,
    kLeaves,
    kTrunk,
    kRoof,
    kFlowers,
    kPlanks,
    kMetatileCount
};

// Palette sets: the day and night background set of each object set, then
// the day and night sprite set.
inline constexpr int kDayBackgroundSet = 0;   // + 2 x object set
inline constexpr int kNightBackgroundSet = 1; // + 2 x object set
inline constexpr int kDaySpriteSet = 12;
inline constexpr int kNightSpriteSet = 13;

} // namespace quarry::demo
