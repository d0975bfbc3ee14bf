#include "support/SyntheticGame.h"

#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quarry::test {

namespace {

constexpr std::size_t kAreaDataStart = 0x8000; // bank 2: CPU address = body index
constexpr std::size_t kAreaDataEnd = 0xC000;
constexpr std::size_t kActorDataStart = 0x5000; // bank 1: CPU address = body index + $4000
constexpr std::size_t kActorDataEnd = 0x8000;
constexpr std::size_t kSolidityBase = 0x13000; // CPU $B000 with bank 4
constexpr int kAreaSlots = 24;

struct MapSize {
    std::uint8_t wide;
    std::uint8_t high;
};
constexpr MapSize kMapSizes[] = {{1, 1}, {2, 1}, {1, 2}, {3, 1}, {2, 2}, {3, 2}, {4, 1}, {1, 3}};

} // namespace

SyntheticGame::SyntheticGame(SyntheticRom& rom)
    : rom_(rom), nextAreaData_(kAreaDataStart), nextActorData_(kActorDataStart)
{
    const std::vector<rom::AreaId> submaps = world::catalogueSubmaps();
    buildMaps(submaps);
    buildAreas();
    buildActors();
    buildFixedTables();
}

std::uint16_t SyntheticGame::allocAreaData(std::size_t size)
{
    if (nextAreaData_ + size > kAreaDataEnd)
        throw std::length_error("synthetic game: bank 2 is full");
    const std::size_t at = nextAreaData_;
    nextAreaData_ += size;
    return static_cast<std::uint16_t>(at);
}

std::uint16_t SyntheticGame::allocActorData(std::size_t size)
{
    if (nextActorData_ + size > kActorDataEnd)
        throw std::length_error("synthetic game: bank 1 is full");
    const std::size_t at = nextActorData_;
    nextActorData_ += size;
    return static_cast<std::uint16_t>(at + 0x4000);
}

std::uint16_t SyntheticGame::allocScreen(int serial)
{
    const std::uint16_t at = allocAreaData(layout::kScreenBytes);
    std::vector<std::uint8_t> cells(layout::kScreenBytes);
    for (std::size_t c = 0; c < cells.size(); ++c)
        cells[c] = static_cast<std::uint8_t>((serial * 11 + c * 3 + c / 8) & 0x3F);
    rom_.put(at, cells);
    return at;
}

void SyntheticGame::buildMap(int objectSet, int number, int serial)
{
    SyntheticMap map;
    map.objectSet = objectSet;
    map.number = number;
    const MapSize size = kMapSizes[serial % 8];
    map.wide = size.wide;
    map.high = size.high;
    const int positions = size.wide * size.high;
    const int unique = positions <= 2 ? positions : std::min(positions - 1, 3);

    // Screens shared inside the map (positions past the unique ones repeat
    // them) and, for every third map, its first screen shared with the map
    // built before it.
    std::vector<std::uint16_t> screens;
    for (int u = 0; u < unique; ++u) {
        if (u == 0 && serial % 3 == 2 && lastFirstScreen_ != 0)
            screens.push_back(lastFirstScreen_);
        else
            screens.push_back(allocScreen(screenSerial_++));
    }
    lastFirstScreen_ = screens.front();
    for (int i = 0; i < positions; ++i)
        map.screenTable.push_back(screens[static_cast<std::size_t>(i < unique ? i : i % unique)]);

    map.mapPointer = allocAreaData(layout::kMapHeaderSize + 2 * static_cast<std::size_t>(positions));
    rom_.put(map.mapPointer, {map.wide, map.high});
    for (int i = 0; i < positions; ++i)
        rom_.putWord(map.mapPointer + 2 + 2 * static_cast<std::size_t>(i), map.screenTable[static_cast<std::size_t>(i)]);

    const int stairCount = serial % 5;
    map.stairTerminatorInByte1 = serial % 2 == 1;
    map.stairPointer = allocAreaData(2 * static_cast<std::size_t>(stairCount) + 2);
    for (int i = 0; i < stairCount; ++i) {
        world::StairRecord stair{static_cast<std::uint8_t>((serial * 3 + i * 9) % 120),
                                 static_cast<std::uint8_t>((i * 5 + 4) % 100), static_cast<std::uint8_t>(i & 1),
                                 static_cast<std::uint8_t>((i >> 1) & 1)};
        std::uint8_t b0 = 0;
        std::uint8_t b1 = 0;
        world::encodeStair(stair, b0, b1);
        rom_.put(map.stairPointer + 2 * static_cast<std::size_t>(i), {b0, b1});
        map.stairs.push_back(stair);
    }
    const std::size_t end = map.stairPointer + 2 * static_cast<std::size_t>(stairCount);
    if (map.stairTerminatorInByte1)
        rom_.put(end, {0x12, 0xFF});
    else
        rom_.put(end, {0xFF, 0x00});

    mapIndex_[{objectSet, number}] = maps_.size();
    maps_.push_back(std::move(map));
}

