#include "core/world/AreaCommit.h"

#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/rom/WritePlan.h"

namespace quarry::world {

std::uint8_t ppuMaskByte(const PpuMaskBits& bits)
{
    return static_cast<std::uint8_t>((bits.emphasis & 0xE0) | (bits.greyscale & 0x01) | layout::kPpuMaskAlwaysOn);
}

void commitArea(rom::RomImage& rom, const AreaCommit& commit)
{
    rom::WritePlan plan(rom);
    rom::planEncodeAreaMap(plan, rom, commit.pointers.mapPointer, commit.map);
    planStairListWrite(plan, commit.pointers.stairPointer, commit.stairs);
    plan.addByte(layout::kPpuMask, ppuMaskByte(commit.mask), "the PPU mask byte");
    planActorListWrite(plan, commit.pointers.actorPointer, commit.actors);
    plan.apply(rom);
}

} // namespace quarry::world
