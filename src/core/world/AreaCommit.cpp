#include "core/world/AreaCommit.h"

#include "core/gfx/AreaPalette.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/rom/WritePlan.h"

namespace quarry::world {

void commitArea(rom::RomImage& rom, const AreaCommit& commit)
{
    rom::WritePlan plan(rom);
    rom::planEncodeAreaMap(plan, rom, commit.pointers.mapPointer, commit.map);
    planStairListWrite(plan, commit.pointers.stairPointer, commit.stairs);
    plan.addByte(layout::kPpuMaskByte, gfx::ppuMaskByte(commit.mask), "the PPU mask byte");
    planActorListWrite(plan, commit.pointers.actorPointer, commit.actors);
    plan.apply(rom);
}

} // namespace quarry::world
