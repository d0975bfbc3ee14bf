#include "core/sprites/OamRenderer.h"

#include "core/gfx/Chr.h"
#include "core/sprites/SpriteGeometry.h"

#include <algorithm>

namespace quarry::sprites {

namespace {

// The game's sprite palettes are palettes 4-7 of the area palette.
constexpr int kFirstSpritePalette = 4;

std::uint8_t upperHalfY(std::uint8_t y)
{
    return static_cast<std::uint8_t>(y - 8);
}

// Each pixel of `source` becomes a scale x scale block of the result.
gfx::Canvas magnify(const gfx::Canvas& source, int scale)
{
    gfx::Canvas result(source.width() * scale, source.height() * scale);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            result.setPixel(x, y, source.pixel(x / scale, y / scale));
    return result;
}

} // namespace

void drawSprite(const SpriteArt& art, const OamEntry& entry, gfx::Canvas& target, int x, int y)
{
    const int palette = entry.spritePalette() + kFirstSpritePalette;
    const std::uint8_t pair = static_cast<std::uint8_t>(entry.tile ^ 1);
    gfx::drawTile(art.tiles, pair * gfx::kPixelsPerTile, target, x, y, art.palette, palette, art.colors);
    gfx::drawTile(art.tiles, entry.tile * gfx::kPixelsPerTile, target, x, y + gfx::kTileSize, art.palette, palette,
                  art.colors);
}

void drawOamPreview(const OamList& list, const SpriteArt& art, gfx::Canvas& target)
{
    target.fill(gfx::kBlack);
    for (int k = kOamEntries - 1; k >= 0; --k) {
        const OamEntry entry = oamEntry(list, k);
        if (entry.hidden())
            continue;
        // The halves are placed apart: the upper one wraps on its own.
        const int palette = entry.spritePalette() + kFirstSpritePalette;
        gfx::drawTile(art.tiles, entry.tile * gfx::kPixelsPerTile, target, entry.x, entry.y, art.palette, palette,
                      art.colors);
        gfx::drawTile(art.tiles, static_cast<std::uint8_t>(entry.tile ^ 1) * gfx::kPixelsPerTile, target, entry.x,
                      upperHalfY(entry.y), art.palette, palette, art.colors);
    }
}

std::vector<SpritePicture> drawOamSprites(const OamList& list, const SpriteArt& art)
{
    std::vector<SpritePicture> pictures;
    for (int k = kOamEntries - 1; k >= 0; --k) {
        const OamEntry entry = oamEntry(list, k);
        if (entry.hidden())
            continue;
        gfx::Canvas sprite(kSpriteWidth, kSpriteHeight);
        drawSprite(art, entry, sprite, 0, 0);
        pictures.push_back({k, kFrameViewScale * entry.x, kFrameViewScale * upperHalfY(entry.y),
                            magnify(sprite, kFrameViewScale)});
    }
    return pictures;
}

std::vector<bool> drawOamPlaced(const OamList& list, const SpriteArt& art, gfx::Canvas& target,
                                const ViewPlacement& placement, bool inGame)
{
    std::vector<bool> covered(static_cast<std::size_t>(target.width()) * static_cast<std::size_t>(target.height()));
    const int scale = std::max(placement.scale, 1);
    for (int k = kOamEntries - 1; k >= 0; --k) {
        const OamEntry entry = oamEntry(list, k);
        if (entry.hidden())
            continue;
        const bool flipH = inGame && (entry.attribute & kFlipHBit) != 0;
        const bool flipV = inGame && (entry.attribute & kFlipVBit) != 0;
        const std::size_t base = static_cast<std::size_t>(kFirstSpritePalette + entry.spritePalette()) * 4;
        for (int row = 0; row < kSpriteHeight; ++row) {
            // Rows 0-7 are the upper half (the pair tile), 8-15 the lower.
            const int y = row < gfx::kTileSize ? upperHalfY(entry.y) + row : entry.y + row - gfx::kTileSize;
            const int source = flipV ? kSpriteHeight - 1 - row : row;
            const std::uint8_t tile = source < gfx::kTileSize ? static_cast<std::uint8_t>(entry.tile ^ 1) : entry.tile;
            for (int column = 0; column < kSpriteWidth; ++column) {
                const std::size_t pixel = tile * gfx::kPixelsPerTile
                                          + static_cast<std::size_t>(source % gfx::kTileSize) * gfx::kTileSize
                                          + static_cast<std::size_t>(flipH ? kSpriteWidth - 1 - column : column);
                const std::uint8_t colour = pixel < art.tiles.size() ? art.tiles[pixel] & 3 : 0;
                if (inGame && colour == 0)
                    continue;
                const std::size_t entryIndex = base + colour;
                const std::uint8_t nes = entryIndex < art.palette.size() ? art.palette[entryIndex] : 0;
                const gfx::Rgb rgb = art.colors[nes & 0x3F];
                const int left = (entry.x + column - placement.left) * scale;
                const int top = (y - placement.top) * scale;
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx) {
                        if (!target.contains(left + dx, top + dy))
                            continue;
                        target.setPixel(left + dx, top + dy, rgb);
                        covered[static_cast<std::size_t>(top + dy) * static_cast<std::size_t>(target.width())
                                + static_cast<std::size_t>(left + dx)] = true;
                    }
            }
        }
    }
    return covered;
}

void drawOamFrameView(const OamList& list, const SpriteArt& art, gfx::Canvas& target)
{
    target.fill(gfx::kBlack);
    for (const SpritePicture& sprite : drawOamSprites(list, art))
        target.blit(sprite.picture, 0, 0, sprite.picture.width(), sprite.picture.height(), sprite.x, sprite.y);
}

} // namespace quarry::sprites
