#include "core/rom/Addressing.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <string>

namespace quarry::rom {

int bankOf(DataKind kind)
{
    switch (kind) {
    case DataKind::SpriteFrames: return 0;
    case DataKind::Actors: return 1;
    case DataKind::AreaData: return 2;
    case DataKind::Text: return 3;
    case DataKind::PaletteSets: return 4;
    }
    return 2;
}

const char* describe(DataKind kind)
{
    switch (kind) {
    case DataKind::SpriteFrames: return "sprite data";
    case DataKind::Actors: return "actor data";
    case DataKind::AreaData: return "map data";
    case DataKind::Text: return "text";
    case DataKind::PaletteSets: return "palette data";
    }
    return "data";
}

std::size_t cpuToBody(std::uint32_t address, int bank, const char* what)
{
    address &= 0xFFFF;
    if (address >= 0xC000)
        return (address & 0x3FFF) + layout::kFixedBankBase;
    if (address >= 0x8000)
        return (address & 0x3FFF) + layout::kPrgBankSize * static_cast<std::size_t>(bank);
    throw RomError("invalid address " + cpuAddressText(address) + " for " + what + " (bank "
                   + std::to_string(bank) + "): the image does not hold the game's data there");
}

std::size_t cpuToBody(std::uint32_t address, DataKind kind)
{
    switch (kind) {
    case DataKind::SpriteFrames:
        return address & 0x3FFF;
    case DataKind::Text:
        return (address & 0x3FFF) + layout::kPrgBankSize * 3;
    default:
        return cpuToBody(address, bankOf(kind), describe(kind));
    }
}

std::size_t bgChrBase(const RomImage& rom, int objectSet)
{
    return layout::kChrBase
           + layout::kChrBankSize * rom.read(layout::kChrBankTable + 2 * static_cast<std::size_t>(objectSet));
}

std::size_t sprChrBase(const RomImage& rom, int objectSet)
{
    return layout::kChrBase
           + layout::kChrBankSize * rom.read(layout::kChrBankTable + 1 + 2 * static_cast<std::size_t>(objectSet));
}

} // namespace quarry::rom
