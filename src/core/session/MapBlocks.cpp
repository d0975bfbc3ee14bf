#include "core/session/MapBlocks.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"

#include <algorithm>
#include <charconv>

namespace quarry::session {

namespace {

using layout::kScreenColumns;
using layout::kScreenRows;

[[noreturn]] void badLine(int line, const std::string& why)
{
    throw RomError("line " + std::to_string(line) + ": " + why);
}

} // namespace

int mapColumns(const rom::AreaMap& map)
{
    return map.screensWide * kScreenColumns;
}

int mapRows(const rom::AreaMap& map)
{
    return map.screensHigh * kScreenRows;
}

std::optional<MapCell> cellAtPixel(const rom::AreaMap& map, int x, int y)
{
    if (x < 0 || y < 0)
        return std::nullopt;
    const MapCell cell{x / layout::kMetatilePixels, y / layout::kMetatilePixels};
    if (cell.column >= mapColumns(map) || cell.row >= mapRows(map))
        return std::nullopt;
    return cell;
}

ScreenPlace screenPlaceOf(MapCell cell)
{
    return {cell.column / kScreenColumns, cell.row / kScreenRows, cell.row % kScreenRows, cell.column % kScreenColumns};
}

std::size_t cellGridIndex(const rom::AreaMap& map, MapCell cell)
{
    const ScreenPlace place = screenPlaceOf(cell);
    return map.cellIndex(place.sx, place.sy, place.row, place.column);
}

CellRect spanning(MapCell a, MapCell b)
{
    const int column = std::min(a.column, b.column);
    const int row = std::min(a.row, b.row);
    return {column, row, std::max(a.column, b.column) - column + 1, std::max(a.row, b.row) - row + 1};
}

CellRect wholeMap(const rom::AreaMap& map)
{
    return {0, 0, mapColumns(map), mapRows(map)};
}

CellRect clippedToMap(const rom::AreaMap& map, const CellRect& rect)
{
    const int left = std::max(rect.column, 0);
    const int top = std::max(rect.row, 0);
    const int right = std::min(rect.column + rect.columns, mapColumns(map));
    const int bottom = std::min(rect.row + rect.rows, mapRows(map));
    if (right <= left || bottom <= top)
        return {};
    return {left, top, right - left, bottom - top};
}

std::uint8_t metatileAt(const rom::AreaMap& map, MapCell cell)
{
    return map.mapGrid.at(cellGridIndex(map, cell));
}

int screenPosition(const rom::AreaMap& map, MapCell cell)
{
    return cell.row / kScreenRows * map.screensWide + cell.column / kScreenColumns;
}

std::size_t cellBodyIndex(const rom::AreaMap& map, MapCell cell)
{
    const int position = screenPosition(map, cell);
    const std::size_t screen = rom::bodyIndexOf(map.screenTable.at(static_cast<std::size_t>(position)),
                                                rom::DataKind::AreaData, "the screen " + std::to_string(position));
    return screen + static_cast<std::size_t>(cell.row % kScreenRows * kScreenColumns + cell.column % kScreenColumns);
}

MetatileBlock copyBlock(const rom::AreaMap& map, const CellRect& rect)
{
    const CellRect inside = clippedToMap(map, rect);
    MetatileBlock block{inside.columns, inside.rows, {}};
    block.cells.reserve(static_cast<std::size_t>(inside.columns) * static_cast<std::size_t>(inside.rows));
    for (int row = inside.row; row < inside.row + inside.rows; ++row)
        for (int column = inside.column; column < inside.column + inside.columns; ++column)
            block.cells.push_back(metatileAt(map, {column, row}));
    return block;
}

MetatileBlock solidBlock(int columns, int rows, std::uint8_t metatile)
{
    return {columns, rows,
            std::vector<std::uint8_t>(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), metatile)};
}

std::string blockText(const MetatileBlock& block)
{
    std::string text;
    text.reserve(block.cells.size() * 3);
    for (int row = 0; row < block.rows; ++row) {
        for (int column = 0; column < block.columns; ++column) {
            if (column > 0)
                text += ' ';
            text += hexDigits(block.at(column, row), 2);
        }
        text += '\n';
    }
    return text;
}

std::string blockEnvelope(int objectSet, const MetatileBlock& block)
{
    return "set " + std::to_string(objectSet) + "\n" + blockText(block);
}

