#include "core/RomError.h"
#include "core/gfx/BackgroundRenderer.h"
#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "support/SyntheticGraphics.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::gfx;

namespace {

// Every background entry $21, so any drawn pixel is that colour and any cell
// left alone is black.
std::array<std::uint8_t, 32> flatPalette()
{
    std::array<std::uint8_t, 32> palette{};
    palette.fill(0x21);
    return palette;
}

bool cellIs(const Canvas& picture, int x0, int y0, Rgb colour)
{
    for (int y = y0; y < y0 + 32; ++y)
        for (int x = x0; x < x0 + 32; ++x)
            if (picture.pixel(x, y) != colour)
                return false;
    return true;
}

int drawnCells(const Canvas& chooser, Rgb colour)
{
    int count = 0;
    for (int n = 0; n < kChooserMaxMetatiles; ++n) {
        if (cellIs(chooser, chooserX(n), chooserY(n), colour))
            ++count;
        else
            EXPECT_TRUE(cellIs(chooser, chooserX(n), chooserY(n), kBlack)) << "cell " << n;
    }
    return count;
}

// A chooser whose every pixel tells its metatile and place.
Canvas numberedChooser()
{
    Canvas chooser(256, 288);
    for (int n = 0; n < 72; ++n)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                chooser.setPixel(chooserX(n) + x, chooserY(n) + y, static_cast<Rgb>(0x10000 * (n + 1) + y * 32 + x));
    return chooser;
}

class Renderer : public ::testing::Test {
protected:
    Renderer() { test::fillGraphics(synthetic); }

    Canvas chooserWithLimit(std::uint8_t limit)
    {
        synthetic.put(layout::kMetatileTables[2].limit, {limit});
        const rom::RomImage image = synthetic.image();
        return drawMetatilePicker(image, 2, loadBackgroundTiles(image, 2), flatPalette(), colors);
    }

    test::SyntheticRom synthetic;
    ColorTable colors = nesColorTable(PpuMaskSettings{});
};

} // namespace

TEST(Metatiles, QuadrantPalettes)
{
    // $E4 = 11 10 01 00: bottom-right 3, bottom-left 2, top-right 1, top-left 0.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(quadrantPalette(x, y, 0xE4), (y / 2) * 2 + x / 2) << x << ", " << y;
    EXPECT_EQ(quadrantPalette(7, 9, 0xE4), 3); // anything else is bottom / right
    EXPECT_EQ(quadrantPalette(2, 0, 0x0C), 3);
}

TEST(Metatiles, AccessorsFollowTheFixedTables)
{
    test::SyntheticRom synthetic;
    test::fillGraphics(synthetic);
    const rom::RomImage image = synthetic.image();

    EXPECT_EQ(getMetatileLimit(image, 3), test::kSyntheticMetatileLimits[3]);
    EXPECT_EQ(getMetatileAttribute(image, 4, 61), test::syntheticAttribute(4, 61));
    const MetatileTiles tiles = getMetatileTiles(image, 5, 63);
    for (int p = 0; p < 16; ++p)
        EXPECT_EQ(tiles[static_cast<std::size_t>(p)], test::syntheticTileNumber(5, 63, p));

    // Object sets other than 1-5 read the tables of object set 0.
    for (int set : {7, -1, 6}) {
        EXPECT_EQ(getMetatileLimit(image, set), test::kSyntheticMetatileLimits[0]);
        EXPECT_EQ(getMetatileAttribute(image, set, 3), test::syntheticAttribute(0, 3));
        EXPECT_EQ(getMetatileTiles(image, set, 3)[5], test::syntheticTileNumber(0, 3, 5));
    }
    EXPECT_EQ(metatileCapacity(0), 67);
    EXPECT_EQ(metatileCapacity(4), 62);
    EXPECT_EQ(metatileCapacity(5), 64);
}

TEST(Metatiles, WritersStayInsideTheTable)
{
    test::SyntheticRom synthetic;
    test::fillGraphics(synthetic);
    rom::RomImage image = synthetic.image();

    setMetatileAttribute(image, 4, 61, 0xE4);
    setMetatileTile(image, 4, 61, 15, 0x99);
    EXPECT_EQ(getMetatileAttribute(image, 4, 61), 0xE4);
    EXPECT_EQ(getMetatileTiles(image, 4, 61)[15], 0x99);
    EXPECT_EQ(image.read(layout::kMetatileTables[5].limit), test::kSyntheticMetatileLimits[5]);

    // Metatile 62 of object set 4 would land on metatile 0's tile block and
    // in object set 5's table.
    const rom::RomImage before = image;
    EXPECT_THROW(setMetatileAttribute(image, 4, 62, 1), RomError);
    EXPECT_THROW(setMetatileTile(image, 4, 62, 0, 1), RomError);
    EXPECT_THROW(setMetatileTile(image, 4, -1, 0, 1), RomError);
    EXPECT_THROW(setMetatileTile(image, 4, 0, 16, 1), RomError);
    EXPECT_THROW(setMetatileTile(image, 4, 0, -1, 1), RomError);
    EXPECT_EQ(image.body(), before.body());
}

