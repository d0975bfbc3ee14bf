#pragma once

#include <cstddef>
#include <cstdint>

// Where the target game keeps its data. Body indexes unless the name says
// otherwise; "CPU $xxxx" comments give the address the game itself uses.
namespace quarry::layout {

// ---------------------------------------------------------------- image
// Eight 16 KB PRG-ROM banks, then 128 KB of CHR-ROM.
inline constexpr std::size_t kPrgBankSize = 0x4000;
inline constexpr std::size_t kPrgBankCount = 8;
inline constexpr std::size_t kFixedBankBase = 0x1C000;   // bank 7, CPU $C000-$FFFF
inline constexpr std::size_t kChrBase = 0x20000;
inline constexpr std::size_t kChrBankSize = 0x1000;      // 256 tiles of 16 bytes
inline constexpr std::size_t kMinimumBodySize = 0x40000; // PRG + CHR, the whole game

// Two CHR bank numbers per object set: background, then sprites.
inline constexpr std::size_t kChrBankTable = 0x1CCE9; // CPU $CCE9

// ---------------------------------------------------------------- area directory

// ---------------------------------------------------------------- graphics

// ---------------------------------------------------------------- world

// ---------------------------------------------------------------- text

// ---------------------------------------------------------------- sprites

} // namespace quarry::layout
