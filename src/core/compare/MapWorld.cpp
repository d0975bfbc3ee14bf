// The image map's directory and world parts: the tables that lead to each
// submap, its screens, stairs, palettes, actors and doors.
#include "core/compare/MapBuilding.h"

#include "core/RomError.h"
#include "core/gfx/AreaPalette.h"
#include "core/rom/AreaMap.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"
#include "core/world/Actors.h"
#include "core/world/AreaCatalogue.h"
#include "core/world/Stairs.h"

namespace quarry::compare {

namespace {

using rom::AreaId;
using rom::DataKind;

std::string setText(int objectSet)
{
    return "object set " + std::to_string(objectSet);
}

void mapObjectSetTables(ImageMap& map)
{
    for (int set = 0; set < layout::kObjectSetCount; ++set) {
        const auto s = static_cast<std::size_t>(set);
        const int part = partFor(map, "sets:" + std::to_string(set), PartKind::Directory, "tables of " + setText(set));
        addField(map, part, wordField("area table", layout::kAreaTablePointers + 2 * s));
        addField(map, part, wordField("palette table", layout::kPaletteTablePointers + 2 * s));
        addField(map, part, wordField("map table", layout::kMapTablePointers + 2 * s));
        addField(map, part, wordField("actor area table", layout::kActorAreaTablePointers + 2 * s));
        const std::size_t record = layout::kObjectSetGraphicsRecords + layout::kObjectSetGraphicsRecordSize * s;
        addField(map, part, byteField("graphics record byte 0", record));
        addField(map, part, byteField("graphics record byte 1", record + 1));
        addField(map, part, wordField("solidity thresholds", record + layout::kSolidityPointerOffset));
        addField(map, part, byteField("background tile bank", layout::kChrBankTable + 2 * s));
        addField(map, part, byteField("sprite tile bank", layout::kChrBankTable + 2 * s + 1));
    }
}

void mapAreaRecord(ImageMap& map, const rom::RomImage& rom, const AreaId& id, const std::string& area)
{
    const std::size_t areaTable = rom::bodyIndexOf(
        rom.readWord(layout::kAreaTablePointers + 2 * static_cast<std::size_t>(id.objectSet)), DataKind::AreaData,
        "the area table");
    const std::size_t record = rom::areaRecordIndex(rom, id.objectSet, id.area);
    const int part = partFor(map, "area:" + std::to_string(record), PartKind::Directory, "area record of " + area);
    addField(map, part, wordField("area record pointer", areaTable + 2 * static_cast<std::size_t>(id.area)));
    addField(map, part, wordField("area data", record + layout::kAreaRecordDataPointer));
    addField(map, part, byteField("last submap", record + layout::kAreaRecordLastSubmap));
    const std::size_t submapWord = record + layout::kAreaRecordSubmapPointers + 2 * static_cast<std::size_t>(id.submap);
    addField(map, part, wordField("submap " + std::to_string(id.submap) + " record", submapWord));

    const int doors = partFor(map, "doors:" + std::to_string(record), PartKind::Doors, "doors of " + area);
    map.part(doors).place.area = id;
    const char* sides[] = {"left door", "right door"};
    const std::size_t at[] = {layout::kAreaRecordLeftExit, layout::kAreaRecordRightExit};
    for (int side = 0; side < 2; ++side) {
        addField(map, doors, byteField(std::string(sides[side]) + " kind", record + at[side]));
        addField(map, doors, byteField(std::string(sides[side]) + " byte 1", record + at[side] + 1));
        addField(map, doors, byteField(std::string(sides[side]) + " byte 2", record + at[side] + 2));
    }
}

void mapActorTables(ImageMap& map, const rom::RomImage& rom, const AreaId& id)
{
    const std::size_t areaTable = rom::bodyIndexOf(
        rom.readWord(layout::kActorAreaTablePointers + 2 * static_cast<std::size_t>(id.objectSet)), DataKind::Actors,
        "the actor area table");
    const std::size_t areaWord = areaTable + 2 * static_cast<std::size_t>(id.area);
    const std::size_t submapTable = rom::bodyIndexOf(rom.readWord(areaWord), DataKind::Actors, "the actor table");
    const int part = partFor(map, "actortables:" + std::to_string(id.objectSet), PartKind::Directory,
                             "actor tables of " + setText(id.objectSet));
    addField(map, part, wordField("area " + std::to_string(id.area), areaWord));
    addField(map, part,
             wordField("area " + std::to_string(id.area) + " submap " + std::to_string(id.submap),
                       submapTable + 2 * static_cast<std::size_t>(id.submap)));
}

void mapScreens(ImageMap& map, const rom::RomImage& rom, const AreaId& id, std::uint16_t mapPointer,
                const std::string& area)
{
    const rom::AreaMap decoded = rom::decodeAreaMap(rom, mapPointer);
    const std::size_t header = rom::bodyIndexOf(mapPointer, DataKind::AreaData, "the map");
    const int part = partFor(map, "map:" + std::to_string(header), PartKind::MapHeader,
                             "map " + cpuAddressText(mapPointer));
    Part& headerPart = map.part(part);
    const bool first = headerPart.shownAt.empty();
    headerPart.shownAt.push_back(area);
    if (!headerPart.place.area)
        headerPart.place.area = id;
    if (!first)
        return;
    addField(map, part, byteField("width", header));
    addField(map, part, byteField("height", header + 1));
    for (int sy = 0; sy < decoded.screensHigh; ++sy) {
        for (int sx = 0; sx < decoded.screensWide; ++sx) {
            const std::size_t position = static_cast<std::size_t>(sy * decoded.screensWide + sx);
            const std::string where = "(" + std::to_string(sx) + ", " + std::to_string(sy) + ")";
            addField(map, part, wordField("screen pointer " + where, header + layout::kMapHeaderSize + 2 * position));
            const std::uint16_t address = decoded.screenTable[position];
            const std::size_t start = rom::bodyIndexOf(address, DataKind::AreaData, "a screen");
            const int screen = partFor(map, "screen:" + std::to_string(start), PartKind::Screen,
                                       "screen " + cpuAddressText(address));
            Part& screenPart = map.part(screen);
            screenPart.screenAddress = address;
            screenPart.origin = static_cast<std::uint32_t>(start);
            if (!screenPart.place.area)
                screenPart.place = {id, false, id.objectSet, static_cast<int>(position), 0};
            map.claim(screen, start, layout::kScreenBytes);
        }
    }
}

// Screens show at every map position naming them, from any submap.
void nameScreenPlaces(ImageMap& map, const rom::RomImage& rom)
{
    for (const Part& header : map.parts()) {
        if (header.kind != PartKind::MapHeader)
            continue;
        for (const Field& field : header.fields) {
            if (field.form != FieldForm::Word)
                continue;
            const std::uint16_t address = rom.readWord(field.bits[0].index);
            try {
                const int screen = map.findKey(
                    "screen:" + std::to_string(rom::bodyIndexOf(address, DataKind::AreaData, "a screen")));
                if (screen < 0)
                    continue;
                for (const std::string& area : header.shownAt)
                    map.part(screen).shownAt.push_back(area + ", screen " + field.name.substr(field.name.find('(')));
            } catch (const RomError&) {
            }
        }
    }
}

void mapStairs(ImageMap& map, const rom::RomImage& rom, const AreaId& id, std::uint16_t pointer,
               const std::string& area)
{
    const std::size_t start = rom::bodyIndexOf(pointer, DataKind::AreaData, "the stair list");
    const int part = partFor(map, "stairs:" + std::to_string(start), PartKind::Stairs, "stairs of " + area);
    if (!map.part(part).fields.empty())
        return;
    map.part(part).place.area = id;
    const std::size_t count = world::readStairList(rom, pointer).size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = start + layout::kStairRecordSize * i;
        const std::string name = "stair " + std::to_string(i);
        addField(map, part, pairField(name + " position", at, at + 1, FieldForm::StairPosition, 0x7F));
        addField(map, part, pairField(name + " direction", at, at + 1, FieldForm::StairDirection, 0x80));
    }
    if (count < layout::kMaxStairs)
        addField(map, part, byteField("end of list", start + layout::kStairRecordSize * count));
}

void mapActors(ImageMap& map, const rom::RomImage& rom, const AreaId& id, std::uint16_t pointer,
               const std::string& area)
{
    const std::size_t start = rom::bodyIndexOf(pointer, DataKind::Actors, "the actor list");
    const int part = partFor(map, "actors:" + std::to_string(start), PartKind::Actors, "actors of " + area);
    if (!map.part(part).fields.empty())
        return;
    map.part(part).place.area = id;
    const std::size_t count = world::readActorList(rom, pointer).size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = start + layout::kActorRecordSize * i;
        const std::string name = "actor " + std::to_string(i);
        addField(map, part, pairField(name + " position", at, at + 1, FieldForm::Position));
        addField(map, part, byteField(name + " type", at + 2));
        addField(map, part, byteField(name + " parameter", at + 3));
    }
    if (count < layout::kMaxActors)
        addField(map, part, byteField("end of list", start + layout::kActorRecordSize * count));
}

