#include "core/gfx/Chr.h"
#include "core/sprites/OamRenderer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quarry;
using namespace quarry::sprites;

namespace {

// 256 tiles: tile t is solid in value t AND 3, except tile $20, whose pixel
// (r, c) is c AND 3 (it shows whether it was flipped).
gfx::TilePixels testTiles()
{
    gfx::TilePixels tiles(256 * gfx::kPixelsPerTile);
    for (std::size_t t = 0; t < 256; ++t)
        for (std::size_t p = 0; p < gfx::kPixelsPerTile; ++p)
            tiles[t * 64 + p] = static_cast<std::uint8_t>(t == 0x20 ? (p % 8) & 3 : t & 3);
    return tiles;
}

// Area palette entry i holds colour index i, and colour index i shows as
// i + 1, so black (0) is only ever the cleared background.
struct Fixture {
    gfx::TilePixels tiles = testTiles();
    std::vector<std::uint8_t> palette;
    SpriteArt art;

    Fixture()
    {
        for (int i = 0; i < 32; ++i)
            palette.push_back(static_cast<std::uint8_t>(i));
        art.tiles = tiles;
        art.palette = palette;
        for (std::size_t i = 0; i < art.colors.size(); ++i)
            art.colors[i] = static_cast<gfx::Rgb>(i + 1);
    }
};

// The colour a pixel value takes in sprite palette p (0-3).
gfx::Rgb shade(int spritePalette, int value)
{
    return static_cast<gfx::Rgb>(16 + 4 * spritePalette + value + 1);
}

OamList listOf(std::initializer_list<OamEntry> entries)
{
    OamList list = hiddenOamList();
    std::size_t k = 0;
    for (const OamEntry& entry : entries) {
        list[4 * k] = entry.y;
        list[4 * k + 1] = entry.tile;
        list[4 * k + 2] = entry.attribute;
        list[4 * k + 3] = entry.x;
        ++k;
    }
    return list;
}

} // namespace

TEST(OamRenderer, ListedTileIsTheLowerHalfOfItsPair)
{
    Fixture f;
    gfx::Canvas preview(kPreviewSize, kPreviewSize);
    // Tile $12 (value 2) below $13 (value 3), and the other way round; palette 1 (entries 20-23).
    drawOamPreview(listOf({{0x50, 0x12, 0x01, 0x40}, {0x80, 0x13, 0x01, 0x10}}), f.art, preview);
    EXPECT_EQ(preview.pixel(0x40, 0x50), shade(1, 2));
    EXPECT_EQ(preview.pixel(0x47, 0x57), shade(1, 2));
    EXPECT_EQ(preview.pixel(0x40, 0x48), shade(1, 3));
    EXPECT_EQ(preview.pixel(0x47, 0x4F), shade(1, 3));
    EXPECT_EQ(preview.pixel(0x40, 0x47), gfx::kBlack);
    EXPECT_EQ(preview.pixel(0x48, 0x50), gfx::kBlack);
    EXPECT_EQ(preview.pixel(0x10, 0x80), shade(1, 3));
    EXPECT_EQ(preview.pixel(0x10, 0x78), shade(1, 2));
}

TEST(OamRenderer, ColourZeroIsOpaqueAndFlipsAreIgnored)
{
    Fixture f;
    gfx::Canvas plain(kPreviewSize, kPreviewSize);
    gfx::Canvas flipped(kPreviewSize, kPreviewSize);
    // Tile $20 below tile $21 (value 1); palette 2.
    drawOamPreview(listOf({{0x20, 0x20, 0x02, 0x20}}), f.art, plain);
    drawOamPreview(listOf({{0x20, 0x20, 0xE2, 0x20}}), f.art, flipped);
    EXPECT_EQ(plain, flipped);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(plain.pixel(0x20 + c, 0x23), shade(2, c & 3)) << c;
    EXPECT_EQ(plain.pixel(0x20, 0x20), shade(2, 0)) << "value 0 is painted, not transparent";
}

