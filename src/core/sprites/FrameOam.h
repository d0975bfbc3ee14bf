#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quarry::rom {
class RomImage;
}

namespace quarry::sprites {

// The sprite attribute list the game's sprite routine fills: 64 entries of
// four bytes in hardware order Y, tile, attribute, X.
inline constexpr int kOamEntries = 64;
inline constexpr std::size_t kOamEntrySize = 4;
using OamList = std::array<std::uint8_t, kOamEntries * kOamEntrySize>;

// An entry with Y of $F8 or more is not shown; a fresh list holds only such.
inline constexpr std::uint8_t kHiddenY = 0xF8;

// The attribute byte of a sprite: bits 0-1 its sprite palette, bit 5 behind
// the background, bit 6 flipped left to right, bit 7 flipped upside down.
inline constexpr std::uint8_t kPaletteBits = 0x03;
inline constexpr std::uint8_t kBehindBit = 0x20;
inline constexpr std::uint8_t kFlipHBit = 0x40;
inline constexpr std::uint8_t kFlipVBit = 0x80;

struct OamEntry {
    std::uint8_t y = kHiddenY;
    std::uint8_t tile = 0;
    std::uint8_t attribute = 0;
    std::uint8_t x = 0;

    bool hidden() const { return y >= kHiddenY; }
    // Sprite palette 0-3 of the attribute; drawn with area palette + 4.
    int spritePalette() const { return attribute & kPaletteBits; }
    bool operator==(const OamEntry&) const = default;
};

OamEntry oamEntry(const OamList& list, int index);
// 64 hidden entries: every Y $F8, every other byte 0.
OamList hiddenOamList();

// Turns frames into sprite attribute lists for an object at the editor's
// reference position (X 48, Y 63).
//
// A frame is a header byte (0: no sprites; bits 0-6 the sprite count, bit 7
// the shared-layout form) and sprite entries of 3 or 4 bytes: e0 (bits 7-1 a
// signed Y offset, bit 0 "same attribute as the sprite before"), the tile,
// the attribute when e0 bit 0 is clear, and an unsigned X offset. A frame in
// the shared-layout form names a layout (bytes 1-2, a CPU address) whose
// entries give the positions and attributes, while the tiles come from the
// frame, one byte per sprite from byte 3.
//
// The builder remembers the attribute of the last sprite it built, across
// calls: a frame whose first sprite says "same attribute" takes it from the
// frame built before (0 for a new builder). Keep one builder per view whose
// lists should follow each other, as the game's routine does.
class FrameBuilder {
public:
    // The list of the frame at CPU `address` (bank 0: address AND $3FFF).
    // A frame of more than 64 sprites keeps its first 64; the rest are still
    // read, so the carried attribute is that of the frame's last sprite.
    // Throws RomError when the frame or its layout runs outside the image;
    // the carried attribute is then left as it was.
    OamList buildFrameOam(const rom::RomImage& rom, std::uint32_t address);

    std::uint8_t carriedAttribute() const { return carried_; }
    void setCarriedAttribute(std::uint8_t attribute) { carried_ = attribute; }

private:
    std::uint8_t carried_ = 0;
};

} // namespace quarry::sprites
