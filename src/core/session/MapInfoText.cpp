#include "core/session/MapInfoText.h"

#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/Hex.h"
#include "core/session/LoadedArea.h"

#include <cstdio>

namespace quarry::session {

namespace {

constexpr std::uint32_t kHeaderSize = 0x10;

// Upper-case hex without leading zeros.
std::string bareHex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

std::string dollarPair(int value)
{
    return "$" + hexDigits(static_cast<std::uint32_t>(value), 2);
}

} // namespace

std::string addressWithOffset(std::uint16_t address, int bank)
{
    const std::string cpu = "$" + bareHex(address);
    try {
        const std::size_t body = rom::cpuToBody(address, bank, "map info");
        return cpu + " (" + fileOffsetText(static_cast<std::uint32_t>(body + kHeaderSize)) + ")";
    } catch (const RomError&) {
        return cpu + " (no file offset)";
    }
}

MapInfoText describeMapInfo(const LoadedArea& area)
{
    MapInfoText info;
    info.objectSet = dollarPair(area.id.objectSet);
    info.area = dollarPair(area.id.area);
    info.submap = dollarPair(area.id.submap);
    info.mapWidth = hexDigits(area.map.screensWide, 2);
    info.mapHeight = hexDigits(area.map.screensHigh, 2);
    const int areaBank = rom::bankOf(rom::DataKind::AreaData);
    info.mapData = addressWithOffset(area.pointers.mapPointer, areaBank);
    info.actorData = addressWithOffset(area.pointers.actorPointer, rom::bankOf(rom::DataKind::Actors));
    info.stairData = addressWithOffset(area.pointers.stairPointer, areaBank);
    info.paletteData = addressWithOffset(area.pointers.palettePointer, areaBank);
    for (std::uint16_t screen : area.map.screenTable)
        info.screens += "$" + hexDigits(screen, 4) + " ";
    return info;
}

} // namespace quarry::session
