#include "core/rom/AreaMap.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"
#include "core/rom/WritePlan.h"

#include <string>

namespace quarry::rom {

namespace {

struct MapHeader {
    std::size_t index = 0; // body index of the header
    int wide = 0;
    int high = 0;
};

MapHeader readHeader(const RomImage& rom, std::uint16_t mapPointer)
{
    MapHeader header;
    header.index = bodyIndexOf(mapPointer, DataKind::AreaData, "the map header");
    header.wide = rom.read(header.index);
    header.high = rom.read(header.index + 1);
    const std::size_t cells = layout::kScreenBytes * static_cast<std::size_t>(header.wide)
                              * static_cast<std::size_t>(header.high);
    if (cells >= layout::kMapCellLimit)
        throw RomError("invalid map header at " + cpuAddressText(mapPointer) + " (bank 2): "
                       + std::to_string(header.wide) + " x " + std::to_string(header.high)
                       + " screens are more than a map can hold");
    return header;
}

std::size_t tableEntry(const MapHeader& header, int sx, int sy)
{
    return header.index + layout::kMapHeaderSize
           + 2 * (static_cast<std::size_t>(header.wide) * static_cast<std::size_t>(sy) + static_cast<std::size_t>(sx));
}

std::size_t screenIndex(const RomImage& rom, const MapHeader& header, int sx, int sy)
{
    const std::uint16_t address = rom.readWord(tableEntry(header, sx, sy));
    return bodyIndexOf(address, DataKind::AreaData,
                       "the screen at column " + std::to_string(sx) + ", row " + std::to_string(sy) + " of the map");
}

void checkPosition(const MapHeader& header, int sx, int sy)
{
    if (sx < 0 || sy < 0 || sx >= header.wide || sy >= header.high)
        throw RomError("there is no screen at column " + std::to_string(sx) + ", row " + std::to_string(sy)
                       + " of a map of " + std::to_string(header.wide) + " x " + std::to_string(header.high)
                       + " screens");
}

void checkSameSize(const MapHeader& header, const AreaMap& map)
{
    if (header.wide != map.screensWide || header.high != map.screensHigh
        || map.mapGrid.size() != layout::kScreenBytes * static_cast<std::size_t>(header.wide * header.high))
        throw RomError("the edited map (" + std::to_string(map.screensWide) + " x " + std::to_string(map.screensHigh)
                       + " screens) no longer matches the map in the image (" + std::to_string(header.wide)
                       + " x " + std::to_string(header.high) + "); reload the area");
}

std::vector<std::uint8_t> screenCells(const AreaMap& map, int sx, int sy)
{
    const auto first = map.mapGrid.begin() + static_cast<std::ptrdiff_t>(map.screenBase(sx, sy));
    return {first, first + static_cast<std::ptrdiff_t>(layout::kScreenBytes)};
}

} // namespace

std::size_t AreaMap::screenBase(int sx, int sy) const
{
    return layout::kScreenBytes
           * (static_cast<std::size_t>(screensWide) * static_cast<std::size_t>(sy) + static_cast<std::size_t>(sx));
}

std::size_t AreaMap::cellIndex(int sx, int sy, int row, int column) const
{
    return screenBase(sx, sy) + static_cast<std::size_t>(layout::kScreenColumns * row + column);
}

AreaMap decodeAreaMap(const RomImage& rom, std::uint16_t mapPointer)
{
    const MapHeader header = readHeader(rom, mapPointer);
    AreaMap map;
    map.screensWide = static_cast<std::uint8_t>(header.wide);
    map.screensHigh = static_cast<std::uint8_t>(header.high);
    map.mapGrid.reserve(layout::kScreenBytes * static_cast<std::size_t>(header.wide * header.high));
    for (int sy = 0; sy < header.high; ++sy) {
        for (int sx = 0; sx < header.wide; ++sx) {
            map.screenTable.push_back(rom.readWord(tableEntry(header, sx, sy)));
            const auto cells = rom.bytes(screenIndex(rom, header, sx, sy), layout::kScreenBytes);
            map.mapGrid.insert(map.mapGrid.end(), cells.begin(), cells.end());
        }
    }
    return map;
}

void planEncodeAreaMap(WritePlan& plan, const RomImage& rom, std::uint16_t mapPointer, const AreaMap& map)
{
    const MapHeader header = readHeader(rom, mapPointer);
    checkSameSize(header, map);
    for (int sy = 0; sy < header.high; ++sy)
        for (int sx = 0; sx < header.wide; ++sx)
            plan.add(screenIndex(rom, header, sx, sy), screenCells(map, sx, sy), "a map screen");
}

void encodeAreaMap(RomImage& rom, std::uint16_t mapPointer, const AreaMap& map)
{
    WritePlan plan(rom);
    planEncodeAreaMap(plan, rom, mapPointer, map);
    plan.apply(rom);
}

void writeScreenToRom(RomImage& rom, std::uint16_t mapPointer, const AreaMap& map, int sx, int sy)
{
    const MapHeader header = readHeader(rom, mapPointer);
    checkSameSize(header, map);
    checkPosition(header, sx, sy);
    WritePlan plan(rom);
    plan.add(screenIndex(rom, header, sx, sy), screenCells(map, sx, sy), "a map screen");
    plan.apply(rom);
}

bool setScreenPointer(RomImage& rom, std::uint16_t mapPointer, int sx, int sy, std::uint16_t screenAddress)
{
    const MapHeader header = readHeader(rom, mapPointer);
    if (sx < 0 || sy < 0 || sx >= header.wide || sy >= header.high)
        return false;
    // The screen must be readable afterwards, or the map could not be loaded.
    const std::size_t screen = bodyIndexOf(screenAddress, DataKind::AreaData, "the new screen pointer");
    if (!rom.contains(screen, layout::kScreenBytes))
        throw RomError("the new screen pointer " + cpuAddressText(screenAddress)
                       + " (bank 2) leaves no room for a screen inside the image");
    rom.writeWord(tableEntry(header, sx, sy), screenAddress);
    return true;
}

} // namespace quarry::rom
