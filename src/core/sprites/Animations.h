#pragma once

#include <cstdint>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::sprites {

// One record of the game's animation table, with the addresses of its frames.
// The animation shows the frames start, start + 1, ..., start + frames; the
// numbers wrap as bytes (a record starting at 254 with 3 frames shows 254,
// 255, 0, 1), the way the game's one-byte frame counter would.
struct Animation {
    std::uint8_t frames = 0; // the animation has frames + 1 frames
    std::uint8_t start = 0;  // frame number of its first frame
    std::uint8_t timer = 0;  // each frame stays timer + 1 ticks of 1/60 s
    // framePointers[i] is the CPU address of frame (start + i) AND $FF, for
    // i = 0 to frames: always frames + 1 entries.
    std::vector<std::uint16_t> framePointers;

    int frameCount() const { return frames + 1; }
    std::uint8_t frameNumber(int index) const { return static_cast<std::uint8_t>(start + index); }

    bool operator==(const Animation&) const = default;
};

// The CPU address of frame f from the frame pointer table; only the low byte
// of f counts. Throws RomError when the table lies outside the image.
std::uint16_t getFramePointer(const rom::RomImage& rom, int frame);

// Reads animation record a (0-63) and the pointers of its frames. Throws
// std::out_of_range for another number and RomError when a table lies
// outside the image.
Animation loadAnimation(const rom::RomImage& rom, int animation);

} // namespace quarry::sprites
