#include "core/RomError.h"
#include "core/gfx/Chr.h"
#include "core/rom/RomImage.h"
#include "support/SyntheticGraphics.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace quarry;
using namespace quarry::gfx;

namespace {

TilePixels decodeBytes(std::initializer_list<std::uint8_t> bytes)
{
    test::SyntheticRom rom;
    rom.put(0x20000, bytes);
    return decodeTiles(rom.image(), 0x20000, 1);
}

// An area palette whose entry i is `first` + i.
std::array<std::uint8_t, 32> rampPalette(std::uint8_t first)
{
    std::array<std::uint8_t, 32> palette{};
    std::iota(palette.begin(), palette.end(), first);
    return palette;
}

} // namespace

TEST(Chr, DecodesBitPlanes)
{
    const TilePixels ones = decodeBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0});
    const TilePixels twos = decodeBytes({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    ASSERT_EQ(ones.size(), 64u);
    EXPECT_EQ(ones, TilePixels(64, 1));
    EXPECT_EQ(twos, TilePixels(64, 2));

    // Row 2: plane 0 $80, plane 1 $81 -> 3 0 0 0 0 0 0 2 (bit 7 leftmost).
    const TilePixels row = decodeBytes({0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0});
    EXPECT_EQ(TilePixels(row.begin() + 16, row.begin() + 24), (TilePixels{3, 0, 0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(std::accumulate(row.begin(), row.end(), 0), 5);
}

TEST(Chr, EncodesRowsAndIgnoresHighBits)
{
    test::SyntheticRom synthetic;
    rom::RomImage image = synthetic.image();
    TilePixels tile(64, 7); // 7 counts as 3
    std::copy_n(std::initializer_list<std::uint8_t>{3, 0, 0, 0, 0, 0, 0, 2}.begin(), 8, tile.begin());
    encodeTiles(tile, 1, image, 0x20010);
    const auto bytes = image.bytes(0x20010, 16);
    EXPECT_EQ(bytes[0], 0x80);
    EXPECT_EQ(bytes[8], 0x81);
    for (int r = 1; r < 8; ++r) {
        EXPECT_EQ(bytes[static_cast<std::size_t>(r)], 0xFF);
        EXPECT_EQ(bytes[static_cast<std::size_t>(r + 8)], 0xFF);
    }
    EXPECT_EQ(image.read(0x2000F), 0);
    EXPECT_EQ(image.read(0x20020), 0);
}

TEST(Chr, RoundTripsAreByteIdentical)
{
    test::SyntheticRom synthetic;
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < 0x1000; ++i) {
        seed = seed * 1103515245u + 12345u;
        synthetic.body()[0x25000 + i] = static_cast<std::uint8_t>(seed >> 16);
    }
    const rom::RomImage original = synthetic.image();
    rom::RomImage image = original;
    const TilePixels tiles = decodeTiles(image, 0x25000, 256);
    ASSERT_EQ(tiles.size(), 256u * 64u);
    encodeTiles(tiles, 256, image, 0x25000);
    EXPECT_EQ(image.body(), original.body());

    // Encoding then decoding gives back the low two bits of every pixel.
    TilePixels pixels(64 * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 7 % 11);
    encodeTiles(pixels, 3, image, 0x30000);
    const TilePixels back = decodeTiles(image, 0x30000, 3);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(back[i], pixels[i] & 3) << i;
}

TEST(Chr, RefusalsLeaveTheImageAlone)
{
    test::SyntheticRom synthetic;
    const rom::RomImage original = synthetic.image();
    rom::RomImage image = original;

    EXPECT_TRUE(decodeTiles(image, 0x20000, 0).empty());
    EXPECT_TRUE(decodeTiles(image, 0x20000, -3).empty());
    EXPECT_THROW(decodeTiles(image, 0x3FFF0, 2), RomError);

    const TilePixels tiles(64 * 2, 1);
    EXPECT_THROW(encodeTiles(tiles, 3, image, 0x20000), std::invalid_argument);
    EXPECT_THROW(encodeTiles(tiles, 2, image, 0x3FFF0), RomError);
    EXPECT_EQ(image.body(), original.body());
}

TEST(Chr, CopyTileMovesOneTile)
{
    TilePixels source(64 * 4);
    std::iota(source.begin(), source.end(), 0);
    TilePixels destination(64 * 4, 9);
    copyTile(source, 2, destination, 1);
    EXPECT_EQ(destination[63], 9);
    EXPECT_EQ(destination[64], source[128]);
    EXPECT_EQ(destination[127], source[191]);
    EXPECT_EQ(destination[128], 9);

    EXPECT_THROW(copyTile(source, 4, destination, 0), std::out_of_range);
    EXPECT_THROW(copyTile(source, 0, destination, 4), std::out_of_range);
}

TEST(Chr, DrawTilePaintsWithTheChosenPalette)
{
    const ColorTable colors = nesColorTable(PpuMaskSettings{});
    TilePixels tiles(64 * 2, 0);
    for (int i = 0; i < 64; ++i)
        tiles[static_cast<std::size_t>(64 + i)] = static_cast<std::uint8_t>(i % 4);

    // Palette number 9 is palette 1: entries 4-7.
    auto palette = rampPalette(0x10);
    palette[4] = 0x4D; // above $3F: painted as $0D
    Canvas canvas(16, 16);
    canvas.fill(0x123456);
    ASSERT_TRUE(drawTile(tiles, 64, canvas, 4, 2, palette, 9, colors));
    EXPECT_EQ(canvas.pixel(4, 2), colors[0x0D]);  // value 0 is painted, not transparent
    EXPECT_EQ(canvas.pixel(5, 2), colors[0x15]);
    EXPECT_EQ(canvas.pixel(6, 2), colors[0x16]);
    EXPECT_EQ(canvas.pixel(7, 2), colors[0x17]);
    EXPECT_EQ(canvas.pixel(11, 9), colors[0x17]);
    EXPECT_EQ(canvas.pixel(3, 2), 0x123456u);
    EXPECT_EQ(canvas.pixel(12, 9), 0x123456u);
    EXPECT_EQ(canvas.pixel(4, 10), 0x123456u);

    // Partly off the picture: the inside part is drawn.
    ASSERT_TRUE(drawTile(tiles, 0, canvas, 12, -4, palette, 0, colors));
    EXPECT_EQ(canvas.pixel(15, 3), colors[0x10]);
}

TEST(Chr, DrawTileRefusesShortPalettesAndMissingTiles)
{
    const ColorTable colors = nesColorTable(PpuMaskSettings{});
    const TilePixels tiles(64, 1);
    const auto palette = rampPalette(0x20);
    Canvas canvas(8, 8);
    const Canvas untouched = canvas;

    EXPECT_FALSE(drawTile(tiles, 0, canvas, 0, 0, std::span(palette).first(16), 0, colors));
    EXPECT_FALSE(drawTile(tiles, 1, canvas, 0, 0, palette, 0, colors));
    EXPECT_FALSE(drawTile(tiles, 64, canvas, 0, 0, palette, 0, colors));
    EXPECT_EQ(canvas, untouched);
}

TEST(Chr, PatternTablesOfAnObjectSet)
{
    test::SyntheticRom synthetic;
    test::fillGraphics(synthetic);
    const rom::RomImage image = synthetic.image();

    for (int set : {0, 5}) {
        const TilePixels background = loadBackgroundTiles(image, set);
        const TilePixels sprites = loadSpriteTiles(image, set);
        ASSERT_EQ(background.size(), 256u * 64u);
        const int bgBank = test::kSyntheticBackgroundBanks[static_cast<std::size_t>(set)];
        const int sprBank = test::kSyntheticSpriteBanks[static_cast<std::size_t>(set)];
        for (int t : {0, 3, 4, 0xA5, 0xFF})
            for (int r = 0; r < 8; ++r)
                for (int c = 0; c < 8; ++c) {
                    const std::size_t i = static_cast<std::size_t>(t * 64 + r * 8 + c);
                    ASSERT_EQ(background[i], test::syntheticTilePixel(bgBank, t, r, c));
                    ASSERT_EQ(sprites[i], test::syntheticTilePixel(sprBank, t, r, c));
                }
    }

    const ColorTable colors = nesColorTable(PpuMaskSettings{});
    const auto palette = rampPalette(0x00);
    const Canvas table = drawPatternTable(loadBackgroundTiles(image, 0), palette, 1, colors);
    ASSERT_EQ(table.width(), 128);
    ASSERT_EQ(table.height(), 128);
    EXPECT_EQ(table.pixel(2 * 8 + 3, 0), colors[0x06]); // tile 2 is solid 2 (palette 1 entry 2)
    // Tile $A5 (10100101) at column 5, row 10: its top row spells the number.
    EXPECT_EQ(table.pixel(5 * 8 + 0, 10 * 8), colors[0x07]);
    EXPECT_EQ(table.pixel(5 * 8 + 1, 10 * 8), colors[0x04]);
}
