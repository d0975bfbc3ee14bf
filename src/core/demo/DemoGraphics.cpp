// The demo image's background graphics: tiles drawn by small formulas, the
// metatiles built from them and the day and night palette sets.
#include "core/demo/DemoImage.h"

#include "core/gfx/Chr.h"
#include "core/rom/GameLayout.h"

#include <array>
#include <vector>

namespace quarry::demo {

namespace {

using Tile = std::array<std::uint8_t, 64>;

enum TileNumber : std::uint8_t {
    kTileSky,
    kTileBrick,
    kTileGrass,
    kTileDirt,
    kTileWaterA,
    kTileWaterB,
    kTileStepRight,
    kTileStepLeft,
    kTileStone,
    kTileGlass,
    kTileWood,
    kTileCloud,
    kTileLeaves,
    kTileBark,
    kTileRoof,
    kTileFlower,
    kTilePlank,
    kTileCount
};

// A cheap, fixed scatter so textures look hand-made yet never change.
int speckle(int tile, int row, int column)
{
    return (row * 37 + column * 11 + tile * 23 + (row * column) * 7) % 13;
}

std::uint8_t brickPixel(int r, int c)
{
    if (r == 0 || r == 4)
        return 3; // mortar rows
    const int joint = r < 4 ? 0 : 4;
    if (c == joint)
        return 3;
    return r == 1 || r == 5 ? 1 : 2; // the lit upper edge of each brick
}

std::uint8_t pixelOf(int tile, int r, int c)
{
    switch (tile) {
    case kTileSky: return 0;
    case kTileBrick: return brickPixel(r, c);
    case kTileGrass:
        if (r == 0)
            return c % 3 == 0 ? 1 : 0; // blade tips against the sky
        if (r < 4)
            return (r == 3 && c % 4 == 1) ? 2 : 1;
        return speckle(tile, r, c) == 0 ? 3 : 2;
    case kTileDirt: return speckle(tile, r, c) < 2 ? 3 : 2;
    case kTileWaterA:
    case kTileWaterB: {
        const int phase = tile == kTileWaterB ? 4 : 0;
        const int crest = (c + phase) % 8 < 4 ? 1 : 2;
        if (r == crest)
            return 3;
        return r < crest ? 2 : 1;
    }
    case kTileStepRight:
        if (c + r == 7)
            return 3;
        return c + r > 7 ? 2 : 0;
    case kTileStepLeft:
        if (c == r)
            return 3;
        return c < r ? 2 : 0;
    case kTileStone:
        if (r == 7 || c == 7)
            return 3;
        if (r == 0 || c == 0)
            return 1;
        return speckle(tile, r, c) == 0 ? 3 : 2;
    case kTileGlass:
        if (r == 0 || r == 7 || c == 0 || c == 7 || c == 3 || r == 3)
            return 3;
        return (r + c) % 5 == 0 ? 0 : 1;
    case kTileWood: return c == 0 || c == 4 ? 3 : (speckle(tile, r, c) == 0 ? 1 : 2);
    case kTileCloud: {
        const int dx = c - 4;
        const int dy = r - 5;
        return dx * dx + 2 * dy * dy < 14 ? 3 : 0;
    }
    case kTileLeaves: return speckle(tile, r, c) < 4 ? 2 : (speckle(tile, r, c) < 5 ? 3 : 1);
    case kTileBark: return c >= 2 && c <= 5 ? ((c + r) % 3 == 0 ? 3 : 2) : 0;
    case kTileRoof: return (r + c) % 4 == 0 ? 3 : (r % 4 == 0 ? 1 : 2);
    case kTileFlower:
        if (r >= 5)
            return 1;
        if ((r == 2 && c % 4 == 1) || (r == 1 && c % 4 == 2) || (r == 3 && c % 4 == 2))
            return 3;
        return 0;
    case kTilePlank: return r == 0 || r == 7 ? 3 : (c == 6 && r % 3 == 1 ? 3 : 2);
    default:
        // The rest of the pattern table: a soft gradient with the tile
        // number's low bits as a border, so the tile kit has something to show.
        return static_cast<std::uint8_t>(((r + c + tile) / 4 + (r == 0 ? tile : 0)) & 3);
    }
}

// The tiles of a metatile, row by row.
using Layout = std::array<std::uint8_t, 16>;

Layout filled(std::uint8_t tile)
{
    Layout layout;
    layout.fill(tile);
    return layout;
}

struct MetatileDef {
    Layout tiles;
    int palette; // the same background palette in all four quarters
};

std::array<MetatileDef, kMetatileCount> metatiles()
{
    std::array<MetatileDef, kMetatileCount> defs{};
    defs[kSky] = {filled(kTileSky), 0};
    Layout cloud = filled(kTileSky);
    cloud[5] = cloud[6] = cloud[9] = cloud[10] = kTileCloud;
    defs[kCloud] = {cloud, 0};
    Layout grass = filled(kTileDirt);
    for (int c = 0; c < 4; ++c)
        grass[static_cast<std::size_t>(c)] = kTileGrass;
    defs[kGrass] = {grass, 1};
    defs[kDirt] = {filled(kTileDirt), 1};
    Layout water;
    for (std::size_t i = 0; i < 16; ++i)
        water[i] = (i / 4) % 2 == 0 ? kTileWaterA : kTileWaterB;
    defs[kWater] = {water, 0};
    defs[kBrick] = {filled(kTileBrick), 2};
    Layout right;
    Layout left;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const auto i = static_cast<std::size_t>(r * 4 + c);
            right[i] = c + r == 3 ? kTileStepRight : (c + r > 3 ? kTileStone : kTileSky);
            left[i] = c == r ? kTileStepLeft : (c < r ? kTileStone : kTileSky);
        }
    defs[kStairRight] = {right, 3};
    defs[kStairLeft] = {left, 3};
    defs[kStone] = {filled(kTileStone), 3};
    Layout window = filled(kTileBrick);
    window[5] = window[6] = window[9] = window[10] = kTileGlass;
    defs[kWindow] = {window, 2};
    Layout door = filled(kTileBrick);
    door[5] = door[6] = door[9] = door[10] = door[13] = door[14] = kTileWood;
    defs[kDoor] = {door, 2};
    defs[kLeaves] = {filled(kTileLeaves), 1};
    Layout trunk = filled(kTileSky);
    for (int r = 0; r < 4; ++r)
        trunk[static_cast<std::size_t>(r * 4 + 1)] = trunk[static_cast<std::size_t>(r * 4 + 2)] = kTileBark;
    defs[kTrunk] = {trunk, 1};
    defs[kRoof] = {filled(kTileRoof), 2};
    Layout flowers = filled(kTileDirt);
    for (int c = 0; c < 4; ++c)
        flowers[static_cast<std::size_t>(c)] = kTileFlower;
    defs[kFlowers] = {flowers, 1};
    defs[kPlanks] = {filled(kTilePlank), 3};
    return defs;
}

// Four background palettes: sky and water, grass and earth, bricks, stone
// and wood. Each object set tints its bricks; night darkens everything.
std::array<std::uint8_t, 16> backgroundSet(int objectSet, bool night)
{
    static constexpr std::uint8_t brickHues[6] = {0x06, 0x04, 0x08, 0x02, 0x07, 0x0C};
    const std::uint8_t hue = brickHues[objectSet % 6];
    std::array<std::uint8_t, 16> set = {
        0x21, 0x11, 0x31, 0x30,                                   // sky, deep and light water, white
        0x21, 0x2A, 0x18, 0x08,                                   // sky, grass, earth, dark earth
        0x21, static_cast<std::uint8_t>(0x20 + hue), static_cast<std::uint8_t>(0x10 + hue), 0x2D, // bricks
        0x21, 0x3D, 0x2D, 0x0F,                                   // stone, wood and black
    };
    if (night) {
        for (std::uint8_t& colour : set)
            colour = colour >= 0x10 ? static_cast<std::uint8_t>(colour - 0x10) : 0x0F;
        for (int p = 0; p < 4; ++p)
            set[static_cast<std::size_t>(4 * p)] = 0x01; // a dark blue night sky
    }
    return set;
}

constexpr std::size_t kPaletteSetBody = 0x12000; // CPU $A000 with bank 4
constexpr std::uint16_t kPaletteSetCpu = 0xA000;

} // namespace