void mapPalettes(ImageMap& map, const rom::RomImage& rom, const AreaId& id, bool night, const std::string& area)
{
    const std::uint16_t pointer = rom::palettePointerOf(rom, id, night);
    const std::string time = night ? "night" : "day";
    const int table = partFor(map, "palettetable:" + std::to_string(id.objectSet), PartKind::Directory,
                              "palette table of " + setText(id.objectSet));
    addField(map, table, wordField("area " + std::to_string(id.area) + " " + time,
                                   rom::paletteTableEntry(rom, id, night)));
    const std::size_t record = rom::bodyIndexOf(pointer, DataKind::AreaData, "the palette record");
    const int recordPart = partFor(map, "palrecord:" + std::to_string(record), PartKind::Directory,
                                   time + " palette record of " + area);
    addField(map, recordPart, byteField("background set", record));
    addField(map, recordPart, byteField("sprite set", record + 1));

    const gfx::PaletteSetLocation sets = gfx::locatePaletteSets(rom, pointer);
    const int setTable = partFor(map, "palettesets", PartKind::Directory, "palette set table");
    const std::pair<std::uint8_t, std::size_t> found[] = {{sets.backgroundSet, sets.backgroundIndex},
                                                          {sets.spriteSet, sets.spriteIndex}};
    for (int kind = 0; kind < 2; ++kind) {
        const auto [number, index] = found[kind];
        addField(map, setTable, wordField("set " + std::to_string(number),
                                          layout::kPaletteSetTable + 2 * static_cast<std::size_t>(number)));
        const std::string name = std::string(kind == 0 ? "background" : "sprite") + " palette set "
                                 + std::to_string(number);
        const int part = partFor(map, "palette:" + std::to_string(kind) + ":" + std::to_string(index),
                                 PartKind::Palette, name);
        if (!map.part(part).place.area)
            map.part(part).place = {id, night, id.objectSet, number, 0};
        const std::size_t size = kind == 0 ? layout::kBackgroundPaletteSetSize : layout::kSpritePaletteSetSize;
        for (std::size_t i = 0; i < size; ++i)
            addField(map, part, byteField("entry " + std::to_string(kind == 0 ? i : 24 + i), index + i));
    }
}