void SyntheticGame::buildMaps(const std::vector<rom::AreaId>& ids)
{
    std::array<int, 6> mapCount{};
    int mapSerial = 0;
    for (std::size_t g = 0; g < ids.size(); ++g) {
        SyntheticSubmap submap;
        submap.id = ids[g];
        const int set = submap.id.objectSet;
        // Every ninth submap shows the same map as the one before it.
        if (g % 9 == 8 && submaps_.back().id.objectSet == set) {
            submap.mapNumber = submaps_.back().mapNumber;
        } else {
            submap.mapNumber = mapCount[static_cast<std::size_t>(set)]++;
            buildMap(set, submap.mapNumber, mapSerial++);
        }
        submaps_.push_back(std::move(submap));
    }
    for (int set = 0; set < 6; ++set) {
        const int count = mapCount[static_cast<std::size_t>(set)];
        mapTables_[static_cast<std::size_t>(set)] = allocAreaData(layout::kMapTableEntrySize * static_cast<std::size_t>(count));
        for (int n = 0; n < count; ++n) {
            const SyntheticMap& m = map(set, n);
            rom_.putWord(mapTableEntry(set, n), m.mapPointer);
            rom_.putWord(mapTableEntry(set, n) + 2, m.stairPointer);
        }
    }
    for (SyntheticMap& m : maps_) {
        for (std::uint16_t screen : m.screenTable)
            m.grid.insert(m.grid.end(), rom_.body().begin() + screen,
                          rom_.body().begin() + screen + static_cast<std::ptrdiff_t>(layout::kScreenBytes));
    }
}