TEST(OamRenderer, EntryZeroIsOnTopAndHiddenEntriesAreSkipped)
{
    Fixture f;
    OamList list = listOf({{0x30, 0x05, 0x03, 0x30}, {0x34, 0x06, 0x00, 0x34}, {0xF8, 0x07, 0x01, 0x00},
                           {0xFF, 0x07, 0x01, 0x08}});
    gfx::Canvas preview(kPreviewSize, kPreviewSize);
    drawOamPreview(list, f.art, preview);
    EXPECT_EQ(preview.pixel(0x35, 0x35), shade(3, 1)) << "entry 0 over entry 1";
    EXPECT_EQ(preview.pixel(0x3A, 0x3A), shade(0, 2)) << "entry 1 where entry 0 is not";
    // Hidden entries would land at rows $F0-$FF of a picture tall enough.
    gfx::Canvas tall(256, 256);
    drawOamPreview(list, f.art, tall);
    for (int x = 0; x < 16; ++x)
        for (int y = 0xF0; y < 0x100; ++y)
            ASSERT_EQ(tall.pixel(x, y), gfx::kBlack) << x << "," << y;

    // Drawing clears what was there.
    drawOamPreview(hiddenOamList(), f.art, preview);
    EXPECT_EQ(preview, gfx::Canvas(kPreviewSize, kPreviewSize));

    // The frame view: pictures from entry 63 down, so entry 0 comes last.
    const std::vector<SpritePicture> pictures = drawOamSprites(list, f.art);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].entry, 1);
    EXPECT_EQ(pictures[1].entry, 0);
    gfx::Canvas view(kFrameViewWidth, kFrameViewHeight);
    drawOamFrameView(list, f.art, view);
    EXPECT_EQ(view.pixel(4 * 0x35, 4 * 0x35), shade(3, 1));
    EXPECT_EQ(view.pixel(4 * 0x3A, 4 * 0x3A), shade(0, 2));
    EXPECT_EQ(view.pixel(4 * 0x30 - 1, 4 * 0x28), gfx::kBlack);
}

TEST(OamRenderer, UpperHalfWrapsOnItsOwn)
{
    Fixture f;
    // Y = 4: the lower half at rows 4-11, the upper half at rows 252-259.
    gfx::Canvas tall(256, 256);
    drawOamPreview(listOf({{0x04, 0x12, 0x00, 0x00}}), f.art, tall);
    EXPECT_EQ(tall.pixel(0, 4), shade(0, 2));
    EXPECT_EQ(tall.pixel(0, 11), shade(0, 2));
    EXPECT_EQ(tall.pixel(0, 3), gfx::kBlack);
    EXPECT_EQ(tall.pixel(0, 252), shade(0, 3));
    EXPECT_EQ(tall.pixel(0, 255), shade(0, 3));

    gfx::Canvas preview(kPreviewSize, kPreviewSize);
    drawOamPreview(listOf({{0x04, 0x12, 0x00, 0x00}}), f.art, preview);
    EXPECT_EQ(preview.pixel(0, kPreviewSize - 1), gfx::kBlack) << "the upper half lies below the preview";

    const std::vector<SpritePicture> pictures = drawOamSprites(listOf({{0x04, 0x12, 0x00, 0xFF}}), f.art);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].x, 4 * 0xFF);
    EXPECT_EQ(pictures[0].y, 4 * 0xFC);
}

TEST(OamRenderer, FramePicturesAreFourTimesTheSprite)
{
    Fixture f;
    const OamEntry entry{0x48, 0x20, 0x01, 0x10};
    gfx::Canvas sprite(kSpriteWidth, kSpriteHeight);
    drawSprite(f.art, entry, sprite, 0, 0);
    const std::vector<SpritePicture> pictures = drawOamSprites(listOf({entry}), f.art);
    ASSERT_EQ(pictures.size(), 1u);
    const gfx::Canvas& picture = pictures[0].picture;
    ASSERT_EQ(picture.width(), 32);
    ASSERT_EQ(picture.height(), 64);
    EXPECT_EQ(pictures[0].x, 0x40);
    EXPECT_EQ(pictures[0].y, 4 * 0x40);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(picture.pixel(x, y), sprite.pixel(x / 4, y / 4)) << x << "," << y;
    EXPECT_EQ(sprite.pixel(3, 12), shade(1, 3)) << "tile $20 is the lower half";
    EXPECT_EQ(sprite.pixel(3, 2), shade(1, 1)) << "tile $21 the upper";
}
