#pragma once

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

// The two game-wide display settings stored in the PPU mask byte.
struct PpuMaskBits {
    std::uint8_t emphasis = 0;  // emphasis bits in place (mask AND $E0)
    std::uint8_t greyscale = 0; // 0 or 1
};

// The mask byte the game writes to the PPU: the settings plus the bits that
// show background and sprites everywhere.
std::uint8_t ppuMaskByte(const PpuMaskBits& bits);

// Everything the area commit writes back for the loaded submap.
struct AreaCommit {
    const rom::ResolvedArea& pointers;
    const rom::AreaMap& map;
    std::span<const StairRecord> stairs;
    std::span<const ActorRecord> actors;
    PpuMaskBits mask;
};

// Writes, in place and in this order, every screen of the map, the stair
// list, the PPU mask byte and the actor list. Every address and range is
// checked first: when anything is wrong RomError is thrown and the image is
// left exactly as it was.
void commitArea(rom::RomImage& rom, const AreaCommit& commit);

} // namespace quarry::world
