#pragma once

#include "core/rom/AreaDirectory.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quarry::rom {
class RomImage;
}

namespace quarry::world {

// Where leaving an area through one of its ends takes the player.
struct ExitRecord {
    std::uint8_t kind = 0; // $FF or $FC: another object set; $FB: with an entry byte; else: an area
    std::uint8_t a = 0;
    std::uint8_t b = 0;

    friend bool operator==(const ExitRecord&, const ExitRecord&) = default;
};

// The 9-byte header of an area record.
struct AreaRecord {
    std::uint16_t areaDataPointer = 0; // further area data, bank 2
    std::uint8_t lastSubmap = 0;       // submaps are 0 to lastSubmap
    ExitRecord leftExit;
    ExitRecord rightExit;
};

AreaRecord readAreaRecord(const rom::RomImage& rom, int objectSet, int area);

// A position the player arrives at: object set, area and entry byte (bits
// 0-6 a submap, bit 7 set when arriving from the right, moving left).
struct ExitDestination {
    std::uint8_t objectSet = 0;
    std::uint8_t area = 0;
    std::uint8_t entry = 0;

    friend bool operator==(const ExitDestination&, const ExitDestination&) = default;
};

// Follows the exits from (objectSet, area) the way the game does, starting
// with `startEntry` ($FF leaves to the left, $7F to the right). Returns no
// value when the exits lead round in a circle and the player would never
// arrive anywhere. Throws RomError for an invalid address on the way.
std::optional<ExitDestination> followExit(const rom::RomImage& rom, int objectSet, int area,
                                          std::uint8_t startEntry);

// Where a destination puts the player, as its entry byte says: the
// submap of bits 0-6, entered at its right end when bit 7 is set (the
// player moves left) and at its left end otherwise.
struct Arrival {
    int objectSet = 0;
    int area = 0;
    int submap = 0;
    bool fromRight = false;

    friend bool operator==(const Arrival&, const Arrival&) = default;
};
Arrival arrivalOf(const ExitDestination& destination);
// "object set 2, area 5, submap 3, right end", numbers in decimal as the
// area tree names them.
std::string arrivalWords(const Arrival& arrival);

// The two doors of an area as the Doors frame shows them: leaving to the
// left, then to the right. A door without a value loops.
struct Doors {
    std::optional<ExitDestination> left;
    std::optional<ExitDestination> right;
};

// The submap of `id` does not change where the doors lead.
Doors readDoors(const rom::RomImage& rom, const rom::AreaId& id);

} // namespace quarry::world
