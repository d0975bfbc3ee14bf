#pragma once

#include "core/rom/AreaDirectory.h"
#include "core/world/Actors.h"
#include "core/world/Connections.h"
#include "core/world/Stairs.h"
#include "support/SyntheticRom.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace quarry::test {

// One map of the synthetic game as the builder laid it out.
struct SyntheticMap {
    int objectSet = 0;
    int number = 0;
    std::uint16_t mapPointer = 0;   // bank 2
    std::uint16_t stairPointer = 0; // bank 2
    std::uint8_t wide = 0;
    std::uint8_t high = 0;
    std::vector<std::uint16_t> screenTable;
    std::vector<std::uint8_t> grid; // the map as it decodes
    std::vector<world::StairRecord> stairs;
    bool stairTerminatorInByte1 = false;
};

struct SyntheticSubmap {
    rom::AreaId id;
    std::size_t submapRecord = 0; // body index
    int mapNumber = 0;
    std::uint16_t dayPalettePointer = 0;   // bank 2, the 2-byte record
    std::uint16_t nightPalettePointer = 0; // bank 2
    std::array<std::uint8_t, 2> dayPaletteSets{};   // background set, sprite set (0-15)
    std::array<std::uint8_t, 2> nightPaletteSets{};
    std::uint16_t actorPointer = 0;   // bank 1
    std::size_t actorTableEntry = 0;  // body index of the word naming the actor list
    std::vector<world::ActorRecord> actors;
    bool actorTerminatorInByte1 = false;
};

struct SyntheticArea {
    int objectSet = 0;
    int area = 0;
    std::uint16_t recordPointer = 0; // bank 2
    std::size_t record = 0;          // body index
    int submapCount = 0;
    world::ExitRecord leftExit;
    world::ExitRecord rightExit;
};

// Fills a SyntheticRom with every table the area data side reads, so that
// every submap of the area catalogue resolves, day and night: area tables and
// records with exits, submap records (some naming their map through $FD or
// $FE), map tables, maps of various sizes whose screens are shared between
// positions and between maps, stair lists, palette lists, actor tables and
// lists, solidity thresholds and the PPU mask byte.
//
// Placement: actor tables and lists in bank 1 (body $5000-$7FFF), all other
// area data in bank 2 (body $8000-$BFFF), the fixed-bank tables at the game's
// addresses, the solidity bytes at body $13000. Palette records name palette
// sets 0 to 15 only. Nothing is written to the metatile and palette set
// tables or the CHR banks.
class SyntheticGame {
public:
    static constexpr std::uint8_t kDefaultPpuMask = 0x5F; // green emphasis, greyscale

    explicit SyntheticGame(SyntheticRom& rom);

    SyntheticRom& rom() { return rom_; }
    rom::RomImage image() const { return rom_.image(); }

    const SyntheticSubmap& submap(const rom::AreaId& id) const;
    const SyntheticArea& area(int objectSet, int area) const;
    const SyntheticMap& map(int objectSet, int mapNumber) const;
    const SyntheticMap& mapOf(const rom::AreaId& id) const;
    const std::vector<SyntheticMap>& maps() const { return maps_; }
    rom::SolidityThresholds solidity(int objectSet) const;
    std::size_t solidityIndex(int objectSet) const;

    // Body indexes of single table entries, for tests that break them.
    std::size_t areaTableEntry(int objectSet, int area) const;
    std::size_t mapTableEntry(int objectSet, int mapNumber) const;

    // Knobs for tests building variants.
    void setExit(int objectSet, int area, bool right, const world::ExitRecord& exit);
    void setLastSubmap(int objectSet, int area, std::uint8_t lastSubmap);
    void setMapPointers(int objectSet, int mapNumber, std::uint16_t mapPointer, std::uint16_t stairPointer);
    // Free space for extra data: bank-2 and bank-1 CPU addresses.
    std::uint16_t allocAreaData(std::size_t size);
    std::uint16_t allocActorData(std::size_t size);

private:
    void buildMaps(const std::vector<rom::AreaId>& submaps);
    void buildMap(int objectSet, int number, int serial);
    void buildAreas();
    void buildActors();
    void buildFixedTables();
    std::uint16_t allocScreen(int serial);

    SyntheticRom& rom_;
    std::size_t nextAreaData_;
    std::size_t nextActorData_;
    int screenSerial_ = 0;
    std::uint16_t lastFirstScreen_ = 0;
    std::array<std::uint16_t, 6> areaTables_{};
    std::array<std::uint16_t, 6> paletteTables_{};
    std::array<std::uint16_t, 6> mapTables_{};
    std::array<std::uint16_t, 6> actorAreaTables_{};
    std::vector<SyntheticMap> maps_;
    std::map<std::pair<int, int>, std::size_t> mapIndex_;
    std::vector<SyntheticSubmap> submaps_;
    std::vector<SyntheticArea> areas_;
};

} // namespace quarry::test
