#include "core/session/WhereUsed.h"

#include "core/RomError.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"

#include <set>

namespace quarry::session {

namespace {

using layout::kScreenColumns;
using layout::kScreenRows;

} // namespace

std::uint16_t submapMapPointer(const rom::RomImage& rom, const rom::AreaId& id)
{
    const std::size_t areaRecord = rom::areaRecordIndex(rom, id.objectSet, id.area);
    const std::size_t submapRecord = rom::submapRecordIndex(rom, areaRecord, id.submap, id);
    return rom::mapTableEntry(rom, id.objectSet, rom::mapNumberAt(rom, submapRecord)).mapPointer;
}

MetatileUsage countMetatileUsage(const rom::RomImage& rom, int objectSet)
{
    MetatileUsage usage;
    std::set<std::uint16_t> counted;
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        if (id.objectSet != objectSet)
            continue;
        try {
            const std::uint16_t mapPointer = submapMapPointer(rom, id);
            if (counted.contains(mapPointer))
                continue;
            const rom::AreaMap map = rom::decodeAreaMap(rom, mapPointer);
            counted.insert(mapPointer);
            ++usage.maps;
            for (const std::uint8_t metatile : map.mapGrid)
                ++usage.cells[metatile];
        } catch (const RomError&) {
            usage.unreadable.push_back(id);
        }
    }
    return usage;
}

std::vector<MapCell> cellsUsing(const rom::AreaMap& map, std::uint8_t metatile)
{
    std::vector<MapCell> cells;
    const int rows = map.screensHigh * kScreenRows;
    const int columns = map.screensWide * kScreenColumns;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const std::size_t index = map.cellIndex(column / kScreenColumns, row / kScreenRows, row % kScreenRows,
                                                    column % kScreenColumns);
            if (index < map.mapGrid.size() && map.mapGrid[index] == metatile)
                cells.push_back({column, row});
        }
    }
    return cells;
}

std::array<bool, 256> tilesUsedByMetatiles(const rom::RomImage& rom, int objectSet)
{
    // Object sets may share a background bank: a tile is used when any of
    // them places it.
    std::array<bool, 256> used{};
    const std::size_t bank = rom::bgChrBase(rom, objectSet);
    for (int set = 0; set < layout::kObjectSetCount; ++set) {
        if (set != objectSet && rom::bgChrBase(rom, set) != bank)
            continue;
        const int last = gfx::lastOfferedMetatile(gfx::getMetatileLimit(rom, set));
        for (int metatile = 0; metatile <= last; ++metatile)
            for (const std::uint8_t tile : gfx::getMetatileTiles(rom, set, metatile))
                used[tile] = true;
    }
    return used;
}

} // namespace quarry::session
