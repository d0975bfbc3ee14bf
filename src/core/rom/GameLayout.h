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
// The largest file we open: the largest iNES image there can be (header,
// trainer, 255 PRG banks of 16 KB and 255 CHR banks of 8 KB). Anything
// longer is no image, and we stop reading there.
inline constexpr std::size_t kMaximumFileSize = 16 + 512 + 255 * 0x4000 + 255 * 0x2000;

// Two CHR bank numbers per object set: background, then sprites.
inline constexpr std::size_t kChrBankTable = 0x1CCE9; // CPU $CCE9

// ---------------------------------------------------------------- area directory
// Object sets 0 to 5; the tables below hold one entry per object set.
inline constexpr int kObjectSetCount = 6;

// One word per object set: the area table (bank 2), one word per area.
inline constexpr std::size_t kAreaTablePointers = 0x1F7AB; // CPU $F7AB
// One word per object set: the palette table (bank 2), 4 bytes per area
// holding the day and the night palette list.
inline constexpr std::size_t kPaletteTablePointers = 0x1F7C5; // CPU $F7C5
inline constexpr std::size_t kPaletteTableEntrySize = 4;
// Four bytes per object set; word 1 is the bank-4 address of its three
// solidity thresholds.
inline constexpr std::size_t kObjectSetGraphicsRecords = 0x1F7D1; // CPU $F7D1
inline constexpr std::size_t kObjectSetGraphicsRecordSize = 4;
inline constexpr std::size_t kSolidityPointerOffset = 2;
// One word per object set: the map table (bank 2), 4 bytes per map number
// holding the map data and the stair list address.
inline constexpr std::size_t kMapTablePointers = 0x1F7FB; // CPU $F7FB
inline constexpr std::size_t kMapTableEntrySize = 4;
// One word per object set: the actor area table (bank 1), one word per area
// pointing at one word per submap, the actor lists.
inline constexpr std::size_t kActorAreaTablePointers = 0x4192; // CPU $8192 with bank 1

// Area record: the header, then one word per submap from byte 9.
inline constexpr std::size_t kAreaRecordSubmapPointers = 9;
// Submap record byte 0 values that move the map number into byte 1.
inline constexpr std::uint8_t kSubmapMapInNextByteA = 0xFD;
inline constexpr std::uint8_t kSubmapMapInNextByteB = 0xFE;

// Map data: W, H, then W x H screen addresses; a screen is 7 rows of 8
// metatile numbers.
inline constexpr std::size_t kMapHeaderSize = 2;
inline constexpr int kScreenColumns = 8;
inline constexpr int kScreenRows = 7;
inline constexpr std::size_t kScreenBytes = 56;
// Each cell shows one metatile of 4 x 4 tiles, 32 x 32 pixels, so a screen
// is 256 x 224 pixels.
inline constexpr int kMetatilePixels = 32;
inline constexpr int kScreenWidth = kScreenColumns * kMetatilePixels;
inline constexpr int kScreenHeight = kScreenRows * kMetatilePixels;
// The grid of one map must stay below this many cells.
inline constexpr std::size_t kMapCellLimit = 32768;

// ---------------------------------------------------------------- graphics
// Metatile tables, one per object set, all in bank 4: a limit byte, one
// attribute byte per metatile, then one 16-byte tile-number block per
// metatile. The positions are fixed; the limit byte does not move them.
struct MetatileTableLayout {
    std::size_t limit;      // limit byte L: the set's metatiles are 0 to L - 2
    std::size_t attributes; // attribute byte of metatile n at attributes + n
    std::size_t tiles;      // tile-number block of metatile n at tiles + 16n
};
inline constexpr MetatileTableLayout kMetatileTables[6] = {
    {0x1041D, 0x1041E, 0x10461}, // CPU $841D-$8460 with bank 4 switched in
    {0x10891, 0x10892, 0x108D4}, // CPU $8891
    {0x10CF4, 0x10CF5, 0x10D3A}, // CPU $8CF4
    {0x1118A, 0x1118B, 0x111D0}, // CPU $918A
    {0x11620, 0x11621, 0x1165F}, // CPU $9620
    {0x11A3F, 0x11A40, 0x11A80}, // CPU $9A3F, table ends at $11E80
};
inline constexpr std::size_t kMetatileTileBlockSize = 16;

