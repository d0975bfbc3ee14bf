#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quarry::rom {
class RomImage;
class WritePlan;
} // namespace quarry::rom

namespace quarry::world {

// One actor placed in a submap, 4 bytes in the image and in memory.
struct ActorRecord {
    std::uint8_t x = 0;       // in 16-pixel units
    std::uint8_t y = 0;       // in 16-pixel units, the actor's foot line
    std::uint8_t type = 0;    // actor type code
    std::uint8_t control = 0; // parameter byte, meaning set by the type

    friend bool operator==(const ActorRecord&, const ActorRecord&) = default;
};

// Reads the actor list at `actorPointer` (bank 1): records up to the first
// one with $FF in byte 0 or 1, at most 64 (256 bytes).
std::vector<ActorRecord> readActorList(const rom::RomImage& rom, std::uint16_t actorPointer);

// Queues the list for writing back in place at `actorPointer`, followed by the
// $FF terminator when it still lies inside the 256 bytes the list was read
// from (a list of 64 records had none and gets none). An empty list writes
// nothing. Refuses, before anything is queued, a list longer than 64 records
// and a record whose x or y is $FF, which would end the list early at the
// next load and lose the records after it.
void planActorListWrite(rom::WritePlan& plan, std::uint16_t actorPointer, std::span<const ActorRecord> actors);
void writeActorList(rom::RomImage& rom, std::uint16_t actorPointer, std::span<const ActorRecord> actors);

} // namespace quarry::world
