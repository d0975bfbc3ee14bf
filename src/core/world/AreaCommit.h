#pragma once

#include "core/gfx/NesColor.h"
#include "core/rom/AreaDirectory.h"
#include "core/rom/AreaMap.h"
#include "core/world/Actors.h"
#include "core/world/Stairs.h"

#include <cstdint>
#include <span>

namespace quarry::rom {
class RomImage;
}

namespace quarry::world {


// Everything the area commit writes back for the loaded submap.
struct AreaCommit {
    const rom::ResolvedArea& pointers;
    const rom::AreaMap& map;
    std::span<const StairRecord> stairs;
    std::span<const ActorRecord> actors;
    gfx::PpuMaskSettings mask;
};

// Writes, in place and in this order, every screen of the map, the stair
// list, the PPU mask byte and the actor list. Every address and range is
// checked first: when anything is wrong RomError is thrown and the image is
// left exactly as it was.
void commitArea(rom::RomImage& rom, const AreaCommit& commit);

} // namespace quarry::world
