// The image map's graphics parts: metatile tables, solidity thresholds and
// the CHR banks the object sets draw from.
#include "core/compare/MapBuilding.h"

#include "core/RomError.h"
#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"

namespace quarry::compare {

namespace {

void mapMetatiles(ImageMap& map, int objectSet)
{
    const int table = gfx::metatileTableOf(objectSet);
    const layout::MetatileTableLayout& at = layout::kMetatileTables[table];
    const std::string set = "object set " + std::to_string(table);
    const int limit = partFor(map, "limit:" + std::to_string(table), PartKind::MetatileLimit, "metatile limit of " + set);
    map.part(limit).place.objectSet = table;
    addField(map, limit, byteField("limit", gfx::metatileLimitIndex(table)));
    const char* quarters[] = {"top-left", "top-right", "bottom-left", "bottom-right"};
    for (int n = 0; n < gfx::metatileCapacity(table); ++n) {
        const auto metatile = static_cast<std::size_t>(n);
        const int part = partFor(map, "metatile:" + std::to_string(table) + ":" + std::to_string(n),
                                 PartKind::Metatile, "metatile " + hexByte(static_cast<std::uint32_t>(n)) + " of " + set);
        if (!map.part(part).fields.empty())
            continue;
        map.part(part).place = {std::nullopt, false, table, n, 0};
        for (int cell = 0; cell < gfx::kMetatileTiles; ++cell)
            addField(map, part,
                     byteField("tile (" + std::to_string(cell % 4) + ", " + std::to_string(cell / 4) + ")",
                               at.tiles + layout::kMetatileTileBlockSize * metatile + static_cast<std::size_t>(cell)));
        for (int q = 0; q < 4; ++q) {
            Field field = byteField(std::string(quarters[q]) + " palette", at.attributes + metatile,
                                    static_cast<std::uint8_t>(3 << (2 * q)));
            field.form = FieldForm::Quarter;
            addField(map, part, std::move(field));
        }
    }
}

void mapThresholds(ImageMap& map, const rom::RomImage& rom, int objectSet)
{
    const std::size_t record = layout::kObjectSetGraphicsRecords
                               + layout::kObjectSetGraphicsRecordSize * static_cast<std::size_t>(objectSet);
    const std::size_t start = rom::bodyIndexOf(rom.readWord(record + layout::kSolidityPointerOffset),
                                               rom::DataKind::PaletteSets, "the solidity thresholds");
    const int part = partFor(map, "thresholds:" + std::to_string(start), PartKind::Thresholds,
                             "solidity thresholds of object set " + std::to_string(objectSet));
    map.part(part).place.objectSet = objectSet;
    for (std::size_t i = 0; i < 3; ++i)
        addField(map, part, byteField("threshold " + std::to_string(i), start + i));
}

void mapBank(ImageMap& map, const rom::RomImage& rom, int objectSet, std::size_t base, bool sprites)
{
    const std::string key = "chr:" + std::to_string(base);
    if (map.findKey(key) >= 0 || !rom.contains(base, layout::kChrBankSize))
        return;
    const std::string bank = "bank " + std::to_string((base - layout::kChrBase) / layout::kChrBankSize);
    for (int tile = 0; tile < gfx::kPatternTableTiles; ++tile) {
        Part part;
        part.kind = PartKind::Tiles;
        part.name = std::string(sprites ? "sprite" : "background") + " tile "
                    + hexByte(static_cast<std::uint32_t>(tile)) + ", " + bank;
        part.origin = static_cast<std::uint32_t>(base + gfx::kChrBytesPerTile * static_cast<std::size_t>(tile));
        part.place = {std::nullopt, false, objectSet, tile, base, sprites};
        const int index = map.addPart(std::move(part), tile == 0 ? key : std::string());
        map.claim(index, map.part(index).origin, gfx::kChrBytesPerTile);
    }
}

} // namespace

void mapGraphics(ImageMap& map, const rom::RomImage& rom)
{
    for (int set = 0; set < layout::kObjectSetCount; ++set) {
        mapMetatiles(map, set);
        try {
            mapThresholds(map, rom, set);
        } catch (const RomError&) {
            // Thresholds the editor cannot reach stay "other".
        }
    }
    for (int set = 0; set < layout::kObjectSetCount; ++set) {
        mapBank(map, rom, set, rom::bgChrBase(rom, set), false);
        mapBank(map, rom, set, rom::sprChrBase(rom, set), true);
    }
}

} // namespace quarry::compare
