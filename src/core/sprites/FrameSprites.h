#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::sprites {

// The stored entries of one frame, read for editing: each sprite's values and
// the body indexes of the bytes that hold them, so an edit writes exactly
// those bytes and nothing moves or grows.
enum class FrameForm { Empty, Plain, Shared };

inline constexpr int kMinSpriteDy = -64;
inline constexpr int kMaxSpriteDy = 63;

struct StoredSprite {
    int dy = 0;                 // -64 to 63
    std::uint8_t tile = 0;
    std::uint8_t attribute = 0; // its own, or the one it carries (0 before the frame's first own one)
    bool ownAttribute = true;   // false: no attribute byte, it takes the sprite before's
    std::uint8_t dx = 0;

    std::size_t entryAt = 0;    // body index of e0 (in the layout for the shared form)
    std::size_t tileAt = 0;     // body index of the tile byte shown (the frame's own in the shared form)
    std::size_t entrySize = 0;  // 3 or 4 bytes
    // The sprite whose attribute byte this one shows (itself when it has its
    // own); nothing when the attribute comes from before the frame.
    std::optional<int> attributeFrom;
};

struct FrameSprites {
    int frame = 0;
    std::uint16_t address = 0;            // as the frame pointer table holds it
    std::size_t body = 0;                 // body index of the frame data
    std::uint8_t header = 0;
    FrameForm form = FrameForm::Empty;
    std::optional<std::uint16_t> layout;  // shared form: the layout's CPU address
    std::size_t entries = 0;              // body index of the entry table (frame or layout)
    std::vector<StoredSprite> sprites;    // in stored order
    // Other frame numbers whose pointer names the same data, and (shared
    // form) other shared frames naming the same layout; ascending.
    std::vector<int> sameData;
    std::vector<int> sameLayout;

    std::vector<int> sharedWith() const;
};

// Reads frame `frame` (0-255). Every byte is checked against the image:
// throws RomError when the frame, its layout or its entries run outside it.
FrameSprites readFrameSprites(const rom::RomImage& rom, int frame);

// The sprites that show the attribute byte sprite `index` shows (the owner
// and every sprite carrying it), ascending; empty when it comes from before
// the frame.
std::vector<int> attributeGroup(const FrameSprites& frame, int index);

// What an edit of one stored entry changes; fields left empty stay.
struct SpriteChange {
    std::optional<int> dy{};      // -64 to 63
    std::optional<int> dx{};      // 0 to 255
    std::optional<int> tile{};    // 0 to 255
    std::optional<int> attribute{}; // 0 to 255; refused for a sprite without its own byte
};

// Each edit checks everything first and throws RomError, writing nothing,
// when it is refused; otherwise it writes only the bytes that hold the values.

// Stored entry `index` of `frame` takes the values of `change`. In the
// shared form the tile goes into the frame's own tile byte and the rest into
// the layout.
void setFrameSprite(rom::RomImage& rom, int frame, int index, const SpriteChange& change);

// Writes `attribute` into the attribute byte sprite `index` shows, its own or
// the one it carries. Returns the sprites of the frame that change with it
// (the whole group). Refused when it comes from before the frame.
std::vector<int> setSharedAttribute(rom::RomImage& rom, int frame, int index, std::uint8_t attribute);

// Removes stored entry `index`: the header count goes down and the later
// entries move up within the same bytes; the freed bytes at the end stay as
// they were. Refused when the next sprite carries this one's attribute and
// would show another one afterwards, and (shared form) when entries of a
// layout other frames read would move.
void deleteFrameSprite(rom::RomImage& rom, int frame, int index);

// "12, 13" for messages and notes.
std::string frameNumberList(const std::vector<int>& frames);

} // namespace quarry::sprites