void mapSubmap(ImageMap& map, const rom::RomImage& rom, const AreaId& id)
{
    const std::string area = placeName(id);
    mapAreaRecord(map, rom, id, area);
    const std::size_t areaRecord = rom::areaRecordIndex(rom, id.objectSet, id.area);
    const std::size_t submapRecord = rom::submapRecordIndex(rom, areaRecord, id.submap, id);
    const int mapNumber = rom::mapNumberAt(rom, submapRecord);
    const int recordPart = partFor(map, "submap:" + std::to_string(submapRecord), PartKind::Directory,
                                   "submap record of " + area);
    addField(map, recordPart, byteField("map number", submapRecord));
    if (rom.read(submapRecord) == layout::kSubmapMapInNextByteA || rom.read(submapRecord) == layout::kSubmapMapInNextByteB)
        addField(map, recordPart, byteField("map number (second byte)", submapRecord + 1));
    const rom::MapTableEntry entry = rom::mapTableEntry(rom, id.objectSet, mapNumber);
    const int tablePart = partFor(map, "maptable:" + std::to_string(id.objectSet), PartKind::Directory,
                                  "map table of " + setText(id.objectSet));
    addField(map, tablePart, wordField("map " + std::to_string(mapNumber) + " data", entry.index));
    addField(map, tablePart, wordField("map " + std::to_string(mapNumber) + " stairs", entry.index + 2));
    mapActorTables(map, rom, id);

    const rom::ResolvedArea resolved = rom::resolveArea(rom, id, false);
    mapScreens(map, rom, id, resolved.mapPointer, area);
    mapStairs(map, rom, id, resolved.stairPointer, area);
    mapActors(map, rom, id, resolved.actorPointer, area);
    for (const bool night : {false, true}) {
        try {
            mapPalettes(map, rom, id, night, area);
        } catch (const RomError&) {
            // A palette the editor cannot load leaves its bytes to "other".
        }
    }
}

} // namespace

void mapDirectoryAndWorld(ImageMap& map, const rom::RomImage& rom)
{
    mapObjectSetTables(map);
    for (const AreaId& id : world::catalogueSubmaps()) {
        try {
            mapSubmap(map, rom, id);
        } catch (const RomError&) {
            // A submap the editor cannot load: what could be named is named.
        }
    }
    nameScreenPlaces(map, rom);

    const int mask = partFor(map, "mask", PartKind::PpuMask, "PPU mask");
    addField(map, mask, byteField("greyscale and emphasis", layout::kPpuMaskByte,
                                  layout::kPpuMaskGreyscaleBit | layout::kPpuMaskEmphasisBits));
    map.part(mask).fields.back().form = FieldForm::MaskSettings;

    const int ferryman = partFor(map, "ferryman", PartKind::Ferryman, "ferryman settings");
    addField(map, ferryman, byteField("item", layout::kFerrymanItem));
    addField(map, ferryman, byteField("text", layout::kFerrymanText));
    addField(map, ferryman, byteField("alternative text", layout::kFerrymanAltText));
    const int texts = partFor(map, "actortexts", PartKind::ActorTexts, "actor text table");
    for (int i = 0; i < layout::kActorTextTableSize; ++i)
        addField(map, texts, byteField("entry " + std::to_string(i), layout::kActorTextTable + static_cast<std::size_t>(i)));
}

} // namespace quarry::compare