void writeDemoGraphics(rom::RomImage& rom)
{
    gfx::TilePixels tiles(static_cast<std::size_t>(gfx::kPatternTableTiles) * gfx::kPixelsPerTile);
    for (int t = 0; t < gfx::kPatternTableTiles; ++t)
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c)
                tiles[static_cast<std::size_t>(t * 64 + r * 8 + c)] = pixelOf(t, r, c);

    const auto defs = metatiles();
    for (int s = 0; s < layout::kObjectSetCount; ++s) {
        // Background tiles in bank 2s, sprite tiles in bank 2s + 1.
        const auto bank = static_cast<std::uint8_t>(2 * s);
        rom.writeBytes(layout::kChrBankTable + 2 * static_cast<std::size_t>(s),
                       std::array<std::uint8_t, 2>{bank, static_cast<std::uint8_t>(bank + 1)});
        gfx::encodeTiles(tiles, gfx::kPatternTableTiles, rom, layout::kChrBase + layout::kChrBankSize * bank);

        const layout::MetatileTableLayout& table = layout::kMetatileTables[s];
        rom.write(table.limit, static_cast<std::uint8_t>(kMetatileCount + 1));
        for (std::size_t m = 0; m < defs.size(); ++m) {
            rom.write(table.attributes + m, static_cast<std::uint8_t>(0x55 * defs[m].palette));
            rom.writeBytes(table.tiles + layout::kMetatileTileBlockSize * m, defs[m].tiles);
        }

        for (bool night : {false, true}) {
            const int set = 2 * s + (night ? kNightBackgroundSet : kDayBackgroundSet);
            const auto offset = static_cast<std::size_t>(0x20 * set);
            rom.writeWord(layout::kPaletteSetTable + 2 * static_cast<std::size_t>(set),
                          static_cast<std::uint16_t>(kPaletteSetCpu + offset));
            rom.writeBytes(kPaletteSetBody + offset, backgroundSet(s, night));
        }
    }

    // Sprite palettes 2 and 3: a green creature and a golden one.
    const std::array<std::uint8_t, 8> daySprites = {0x0F, 0x0A, 0x1A, 0x30, 0x0F, 0x18, 0x28, 0x38};
    const std::array<std::uint8_t, 8> nightSprites = {0x0F, 0x0A, 0x1A, 0x20, 0x0F, 0x08, 0x18, 0x28};
    for (const auto& [set, colours] : {std::pair{kDaySpriteSet, daySprites}, std::pair{kNightSpriteSet, nightSprites}}) {
        const auto offset = static_cast<std::size_t>(0x20 * set);
        rom.writeWord(layout::kPaletteSetTable + 2 * static_cast<std::size_t>(set),
                      static_cast<std::uint16_t>(kPaletteSetCpu + offset));
        rom.writeBytes(kPaletteSetBody + offset, colours);
    }

    // Background and sprites shown, no emphasis, colour.
    rom.write(layout::kPpuMaskByte, layout::kPpuMaskShowBits);
}

} // namespace quarry::demo
