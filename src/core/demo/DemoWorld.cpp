// The demo image's world: a screen library per object set, one map per
// catalogue submap, stairs, actors, palettes, doors and solidity.
#include "core/demo/DemoImage.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/world/Actors.h"
#include "core/world/AreaCatalogue.h"
#include "core/world/Stairs.h"

#include <array>
#include <vector>

namespace quarry::demo {

namespace {

constexpr std::size_t kAreaDataStart = 0x8000; // bank 2: the CPU address equals the body index
constexpr std::size_t kAreaDataEnd = 0xC000;
constexpr std::size_t kActorDataStart = 0x5000; // bank 1: CPU address = body index + $4000
constexpr std::size_t kActorDataEnd = 0x8000;
constexpr std::size_t kSolidityBody = 0x13000; // CPU $B000 with bank 4
constexpr int kAreaSlots = 24;
constexpr int kScreenVariants = 8;
constexpr int kScreenLibrary = 2 * kScreenVariants; // each variant with two cloud skies

using Screen = std::array<std::uint8_t, layout::kScreenBytes>;

struct Size {
    std::uint8_t wide, high;
};
constexpr Size kMapSizes[] = {{2, 1}, {3, 1}, {1, 1}, {4, 1}, {2, 2}, {3, 2}, {1, 2}, {4, 2}};

class Space {
public:
    Space(std::size_t start, std::size_t end, std::size_t cpuOffset, const char* what)
        : next_(start), end_(end), cpuOffset_(cpuOffset), what_(what)
    {
    }
    // Reserves `size` bytes and returns their body index.
    std::size_t take(std::size_t size)
    {
        if (next_ + size > end_)
            throw RomError(std::string("the demo image's ") + what_ + " do not fit their bank");
        const std::size_t at = next_;
        next_ += size;
        return at;
    }
    std::uint16_t cpu(std::size_t body) const { return static_cast<std::uint16_t>(body + cpuOffset_); }

private:
    std::size_t next_;
    std::size_t end_;
    std::size_t cpuOffset_;
    const char* what_;
};

Screen designScreen(int variant, int sky)
{
    Screen cells{};
    auto put = [&cells](int row, int column, std::uint8_t metatile) {
        cells[static_cast<std::size_t>(row * layout::kScreenColumns + column)] = metatile;
    };
    for (int c = 0; c < 8; ++c) {
        put(5, c, kGrass);
        put(6, c, kDirt);
    }
    put(sky == 0 ? 0 : 1, sky == 0 ? 1 : 4, kCloud);
    put(sky == 0 ? 1 : 0, sky == 0 ? 5 : 7, kCloud);
    switch (variant) {
    case 0: // a meadow
        put(5, 3, kFlowers);
        put(5, 6, kFlowers);
        break;
    case 1: // a house
        for (int c = 2; c <= 5; ++c) {
            put(2, c, kRoof);
            put(3, c, kBrick);
            put(4, c, kBrick);
        }
        put(3, 2, kWindow);
        put(3, 5, kWindow);
        put(4, 3, kDoor);
        break;
    case 2: // a pond
        for (int c = 2; c <= 5; ++c) {
            put(5, c, kWater);
            put(6, c, kWater);
        }
        break;
    case 3: // stairs up to a stone ledge
    case 7: { // and down again
        const bool up = variant == 3;
        for (int step = 0; step < 3; ++step) {
            const int row = 4 - step;
            const int column = up ? 2 + step : 5 - step;
            put(row, column, up ? kStairRight : kStairLeft);
            for (int c = up ? column + 1 : 0; up ? c < 8 : c < column; ++c)
                put(row, c, kStone);
        }
        break;
    }
    case 4: // trees
        for (int column : {1, 6}) {
            put(2, column - 1, kLeaves);
            put(2, column, kLeaves);
            put(2, column + 1, kLeaves);
            put(3, column, kTrunk);
            put(4, column, kTrunk);
        }
        break;
    case 5: // a castle wall
        for (int r = 1; r <= 4; ++r)
            for (int c = 0; c < 8; ++c)
                put(r, c, kBrick);
        put(2, 1, kWindow);
        put(2, 6, kWindow);
        put(4, 4, kDoor);
        for (int c = 0; c < 8; ++c)
            put(5, c, kStone);
        break;
    case 6: // a bridge over water
        for (int c = 0; c < 8; ++c) {
            put(4, c, kPlanks);
            put(5, c, kWater);
            put(6, c, kWater);
        }
        put(4, 0, kStone);
        put(4, 7, kStone);
        break;
    default: break;
    }
    return cells;
}

struct Builder {
    rom::RomImage& rom;
    Space area{kAreaDataStart, kAreaDataEnd, 0, "maps and area tables"};
    Space actors{kActorDataStart, kActorDataEnd, 0x4000, "actor lists"};
    std::array<std::array<std::uint16_t, kScreenLibrary>, 6> screens{};
    int serial = 0;

