#include "core/world/Connections.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"

#include <set>
#include <string>
#include <tuple>

namespace quarry::world {

namespace {

ExitRecord exitAt(const rom::RomImage& rom, std::size_t index)
{
    const auto bytes = rom.bytes(index, 3);
    return {bytes[0], bytes[1], bytes[2]};
}

std::string placeText(int objectSet, int area)
{
    return "object set " + std::to_string(objectSet) + ", area " + std::to_string(area);
}

// The game loads the submap it arrives in: its record and the pointers to
// its map data (map and stairs) must be readable.
void checkArrival(const rom::RomImage& rom, int objectSet, int area, int submap)
{
    const std::size_t record = rom::areaRecordIndex(rom, objectSet, area);
    const std::size_t submapRecord
        = rom::submapRecordIndex(rom, record, submap, rom::AreaId{objectSet, area, submap});
    const int mapNumber = rom::mapNumberAt(rom, submapRecord);
    try {
        rom::checkMapTableEntry(rom::mapTableEntry(rom, objectSet, mapNumber), objectSet, mapNumber);
    } catch (const RomError& error) {
        throw RomError("the door to " + placeText(objectSet, area) + ", submap " + std::to_string(submap)
                       + " leads nowhere: " + error.what());
    }
}

std::uint8_t normalisedEntry(const rom::RomImage& rom, int objectSet, int area, std::uint8_t entry)
{
    if (entry < 0x80)
        return 0;
    return static_cast<std::uint8_t>(readAreaRecord(rom, objectSet, area).lastSubmap | 0x80);
}

} // namespace

AreaRecord readAreaRecord(const rom::RomImage& rom, int objectSet, int area)
{
    const std::size_t index = rom::areaRecordIndex(rom, objectSet, area);
    AreaRecord record;
    record.areaDataPointer = rom.readWord(index + layout::kAreaRecordDataPointer);
    record.lastSubmap = rom.read(index + layout::kAreaRecordLastSubmap);
    record.leftExit = exitAt(rom, index + layout::kAreaRecordLeftExit);
    record.rightExit = exitAt(rom, index + layout::kAreaRecordRightExit);
    return record;
}

std::optional<ExitDestination> followExit(const rom::RomImage& rom, int objectSet, int area,
                                          std::uint8_t startEntry)
{
    int set = objectSet & 0xFF;
    int current = area & 0xFF;
    std::uint8_t entry = startEntry;

    const AreaRecord start = readAreaRecord(rom, set, current);
    if (entry < 0x80)
        rom::bodyIndexOf(start.areaDataPointer, rom::DataKind::AreaData,
                         "the area data of " + placeText(set, current));

    // From an area whose right exit is taken, what follows depends only on
    // the area and bit 7 of the entry; meeting that pair twice is a circle.
    std::set<std::tuple<int, int, bool>> rightExitsTaken;
    std::optional<ExitRecord> exit;
    if (entry == layout::kLeaveLeftEntry)
        exit = start.leftExit;

    for (;;) {
        if (!exit) {
            const AreaRecord record = readAreaRecord(rom, set, current);
            if ((entry & 0x7F) <= record.lastSubmap) {
                checkArrival(rom, set, current, entry & 0x7F);
                break;
            }
            if (!rightExitsTaken.insert({set, current, entry >= 0x80}).second)
                return std::nullopt;
            exit = record.rightExit;
        }
        const ExitRecord taken = *exit;
        exit.reset();
        if (taken.kind == layout::kExitToObjectSet || taken.kind == layout::kExitToObjectSetAlt) {
            set = taken.a;
            current = taken.b;
            break;
        }
        if (taken.kind == layout::kExitWithEntry) {
            current = taken.a;
            entry = taken.b;
        } else {
            current = taken.b;
            entry = normalisedEntry(rom, set, current, entry);
        }
    }
    return ExitDestination{static_cast<std::uint8_t>(set), static_cast<std::uint8_t>(current),
                           normalisedEntry(rom, set, current, entry)};
}

Doors readDoors(const rom::RomImage& rom, const rom::AreaId& id)
{
    return {followExit(rom, id.objectSet, id.area, layout::kLeaveLeftEntry),
            followExit(rom, id.objectSet, id.area, layout::kLeaveRightEntry)};
}

Arrival arrivalOf(const ExitDestination& destination)
{
    constexpr std::uint8_t kFromRight = 0x80;
    return {destination.objectSet, destination.area, destination.entry & 0x7F,
            (destination.entry & kFromRight) != 0};
}

std::string arrivalWords(const Arrival& arrival)
{
    return placeText(arrival.objectSet, arrival.area) + ", submap " + std::to_string(arrival.submap)
           + (arrival.fromRight ? ", right end" : ", left end");
}

} // namespace quarry::world
