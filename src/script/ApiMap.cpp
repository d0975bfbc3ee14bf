// quarry.submaps, load, map_size and the cell, pointer and block edits of the
// loaded map, as the map tools make them.
#include "script/ScriptContext.h"

#include "core/gfx/Metatiles.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/session/Document.h"
#include "core/session/MapExport.h"
#include "core/session/ReachNote.h"
#include "core/session/WhereUsed.h"
#include "core/world/AreaCatalogue.h"

namespace quarry::script {

namespace {

session::Document& documentOf(lua_State* L)
{
    return contextOf(L).document;
}

int submaps(lua_State* L)
{
    const std::vector<rom::AreaId> ids = world::catalogueSubmaps();
    lua_createtable(L, static_cast<int>(ids.size()), 0);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        lua_createtable(L, 0, 5);
        setField(L, "n", static_cast<lua_Integer>(i));
        setField(L, "set", ids[i].objectSet);
        setField(L, "area", ids[i].area);
        setField(L, "submap", ids[i].submap);
        setField(L, "caption", world::findSubmap(ids[i])->caption);
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

int load(lua_State* L)
{
    const rom::AreaId id{intArg(L, 1, "object set", 0, 5), intArg(L, 2, "area", 0, 23), intArg(L, 3, "submap", 0, 4)};
    const bool night = lua_toboolean(L, 4);
    if (!world::findSubmap(id))
        raise(L, "object set " + std::to_string(id.objectSet) + ", area " + std::to_string(id.area)
                     + " has no submap " + std::to_string(id.submap) + " in the area catalogue");
    settleReach(contextOf(L));
    return guarded(L, [&] {
        documentOf(L).loadArea(id, night);
        return 0;
    });
}

int mapSize(lua_State* L)
{
    const session::LoadedArea& area = loadedArea(L);
    lua_pushinteger(L, area.map.screensWide);
    lua_pushinteger(L, area.map.screensHigh);
    return 2;
}

// Cell arguments `index` and `index` + 1, which must lie inside the map.
session::MapCell cellArg(lua_State* L, int index)
{
    const session::LoadedArea& area = loadedArea(L);
    const int columns = session::mapColumns(area.map), rows = session::mapRows(area.map);
    const session::MapCell cell{intArg(L, index, "column", 0, 0xFFFF), intArg(L, index + 1, "row", 0, 0xFFFF)};
    if (cell.column >= columns || cell.row >= rows)
        raise(L, "cell (" + std::to_string(cell.column) + ", " + std::to_string(cell.row) + ") lies outside the map of "
                     + std::to_string(columns) + " x " + std::to_string(rows) + " cells");
    return cell;
}

std::uint8_t metatileArg(lua_State* L, int index)
{
    const auto metatile = static_cast<std::uint8_t>(intArg(L, index, "metatile", 0, 255));
    const std::string refusal = documentOf(L).unofferedMetatiles({metatile});
    if (!refusal.empty())
        raise(L, refusal);
    return metatile;
}

int cell(lua_State* L)
{
    lua_pushinteger(L, session::metatileAt(loadedArea(L).map, cellArg(L, 1)));
    return 1;
}

int setCell(lua_State* L)
{
    const session::MapCell at = cellArg(L, 1);
    const std::uint8_t metatile = metatileArg(L, 3);
    return guarded(L, [&] {
        session::Document& document = documentOf(L);
        const int x = at.column * layout::kMetatilePixels, y = at.row * layout::kMetatilePixels;
        if (document.paintCell(x, y, metatile)) {
            const session::Document::CellEdit edit = session::paintedCellEdit(document, x, y);
            noteMapWrites(L, edit.bodyBytes, edit.positions);
        }
        return 0;
    });
}

// Screen position arguments `index` and `index` + 1.
std::pair<int, int> screenArg(lua_State* L, int index)
{
    const session::LoadedArea& area = loadedArea(L);
    return {intArg(L, index, "sx", 0, area.map.screensWide - 1), intArg(L, index + 1, "sy", 0, area.map.screensHigh - 1)};
}

int pointer(lua_State* L)
{
    const auto [sx, sy] = screenArg(L, 1);
    const rom::AreaMap& map = loadedArea(L).map;
    lua_pushinteger(L, map.screenTable[static_cast<std::size_t>(sy * map.screensWide + sx)]);
    return 1;
}

int setPointer(lua_State* L)
{
    const auto screen = screenArg(L, 1);
    const auto address = static_cast<std::uint16_t>(intArg(L, 3, "address", 0, 0xFFFF));
    return guarded(L, [&] {
        documentOf(L).setScreenPointerAt(screen.first * layout::kScreenWidth, screen.second * layout::kScreenHeight,
                                         address);
        return 0;
    });
}

int copy(lua_State* L)
{
    const session::CellRect rect = session::spanning(cellArg(L, 1), cellArg(L, 3));
    const session::MetatileBlock block = session::copyBlock(loadedArea(L).map, rect);
    lua_createtable(L, block.rows, 0);
    for (int row = 0; row < block.rows; ++row) {
        lua_createtable(L, block.columns, 0);
        for (int column = 0; column < block.columns; ++column) {
            lua_pushinteger(L, block.at(column, row));
            lua_rawseti(L, -2, column + 1);
        }
        lua_rawseti(L, -2, row + 1);
    }
    return 1;
}

// A block as copy returns it: rows of metatile numbers, all of one length.
session::MetatileBlock blockArg(lua_State* L, int index)
{
    luaL_checktype(L, index, LUA_TTABLE);
    session::MetatileBlock block;
    block.rows = static_cast<int>(luaL_len(L, index));
    for (int row = 1; row <= block.rows; ++row) {
        if (lua_geti(L, index, row) != LUA_TTABLE)
            raise(L, "row " + std::to_string(row) + " of the block is no table");
        const int columns = static_cast<int>(luaL_len(L, -1));
        if (row == 1)
            block.columns = columns;
        else if (columns != block.columns)
            raise(L, "row " + std::to_string(row) + " of the block has " + std::to_string(columns)
                         + " cells, row 1 has " + std::to_string(block.columns));
        for (int column = 1; column <= columns; ++column) {
            lua_geti(L, -1, column);
            block.cells.push_back(static_cast<std::uint8_t>(intArg(L, -1, "metatile", 0, 255)));
            lua_pop(L, 1);
        }
        lua_pop(L, 1);
    }
    if (block.rows == 0 || block.columns == 0)
        raise(L, "the block has no cells");
    return block;
}

int stamp(lua_State* L)
{
    const session::MapCell at = cellArg(L, 1);
    const session::MetatileBlock block = blockArg(L, 3);
    return guarded(L, [&] {
        const session::Document::CellEdit edit = documentOf(L).stampBlock(at, block, "Stamp block");
        noteMapWrites(L, edit.bodyBytes, edit.positions);
        return 0;
    });
}

int fill(lua_State* L)
{
    const session::MapCell at = cellArg(L, 1);
    const auto metatile = static_cast<std::uint8_t>(intArg(L, 3, "metatile", 0, 255));
    return guarded(L, [&] {
        const session::Document::CellEdit edit = documentOf(L).fillCells(at, metatile);
        noteMapWrites(L, edit.bodyBytes, edit.positions);
        return 0;
    });
}

int limit(lua_State* L)
{
    lua_pushinteger(L, loadedArea(L).metatileLimit);
    return 1;
}

int whereUsed(lua_State* L)
{
    const session::LoadedArea& area = loadedArea(L);
    const auto metatile = static_cast<std::uint8_t>(intArg(L, 1, "metatile", 0, 255));
    const std::vector<session::MapCell> cells = session::cellsUsing(area.map, metatile);
    lua_createtable(L, static_cast<int>(cells.size()), 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        lua_createtable(L, 0, 3);
        setField(L, "n", static_cast<lua_Integer>(i));
        setField(L, "col", cells[i].column);
        setField(L, "row", cells[i].row);
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return guarded(L, [&] {
        const session::MetatileUsage usage = session::countMetatileUsage(contextOf(L).document.rom(), area.id.objectSet);
        lua_pushinteger(L, usage.cells[metatile]);
        return 2;
    });
}

int render(lua_State* L)
{
    const std::string path = writablePath(L, luaL_checkstring(L, 1));
    const session::LoadedArea& area = loadedArea(L);
    return guarded(L, [&] {
        queueFile(L, path, contextOf(L).host.encodePng(session::exportedMapPicture(area)));
        return 0;
    });
}

} // namespace

void noteMapWrites(lua_State* L, const std::set<std::size_t>& bodyBytes, const std::set<int>& positions)
{
    ScriptContext& context = contextOf(L);
    context.mapWriteBytes.insert(bodyBytes.begin(), bodyBytes.end());
    context.mapWritePositions.insert(positions.begin(), positions.end());
}

void settleReach(ScriptContext& context)
{
    if (context.mapWriteBytes.empty())
        return;
    const std::string note = session::reachNote(context.document, {{}, context.mapWriteBytes, context.mapWritePositions});
    if (!note.empty())
        context.reachNotes.push_back(note);
    context.mapWriteBytes.clear();
    context.mapWritePositions.clear();
}

void addMapApi(lua_State* L)
{
    const luaL_Reg functions[] = {{"submaps", submaps},   {"load", load},     {"map_size", mapSize},
                                  {"cell", cell},         {"set_cell", setCell}, {"pointer", pointer},
                                  {"set_pointer", setPointer}, {"copy", copy}, {"stamp", stamp},
                                  {"fill", fill},         {"limit", limit},   {"where_used", whereUsed},
                                  {"render", render},     {nullptr, nullptr}};
    luaL_setfuncs(L, functions, 0);
}

} // namespace quarry::script