// One 16-bit bank-4 address per palette set; background and sprite sets
// share the table.
inline constexpr std::size_t kPaletteSetTable = 0x1C895; // CPU $C895
inline constexpr std::size_t kBackgroundPaletteSetSize = 16;
inline constexpr std::size_t kSpritePaletteSetSize = 8;

// The value the game writes to the PPU mask register: bit 0 greyscale,
// bits 1-4 show background and sprites, bits 5-7 emphasis.
inline constexpr std::size_t kPpuMaskByte = 0x1C0B0; // CPU $C0B0
inline constexpr std::uint8_t kPpuMaskGreyscaleBit = 0x01;
inline constexpr std::uint8_t kPpuMaskShowBits = 0x1E;
inline constexpr std::uint8_t kPpuMaskEmphasisBits = 0xE0;

// Sprite palettes 0 and 1 are not stored per area: the game always loads
// these eight colours.
inline constexpr std::uint8_t kFixedSpritePalette[8] = {0x0F, 0x0F, 0x16, 0x20, 0x0F, 0x27, 0x20, 0x16};


// ---------------------------------------------------------------- world
// Actor and stair lists: records up to a terminator, scanned over 256 bytes.
inline constexpr std::size_t kListScanBytes = 256;
inline constexpr std::uint8_t kListTerminator = 0xFF;
inline constexpr std::size_t kActorRecordSize = 4;
inline constexpr std::size_t kStairRecordSize = 2;
inline constexpr std::size_t kMaxActors = kListScanBytes / kActorRecordSize; // 64
inline constexpr std::size_t kMaxStairs = kListScanBytes / kStairRecordSize; // 128

// Area record header: a further address, the last submap, left and right exit.
inline constexpr std::size_t kAreaRecordDataPointer = 0;
inline constexpr std::size_t kAreaRecordLastSubmap = 2;
inline constexpr std::size_t kAreaRecordLeftExit = 3;
inline constexpr std::size_t kAreaRecordRightExit = 6;
// Exit kinds: to another object set, or within this one with an entry byte.
inline constexpr std::uint8_t kExitToObjectSet = 0xFF;
inline constexpr std::uint8_t kExitToObjectSetAlt = 0xFC;
inline constexpr std::uint8_t kExitWithEntry = 0xFB;
// Entry bytes of a player leaving the current area to the left or right.
inline constexpr std::uint8_t kLeaveLeftEntry = 0xFF;
inline constexpr std::uint8_t kLeaveRightEntry = 0x7F;

// Actors whose parameter picks a text through this table of 11 text numbers
// (bank 1, read as a plain byte table).
inline constexpr std::size_t kActorTextTable = 0x4871; // CPU $8871 with bank 1
inline constexpr int kActorTextTableSize = 11;
// The ferryman: the item he wants (an index into the parts list) and his two
// texts; the alternative one is spoken in area 7 on odd submaps.
inline constexpr std::size_t kFerrymanItem = 0x46F3;    // CPU $86F3 with bank 1
inline constexpr std::size_t kFerrymanText = 0x4709;    // CPU $8709 with bank 1
inline constexpr std::size_t kFerrymanAltText = 0x4703; // CPU $8703 with bank 1
inline constexpr int kFerrymanAltArea = 7;

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
// Animation table in the fixed bank: three bytes per animation (frames - 1,
// first frame number, display time in ticks - 1).
inline constexpr std::size_t kAnimationTable = 0x1DDA2; // CPU $DDA2
inline constexpr std::size_t kAnimationRecordSize = 3;
inline constexpr int kAnimationCount = 64;
// One 16-bit CPU address per frame number 0-255, read with bank 0 switched
// in; frames and their shared layouts lie in bank 0 as well.
inline constexpr std::size_t kFramePointerTable = 0x2C30; // CPU $AC30 with bank 0
inline constexpr int kFrameCount = 256;
// Frame header: bit 7 selects the shared-layout form, bits 0-6 count sprites.
inline constexpr std::uint8_t kFrameSharedLayoutBit = 0x80;
inline constexpr std::uint8_t kFrameSpriteCountMask = 0x7F;
// Where the editor places the object a frame is drawn for.
inline constexpr int kSpriteReferenceX = 0x30; // 48
inline constexpr int kSpriteReferenceY = 0x3F; // 63

} // namespace quarry::layout
