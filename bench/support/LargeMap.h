#pragma once

#include "core/rom/AreaDirectory.h"
#include "support/SyntheticGame.h"

#include <cstdint>

namespace quarry::test {

// The largest map the decoder accepts: 39 x 15 screens, 32760 cells, one
// screen short of the 32768-cell limit (40 x 15 or 39 x 16 would pass it).
inline constexpr int kLargestMapWide = 39;
inline constexpr int kLargestMapHigh = 15;

struct LargeMap {
    rom::AreaId id;
    std::uint16_t mapPointer = 0;
    int uniqueScreens = 0;
};

// Builds the largest map in the free room of bank 2 and points the map
// table entry of submap `id` at it (its stairs stay). The screen table
// cycles through as many distinct screens as fit, up to `maxScreens`, whose
// cells run through metatiles 0-63, so every position draws differently
// from its neighbours. Submaps showing the same map number show it too.
LargeMap putLargestMap(SyntheticGame& game, const rom::AreaId& id, int maxScreens = 96);

// The submap the benchmarks give the largest map: one well inside the
// catalogue, so opening an image does not load it first.
rom::AreaId largeMapSubmap();

} // namespace quarry::test
