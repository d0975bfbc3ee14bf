// Block edits of the loaded map: fills, pastes, cuts.
#include "core/session/Document.h"

#include "core/RomError.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/WritePlan.h"

#include <map>

namespace quarry::session {

std::string Document::unofferedMetatiles(const std::vector<std::uint8_t>& metatiles) const
{
    if (!area_)
        return "no area is loaded";
    const int last = gfx::lastOfferedMetatile(area_->metatileLimit);
    std::set<int> unoffered;
    for (const std::uint8_t metatile : metatiles)
        if (metatile > last)
            unoffered.insert(metatile);
    if (unoffered.empty())
        return {};
    std::string numbers;
    for (const int metatile : unoffered)
        numbers += (numbers.empty() ? "" : ", ") + hexDigits(static_cast<std::uint32_t>(metatile), 2);
    return (unoffered.size() == 1 ? "metatile " + numbers + " is" : "metatiles " + numbers + " are")
           + " not offered for object set " + std::to_string(area_->id.objectSet) + ", whose chooser ends at "
           + hexDigits(static_cast<std::uint32_t>(last), 2);
}

Document::CellEdit Document::writeCells(const std::vector<PlacedCell>& cells, const std::string& name)
{
    LoadedArea& area = requireArea();
    std::vector<std::uint8_t> metatiles;
    for (const PlacedCell& placed : cells)
        metatiles.push_back(placed.metatile);
    if (const std::string unoffered = unofferedMetatiles(metatiles); !unoffered.empty())
        throw RomError(unoffered);

    // The last value written to each byte is what stays; runs of bytes go
    // into the plan as one write each.
    CellEdit edit;
    std::map<std::size_t, std::uint8_t> finalBytes;
    const rom::AreaMap& map = area.map;
    for (const PlacedCell& placed : cells) {
        const std::size_t byte = cellBodyIndex(map, placed.cell);
        finalBytes[byte] = placed.metatile;
        edit.cells.push_back(placed.cell);
        edit.positions.insert(screenPosition(map, placed.cell));
    }
    for (const auto& [byte, value] : finalBytes)
        if (rom_.read(byte) != value)
            edit.bodyBytes.insert(byte);
    if (edit.bodyBytes.empty())
        return {}; // the cells hold these metatiles already
    rom::WritePlan plan(rom_);
    for (auto run = finalBytes.begin(); run != finalBytes.end();) {
        std::vector<std::uint8_t> bytes;
        const std::size_t start = run->first;
        for (; run != finalBytes.end() && run->first == start + bytes.size(); ++run)
            bytes.push_back(run->second);
        plan.add(start, std::move(bytes), "the map cells");
    }
    if (plan.empty())
        return edit;
    EditScope scope(*this, name, kMapChanged);
    plan.apply(rom_);
    rereadWritten(scope, false);
    return edit;
}

Document::CellEdit Document::fillCells(MapCell start, std::uint8_t metatile, const std::optional<CellRect>& within)
{
    const LoadedArea& area = requireArea();
    if (!cellAtPixel(area.map, start.column * layout::kMetatilePixels, start.row * layout::kMetatilePixels))
        throw RomError("the cell lies outside the map");
    // Refused also where nothing would change.
    if (const std::string unoffered = unofferedMetatiles({metatile}); !unoffered.empty())
        throw RomError(unoffered);
    if (metatileAt(area.map, start) == metatile)
        return {};
    std::vector<PlacedCell> cells;
    for (const MapCell cell : fillRegion(area.map, start, within))
        cells.push_back({cell, metatile});
    return writeCells(cells, "Fill " + std::to_string(cells.size()) + (cells.size() == 1 ? " cell" : " cells")
                                 + " with " + hexDigits(metatile, 2));
}

Document::CellEdit Document::stampBlock(MapCell at, const MetatileBlock& block, const std::string& name)
{
    const LoadedArea& area = requireArea();
    // The whole block must fit the chooser, also where it is clipped.
    if (const std::string unoffered = unofferedMetatiles(block.cells); !unoffered.empty())
        throw RomError(unoffered);
    return writeCells(placeBlock(area.map, at, block), name);
}

} // namespace quarry::session
