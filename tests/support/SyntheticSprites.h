#pragma once

#include "support/SyntheticRom.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quarry::test {

// Sprite data for synthetic images: the animation table (fixed bank, body
// $1DDA2-$1DE61), the frame pointer table (body $2C30-$2E2F) and the frames
// and layouts they point at, all in bank 0 (frames from body $0000, layouts
// from $3000). Nothing else is written, so it combines with the area, graphics
// and text data built elsewhere.

// One sprite as the data means it: offsets from the object's position, and
// the attribute it ends up with (for a carried one, the attribute of the
// sprite before).
struct SyntheticSprite {
    int dy = 0;              // -64 to 63
    std::uint8_t tile = 0;
    std::uint8_t attribute = 0;
    std::uint8_t dx = 0;
    bool carried = false;    // stored without attribute byte

    bool operator==(const SyntheticSprite&) const = default;
};

struct SyntheticFrame {
    std::uint16_t pointer = 0;       // the CPU address in the frame pointer table
    bool shared = false;             // shared-layout form
    std::uint16_t layoutPointer = 0; // the layout a shared frame names
    std::vector<SyntheticSprite> sprites;
};

struct SyntheticAnimation {
    std::uint8_t frames = 0;
    std::uint8_t start = 0;
    std::uint8_t timer = 0;
};

// Frames with something particular about them.
inline constexpr int kSyntheticEmptyFrame = 0;    // header 0
inline constexpr int kSyntheticExampleFrame = 1;  // two sprites, the second carrying the first's attribute
inline constexpr int kSyntheticSharedFrame = 2;   // shared layout whose own tile bytes are $EE
inline constexpr int kSyntheticHighPointerFrame = 3; // its pointer is $C000 + offset: only AND $3FFF counts
inline constexpr int kSyntheticCarryInFrame = 5;  // its first sprite takes the attribute of frame 4's last
inline constexpr int kSyntheticLongFrame = 0x40;  // 70 sprites; the list keeps 64
inline constexpr int kSyntheticAliasFrame = 0xFF; // points at frame 1's data

// Animations with something particular about them.
inline constexpr int kSyntheticPlaybackAnimation = 0; // 3 frames from frame 1, timer 3
inline constexpr int kSyntheticFastAnimation = 1;     // timer 0
inline constexpr int kSyntheticWrappingAnimation = 62; // frames FE, FF, 00, 01
inline constexpr int kSyntheticLongAnimation = 63;     // 256 frames

struct SyntheticSprites {
    std::array<SyntheticFrame, 256> frames;
    std::array<SyntheticAnimation, 64> animations;
};

// Writes everything and returns what each frame and animation holds. The
// sprites of frame kSyntheticCarryInFrame are those shown when frame 4 was
// built just before it; every other frame sets its first attribute itself.
SyntheticSprites fillSprites(SyntheticRom& rom);

} // namespace quarry::test
