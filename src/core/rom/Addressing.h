#pragma once

#include <cstddef>
#include <cstdint>

namespace quarry::rom {

class RomImage;

// The kinds of data the game reads through its switchable bank, each with
// the bank it switches in before reading.
enum class DataKind {
    SpriteFrames, // bank 0: animations, frames and layouts
    Actors,       // bank 1: actor lists and the two tables above them
    AreaData,     // bank 2: areas, submaps, maps, screens, stairs, palette records, doors
    Text,         // bank 3: text strings
    PaletteSets,  // bank 4: palette sets and solidity bytes
};

int bankOf(DataKind kind);
const char* describe(DataKind kind); // "map data", "actor data", ...

// Turns a CPU address into a body index with the switchable `bank` at
// $8000-$BFFF and bank 7 fixed at $C000-$FFFF. Throws RomError for an
// address below $8000, naming the address and `what` was being read.
std::size_t cpuToBody(std::uint32_t address, int bank, const char* what);

// The same with the bank and the special rules of a data kind: sprite
// addresses are taken as (address AND $3FFF) and text addresses as
// (address AND $3FFF) + $C000, with no range test.
std::size_t cpuToBody(std::uint32_t address, DataKind kind);

// Body index of the 4 KB CHR bank an object set uses for background and
// sprite tiles.
std::size_t bgChrBase(const RomImage& rom, int objectSet);
std::size_t sprChrBase(const RomImage& rom, int objectSet);

} // namespace quarry::rom
