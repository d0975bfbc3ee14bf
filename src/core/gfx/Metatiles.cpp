#include "core/gfx/Metatiles.h"

#include <algorithm>

#include "core/RomError.h"
#include "core/gfx/ChooserGeometry.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <string>

namespace quarry::gfx {
namespace {

const layout::MetatileTableLayout& tableOf(int objectSet)
{
    return layout::kMetatileTables[metatileTableOf(objectSet)];
}

// Metatile numbers are bytes in the map and the chooser.
std::size_t metatileIndex(int metatile)
{
    return static_cast<std::size_t>(metatile & 0xFF);
}

void checkWritable(int objectSet, int metatile)
{
    const int capacity = metatileCapacity(objectSet);
    if (metatile < 0 || metatile >= capacity)
        throw RomError("metatile " + hexDigits(static_cast<std::uint32_t>(metatile), 2) + " of object set "
                       + std::to_string(metatileTableOf(objectSet)) + " cannot be edited: its table has room for "
                       + std::to_string(capacity) + " metatiles (00-"
                       + hexDigits(static_cast<std::uint32_t>(capacity - 1), 2)
                       + "), and this one's bytes would land in other data");
}

// Position of a quarter's two bits: rows 0-1 are the top half and columns 0-1
// the left half; any other value counts as bottom or right.
int quadrantShift(int column, int row)
{
    const bool bottom = !(row == 0 || row == 1);
    const bool right = !(column == 0 || column == 1);
    return (bottom ? 4 : 0) + (right ? 2 : 0);
}

} // namespace

int metatileTableOf(int objectSet)
{
    return objectSet >= 1 && objectSet <= 5 ? objectSet : 0;
}

int metatileCapacity(int objectSet)
{
    const auto& table = tableOf(objectSet);
    return static_cast<int>(table.tiles - table.attributes);
}

std::uint8_t getMetatileLimit(const rom::RomImage& rom, int objectSet)
{
    return rom.read(tableOf(objectSet).limit);
}

std::size_t metatileLimitIndex(int objectSet)
{
    return tableOf(objectSet).limit;
}

std::uint8_t getMetatileAttribute(const rom::RomImage& rom, int objectSet, int metatile)
{
    return rom.read(tableOf(objectSet).attributes + metatileIndex(metatile));
}

MetatileTiles getMetatileTiles(const rom::RomImage& rom, int objectSet, int metatile)
{
    const auto block = rom.bytes(tableOf(objectSet).tiles + layout::kMetatileTileBlockSize * metatileIndex(metatile),
                                 layout::kMetatileTileBlockSize);
    MetatileTiles tiles{};
    std::copy(block.begin(), block.end(), tiles.begin());
    return tiles;
}

void setMetatileAttribute(rom::RomImage& rom, int objectSet, int metatile, std::uint8_t value)
{
    checkWritable(objectSet, metatile);
    rom.write(tableOf(objectSet).attributes + static_cast<std::size_t>(metatile), value);
}

void setMetatileTile(rom::RomImage& rom, int objectSet, int metatile, int position, std::uint8_t tile)
{
    checkWritable(objectSet, metatile);
    if (position < 0 || position >= kMetatileTiles)
        throw RomError("tile position " + std::to_string(position) + " is outside a metatile (0-15)");
    rom.write(tableOf(objectSet).tiles + layout::kMetatileTileBlockSize * static_cast<std::size_t>(metatile)
                  + static_cast<std::size_t>(position),
              tile);
}

int quadrantPalette(int column, int row, std::uint8_t attribute)
{
    return (attribute >> quadrantShift(column, row)) & 3;
}

std::uint8_t withQuadrantPalette(std::uint8_t attribute, int column, int row, int palette)
{
    const int shift = quadrantShift(column, row);
    return static_cast<std::uint8_t>((attribute & ~(3 << shift)) | ((palette & 3) << shift));
}

int lastOfferedMetatile(std::uint8_t limit)
{
    return std::max(0, std::min(static_cast<int>(limit) - 2, kChooserMaxMetatiles - 1));
}

int offeredMetatileCount(std::uint8_t limit)
{
    return lastOfferedMetatile(limit) + 1;
}

} // namespace quarry::gfx
