#include "core/session/Document.h"

#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/Hex.h"

#include <stdexcept>
#include <string>

namespace quarry::session {

void Document::writeAreaPalette(std::uint16_t palettePointer, const gfx::AreaPalette& palette)
{
    EditScope scope(*this, "Write palette", kPaletteChanged);
    gfx::writeAreaPalette(rom_, palettePointer, palette);
}

void Document::writePpuMask(const gfx::PpuMaskSettings& settings)
{
    EditScope scope(*this, "Write colour settings", kMaskChanged);
    gfx::writePpuMask(rom_, settings);
}

void Document::writeTiles(std::size_t start, std::span<const std::uint8_t> tiles)
{
    if (tiles.size() % gfx::kPixelsPerTile != 0)
        throw std::invalid_argument("a tile array of " + std::to_string(tiles.size())
                                    + " pixels does not hold whole tiles");
    EditScope scope(*this, "Write tiles", kTilesChanged);
    gfx::encodeTiles(tiles, static_cast<int>(tiles.size() / gfx::kPixelsPerTile), rom_, start);
}

void Document::writeBackgroundTiles(int objectSet, std::span<const std::uint8_t> tiles)
{
    if (tiles.size() != gfx::kPatternTableTiles * gfx::kPixelsPerTile)
        throw std::invalid_argument("a background bank takes 256 tiles, not "
                                    + std::to_string(tiles.size() / gfx::kPixelsPerTile));
    writeTiles(rom::bgChrBase(rom_, objectSet), tiles);
}

void Document::writeSpriteTiles(int objectSet, std::span<const std::uint8_t> tiles)
{
    if (tiles.size() != gfx::kPatternTableTiles * gfx::kPixelsPerTile)
        throw std::invalid_argument("a sprite bank takes 256 tiles, not "
                                    + std::to_string(tiles.size() / gfx::kPixelsPerTile));
    writeTiles(rom::sprChrBase(rom_, objectSet), tiles);
}

void Document::setMetatileTile(int objectSet, int metatile, int position, std::uint8_t tile)
{
    EditScope scope(*this, "Set tile of metatile " + hexDigits(static_cast<std::uint32_t>(metatile), 2),
                    kMetatilesChanged);
    gfx::setMetatileTile(rom_, objectSet, metatile, position, tile);
}

void Document::setMetatileAttribute(int objectSet, int metatile, std::uint8_t value)
{
    EditScope scope(*this, "Set palettes of metatile " + hexDigits(static_cast<std::uint32_t>(metatile), 2),
                    kMetatilesChanged);
    gfx::setMetatileAttribute(rom_, objectSet, metatile, value);
}

void Document::setSolidityThresholds(int objectSet, const rom::SolidityThresholds& thresholds)
{
    EditScope scope(*this, "Set solidity thresholds", kThresholdsChanged);
    rom::writeSolidityThresholds(rom_, objectSet, thresholds);
}

} // namespace quarry::session
