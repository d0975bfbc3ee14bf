#include "core/rom/GameLayout.h"
#include "core/sprites/Animations.h"
#include "core/sprites/Playback.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace quarry;
using namespace quarry::sprites;

namespace {

// Ticks `count` times and notes, per tick, the frame index shown after it,
// or -1 when the frame stayed.
std::vector<int> changes(Playback& playback, int count)
{
    std::vector<int> shown;
    for (int t = 0; t < count; ++t)
        shown.push_back(playback.tick() ? playback.frame() : -1);
    return shown;
}

} // namespace

TEST(Animations, RecordsAndFramePointersOfTheSyntheticGame)
{
    const test::SyntheticWorld world;
    const rom::RomImage image = world.rom.image();
    for (int a = 0; a < 64; ++a) {
        SCOPED_TRACE(a);
        const test::SyntheticAnimation& record = world.sprites.animations[static_cast<std::size_t>(a)];
        const Animation animation = loadAnimation(image, a);
        EXPECT_EQ(animation.frames, record.frames);
        EXPECT_EQ(animation.start, record.start);
        EXPECT_EQ(animation.timer, record.timer);
        ASSERT_EQ(animation.framePointers.size(), static_cast<std::size_t>(record.frames) + 1);
        for (std::size_t i = 0; i < animation.framePointers.size(); ++i) {
            const std::size_t frame = (record.start + i) & 0xFF;
            ASSERT_EQ(animation.framePointers[i], world.sprites.frames[frame].pointer) << i;
        }
    }
    EXPECT_EQ(loadAnimation(image, test::kSyntheticLongAnimation).framePointers.size(), 256u);
    EXPECT_THROW(loadAnimation(image, 64), std::out_of_range);
    EXPECT_THROW(loadAnimation(image, -1), std::out_of_range);
}

TEST(Animations, FrameNumbersWrapAsBytes)
{
    test::SyntheticRom synthetic;
    for (int f = 0; f < 256; ++f)
        synthetic.putWord(layout::kFramePointerTable + 2 * static_cast<std::size_t>(f), static_cast<std::uint16_t>(0x8000 + f));
    synthetic.put(layout::kAnimationTable + 3 * 5, {0x03, 0xFE, 0x07});
    const rom::RomImage image = synthetic.image();

    const Animation animation = loadAnimation(image, 5);
    EXPECT_EQ(animation.framePointers, (std::vector<std::uint16_t>{0x80FE, 0x80FF, 0x8000, 0x8001}));
    EXPECT_EQ(animation.frameNumber(3), 0x01);
    EXPECT_EQ(getFramePointer(image, 0x100), 0x8000);
    EXPECT_EQ(getFramePointer(image, 0x1FF), 0x80FF);
    EXPECT_EQ(getFramePointer(image, -1), 0x80FF);
}

TEST(Playback, EachFrameStaysTimerPlusOneTicksAndLoops)
{
    // Three frames, timer 3: a change every fourth tick, 0 1 2 0 ...
    Playback playback;
    playback.setAnimation(2, 3);
    EXPECT_EQ(changes(playback, 3), (std::vector<int>{-1, -1, -1})) << "nothing moves before Play";
    playback.start();
    EXPECT_EQ(changes(playback, 14), (std::vector<int>{0, -1, -1, -1, 1, -1, -1, -1, 2, -1, -1, -1, 0, -1}));

    // Timer 0 changes every tick; a one-frame animation keeps showing frame 0.
    playback.setAnimation(1, 0);
    playback.start();
    EXPECT_EQ(changes(playback, 5), (std::vector<int>{0, 1, 0, 1, 0}));
    playback.setAnimation(0, 1);
    playback.start();
    EXPECT_EQ(changes(playback, 5), (std::vector<int>{0, -1, 0, -1, 0}));
}

TEST(Playback, StopAndStartRules)
{
    Animation animation;
    animation.frames = 3;
    animation.timer = 1;
    Playback playback(animation);
    EXPECT_FALSE(playback.playing());
    playback.start();
    changes(playback, 5); // frames 0, 1, 2 shown
    EXPECT_EQ(playback.frame(), 2);

    playback.start(); // Play while playing changes nothing
    EXPECT_EQ(changes(playback, 2), (std::vector<int>{-1, 3}));

    playback.stop();
    EXPECT_FALSE(playback.playing());
    EXPECT_EQ(changes(playback, 4), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(playback.frame(), 3) << "stopping keeps the frame shown";

    playback.start(); // a new start begins at the first frame
    EXPECT_EQ(changes(playback, 3), (std::vector<int>{0, -1, 1}));

    playback.setAnimation(animation); // choosing an animation stops playback
    EXPECT_FALSE(playback.playing());
    EXPECT_FALSE(playback.tick());
}