    std::uint16_t allocArea(std::size_t size) { return area.cpu(area.take(size)); }

    void buildScreens(int objectSet)
    {
        for (int i = 0; i < kScreenLibrary; ++i) {
            const std::size_t at = area.take(layout::kScreenBytes);
            rom.writeBytes(at, designScreen(i % kScreenVariants, i / kScreenVariants));
            screens[static_cast<std::size_t>(objectSet)][static_cast<std::size_t>(i)] = area.cpu(at);
        }
    }

    // The screen variant at position i of map `mapSerial`.
    static int variantAt(int mapSerial, int position) { return (mapSerial * 3 + position * 5) % kScreenVariants; }

    // Writes a map and its stair list; returns the two addresses.
    std::pair<std::uint16_t, std::uint16_t> buildMap(int objectSet, int mapSerial)
    {
        const Size size = kMapSizes[mapSerial % std::size(kMapSizes)];
        const int positions = size.wide * size.high;
        const std::uint16_t map = allocArea(layout::kMapHeaderSize + 2 * static_cast<std::size_t>(positions));
        rom.writeBytes(map, std::array<std::uint8_t, 2>{size.wide, size.high});
        std::vector<world::StairRecord> stairs;
        for (int i = 0; i < positions; ++i) {
            const int variant = variantAt(mapSerial, i);
            const int library = variant + kScreenVariants * ((mapSerial + i) % 2);
            rom.writeWord(static_cast<std::size_t>(map) + 2 + 2 * static_cast<std::size_t>(i),
                          screens[static_cast<std::size_t>(objectSet)][static_cast<std::size_t>(library)]);
            // A stair start at the foot of each staircase in the first screens.
            const int sx = i % size.wide;
            const int sy = i / size.wide;
            if ((variant == 3 || variant == 7) && sx < 3 && stairs.size() < 4) {
                const bool up = variant == 3;
                stairs.push_back({static_cast<std::uint8_t>((sx * 256 + (up ? 64 : 160)) / 8),
                                  static_cast<std::uint8_t>((sy * 224 + 160) / 8), 1,
                                  static_cast<std::uint8_t>(up ? 1 : 0)});
            }
        }
        const std::uint16_t stairList = allocArea(2 * stairs.size() + 2);
        for (std::size_t i = 0; i < stairs.size(); ++i) {
            std::array<std::uint8_t, 2> bytes{};
            world::encodeStair(stairs[i], bytes[0], bytes[1]);
            rom.writeBytes(stairList + 2 * i, bytes);
        }
        rom.writeBytes(stairList + 2 * stairs.size(), std::array<std::uint8_t, 2>{layout::kListTerminator, 0});
        return {map, stairList};
    }

    // An actor list of two or three figures standing on the ground.
    std::uint16_t buildActorList(int mapSerial)
    {
        static constexpr std::uint8_t kTypes[] = {0x05, 0x0A, 0x12, 0x1C, 0x21, 0x2E, 0x40};
        const Size size = kMapSizes[mapSerial % std::size(kMapSizes)];
        const int count = 2 + serial % 2;
        const std::size_t list = actors.take(layout::kActorRecordSize * static_cast<std::size_t>(count) + 4);
        for (int i = 0; i < count; ++i) {
            const int sx = i % size.wide;
            const int sy = (i / size.wide) % size.high;
            const world::ActorRecord actor{static_cast<std::uint8_t>(16 * sx + 3 + 4 * i),
                                           static_cast<std::uint8_t>(14 * sy + 10),
                                           kTypes[static_cast<std::size_t>(serial + i) % std::size(kTypes)], 0};
            rom.writeBytes(list + layout::kActorRecordSize * static_cast<std::size_t>(i),
                           std::array<std::uint8_t, 4>{actor.x, actor.y, actor.type, actor.control});
        }
        rom.writeBytes(list + layout::kActorRecordSize * static_cast<std::size_t>(count),
                       std::array<std::uint8_t, 4>{layout::kListTerminator, 0, 0, 0});
        ++serial;
        return actors.cpu(list);
    }

