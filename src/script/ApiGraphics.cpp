// quarry.palette, mask, tile pixels, metatiles and solidity thresholds, as
// the palette, tile and metatile editors write them.
#include "script/ScriptContext.h"

#include "core/gfx/AreaPalette.h"
#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"

namespace quarry::script {

namespace {

session::Document& documentOf(lua_State* L)
{
    return contextOf(L).document;
}

int palette(lua_State* L)
{
    const gfx::AreaPalette& entries = loadedArea(L).palette;
    lua_createtable(L, static_cast<int>(entries.size()), 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        lua_pushinteger(L, entries[i]);
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

int setPalette(lua_State* L)
{
    const session::LoadedArea& area = loadedArea(L);
    const int entry = intArg(L, 1, "palette entry", 0, 31);
    const auto colour = static_cast<std::uint8_t>(intArg(L, 2, "colour", 0, 63));
    if (entry >= static_cast<int>(gfx::kFixedSpriteEntriesFirst)
        && entry < static_cast<int>(gfx::kFixedSpriteEntriesFirst + gfx::kFixedSpriteEntriesCount))
        raise(L, "palette entries 16 to 23 are the game's fixed sprite colours and cannot be changed");
    gfx::AreaPalette edited = area.palette;
    edited[static_cast<std::size_t>(entry)] = colour;
    return guarded(L, [&] {
        documentOf(L).writeAreaPalette(area.pointers.palettePointer, edited);
        return 0;
    });
}

int mask(lua_State* L)
{
    const gfx::PpuMaskSettings settings = gfx::readPpuMask(documentOf(L).rom());
    lua_createtable(L, 0, 2);
    setField(L, "greyscale", settings.greyscale);
    setField(L, "emphasis", settings.emphasis);
    return 1;
}

int setMask(lua_State* L)
{
    gfx::PpuMaskSettings settings = gfx::readPpuMask(documentOf(L).rom());
    if (lua_istable(L, 1)) {
        settings.greyscale = static_cast<std::uint8_t>(intField(L, 1, "greyscale", 0, 1).value_or(settings.greyscale));
        const int emphasis = intField(L, 1, "emphasis", 0, 0xE0).value_or(settings.emphasis);
        if (emphasis & 0x1F)
            raise(L, "emphasis " + std::to_string(emphasis) + " holds bits other than $20, $40 and $80");
        settings.emphasis = static_cast<std::uint8_t>(emphasis);
    } else {
        // The mask byte itself: only its greyscale and emphasis bits are kept.
        const int byte = intArg(L, 1, "mask", 0, 255);
        settings.greyscale = static_cast<std::uint8_t>(byte & 1);
        settings.emphasis = static_cast<std::uint8_t>(byte & 0xE0);
    }
    return guarded(L, [&] {
        documentOf(L).writePpuMask(settings);
        return 0;
    });
}

// Body index of the first byte of `tile` in CHR bank `bank`.
std::size_t tileStart(lua_State* L, int bankIndex, int tileIndex)
{
    const std::size_t size = documentOf(L).rom().size();
    const long banks = static_cast<long>((size - layout::kChrBase) / layout::kChrBankSize);
    const int bank = intArg(L, bankIndex, "bank", 0, banks - 1);
    const int tile = intArg(L, tileIndex, "tile", 0, 255);
    return layout::kChrBase + static_cast<std::size_t>(bank) * layout::kChrBankSize
           + static_cast<std::size_t>(tile) * 16;
}

int tilePixel(lua_State* L)
{
    const std::size_t start = tileStart(L, 1, 2);
    const int x = intArg(L, 3, "x", 0, 7), y = intArg(L, 4, "y", 0, 7);
    const gfx::TilePixels pixels = gfx::decodeTiles(documentOf(L).rom(), start, 1);
    lua_pushinteger(L, pixels[static_cast<std::size_t>(y * 8 + x)]);
    return 1;
}

int setTilePixel(lua_State* L)
{
    const std::size_t start = tileStart(L, 1, 2);
    const int x = intArg(L, 3, "x", 0, 7), y = intArg(L, 4, "y", 0, 7);
    const int colour = intArg(L, 5, "colour", 0, 3);
    return guarded(L, [&] {
        gfx::TilePixels pixels = gfx::decodeTiles(documentOf(L).rom(), start, 1);
        pixels[static_cast<std::size_t>(y * 8 + x)] = static_cast<std::uint8_t>(colour);
        documentOf(L).writeTiles(start, pixels);
        return 0;
    });
}

int chrBanks(lua_State* L)
{
    const int set = intArg(L, 1, "object set", 0, 5);
    return guarded(L, [&] {
        const rom::RomImage& rom = documentOf(L).rom();
        lua_pushinteger(L, static_cast<lua_Integer>((rom::bgChrBase(rom, set) - layout::kChrBase) / layout::kChrBankSize));
        lua_pushinteger(L, static_cast<lua_Integer>((rom::sprChrBase(rom, set) - layout::kChrBase) / layout::kChrBankSize));
        return 2;
    });
}

int metatileArg(lua_State* L, int index)
{
    const int set = loadedArea(L).id.objectSet;
    return intArg(L, index, "metatile", 0, gfx::metatileCapacity(set) - 1);
}

int metatile(lua_State* L)
{
    const int set = loadedArea(L).id.objectSet;
    const int n = metatileArg(L, 1);
    return guarded(L, [&] {
        const gfx::MetatileTiles tiles = gfx::getMetatileTiles(documentOf(L).rom(), set, n);
        lua_createtable(L, 0, 3);
        setField(L, "n", n);
        lua_createtable(L, static_cast<int>(tiles.size()), 0);
        for (std::size_t i = 0; i < tiles.size(); ++i) {
            lua_pushinteger(L, tiles[i]);
            lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
        }
        lua_setfield(L, -2, "tiles");
        setField(L, "attribute", gfx::getMetatileAttribute(documentOf(L).rom(), set, n));
        return 1;
    });
}

int setMetatile(lua_State* L)
{
    const int set = loadedArea(L).id.objectSet;
    const int n = metatileArg(L, 1);
    luaL_checktype(L, 2, LUA_TTABLE);
    std::vector<std::pair<int, std::uint8_t>> tiles;
    if (lua_getfield(L, 2, "tiles") == LUA_TTABLE) {
        for (int position = 0; position < gfx::kMetatileTiles; ++position) {
            if (lua_geti(L, -1, position + 1) != LUA_TNIL)
                tiles.emplace_back(position, static_cast<std::uint8_t>(intArg(L, -1, "tile", 0, 255)));
            lua_pop(L, 1);
        }
    }
    lua_pop(L, 1);
    const auto attribute = intField(L, 2, "attribute", 0, 255);
    return guarded(L, [&] {
        for (const auto& [position, tile] : tiles)
            documentOf(L).setMetatileTile(set, n, position, tile);
        if (attribute)
            documentOf(L).setMetatileAttribute(set, n, static_cast<std::uint8_t>(*attribute));
        return 0;
    });
}

int thresholds(lua_State* L)
{
    for (std::uint8_t value : loadedArea(L).thresholds)
        lua_pushinteger(L, value);
    return 3;
}

int setThresholds(lua_State* L)
{
    const int set = loadedArea(L).id.objectSet;
    const rom::SolidityThresholds values{static_cast<std::uint8_t>(intArg(L, 1, "threshold a", 0, 255)),
                                         static_cast<std::uint8_t>(intArg(L, 2, "threshold b", 0, 255)),
                                         static_cast<std::uint8_t>(intArg(L, 3, "threshold c", 0, 255))};
    return guarded(L, [&] {
        documentOf(L).setSolidityThresholds(set, values);
        return 0;
    });
}

} // namespace

void addGraphicsApi(lua_State* L)
{
    const luaL_Reg functions[] = {{"palette", palette},         {"set_palette", setPalette},
                                  {"mask", mask},               {"set_mask", setMask},
                                  {"tile_pixel", tilePixel},    {"set_tile_pixel", setTilePixel},
                                  {"chr_banks", chrBanks},      {"metatile", metatile},
                                  {"set_metatile", setMetatile}, {"thresholds", thresholds},
                                  {"set_thresholds", setThresholds}, {nullptr, nullptr}};
    luaL_setfuncs(L, functions, 0);
}

} // namespace quarry::script
