#include "LargeMap.h"

#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace quarry::test {

LargeMap putLargestMap(SyntheticGame& game, const rom::AreaId& id, int maxScreens)
{
    constexpr int positions = kLargestMapWide * kLargestMapHigh;
    LargeMap large;
    large.id = id;
    large.mapPointer = game.allocAreaData(layout::kMapHeaderSize + 2 * static_cast<std::size_t>(positions));
    SyntheticRom& rom = game.rom();
    rom.put(large.mapPointer, {static_cast<std::uint8_t>(kLargestMapWide), static_cast<std::uint8_t>(kLargestMapHigh)});

    std::vector<std::uint16_t> screens;
    for (int s = 0; s < std::max(maxScreens, 1); ++s) {
        std::uint16_t at = 0;
        try {
            at = game.allocAreaData(layout::kScreenBytes);
        } catch (const std::length_error&) {
            if (screens.empty())
                throw;
            break;
        }
        std::vector<std::uint8_t> cells(layout::kScreenBytes);
        for (std::size_t c = 0; c < cells.size(); ++c)
            cells[c] = static_cast<std::uint8_t>((static_cast<std::size_t>(s) * 7 + c * 5 + c / 8) & 0x3F);
        rom.put(at, cells);
        screens.push_back(at);
    }
    large.uniqueScreens = static_cast<int>(screens.size());
    for (int i = 0; i < positions; ++i)
        rom.putWord(large.mapPointer + layout::kMapHeaderSize + 2 * static_cast<std::size_t>(i),
                    screens[static_cast<std::size_t>(i) % screens.size()]);

    const SyntheticMap& own = game.mapOf(id);
    game.setMapPointers(id.objectSet, own.number, large.mapPointer, own.stairPointer);
    return large;
}

rom::AreaId largeMapSubmap()
{
    const std::vector<rom::AreaId> submaps = world::catalogueSubmaps();
    return submaps.at(submaps.size() / 2);
}

} // namespace quarry::test
