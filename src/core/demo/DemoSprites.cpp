// The demo image's sprite figures: a walker, a blob and a bird, two poses
// each, a gem, their frames and animations.
#include "core/demo/DemoImage.h"

#include "core/gfx/Chr.h"
#include "core/rom/GameLayout.h"

#include <array>
#include <string_view>
#include <vector>

namespace quarry::demo {

namespace {

// 16 x 16 figures: '.' transparent, '1'-'3' the sprite palette's colours.
using Figure = std::array<std::string_view, 16>;

constexpr Figure kWalkerA = {
    "......3333......", ".....333333.....", ".....3.33.3.....", ".....333333.....",
    "......3333......", "....22222222....", "...2222222222...", "...22.2222.22...",
    "...33.2222.33...", "......2222......", "......1111......", ".....11..11.....",
    ".....11..11.....", ".....11..11.....", "....111..111....", "................"};
constexpr Figure kWalkerB = {
    "......3333......", ".....333333.....", ".....3.33.3.....", ".....333333.....",
    "......3333......", "....22222222....", "...2222222222...", "..22..2222..22..",
    "..33..2222..33..", "......2222......", "......1111......", ".....11...11....",
    "....11.....11...", "...11.......11..", "..111.......111.", "................"};
constexpr Figure kBlobA = {
    "................", "................", "................", "................",
    "................", "................", "......2222......", "....22222222....",
    "...2222222222...", "..223322223322..", "..221322221322..", ".22222222222222.",
    ".22222111122222.", ".22222222222222.", "..222222222222..", "................"};
constexpr Figure kBlobB = {
    "................", "................", "................", "................",
    "................", "................", "................", "................",
    ".....222222.....", "...2222222222...", "..223322223322..", ".22213222213222.",
    "2222222222222222", "2222221111222222", ".22222222222222.", "................"};
constexpr Figure kBirdA = {
    "................", "..3..........3..", "..33........33..", "...333....333...",
    "....33322333....", ".....222222.....", "....22122222....", "....2222222211..",
    ".....222222.....", "......2..2......", "................", "................",
    "................", "................", "................", "................"};
constexpr Figure kBirdB = {
    "................", "................", "................", "................",
    "................", ".....222222.....", "....22122222....", "....2222222211..",
    "...333222233....", "..333......333..", "..33........33..", "..3..........3..",
    "................", "................", "................", "................"};
constexpr Figure kGem = {
    "................", "................", "................", "................",
    "......3333......", ".....322223.....", "....32222223....", "...3222112223...",
    "...3221112223...", "....32222223....", ".....322223.....", "......3223......",
    ".......33.......", "................", "................", "................"};

struct FigureUse {
    const Figure* figure;
    std::uint8_t palette; // sprite palette 0-3
};
constexpr FigureUse kFigures[] = {{&kWalkerA, 0}, {&kWalkerB, 0}, {&kBlobA, 2}, {&kBlobB, 2},
                                  {&kBirdA, 1},   {&kBirdB, 1},   {&kGem, 3}};

constexpr std::size_t kFrameDataBody = 0x0100; // bank 0, before the frame pointer table
constexpr std::uint16_t kBank0Cpu = 0x8000;

} // namespace

void writeDemoSprites(rom::RomImage& rom)
{
    // Figure f takes tiles 4f to 4f + 3: top left, top right, bottom left, bottom right.
    gfx::TilePixels tiles(static_cast<std::size_t>(gfx::kPatternTableTiles) * gfx::kPixelsPerTile, 0);
    for (std::size_t f = 0; f < std::size(kFigures); ++f)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const char ch = (*kFigures[f].figure)[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                const std::size_t tile = 4 * f + static_cast<std::size_t>((y / 8) * 2 + x / 8);
                tiles[tile * 64 + static_cast<std::size_t>((y % 8) * 8 + x % 8)]
                    = ch == '.' ? 0 : static_cast<std::uint8_t>(ch - '0');
            }
    for (int s = 0; s < layout::kObjectSetCount; ++s)
        gfx::encodeTiles(tiles, gfx::kPatternTableTiles, rom,
                         layout::kChrBase + layout::kChrBankSize * static_cast<std::size_t>(2 * s + 1));

    // Frame 0 is empty and every unused frame number points at it; frame
    // f + 1 shows figure f, four sprites standing on the object's position.
    std::size_t at = kFrameDataBody;
    const auto empty = static_cast<std::uint16_t>(kBank0Cpu + at);
    rom.write(at++, 0);
    for (int n = 0; n < layout::kFrameCount; ++n)
        rom.writeWord(layout::kFramePointerTable + 2 * static_cast<std::size_t>(n), empty);
    for (std::size_t f = 0; f < std::size(kFigures); ++f) {
        rom.writeWord(layout::kFramePointerTable + 2 * (f + 1), static_cast<std::uint16_t>(kBank0Cpu + at));
        std::vector<std::uint8_t> frame = {4};
        for (int part = 0; part < 4; ++part) {
            const int dy = part < 2 ? -16 : -8;
            frame.push_back(static_cast<std::uint8_t>((dy & 0x7F) << 1));
            frame.push_back(static_cast<std::uint8_t>(4 * f + static_cast<std::size_t>(part)));
            frame.push_back(kFigures[f].palette);
            frame.push_back(static_cast<std::uint8_t>(part % 2 == 0 ? 0 : 8));
        }
        rom.writeBytes(at, frame);
        at += frame.size();
    }

    // Animations: the walker, the blob and the bird in two poses, the gem
    // still; the rest show the walker standing.
    for (int a = 0; a < layout::kAnimationCount; ++a) {
        std::array<std::uint8_t, 3> record = {0, 1, 15};
        if (a < 3)
            record = {1, static_cast<std::uint8_t>(1 + 2 * a), static_cast<std::uint8_t>(a == 2 ? 5 : 11)};
        else if (a == 3)
            record = {0, 7, 15};
        rom.writeBytes(layout::kAnimationTable + layout::kAnimationRecordSize * static_cast<std::size_t>(a), record);
    }
}

} // namespace quarry::demo
