#include "core/world/Actors.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/rom/WritePlan.h"

#include <string>

namespace quarry::world {

namespace {

std::size_t listIndex(std::uint16_t actorPointer)
{
    return rom::bodyIndexOf(actorPointer, rom::DataKind::Actors, "the actor list");
}

} // namespace

std::vector<ActorRecord> readActorList(const rom::RomImage& rom, std::uint16_t actorPointer)
{
    const std::size_t base = listIndex(actorPointer);
    std::vector<ActorRecord> actors;
    for (std::size_t offset = 0; offset < layout::kListScanBytes; offset += layout::kActorRecordSize) {
        const auto bytes = rom.bytes(base + offset, layout::kActorRecordSize);
        if (bytes[0] == layout::kListTerminator || bytes[1] == layout::kListTerminator)
            break;
        actors.push_back({bytes[0], bytes[1], bytes[2], bytes[3]});
    }
    return actors;
}

void planActorListWrite(rom::WritePlan& plan, std::uint16_t actorPointer, std::span<const ActorRecord> actors)
{
    if (actors.empty())
        return;
    if (actors.size() > layout::kMaxActors)
        throw RomError("an actor list holds at most " + std::to_string(layout::kMaxActors) + " actors, not "
                       + std::to_string(actors.size()));
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < actors.size(); ++i) {
        const ActorRecord& actor = actors[i];
        if (actor.x == layout::kListTerminator || actor.y == layout::kListTerminator)
            throw RomError("actor " + std::to_string(i) + " cannot stand at position $FF: the game would take it for the end of the list");
        bytes.insert(bytes.end(), {actor.x, actor.y, actor.type, actor.control});
    }
    if (bytes.size() < layout::kListScanBytes)
        bytes.push_back(layout::kListTerminator);
    plan.add(listIndex(actorPointer), std::move(bytes), "the actor list");
}

void writeActorList(rom::RomImage& rom, std::uint16_t actorPointer, std::span<const ActorRecord> actors)
{
    rom::WritePlan plan(rom);
    planActorListWrite(plan, actorPointer, actors);
    plan.apply(rom);
}

} // namespace quarry::world
