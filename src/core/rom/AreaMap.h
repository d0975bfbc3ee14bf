#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarry::rom {

class RomImage;
class WritePlan;

// A decoded background map: W x H screens of 8 x 7 metatiles. The grid holds
// the screens in row-major order, each screen's 56 cells together and
// row-major inside, so every screen position has its own copy even where two
// positions share one screen in the image.
struct AreaMap {
    std::uint8_t screensWide = 0;
    std::uint8_t screensHigh = 0;
    std::vector<std::uint16_t> screenTable; // W x H screen addresses (bank 2), table order
    std::vector<std::uint8_t> mapGrid;      // 56 x W x H metatile numbers

    // Grid index of metatile (column, row) of the screen at (sx, sy).
    std::size_t cellIndex(int sx, int sy, int row, int column) const;
    // Grid index of the first cell of the screen at (sx, sy).
    std::size_t screenBase(int sx, int sy) const;
};

// Reads the map whose header lies at `mapPointer` (bank 2). Throws RomError
// for an invalid map or screen address, and for a header whose grid would
// reach 32768 cells.
AreaMap decodeAreaMap(const RomImage& rom, std::uint16_t mapPointer);

// Writes every screen position of `map` back into its screen, in table
// order, so where positions share a screen the last one written stays. The
// map's size and screen table are read from the image, never written; a map
// whose size differs from the image's is refused. Nothing is written unless
// every screen address is valid.
void encodeAreaMap(RomImage& rom, std::uint16_t mapPointer, const AreaMap& map);
// The same, queued into `plan` (used by the area commit).
void planEncodeAreaMap(WritePlan& plan, const RomImage& rom, std::uint16_t mapPointer, const AreaMap& map);

// Writes the 56 cells of the screen position (sx, sy) back into the screen
// the image's table names for it. Throws RomError for a position outside the
// map or an invalid screen address.
void writeScreenToRom(RomImage& rom, std::uint16_t mapPointer, const AreaMap& map, int sx, int sy);

// Points the screen position (sx, sy) at `screenAddress`. A position outside
// the map writes nothing and returns false. An address the game could not
// read the screen from (below $8000) is refused with RomError before anything
// is written, so the map stays loadable.
bool setScreenPointer(RomImage& rom, std::uint16_t mapPointer, int sx, int sy, std::uint16_t screenAddress);

} // namespace quarry::rom