void SyntheticGame::buildAreas()
{
    int submapSerial = 0;
    for (const world::ObjectSetNode& set : world::areaCatalogue()) {
        const int s = set.objectSet;
        areaTables_[static_cast<std::size_t>(s)] = allocAreaData(2 * kAreaSlots);
        paletteTables_[static_cast<std::size_t>(s)] = allocAreaData(layout::kPaletteTableEntrySize * kAreaSlots);
        const std::size_t areaCount = set.areas.size();
        for (std::size_t k = 0; k < areaCount; ++k) {
            const world::AreaNode& node = set.areas[k];
            const auto prev = static_cast<std::uint8_t>(set.areas[(k + areaCount - 1) % areaCount].area);
            const auto next = static_cast<std::uint8_t>(set.areas[(k + 1) % areaCount].area);
            SyntheticArea area;
            area.objectSet = s;
            area.area = node.area;
            area.submapCount = static_cast<int>(node.submaps.size());
            // Left exits by kind: to a set and area, the same with the other
            // kind, and a plain area exit.
            switch (k % 3) {
            case 0: area.leftExit = {0xFF, static_cast<std::uint8_t>(s), prev}; break;
            case 1: area.leftExit = {0xFC, static_cast<std::uint8_t>(s), prev}; break;
            default: area.leftExit = {0xFA, 0x5A, prev}; break;
            }
            switch (k % 4) {
            case 0: area.rightExit = {0xFB, next, 0x00}; break;
            case 1: area.rightExit = {0xFB, next, 0x80}; break;
            case 2: area.rightExit = {0x01, 0x33, next}; break;
            default: area.rightExit = {0xFF, static_cast<std::uint8_t>((s + 1) % 6), 0}; break;
            }

            const std::uint16_t areaData = allocAreaData(4);
            rom_.put(areaData, {static_cast<std::uint8_t>(0xA0 + k), 0x01, 0x02, 0x03});
            area.recordPointer = allocAreaData(layout::kAreaRecordSubmapPointers + 2 * node.submaps.size());
            area.record = area.recordPointer;
            rom_.putWord(area.record, areaData);
            rom_.put(area.record + 2, {static_cast<std::uint8_t>(area.submapCount - 1), area.leftExit.kind,
                                       area.leftExit.a, area.leftExit.b, area.rightExit.kind, area.rightExit.a,
                                       area.rightExit.b});
            rom_.putWord(areaTableEntry(s, node.area), area.recordPointer);

            const std::uint16_t dayList = allocAreaData(2 * node.submaps.size());
            const std::uint16_t nightList = allocAreaData(2 * node.submaps.size());
            const std::size_t paletteEntry = paletteTables_[static_cast<std::size_t>(s)]
                                             + layout::kPaletteTableEntrySize * static_cast<std::size_t>(node.area);
            rom_.putWord(paletteEntry, dayList).putWord(paletteEntry + 2, nightList);

            for (const world::SubmapNode& submapNode : node.submaps) {
                auto it = std::find_if(submaps_.begin(), submaps_.end(),
                                       [&](const SyntheticSubmap& sm) { return sm.id == submapNode.id; });
                SyntheticSubmap& submap = *it;
                const auto m = static_cast<std::size_t>(submap.id.submap);
                const auto number = static_cast<std::uint8_t>(submap.mapNumber);
                const std::uint16_t record = allocAreaData(4);
                submap.submapRecord = record;
                // Some records name their map in the second byte.
                switch (submapSerial++ % 5) {
                case 3: rom_.put(record, {0xFD, number, 0x11, 0x22}); break;
                case 4: rom_.put(record, {0xFE, number, 0x33, 0x44}); break;
                default: rom_.put(record, {number, 0x01, 0x02, 0x03}); break;
                }
                rom_.putWord(area.record + layout::kAreaRecordSubmapPointers + 2 * m, record);

                const int day = s * 3 + node.area + static_cast<int>(m);
                submap.dayPaletteSets = {static_cast<std::uint8_t>(day % 16),
                                         static_cast<std::uint8_t>((s + node.area * 5) % 16)};
                submap.nightPaletteSets = {static_cast<std::uint8_t>((day + 8) % 16),
                                           static_cast<std::uint8_t>((s + node.area * 5 + 3) % 16)};
                submap.dayPalettePointer = static_cast<std::uint16_t>(dayList + 2 * m);
                submap.nightPalettePointer = static_cast<std::uint16_t>(nightList + 2 * m);
                rom_.put(submap.dayPalettePointer, {submap.dayPaletteSets[0], submap.dayPaletteSets[1]});
                rom_.put(submap.nightPalettePointer, {submap.nightPaletteSets[0], submap.nightPaletteSets[1]});
            }
            areas_.push_back(area);
        }
    }
}

void SyntheticGame::buildActors()
{
    int serial = 0;
    for (const world::ObjectSetNode& set : world::areaCatalogue()) {
        const int s = set.objectSet;
        const std::uint16_t areaTable = allocActorData(2 * kAreaSlots);
        actorAreaTables_[static_cast<std::size_t>(s)] = areaTable;
        for (const world::AreaNode& node : set.areas) {
            const std::uint16_t submapTable = allocActorData(2 * node.submaps.size());
            rom_.putWord(areaTable - 0x4000u + 2 * static_cast<std::size_t>(node.area), submapTable);
            for (const world::SubmapNode& submapNode : node.submaps) {
                auto it = std::find_if(submaps_.begin(), submaps_.end(),
                                       [&](const SyntheticSubmap& sm) { return sm.id == submapNode.id; });
                SyntheticSubmap& submap = *it;
                const int count = serial % 7;
                submap.actorTerminatorInByte1 = serial % 2 == 1;
                submap.actorPointer = allocActorData(4 * static_cast<std::size_t>(count) + 4);
                const std::size_t list = submap.actorPointer - 0x4000u;
                for (int i = 0; i < count; ++i) {
                    world::ActorRecord actor{static_cast<std::uint8_t>(1 + i * 3 + serial % 4),
                                             static_cast<std::uint8_t>(3 + i % 4),
                                             static_cast<std::uint8_t>((serial * 7 + i * 29) & 0xFF),
                                             static_cast<std::uint8_t>((i * 11 + serial) & 0xFF)};
                    rom_.put(list + 4 * static_cast<std::size_t>(i), {actor.x, actor.y, actor.type, actor.control});
                    submap.actors.push_back(actor);
                }
                const std::size_t end = list + 4 * static_cast<std::size_t>(count);
                if (submap.actorTerminatorInByte1)
                    rom_.put(end, {0x07, 0xFF, 0x00, 0x00});
                else
                    rom_.put(end, {0xFF, 0x00, 0x00, 0x00});
                submap.actorTableEntry = submapTable - 0x4000u + 2 * static_cast<std::size_t>(submap.id.submap);
                rom_.putWord(submap.actorTableEntry, submap.actorPointer);
                ++serial;
            }
        }
    }
}

