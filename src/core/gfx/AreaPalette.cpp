#include "core/gfx/AreaPalette.h"

#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <algorithm>
#include <string>

namespace quarry::gfx {
namespace {

std::size_t setIndex(const rom::RomImage& rom, std::uint8_t set, const char* what)
{
    const std::uint16_t pointer = rom.readWord(layout::kPaletteSetTable + 2 * static_cast<std::size_t>(set));
    return rom::cpuToBody(pointer, rom::bankOf(rom::DataKind::PaletteSets), what);
}

void checkInside(const rom::RomImage& rom, std::size_t index, std::size_t count, const char* what)
{
    if (!rom.contains(index, count))
        throw RomError(std::string(what) + " at body index " + fileOffsetText(static_cast<std::uint32_t>(index))
                       + " runs past the end of the image");
}

} // namespace

void setFixedSpriteEntries(AreaPalette& palette)
{
    std::copy(std::begin(layout::kFixedSpritePalette), std::end(layout::kFixedSpritePalette),
              palette.begin() + kFixedSpriteEntriesFirst);
}

PaletteSetLocation locatePaletteSets(const rom::RomImage& rom, std::uint32_t palettePointer)
{
    const std::size_t record
        = rom::cpuToBody(palettePointer, rom::bankOf(rom::DataKind::AreaData), "the area palette record");
    PaletteSetLocation location;
    location.backgroundSet = rom.read(record);
    location.spriteSet = rom.read(record + 1);
    location.backgroundIndex = setIndex(rom, location.backgroundSet, "the background palette set");
    location.spriteIndex = setIndex(rom, location.spriteSet, "the sprite palette set");
    checkInside(rom, location.backgroundIndex, layout::kBackgroundPaletteSetSize, "the background palette set");
    checkInside(rom, location.spriteIndex, layout::kSpritePaletteSetSize, "the sprite palette set");
    return location;
}

void readAreaPalette(const rom::RomImage& rom, std::uint32_t palettePointer, AreaPalette& palette)
{
    const PaletteSetLocation location = locatePaletteSets(rom, palettePointer);
    const auto background = rom.bytes(location.backgroundIndex, layout::kBackgroundPaletteSetSize);
    const auto sprite = rom.bytes(location.spriteIndex, layout::kSpritePaletteSetSize);
    std::copy(background.begin(), background.end(), palette.begin());
    std::copy(sprite.begin(), sprite.end(), palette.begin() + 24);
}

void writeAreaPalette(rom::RomImage& rom, std::uint32_t palettePointer, const AreaPalette& palette)
{
    const PaletteSetLocation location = locatePaletteSets(rom, palettePointer);
    rom.writeBytes(location.backgroundIndex,
                   std::span<const std::uint8_t>(palette.data(), layout::kBackgroundPaletteSetSize));
    rom.writeBytes(location.spriteIndex,
                   std::span<const std::uint8_t>(palette.data() + 24, layout::kSpritePaletteSetSize));
}

PpuMaskSettings readPpuMask(const rom::RomImage& rom)
{
    const std::uint8_t mask = rom.read(layout::kPpuMaskByte);
    return PpuMaskSettings{static_cast<std::uint8_t>(mask & layout::kPpuMaskGreyscaleBit),
                           static_cast<std::uint8_t>(mask & layout::kPpuMaskEmphasisBits)};
}

std::uint8_t ppuMaskByte(const PpuMaskSettings& settings)
{
    // Keep each setting to its own bits so a stray value cannot switch off
    // the show bits' neighbours or turn emphasis into greyscale.
    return static_cast<std::uint8_t>((settings.emphasis & layout::kPpuMaskEmphasisBits)
                                     | (settings.greyscaleOn() ? layout::kPpuMaskGreyscaleBit : 0)
                                     | layout::kPpuMaskShowBits);
}

void writePpuMask(rom::RomImage& rom, const PpuMaskSettings& settings)
{
    rom.write(layout::kPpuMaskByte, ppuMaskByte(settings));
}

} // namespace quarry::gfx
