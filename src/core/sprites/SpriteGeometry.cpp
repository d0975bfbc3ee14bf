#include "core/sprites/SpriteGeometry.h"

#include "core/gfx/Chr.h"
#include "core/sprites/FrameSprites.h"

#include <algorithm>

namespace quarry::sprites {

int shownPalette(std::uint8_t attribute)
{
    return (attribute & kPaletteBits) + kFirstShownPalette;
}

std::uint8_t withShownPalette(std::uint8_t attribute, int palette)
{
    return static_cast<std::uint8_t>((attribute & ~kPaletteBits) | ((palette - kFirstShownPalette) & kPaletteBits));
}

std::uint8_t withBit(std::uint8_t attribute, std::uint8_t bit, bool set)
{
    return static_cast<std::uint8_t>(set ? attribute | bit : attribute & ~bit);
}

GameRect spriteRect(const OamEntry& entry)
{
    return {entry.x, (entry.y - gfx::kTileSize) & 0xFF, kSpriteWidth, kSpriteHeight};
}

bool spriteColouredAt(const OamEntry& entry, std::span<const std::uint8_t> tiles, int x, int y)
{
    const GameRect rect = spriteRect(entry);
    if (!rect.contains(x, y))
        return false;
    int column = x - rect.x;
    int row = y - rect.y;
    if (entry.attribute & kFlipHBit)
        column = kSpriteWidth - 1 - column;
    if (entry.attribute & kFlipVBit)
        row = kSpriteHeight - 1 - row;
    // Rows 0-7 are the upper half, drawn with the pair tile.
    const int tile = row < gfx::kTileSize ? entry.tile ^ 1 : entry.tile;
    const std::size_t at = static_cast<std::size_t>(tile) * gfx::kPixelsPerTile
                           + static_cast<std::size_t>((row % gfx::kTileSize) * gfx::kTileSize + column);
    return at < tiles.size() && tiles[at] != 0;
}

ViewPlacement wholeRangePlacement()
{
    return {1, -(kFrameViewWidth - kGameRange) / 2, -(kFrameViewHeight - kGameRange) / 2};
}

int wrappedDx(int dx)
{
    return dx & 0xFF;
}

int clampedDy(int dy)
{
    return std::clamp(dy, kMinSpriteDy, kMaxSpriteDy);
}

} // namespace quarry::sprites