TEST_F(Renderer, ChooserDrawsLimitMinusOneMetatiles)
{
    const Rgb drawn = colors[0x21];
    EXPECT_EQ(drawnCells(chooserWithLimit(0), drawn), 1);
    EXPECT_EQ(drawnCells(chooserWithLimit(1), drawn), 1);
    EXPECT_EQ(drawnCells(chooserWithLimit(2), drawn), 1);
    EXPECT_EQ(drawnCells(chooserWithLimit(3), drawn), 2);

    const Canvas part = chooserWithLimit(30);
    EXPECT_EQ(drawnCells(part, drawn), 29);
    EXPECT_TRUE(cellIs(part, chooserX(28), chooserY(28), drawn));
    EXPECT_TRUE(cellIs(part, chooserX(29), chooserY(29), kBlack));

    const Canvas full = chooserWithLimit(80);
    ASSERT_EQ(full.width(), 256);
    ASSERT_EQ(full.height(), 288);
    EXPECT_EQ(drawnCells(full, drawn), 72);
    EXPECT_EQ(drawnCells(chooserWithLimit(0xFF), drawn), 72);
    // Past the table's room of 69 the limit byte still decides.
    EXPECT_EQ(drawnCells(chooserWithLimit(72), drawn), 71);
    EXPECT_EQ(drawnCells(chooserWithLimit(73), drawn), 72);
}

TEST_F(Renderer, ChooserPlacesTilesAndQuadrantPalettes)
{
    // Metatile 9 of object set 1: solid tiles 1, 2, 3 in a known layout and
    // attribute $E4; the chooser cell is at (32, 32).
    synthetic.put(layout::kMetatileTables[1].limit, {20});
    synthetic.put(layout::kMetatileTables[1].attributes + 9, {0xE4});
    synthetic.put(layout::kMetatileTables[1].tiles + 16 * 9,
                  {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3});
    std::array<std::uint8_t, 32> palette{};
    palette[1] = 0x16;
    palette[5] = 0x2A;
    palette[9] = 0x12;
    palette[13] = 0x30;
    palette[15] = 0x4D;
    const rom::RomImage image = synthetic.image();
    const Canvas chooser = drawMetatilePicker(image, 1, loadBackgroundTiles(image, 1), palette, colors);

    EXPECT_EQ(chooser.pixel(32 + 0, 32 + 0), colors[0x16]);
    EXPECT_EQ(chooser.pixel(32 + 15, 32 + 15), colors[0x16]);
    EXPECT_EQ(chooser.pixel(32 + 16, 32 + 15), colors[0x2A]);
    EXPECT_EQ(chooser.pixel(32 + 15, 32 + 16), colors[0x12]);
    EXPECT_EQ(chooser.pixel(32 + 16, 32 + 16), colors[0x30]);
    // Tile row 3, column 3 is tile 3 (value 3): palette 3 entry 3 = $4D -> $0D.
    EXPECT_EQ(chooser.pixel(32 + 24, 32 + 24), colors[0x0D]);
    EXPECT_EQ(chooser.pixel(32 + 23, 32 + 24), colors[0x30]);
}

TEST_F(Renderer, ChooserUsesTheGivenColourTable)
{
    const rom::RomImage image = synthetic.image();
    const ColorTable grey = nesColorTable(PpuMaskSettings{1, 0});
    const Canvas chooser = drawMetatilePicker(image, 0, loadBackgroundTiles(image, 0), flatPalette(), grey);
    EXPECT_TRUE(cellIs(chooser, 0, 0, grey[0x21]));
    EXPECT_EQ(grey[0x21], nesColorToRgb(0x20, false, 0));
}

TEST(RenderMap, SizesAndGridOrder)
{
    const Canvas chooser = numberedChooser();

    const std::vector<std::uint8_t> one(56, 0);
    const Canvas single = renderMap(one, 1, 1, chooser);
    EXPECT_EQ(single.width(), 256);
    EXPECT_EQ(single.height(), 224);

    // 3 x 2 screens; screen (2, 1) row 4 column 5 holds metatile 9.
    std::vector<std::uint8_t> grid(3 * 2 * 56, 0);
    grid[gridIndex(3, 2, 1, 4, 5)] = 9;
    EXPECT_EQ(gridIndex(3, 2, 1, 4, 5), 3u * 56 + 2 * 56 + 37);
    const Canvas map = renderMap(grid, 3, 2, chooser);
    ASSERT_EQ(map.width(), 768);
    ASSERT_EQ(map.height(), 448);
    const int x = 2 * 256 + 5 * 32;
    const int y = 224 + 4 * 32;
    for (int dy : {0, 17, 31})
        for (int dx : {0, 9, 31})
            EXPECT_EQ(map.pixel(x + dx, y + dy), chooser.pixel(32 + dx, 32 + dy));
    EXPECT_EQ(map.pixel(x - 1, y), chooser.pixel(31, 0));
    EXPECT_EQ(map.pixel(767, 447), chooser.pixel(31, 31));

    EXPECT_EQ(renderMap({}, 0, 0, chooser).width(), 0);
    EXPECT_THROW(renderMap(grid, 3, 3, chooser), std::invalid_argument);
    EXPECT_THROW(renderMap(grid, -1, 2, chooser), std::invalid_argument);
}