std::optional<BlockEnvelope> readBlockEnvelope(std::string_view data)
{
    const std::size_t end = data.find('\n');
    constexpr std::string_view kPrefix = "set ";
    if (end == std::string_view::npos || data.substr(0, kPrefix.size()) != kPrefix)
        return std::nullopt;
    std::string_view number = data.substr(kPrefix.size(), end - kPrefix.size());
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!number.empty() && space(number.front()))
        number.remove_prefix(1);
    while (!number.empty() && space(number.back()))
        number.remove_suffix(1);
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    int objectSet = 0;
    const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), objectSet);
    if (number.empty() || error != std::errc() || stop != number.data() + number.size())
        return std::nullopt;
    return BlockEnvelope{objectSet, std::string(data.substr(end + 1))};
}

MetatileBlock parseBlockText(std::string_view text)
{
    MetatileBlock block;
    int lineNumber = 0;
    int blankSince = 0; // the first blank line after the rows read so far
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        std::vector<std::uint8_t> row;
        std::size_t at = 0;
        while (at < line.size()) {
            if (line[at] == ' ' || line[at] == '\t') {
                ++at;
                continue;
            }
            std::size_t tokenEnd = at;
            while (tokenEnd < line.size() && line[tokenEnd] != ' ' && line[tokenEnd] != '\t')
                ++tokenEnd;
            const std::string_view token = line.substr(at, tokenEnd - at);
            if (token.size() != 2 || hexDigitValue(token[0]) < 0 || hexDigitValue(token[1]) < 0)
                badLine(lineNumber, "\"" + std::string(token.substr(0, 8)) + "\" is not a two-digit hex metatile number");
            row.push_back(static_cast<std::uint8_t>(hexDigitValue(token[0]) * 16 + hexDigitValue(token[1])));
            at = tokenEnd;
        }
        if (row.empty()) {
            if (block.rows > 0 && blankSince == 0)
                blankSince = lineNumber;
            continue;
        }
        if (blankSince != 0)
            badLine(blankSince, "a blank line between rows of the block");
        if (block.rows > 0 && static_cast<int>(row.size()) != block.columns)
            badLine(lineNumber, "this row has " + std::to_string(row.size()) + (row.size() == 1 ? " number" : " numbers") + ", the first row "
                                    + std::to_string(block.columns));
        block.columns = static_cast<int>(row.size());
        ++block.rows;
        block.cells.insert(block.cells.end(), row.begin(), row.end());
    }
    if (block.rows == 0)
        badLine(1, "the block has no rows");
    return block;
}

std::vector<MapCell> fillRegion(const rom::AreaMap& map, MapCell start, const std::optional<CellRect>& within)
{
    const CellRect bounds = clippedToMap(map, within.value_or(wholeMap(map)));
    if (!bounds.contains(start))
        return {};
    const std::uint8_t target = metatileAt(map, start);
    // One flag per cell of the bounds, in its own row-major order.
    const auto flag = [&](MapCell cell) {
        return static_cast<std::size_t>(cell.row - bounds.row) * static_cast<std::size_t>(bounds.columns)
               + static_cast<std::size_t>(cell.column - bounds.column);
    };
    std::vector<bool> inRegion(static_cast<std::size_t>(bounds.columns) * static_cast<std::size_t>(bounds.rows));
    std::vector<MapCell> pending{start};
    inRegion[flag(start)] = true;
    while (!pending.empty()) {
        const MapCell cell = pending.back();
        pending.pop_back();
        const MapCell neighbours[] = {{cell.column - 1, cell.row},
                                      {cell.column + 1, cell.row},
                                      {cell.column, cell.row - 1},
                                      {cell.column, cell.row + 1}};
        for (const MapCell next : neighbours) {
            if (!bounds.contains(next) || inRegion[flag(next)] || metatileAt(map, next) != target)
                continue;
            inRegion[flag(next)] = true;
            pending.push_back(next);
        }
    }
    std::vector<MapCell> region;
    for (int row = bounds.row; row < bounds.row + bounds.rows; ++row)
        for (int column = bounds.column; column < bounds.column + bounds.columns; ++column)
            if (inRegion[flag({column, row})])
                region.push_back({column, row});
    return region;
}

std::vector<PlacedCell> placeBlock(const rom::AreaMap& map, MapCell at, const MetatileBlock& block)
{
    const CellRect inside = clippedToMap(map, {at.column, at.row, block.columns, block.rows});
    std::vector<PlacedCell> placed;
    for (int row = inside.row; row < inside.row + inside.rows; ++row)
        for (int column = inside.column; column < inside.column + inside.columns; ++column)
            placed.push_back({{column, row}, block.at(column - at.column, row - at.row)});
    return placed;
}

} // namespace quarry::session
