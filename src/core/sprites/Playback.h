#pragma once

#include <cstdint>

namespace quarry::sprites {

struct Animation;

// The game runs at 60 ticks per second: 1000 / 60 ms, rounded.
inline constexpr int kTickMilliseconds = 17;

// Animation playback without a clock: the owner calls tick() once per tick
// (the editor from a 17 ms timer, tests directly) and shows a new frame when
// it returns true. The first tick after start() shows the animation's first
// frame; each frame then stays timer + 1 ticks, and after the last frame the
// animation starts again from its first.
class Playback {
public:
    Playback() = default;
    explicit Playback(const Animation& animation) { setAnimation(animation); }

    // Takes the frame count and display time of `animation` and stops.
    void setAnimation(const Animation& animation);
    // The same from the raw record values: frames + 1 frames of timer + 1 ticks.
    void setAnimation(std::uint8_t frames, std::uint8_t timer);

    // Starts from the first frame. Does nothing while playing.
    void start();
    void stop() { playing_ = false; }
    bool playing() const { return playing_; }

    // One tick. True when the frame changes, with frame() the index (into
    // the animation's frames) of the frame to show now; false while the
    // shown frame stays and whenever playback is stopped.
    bool tick();
    int frame() const { return shown_; }

private:
    int lastIndex_ = 0; // the animation's frames value: indexes 0 to lastIndex_
    int timer_ = 0;
    bool playing_ = false;
    int next_ = 0;      // index shown when the countdown has run out
    int countdown_ = 0; // ticks the shown frame still stays
    int shown_ = 0;
};

} // namespace quarry::sprites
