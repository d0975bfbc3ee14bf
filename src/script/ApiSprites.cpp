// quarry.frame, animation and the sprite edits, as the sprite editor shows
// and makes them.
#include "script/ScriptContext.h"

#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/session/Document.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/FrameSprites.h"
#include "core/sprites/OamRenderer.h"

namespace quarry::script {

namespace {

int frameArg(lua_State* L, int index)
{
    return intArg(L, index, "frame", 0, layout::kFrameCount - 1);
}

void pushNumbers(lua_State* L, const std::vector<int>& numbers)
{
    lua_createtable(L, static_cast<int>(numbers.size()), 0);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        lua_pushinteger(L, numbers[i]);
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
}

void pushSprites(lua_State* L, const std::vector<sprites::StoredSprite>& list)
{
    lua_createtable(L, static_cast<int>(list.size()), 0);
    for (std::size_t s = 0; s < list.size(); ++s) {
        lua_createtable(L, 0, 6);
        setField(L, "n", static_cast<lua_Integer>(s));
        setField(L, "dy", list[s].dy);
        setField(L, "tile", list[s].tile);
        setField(L, "attribute", list[s].attribute);
        setBoolField(L, "ownAttribute", list[s].ownAttribute);
        setField(L, "dx", list[s].dx);
        lua_rawseti(L, -2, static_cast<lua_Integer>(s + 1));
    }
}

int frame(lua_State* L)
{
    const int f = frameArg(L, 1);
    return guarded(L, [&] {
        const sprites::FrameSprites read = sprites::readFrameSprites(contextOf(L).document.rom(), f);
        const char* forms[] = {"empty", "plain", "shared"};
        lua_createtable(L, 0, 7);
        setField(L, "n", f);
        setField(L, "frame", f);
        setField(L, "address", cpuAddressText(read.address));
        setField(L, "form", forms[static_cast<int>(read.form)]);
        if (read.layout)
            setField(L, "layout", cpuAddressText(*read.layout));
        pushSprites(L, read.sprites);
        lua_setfield(L, -2, "sprites");
        pushNumbers(L, read.sharedWith());
        lua_setfield(L, -2, "sharedWith");
        return 1;
    });
}

int setSprite(lua_State* L)
{
    const int f = frameArg(L, 1);
    const int k = static_cast<int>(luaL_checkinteger(L, 2));
    luaL_checktype(L, 3, LUA_TTABLE);
    sprites::SpriteChange change;
    // The frame edit checks each value's range itself, as it does for the
    // command line's.
    change.dy = intField(L, 3, "dy", -0x7FFFFFFF, 0x7FFFFFFF);
    change.dx = intField(L, 3, "dx", -0x7FFFFFFF, 0x7FFFFFFF);
    change.tile = intField(L, 3, "tile", -0x7FFFFFFF, 0x7FFFFFFF);
    change.attribute = intField(L, 3, "attribute", -0x7FFFFFFF, 0x7FFFFFFF);
    return guarded(L, [&] {
        contextOf(L).document.setFrameSprite(f, k, change);
        return 0;
    });
}

int deleteSprite(lua_State* L)
{
    const int f = frameArg(L, 1);
    const int k = static_cast<int>(luaL_checkinteger(L, 2));
    return guarded(L, [&] {
        contextOf(L).document.deleteFrameSprite(f, k);
        return 0;
    });
}

int animation(lua_State* L)
{
    const int a = intArg(L, 1, "animation", 0, layout::kAnimationCount - 1);
    return guarded(L, [&] {
        const sprites::Animation read = sprites::loadAnimation(contextOf(L).document.rom(), a);
        lua_createtable(L, 0, 5);
        setField(L, "n", a);
        setField(L, "frames", read.frames);
        setField(L, "start", read.start);
        setField(L, "timer", read.timer);
        pushNumbers(L, std::vector<int>(read.framePointers.begin(), read.framePointers.end()));
        lua_setfield(L, -2, "framePointers");
        return 1;
    });
}

// The frame as the sprite editor's frame view draws it, in the loaded
// submap's sprite tiles and colours.
int renderFrame(lua_State* L)
{
    const int f = frameArg(L, 1);
    const std::string path = writablePath(L, luaL_checkstring(L, 2));
    const session::LoadedArea& area = loadedArea(L);
    return guarded(L, [&] {
        const rom::RomImage& rom = contextOf(L).document.rom();
        const gfx::TilePixels tiles = gfx::loadSpriteTiles(rom, area.id.objectSet);
        const sprites::SpriteArt art{tiles, area.palette, gfx::nesColorTable(area.mask)};
        sprites::FrameBuilder builder;
        const sprites::OamList list = builder.buildFrameOam(rom, sprites::getFramePointer(rom, f));
        gfx::Canvas canvas(sprites::kFrameViewWidth, sprites::kFrameViewHeight);
        sprites::drawOamFrameView(list, art, canvas);
        queueFile(L, path, contextOf(L).host.encodePng(canvas));
        return 0;
    });
}

} // namespace

void addSpriteApi(lua_State* L)
{
    const luaL_Reg functions[] = {{"frame", frame},         {"set_sprite", setSprite},      {"delete_sprite", deleteSprite},
                                  {"animation", animation}, {"render_frame", renderFrame}, {nullptr, nullptr}};
    luaL_setfuncs(L, functions, 0);
}

} // namespace quarry::script
