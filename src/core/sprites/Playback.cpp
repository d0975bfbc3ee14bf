#include "core/sprites/Playback.h"

#include "core/sprites/Animations.h"

namespace quarry::sprites {

void Playback::setAnimation(const Animation& animation)
{
    setAnimation(animation.frames, animation.timer);
}

void Playback::setAnimation(std::uint8_t frames, std::uint8_t timer)
{
    playing_ = false;
    lastIndex_ = frames;
    timer_ = timer;
    next_ = 0;
    countdown_ = 0;
    shown_ = 0;
}

void Playback::start()
{
    if (playing_)
        return;
    playing_ = true;
    next_ = 0;
    countdown_ = 0;
}

bool Playback::tick()
{
    if (!playing_)
        return false;
    if (countdown_ > 0) {
        --countdown_;
        return false;
    }
    shown_ = next_;
    next_ = next_ >= lastIndex_ ? 0 : next_ + 1;
    countdown_ = timer_;
    return true;
}

} // namespace quarry::sprites
