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
// The game's 121 numbered strings live in bank 3: a table of 16-bit CPU
// pointers, then the strings themselves, one byte per character.
inline constexpr int kTextCount = 121;
inline constexpr std::size_t kTextPointerTable = 0xCB82;   // CPU $8B82, bank 3
inline constexpr std::size_t kTextBlockStart = 0xCC74;     // CPU $8C74, right after the pointers
inline constexpr std::uint16_t kTextBlockStartCpu = 0x8C74;
inline constexpr std::size_t kTextBankEnd = 0x10000;       // first index past bank 3
inline constexpr std::size_t kTextScanLimit = 256;         // a string without terminator ends here
inline constexpr std::uint8_t kTextLineBreak = 0xFE;       // shown as "/"
inline constexpr std::uint8_t kTextTerminator = 0xFF;
inline constexpr std::uint8_t kTextSpaceCode = 0x00;       // space, and any character the table lacks

// ---------------------------------------------------------------- sprites

} // namespace quarry::layout