    void buildObjectSet(const world::ObjectSetNode& set)
    {
        const auto s = static_cast<std::size_t>(set.objectSet);
        buildScreens(set.objectSet);

        // One map per submap, numbered in catalogue order.
        int mapCount = 0;
        for (const world::AreaNode& node : set.areas)
            mapCount += static_cast<int>(node.submaps.size());
        const std::uint16_t mapTable = allocArea(layout::kMapTableEntrySize * static_cast<std::size_t>(mapCount));
        const std::uint16_t areaTable = allocArea(2 * kAreaSlots);
        const std::uint16_t paletteTable = allocArea(layout::kPaletteTableEntrySize * kAreaSlots);
        const std::size_t actorAreaTable = actors.take(2 * kAreaSlots);
        rom.writeWord(layout::kAreaTablePointers + 2 * s, areaTable);
        rom.writeWord(layout::kPaletteTablePointers + 2 * s, paletteTable);
        rom.writeWord(layout::kMapTablePointers + 2 * s, mapTable);
        rom.writeWord(layout::kActorAreaTablePointers + 2 * s, actors.cpu(actorAreaTable));

        int mapNumber = 0;
        const std::size_t areaCount = set.areas.size();
        for (std::size_t k = 0; k < areaCount; ++k) {
            const world::AreaNode& node = set.areas[k];
            const std::size_t submaps = node.submaps.size();
            // The doors lead to the neighbouring areas of the same set.
            const auto prev = static_cast<std::uint8_t>(set.areas[(k + areaCount - 1) % areaCount].area);
            const auto next = static_cast<std::uint8_t>(set.areas[(k + 1) % areaCount].area);
            const std::uint16_t record = allocArea(layout::kAreaRecordSubmapPointers + 2 * submaps);
            const std::uint16_t areaData = allocArea(4);
            rom.writeWord(record, areaData);
            rom.writeBytes(static_cast<std::size_t>(record) + 2,
                           std::array<std::uint8_t, 7>{static_cast<std::uint8_t>(submaps - 1), layout::kExitToObjectSet,
                                                       static_cast<std::uint8_t>(s), prev, layout::kExitToObjectSet,
                                                       static_cast<std::uint8_t>(s), next});
            rom.writeWord(areaTable + 2 * static_cast<std::size_t>(node.area), record);

            const std::uint16_t dayList = allocArea(2 * submaps);
            const std::uint16_t nightList = allocArea(2 * submaps);
            const std::size_t paletteEntry = paletteTable + layout::kPaletteTableEntrySize * static_cast<std::size_t>(node.area);
            rom.writeWord(paletteEntry, dayList);
            rom.writeWord(paletteEntry + 2, nightList);

            const std::size_t actorSubmaps = actors.take(2 * submaps);
            rom.writeWord(actorAreaTable + 2 * static_cast<std::size_t>(node.area), actors.cpu(actorSubmaps));

            for (const world::SubmapNode& submap : node.submaps) {
                const auto m = static_cast<std::size_t>(submap.id.submap);
                const int mapSerial = set.objectSet * 7 + mapNumber;
                const auto [map, stairs] = buildMap(set.objectSet, mapSerial);
                const std::size_t entry = mapTable + layout::kMapTableEntrySize * static_cast<std::size_t>(mapNumber);
                rom.writeWord(entry, map);
                rom.writeWord(entry + 2, stairs);

                const std::uint16_t submapRecord = allocArea(4);
                rom.writeBytes(submapRecord, std::array<std::uint8_t, 4>{static_cast<std::uint8_t>(mapNumber), 0, 0, 0});
                rom.writeWord(static_cast<std::size_t>(record) + layout::kAreaRecordSubmapPointers + 2 * m, submapRecord);
                rom.writeBytes(dayList + 2 * m, std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(2 * s + kDayBackgroundSet),
                                                                            static_cast<std::uint8_t>(kDaySpriteSet)});
                rom.writeBytes(nightList + 2 * m,
                               std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(2 * s + kNightBackgroundSet),
                                                           static_cast<std::uint8_t>(kNightSpriteSet)});
                rom.writeWord(actorSubmaps + 2 * m, buildActorList(mapSerial));
                ++mapNumber;
            }
        }

        // Solidity thresholds: grass, brick and stone start the three kinds.
        const std::size_t graphics = layout::kObjectSetGraphicsRecords + layout::kObjectSetGraphicsRecordSize * s;
        rom.writeWord(graphics, static_cast<std::uint16_t>(0x8000 + 0x10 * s));
        rom.writeWord(graphics + layout::kSolidityPointerOffset, static_cast<std::uint16_t>(0xB000 + 4 * s));
        rom.writeBytes(kSolidityBody + 4 * s, std::array<std::uint8_t, 3>{kGrass, kBrick, kStone});
    }
};

} // namespace

void writeDemoWorld(rom::RomImage& rom)
{
    Builder builder{rom};
    for (const world::ObjectSetNode& set : world::areaCatalogue())
        builder.buildObjectSet(set);
}

} // namespace quarry::demo