TEST(RenderMap, RegionsMatchTheWholePicture)
{
    const Canvas chooser = numberedChooser();
    std::vector<std::uint8_t> grid(3 * 2 * 56);
    for (std::size_t i = 0; i < grid.size(); ++i)
        grid[i] = static_cast<std::uint8_t>((i * 7 + i / 56) % 80); // some past the chooser
    const Canvas whole = renderMap(grid, 3, 2, chooser);

    // Inside, across screen and cell borders, reaching past every edge.
    const struct {
        int x, y, w, h;
    } regions[] = {{0, 0, 768, 448}, {250, 220, 40, 9}, {31, 33, 1, 1}, {-20, -7, 64, 50}, {700, 400, 200, 100},
                   {-50, -50, 10, 10}, {0, 0, 0, 0}};
    for (const auto& r : regions) {
        const Canvas part = renderMapRegion(grid, 3, 2, chooser, r.x, r.y, r.w, r.h);
        ASSERT_EQ(part.width(), r.w);
        ASSERT_EQ(part.height(), r.h);
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                const bool inside = whole.contains(r.x + x, r.y + y);
                ASSERT_EQ(part.pixel(x, y), inside ? whole.pixel(r.x + x, r.y + y) : kBlack)
                    << "region at " << r.x << ", " << r.y << " pixel " << x << ", " << y;
            }
    }
    EXPECT_THROW(renderMapRegion(grid, 3, 2, chooser, 0, 0, -1, 4), std::invalid_argument);
    EXPECT_THROW(renderMapRegion(grid, 3, 3, chooser, 0, 0, 4, 4), std::invalid_argument);
}

TEST(RenderMap, CellsOutsideTheChooserAreBlack)
{
    Canvas chooser(256, 288);
    chooser.fill(0xFFFFFF);
    std::vector<std::uint8_t> grid(56);
    for (std::size_t i = 0; i < grid.size(); ++i)
        grid[i] = static_cast<std::uint8_t>(i % 2 == 0 ? 71 : 72 + i * 3);
    const Canvas map = renderMap(grid, 1, 1, chooser);
    for (int cell = 0; cell < 56; ++cell) {
        const Rgb expected = cell % 2 == 0 ? 0xFFFFFFu : kBlack;
        EXPECT_TRUE(cellIs(map, (cell % 8) * 32, (cell / 8) * 32, expected)) << "cell " << cell;
    }
}

TEST(Canvas, BlitClipsBothPictures)
{
    Canvas source(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.setPixel(x, y, static_cast<Rgb>(y * 4 + x + 1));
    Canvas target(5, 5);
    target.blit(source, -1, -1, 4, 4, 3, 3); // source rows and columns -1..2
    EXPECT_EQ(target.pixel(3, 3), kBlack);
    EXPECT_EQ(target.pixel(4, 4), 1u);
    EXPECT_EQ(target.pixel(2, 2), kBlack);

    target.blit(source, 2, 2, 100, 100, -1, 0); // from (2,2): only x >= 0 lands
    EXPECT_EQ(target.pixel(0, 0), 12u);
    EXPECT_EQ(target.pixel(0, 1), 16u);
    EXPECT_EQ(target.pixel(1, 0), kBlack);
    target.blit(source, 0, 0, 4, 4, 1000, -1000); // entirely outside: nothing
    target.blit(source, 0, 0, -4, 4, 0, 0);

    // Stored words carry the X byte so a view can wrap them as RGBX.
    Canvas one(1, 1);
    one.setPixel(0, 0, 0x00332211);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(one.data());
    EXPECT_EQ(one.words()[0], 0xFF332211u);
    EXPECT_EQ(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (bytes[3] << 24), 0xFF332211);
    EXPECT_EQ(one.pixel(0, 0), 0x332211u);
    one.setPixel(1, 0, 0x444444);
    EXPECT_EQ(one.pixel(0, 0), 0x332211u);
    EXPECT_THROW(one.pixel(0, 1), std::out_of_range);
    EXPECT_THROW(Canvas(-1, 2), std::invalid_argument);
}
