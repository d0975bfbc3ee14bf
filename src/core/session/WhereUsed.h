#pragma once

#include "core/rom/AreaDirectory.h"
#include "core/rom/AreaMap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::session {

// How many map cells use each metatile number, over the maps of one object
// set.
//
// What counts: every submap of the area catalogue in the object set names a
// map; submaps naming the same map (the same header address, whether
// through one map number or several) count it once. Inside a map every
// screen position counts with its 56 cells, also where several positions
// share one screen in the image: the count is what the player walks
// through. A screen shared by two different maps counts in both.
struct MetatileUsage {
    std::array<int, 256> cells{};          // indexed by metatile number
    int maps = 0;                          // distinct maps counted
    std::vector<rom::AreaId> unreadable;   // submaps whose map could not be read; skipped
};

MetatileUsage countMetatileUsage(const rom::RomImage& rom, int objectSet);

// The header address of the map a submap names; only the steps that lead
// to the map are taken, so a broken palette or actor pointer does not hide
// a readable map. Throws RomError when a step cannot be taken.
std::uint16_t submapMapPointer(const rom::RomImage& rom, const rom::AreaId& id);

// A cell of a whole map in metatile units: 8 columns per screen across, 7
// rows per screen down, (0, 0) the top-left cell of the map.
struct MapCell {
    int column = 0;
    int row = 0;
    friend bool operator==(const MapCell&, const MapCell&) = default;
};

// The cells of `map` holding `metatile`, row by row from the top left.
std::vector<MapCell> cellsUsing(const rom::AreaMap& map, std::uint8_t metatile);

// For each of the 256 tiles of the object set's background bank: does any
// metatile the chooser offers, in this object set or another one drawing
// from the same bank, place it in one of its cells?
std::array<bool, 256> tilesUsedByMetatiles(const rom::RomImage& rom, int objectSet);

} // namespace quarry::session
