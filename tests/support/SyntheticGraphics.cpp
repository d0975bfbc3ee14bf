#include "support/SyntheticGraphics.h"

#include "core/rom/GameLayout.h"

#include <vector>

namespace quarry::test {

std::uint8_t syntheticAttribute(int objectSet, int metatile)
{
    return static_cast<std::uint8_t>(metatile * 0x1B + objectSet * 0x35);
}

std::uint8_t syntheticTileNumber(int objectSet, int metatile, int position)
{
    return static_cast<std::uint8_t>(metatile * 7 + position + objectSet * 16);
}

std::uint8_t syntheticTilePixel(int chrBank, int tile, int row, int column)
{
    if (tile < 4)
        return static_cast<std::uint8_t>(tile);
    if (row == 0)
        return static_cast<std::uint8_t>(((tile >> (7 - column)) & 1) * 3);
    return static_cast<std::uint8_t>((row + column + tile + chrBank) & 3);
}

std::array<std::uint8_t, 16> syntheticPaletteSet(int set)
{
    std::array<std::uint8_t, 16> colours{};
    for (int i = 0; i < 16; ++i)
        colours[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((set * 0x11 + i * 5) & 0x3F);
    if (set == 15)
        colours[5] = 0x4D;
    return colours;
}

namespace {

// One tile in CHR form (16 bytes) at a body index.
void putChrTile(SyntheticRom& rom, std::size_t index, const std::array<std::uint8_t, 64>& pixels)
{
    std::vector<std::uint8_t> chr(16, 0);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            const unsigned v = pixels[static_cast<std::size_t>(r * 8 + c)];
            chr[static_cast<std::size_t>(r)] |= static_cast<std::uint8_t>((v & 1u) << (7 - c));
            chr[static_cast<std::size_t>(r + 8)] |= static_cast<std::uint8_t>(((v >> 1) & 1u) << (7 - c));
        }
    rom.put(index, chr);
}

void fillMetatileTables(SyntheticRom& rom)
{
    for (int s = 0; s < 6; ++s) {
        const auto& table = layout::kMetatileTables[s];
        const int capacity = static_cast<int>(table.tiles - table.attributes);
        rom.put(table.limit, {kSyntheticMetatileLimits[static_cast<std::size_t>(s)]});
        for (int n = 0; n < capacity; ++n) {
            rom.put(table.attributes + static_cast<std::size_t>(n), {syntheticAttribute(s, n)});
            std::vector<std::uint8_t> block(16);
            for (int p = 0; p < 16; ++p)
                block[static_cast<std::size_t>(p)] = syntheticTileNumber(s, n, p);
            rom.put(table.tiles + 16 * static_cast<std::size_t>(n), block);
        }
    }
}

void fillChrBanks(SyntheticRom& rom)
{
    for (std::size_t s = 0; s < 6; ++s)
        rom.put(layout::kChrBankTable + 2 * s, {kSyntheticBackgroundBanks[s], kSyntheticSpriteBanks[s]});

    std::vector<int> banks(kSyntheticBackgroundBanks.begin(), kSyntheticBackgroundBanks.end());
    banks.insert(banks.end(), kSyntheticSpriteBanks.begin(), kSyntheticSpriteBanks.end());
    for (int bank : banks) {
        const std::size_t base = layout::kChrBase + layout::kChrBankSize * static_cast<std::size_t>(bank);
        for (int t = 0; t < 256; ++t) {
            std::array<std::uint8_t, 64> pixels{};
            for (int r = 0; r < 8; ++r)
                for (int c = 0; c < 8; ++c)
                    pixels[static_cast<std::size_t>(r * 8 + c)] = syntheticTilePixel(bank, t, r, c);
            putChrTile(rom, base + 16 * static_cast<std::size_t>(t), pixels);
        }
    }
}

void fillPaletteSets(SyntheticRom& rom)
{
    for (int n = 0; n < kSyntheticPaletteSets; ++n) {
        const auto offset = kSyntheticPaletteSetStride * static_cast<std::size_t>(n);
        rom.putWord(layout::kPaletteSetTable + 2 * static_cast<std::size_t>(n),
                    static_cast<std::uint16_t>(kSyntheticPaletteSetBase + offset));
        const auto colours = syntheticPaletteSet(n);
        rom.put(kSyntheticPaletteSetBody + offset, std::vector<std::uint8_t>(colours.begin(), colours.end()));
    }
}

} // namespace

void fillGraphics(SyntheticRom& rom, std::uint8_t ppuMask)
{
    fillMetatileTables(rom);
    fillChrBanks(rom);
    fillPaletteSets(rom);
    rom.put(layout::kPpuMaskByte, {ppuMask});
}

} // namespace quarry::test