void SyntheticGame::buildFixedTables()
{
    // The fixed-bank addresses are the builder's own, not the program's
    // layout constants, so a wrong constant there fails the loads.
    constexpr std::size_t kAreaTables = 0x1F7AB, kPaletteTables = 0x1F7C5, kMapTables = 0x1F7FB;
    constexpr std::size_t kActorAreaTables = 0x4192; // CPU $8192 with bank 1
    constexpr std::size_t kGraphicsRecords = 0x1F7D1, kPpuMask = 0x1C0B0;
    for (std::size_t s = 0; s < 6; ++s) {
        rom_.putWord(kAreaTables + 2 * s, areaTables_[s]);
        rom_.putWord(kPaletteTables + 2 * s, paletteTables_[s]);
        rom_.putWord(kMapTables + 2 * s, mapTables_[s]);
        rom_.putWord(kActorAreaTables + 2 * s, actorAreaTables_[s]);
        rom_.putWord(kGraphicsRecords + 4 * s, static_cast<std::uint16_t>(0x8000 + 0x10 * s));
        rom_.putWord(kGraphicsRecords + 4 * s + 2, static_cast<std::uint16_t>(0xB000 + 4 * s));
        const rom::SolidityThresholds t = solidity(static_cast<int>(s));
        rom_.put(solidityIndex(static_cast<int>(s)), {t[0], t[1], t[2]});
    }
    rom_.put(kPpuMask, {kDefaultPpuMask});
}

const SyntheticSubmap& SyntheticGame::submap(const rom::AreaId& id) const
{
    for (const SyntheticSubmap& submap : submaps_)
        if (submap.id == id)
            return submap;
    throw std::out_of_range("synthetic game: no such submap");
}

const SyntheticArea& SyntheticGame::area(int objectSet, int area) const
{
    for (const SyntheticArea& a : areas_)
        if (a.objectSet == objectSet && a.area == area)
            return a;
    throw std::out_of_range("synthetic game: no such area");
}

const SyntheticMap& SyntheticGame::map(int objectSet, int mapNumber) const
{
    return maps_.at(mapIndex_.at({objectSet, mapNumber}));
}

const SyntheticMap& SyntheticGame::mapOf(const rom::AreaId& id) const
{
    return map(id.objectSet, submap(id).mapNumber);
}

rom::SolidityThresholds SyntheticGame::solidity(int objectSet) const
{
    return {static_cast<std::uint8_t>(0x08 + objectSet), static_cast<std::uint8_t>(0x18 + objectSet),
            static_cast<std::uint8_t>(0x30 + objectSet)};
}

std::size_t SyntheticGame::solidityIndex(int objectSet) const
{
    return kSolidityBase + 4 * static_cast<std::size_t>(objectSet);
}

std::size_t SyntheticGame::areaTableEntry(int objectSet, int area) const
{
    return areaTables_.at(static_cast<std::size_t>(objectSet)) + 2 * static_cast<std::size_t>(area);
}

std::size_t SyntheticGame::mapTableEntry(int objectSet, int mapNumber) const
{
    return mapTables_.at(static_cast<std::size_t>(objectSet)) + layout::kMapTableEntrySize * static_cast<std::size_t>(mapNumber);
}

void SyntheticGame::setExit(int objectSet, int areaNumber, bool right, const world::ExitRecord& exit)
{
    const SyntheticArea& a = area(objectSet, areaNumber);
    const std::size_t at = a.record + (right ? layout::kAreaRecordRightExit : layout::kAreaRecordLeftExit);
    rom_.put(at, {exit.kind, exit.a, exit.b});
}

void SyntheticGame::setLastSubmap(int objectSet, int areaNumber, std::uint8_t lastSubmap)
{
    rom_.put(area(objectSet, areaNumber).record + layout::kAreaRecordLastSubmap, {lastSubmap});
}

void SyntheticGame::setMapPointers(int objectSet, int mapNumber, std::uint16_t mapPointer, std::uint16_t stairPointer)
{
    rom_.putWord(mapTableEntry(objectSet, mapNumber), mapPointer);
    rom_.putWord(mapTableEntry(objectSet, mapNumber) + 2, stairPointer);
}

} // namespace quarry::test
