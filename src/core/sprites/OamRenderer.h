#pragma once

#include "core/gfx/Canvas.h"
#include "core/gfx/NesColor.h"
#include "core/sprites/FrameOam.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quarry::sprites {

// The size of the sprite editor's animation preview.
inline constexpr int kPreviewSize = 192;
// Every sprite is 8 x 16: the listed tile is the lower half and its pair
// (tile XOR 1) the upper half, eight pixels higher.
inline constexpr int kSpriteWidth = 8;
inline constexpr int kSpriteHeight = 16;
// The frame view shows each sprite at four times size.
inline constexpr int kFrameViewScale = 4;
inline constexpr int kFrameViewWidth = 360;
inline constexpr int kFrameViewHeight = 432;

// What sprites are drawn with: the 256 decoded tiles of an object set's
// sprite bank, the 32-entry area palette (sprite palettes 0-3 are its
// palettes 4-7, entries 16-31) and the colour table.
struct SpriteArt {
    std::span<const std::uint8_t> tiles;
    std::span<const std::uint8_t> palette;
    gfx::ColorTable colors{};
};

// Draws one 8 x 16 sprite with its top-left corner at (x, y): colour 0 is
// painted like the others, flips and priority are not applied.
void drawSprite(const SpriteArt& art, const OamEntry& entry, gfx::Canvas& target, int x, int y);

// Clears `target` to black and draws the visible entries of the list at 1:1,
// entry 63 first so entry 0 ends on top. The lower half goes to (X, Y), the
// upper half to (X, (Y - 8) AND $FF), so a sprite near the top wraps its
// upper half to the bottom rows.
void drawOamPreview(const OamList& list, const SpriteArt& art, gfx::Canvas& target);

// One visible sprite of the frame view: its 32 x 64 picture and where it goes.
struct SpritePicture {
    int entry = 0;   // index in the list
    int x = 0;       // 4 x X
    int y = 0;       // 4 x ((Y - 8) AND $FF)
    gfx::Canvas picture;
};

// The visible entries as pictures at four times size, from entry 63 down to
// entry 0: placing them in order leaves entry 0 on top.
std::vector<SpritePicture> drawOamSprites(const OamList& list, const SpriteArt& art);

// The frame view painted as one picture: `target` is cleared to black and the
// pictures of drawOamSprites are copied onto it in their order.
void drawOamFrameView(const OamList& list, const SpriteArt& art, gfx::Canvas& target);

// Where a game pixel lands in a view: (x, y) goes to ((x - left) x scale,
// (y - top) x scale). The frame view is scale 4 from (0, 0); seen whole, the
// 256 x 256 range sits at scale 1 in the middle of it (left and top negative).
struct ViewPlacement {
    int scale = 1;
    int left = 0;
    int top = 0;
};

// Draws the visible entries of the list onto `target` (which keeps its other
// pixels), entry 63 first so entry 0 ends on top, each half where the
// preview puts it. As the game shows them (`inGame`), the horizontal flip
// (attribute bit 6) mirrors each row and the vertical flip (bit 7) turns the
// whole 8 x 16 sprite upside down, and colour 0 is left undrawn; otherwise
// they are drawn as the editor always drew them. Returns, for each pixel of
// `target` row by row, whether a sprite coloured it.
std::vector<bool> drawOamPlaced(const OamList& list, const SpriteArt& art, gfx::Canvas& target,
                                const ViewPlacement& placement, bool inGame);

} // namespace quarry::sprites
