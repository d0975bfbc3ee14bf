#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quarry::rom {
class RomImage;
class WritePlan;
} // namespace quarry::rom

namespace quarry::world {

// One stair start point, 2 bytes in the image: byte 0 = upDown x 128 + x,
// byte 1 = leftRight x 128 + y.
struct StairRecord {
    std::uint8_t x = 0;         // in 8-pixel units, 0-127
    std::uint8_t y = 0;         // in 8-pixel units, 0-127
    std::uint8_t upDown = 0;    // 0 or 1
    std::uint8_t leftRight = 0; // 0 or 1

    friend bool operator==(const StairRecord&, const StairRecord&) = default;
};

StairRecord decodeStair(std::uint8_t byte0, std::uint8_t byte1);
void encodeStair(const StairRecord& stair, std::uint8_t& byte0, std::uint8_t& byte1);

// Reads the stair list at `stairPointer` (bank 2): records up to the first
// one with $FF in byte 0 or 1, at most 128 (256 bytes).
std::vector<StairRecord> readStairList(const rom::RomImage& rom, std::uint16_t stairPointer);

// Queues the list for writing back in place, with the $FF terminator when it
// still lies inside the 256 bytes the list was read from. An empty list
// writes nothing. Refuses a list longer than 128 records and a stair that
// would encode as $FF in byte 0 or 1 (x 127 going up, or y 127 going right).
void planStairListWrite(rom::WritePlan& plan, std::uint16_t stairPointer, std::span<const StairRecord> stairs);
void writeStairList(rom::RomImage& rom, std::uint16_t stairPointer, std::span<const StairRecord> stairs);

} // namespace quarry::world
