#include "core/rom/AreaDirectory.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <string>

namespace quarry::rom {

namespace {

std::string placeText(int objectSet, int area)
{
    return "object set " + std::to_string(objectSet) + ", area " + std::to_string(area);
}

std::string placeText(const AreaId& id)
{
    return placeText(id.objectSet, id.area) + ", submap " + std::to_string(id.submap);
}

void checkObjectSet(int objectSet)
{
    if (objectSet < 0 || objectSet >= layout::kObjectSetCount)
        throw RomError("there is no object set " + std::to_string(objectSet) + ": object sets are 0 to "
                       + std::to_string(layout::kObjectSetCount - 1));
}

void checkIdentity(const AreaId& id)
{
    checkObjectSet(id.objectSet);
    if (id.area < 0 || id.area > 0xFF || id.submap < 0 || id.submap > 0xFF)
        throw RomError("there is no place " + placeText(id) + ": areas and submaps are numbered 0 to 255");
}

std::size_t objectSetEntry(std::size_t table, std::size_t entrySize, int objectSet)
{
    return table + entrySize * static_cast<std::size_t>(objectSet);
}

} // namespace

std::size_t areaRecordIndex(const RomImage& rom, int objectSet, int area)
{
    // Exits may name any object set byte; the game reads its table as it
    // stands, and so do we (every read stays inside the image).
    objectSet &= 0xFF;
    const std::size_t areaTable
        = bodyIndexOf(rom.readWord(objectSetEntry(layout::kAreaTablePointers, 2, objectSet)), DataKind::AreaData,
                      "the area table of object set " + std::to_string(objectSet));
    return bodyIndexOf(rom.readWord(areaTable + 2 * static_cast<std::size_t>(area & 0xFF)), DataKind::AreaData,
                       "the area record of " + placeText(objectSet, area));
}

std::size_t submapRecordIndex(const RomImage& rom, std::size_t areaRecord, int submap, const AreaId& id)
{
    const std::size_t entry = areaRecord + layout::kAreaRecordSubmapPointers + 2 * static_cast<std::size_t>(submap & 0x7F);
    return bodyIndexOf(rom.readWord(entry), DataKind::AreaData,
                       "the submap record of " + placeText(id.objectSet, id.area) + ", submap "
                           + std::to_string(submap & 0x7F));
}

int mapNumberAt(const RomImage& rom, std::size_t submapRecord)
{
    const std::uint8_t first = rom.read(submapRecord);
    if (first == layout::kSubmapMapInNextByteA || first == layout::kSubmapMapInNextByteB)
        return rom.read(submapRecord + 1);
    return first;
}

namespace {

// The map and palette tables are read the way the game's table words are
// meant: the word is taken as a body index as it stands, with no bank rule.
// The entry must still lie inside the image.
std::size_t tableEntryIndex(const RomImage& rom, std::size_t pointerAt, std::size_t offset, std::size_t size,
                            const std::string& table)
{
    const std::size_t index = rom.readWord(pointerAt) + offset;
    if (!rom.contains(index, size))
        throw RomError(table + " at body index " + fileOffsetText(static_cast<std::uint32_t>(rom.readWord(pointerAt)))
                       + " reaches outside the image");
    return index;
}

std::string mapTableText(int objectSet, int mapNumber)
{
    return "entry " + std::to_string(mapNumber) + " of the map table of object set " + std::to_string(objectSet);
}

} // namespace

MapTableEntry mapTableEntry(const RomImage& rom, int objectSet, int mapNumber)
{
    checkObjectSet(objectSet);
    mapNumber &= 0xFF;
    const std::size_t entry
        = tableEntryIndex(rom, objectSetEntry(layout::kMapTablePointers, 2, objectSet),
                          layout::kMapTableEntrySize * static_cast<std::size_t>(mapNumber), layout::kMapTableEntrySize,
                          "the map table of object set " + std::to_string(objectSet));
    return {rom.readWord(entry), rom.readWord(entry + 2), entry};
}

std::size_t paletteTableEntry(const RomImage& rom, const AreaId& id, bool night)
{
    checkIdentity(id);
    return tableEntryIndex(rom, objectSetEntry(layout::kPaletteTablePointers, 2, id.objectSet),
                           layout::kPaletteTableEntrySize * static_cast<std::size_t>(id.area) + (night ? 2 : 0), 2,
                           "the palette table of object set " + std::to_string(id.objectSet));
}

void checkMapTableEntry(const MapTableEntry& entry, int objectSet, int mapNumber)
{
    const std::string where = " named by " + mapTableText(objectSet, mapNumber & 0xFF) + " (body index "
                              + fileOffsetText(static_cast<std::uint32_t>(entry.index)) + ")";
    bodyIndexOf(entry.mapPointer, DataKind::AreaData, "the map data" + where);
    bodyIndexOf(entry.stairPointer, DataKind::AreaData, "the stair list" + where);
}

std::uint16_t palettePointerOf(const RomImage& rom, const AreaId& id, bool night)
{
    return static_cast<std::uint16_t>(rom.readWord(paletteTableEntry(rom, id, night)) + 2 * (id.submap & 0x7F));
}

void checkResolvedArea(const RomImage& rom, const AreaId& id, bool night, const ResolvedArea& resolved)
{
    const MapTableEntry maps = mapTableEntry(rom, id.objectSet, resolved.mapNumber);
    checkMapTableEntry(maps, id.objectSet, resolved.mapNumber);
    const std::size_t entry = paletteTableEntry(rom, id, night);
    bodyIndexOf(resolved.palettePointer, DataKind::AreaData,
                std::string("the ") + (night ? "night" : "day") + " palette record of " + placeText(id)
                    + " named by the palette table of object set " + std::to_string(id.objectSet) + " (body index "
                    + fileOffsetText(static_cast<std::uint32_t>(entry)) + ")");
}

std::uint16_t actorPointerOf(const RomImage& rom, const AreaId& id)
{
    checkIdentity(id);
    const std::size_t areaTable
        = bodyIndexOf(rom.readWord(objectSetEntry(layout::kActorAreaTablePointers, 2, id.objectSet)),
                      DataKind::Actors, "the actor area table of object set " + std::to_string(id.objectSet));
    const std::size_t submapTable
        = bodyIndexOf(rom.readWord(areaTable + 2 * static_cast<std::size_t>(id.area)), DataKind::Actors,
                      "the actor submap table of " + placeText(id.objectSet, id.area));
    // The actor submap table is indexed by the whole submap number.
    return rom.readWord(submapTable + 2 * static_cast<std::size_t>(id.submap));
}

ResolvedArea resolveArea(const RomImage& rom, const AreaId& id, bool night)
{
    checkIdentity(id);
    ResolvedArea resolved;
    const std::size_t areaRecord = areaRecordIndex(rom, id.objectSet, id.area);
    const std::size_t submapRecord = submapRecordIndex(rom, areaRecord, id.submap, id);
    resolved.mapNumber = mapNumberAt(rom, submapRecord);
    const MapTableEntry maps = mapTableEntry(rom, id.objectSet, resolved.mapNumber);
    resolved.mapPointer = maps.mapPointer;
    resolved.stairPointer = maps.stairPointer;
    resolved.palettePointer = palettePointerOf(rom, id, night);
    resolved.actorPointer = actorPointerOf(rom, id);
    return resolved;
}

namespace {

std::size_t solidityIndex(const RomImage& rom, int objectSet)
{
    checkObjectSet(objectSet);
    const std::size_t record = objectSetEntry(layout::kObjectSetGraphicsRecords,
                                              layout::kObjectSetGraphicsRecordSize, objectSet);
    return bodyIndexOf(rom.readWord(record + layout::kSolidityPointerOffset), DataKind::PaletteSets,
                       "the solidity thresholds of object set " + std::to_string(objectSet));
}

} // namespace

SolidityThresholds readSolidityThresholds(const RomImage& rom, int objectSet)
{
    const auto bytes = rom.bytes(solidityIndex(rom, objectSet), 3);
    return {bytes[0], bytes[1], bytes[2]};
}

void writeSolidityThresholds(RomImage& rom, int objectSet, const SolidityThresholds& thresholds)
{
    rom.writeBytes(solidityIndex(rom, objectSet), thresholds);
}

} // namespace quarry::rom
