#pragma once

#include "core/rom/AreaDirectory.h"

#include <cstdint>

namespace quarry::gfx {

// The four ranges an object set's three solidity thresholds t0, t1, t2 make
// of its metatile numbers.
enum class Solidity { NonSolid, Event, Solid, Breakable };
inline constexpr int kSolidityRanges = 4;

// Places metatile n the way the game tests it: n < t0, then n < t1, then
// n < t2, the first test that holds giving non-solid, non-solid (event) or
// solid, none of them solid (breakable). Thresholds out of ascending order
// are read the same way, so a range may be empty or cover the others'.
Solidity solidityOf(std::uint8_t metatile, const rom::SolidityThresholds& thresholds);

// "non-solid", "non-solid (event)", "solid", "solid (breakable)".
const char* solidityName(Solidity range);

} // namespace quarry::gfx
