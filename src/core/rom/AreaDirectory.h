#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quarry::rom {

class RomImage;

// One place of the game world: an object set (0-5), an area in it and a
// submap of that area.
struct AreaId {
    int objectSet = 0;
    int area = 0;
    int submap = 0;

    friend bool operator==(const AreaId&, const AreaId&) = default;
};

// The map number of a submap and the four CPU addresses of its data, kept in
// the form the game stores them; each user converts them with the bank of its
// own kind of data.
struct ResolvedArea {
    int mapNumber = 0;
    std::uint16_t mapPointer = 0;     // map header and screens, bank 2
    std::uint16_t stairPointer = 0;   // stair list, bank 2
    std::uint16_t palettePointer = 0; // area palette record, bank 2
    std::uint16_t actorPointer = 0;   // actor list, bank 1
};

// Follows the pointer tables from the identity to the four data addresses.
// `night` picks the area's second palette list. Throws RomError for an
// identity outside the tables' range or any invalid address on the way.
ResolvedArea resolveArea(const RomImage& rom, const AreaId& id, bool night);
// Before the data are read: throws RomError, naming the table it came from,
// for a map, stair or palette address the game could not read data from.
void checkResolvedArea(const RomImage& rom, const AreaId& id, bool night, const ResolvedArea& resolved);

// The single steps, shared with the code that follows exits between areas.

// Body index of the area record of (objectSet, area). Both are taken as the
// bytes an exit record may hold; the tables are read as they stand.
std::size_t areaRecordIndex(const RomImage& rom, int objectSet, int area);
// Body index of the record of `submap` (masked with $7F) in an area record.
std::size_t submapRecordIndex(const RomImage& rom, std::size_t areaRecord, int submap, const AreaId& id);
// The map number a submap record names ($FD and $FE move it to byte 1).
int mapNumberAt(const RomImage& rom, std::size_t submapRecord);

struct MapTableEntry {
    std::uint16_t mapPointer = 0;
    std::uint16_t stairPointer = 0;
    std::size_t index = 0; // body index of the entry
};
// The map table's word is taken as a body index as it stands (no bank
// rule), as is the palette table's; the pointers read there are the game's
// bank-2 addresses. An entry outside the image is refused with RomError.
MapTableEntry mapTableEntry(const RomImage& rom, int objectSet, int mapNumber);
// Throws RomError, naming the map table entry, when its map or stair
// pointer is one the game cannot read data from.
void checkMapTableEntry(const MapTableEntry& entry, int objectSet, int mapNumber);
// The body index of the palette table word naming the area's day or night
// palette list.
std::size_t paletteTableEntry(const RomImage& rom, const AreaId& id, bool night);
// Address of the submap's day or night area palette record (the list's
// address plus two bytes a submap).
std::uint16_t palettePointerOf(const RomImage& rom, const AreaId& id, bool night);
// Address of the submap's actor list.
std::uint16_t actorPointerOf(const RomImage& rom, const AreaId& id);

// The object set's three solidity thresholds t0, t1, t2 (metatile numbers).
using SolidityThresholds = std::array<std::uint8_t, 3>;
SolidityThresholds readSolidityThresholds(const RomImage& rom, int objectSet);
void writeSolidityThresholds(RomImage& rom, int objectSet, const SolidityThresholds& thresholds);

} // namespace quarry::rom
