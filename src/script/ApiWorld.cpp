// quarry.actors, stairs and doors of the loaded submap and their edits,
// made as the editor's drags, lists and buttons make them.
#include "script/ScriptContext.h"

#include "core/session/Document.h"
#include "core/world/Dragging.h"

namespace quarry::script {

namespace {

// Actor records count in 16-pixel units, stair records in 8-pixel units;
// scripts see map pixels.
constexpr int kActorUnit = world::kActorCellPixels;
constexpr int kStairUnit = world::kStairCellPixels;

int actors(lua_State* L)
{
    const auto& list = loadedArea(L).actors;
    lua_createtable(L, static_cast<int>(list.size()), 0);
    for (std::size_t i = 0; i < list.size(); ++i) {
        lua_createtable(L, 0, 5);
        setField(L, "n", static_cast<lua_Integer>(i));
        setField(L, "x", list[i].x * kActorUnit);
        setField(L, "y", list[i].y * kActorUnit);
        setField(L, "type", list[i].type);
        setField(L, "control", list[i].control);
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

int stairs(lua_State* L)
{
    const auto& list = loadedArea(L).stairs;
    lua_createtable(L, static_cast<int>(list.size()), 0);
    for (std::size_t i = 0; i < list.size(); ++i) {
        lua_createtable(L, 0, 5);
        setField(L, "n", static_cast<lua_Integer>(i));
        setField(L, "x", list[i].x * kStairUnit);
        setField(L, "y", list[i].y * kStairUnit);
        setField(L, "upDown", list[i].upDown);
        setField(L, "leftRight", list[i].leftRight);
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

template <typename List>
int indexArg(lua_State* L, const List& list, const char* what)
{
    const lua_Integer index = luaL_checkinteger(L, 1);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        raise(L, std::string("there is no ") + what + " number " + std::to_string(index) + " in the loaded submap");
    luaL_checktype(L, 2, LUA_TTABLE);
    return static_cast<int>(index);
}

// A move the editor's drag would make: from the record's position to the
// one asked for, refused with the drag's own reason.
void raiseRefusal(lua_State* L, const std::string& refusal)
{
    if (!refusal.empty())
        raise(L, refusal);
}

int setActor(lua_State* L)
{
    session::Document& document = contextOf(L).document;
    const int i = indexArg(L, loadedArea(L).actors, "actor");
    const auto x = intField(L, 2, "x", -0xFFFF, 0xFFFF), y = intField(L, 2, "y", -0xFFFF, 0xFFFF);
    const auto type = intField(L, 2, "type", 0, 255), control = intField(L, 2, "control", 0, 255);
    std::string refusal;
    guarded(L, [&] {
        if (type)
            document.setActorType(i, static_cast<std::uint8_t>(*type));
        if (control)
            document.setActorControl(i, static_cast<std::uint8_t>(*control));
        if (x || y) {
            const world::ActorRecord& actor = document.area()->actors[static_cast<std::size_t>(i)];
            const world::MapPoint from{actor.x * kActorUnit, actor.y * kActorUnit};
            const PictureSize size = contextOf(L).host.actorPictureSize(actor.type);
            document.moveActor(i, from, {x.value_or(from.x), y.value_or(from.y)}, size.width, size.height, &refusal);
        }
        return 0;
    });
    raiseRefusal(L, refusal);
    return 0;
}

int setStair(lua_State* L)
{
    session::Document& document = contextOf(L).document;
    const int i = indexArg(L, loadedArea(L).stairs, "stair");
    const auto x = intField(L, 2, "x", -0xFFFF, 0xFFFF), y = intField(L, 2, "y", -0xFFFF, 0xFFFF);
    const auto upDown = intField(L, 2, "upDown", 0, 1), leftRight = intField(L, 2, "leftRight", 0, 1);
    std::string refusal;
    guarded(L, [&] {
        const auto stair = [&] { return document.area()->stairs[static_cast<std::size_t>(i)]; };
        // The editor turns a stair through the four directions one press at
        // a time; at most three presses reach any of them.
        const int wantUpDown = upDown.value_or(stair().upDown), wantLeftRight = leftRight.value_or(stair().leftRight);
        for (int press = 0; press < 3 && refusal.empty(); ++press) {
            if (wantUpDown == stair().upDown && wantLeftRight == stair().leftRight)
                break;
            document.turnStair(i, &refusal);
        }
        if ((x || y) && refusal.empty()) {
            const world::MapPoint from{stair().x * kStairUnit, stair().y * kStairUnit};
            const PictureSize size = contextOf(L).host.stairPictureSize(stair().upDown, stair().leftRight);
            document.moveStair(i, from, {x.value_or(from.x), y.value_or(from.y)}, size.width, size.height, &refusal);
        }
        return 0;
    });
    raiseRefusal(L, refusal);
    return 0;
}

int doors(lua_State* L)
{
    const world::Doors& doors = loadedArea(L).doors;
    lua_createtable(L, 2, 0);
    int n = 0;
    for (const auto& door : {doors.left, doors.right}) {
        if (door) {
            lua_createtable(L, 0, 4);
            setField(L, "n", n);
            setField(L, "set", door->objectSet);
            setField(L, "area", door->area);
            setField(L, "entry", door->entry);
        } else {
            // The exits lead round in a circle: there is nowhere to arrive.
            lua_pushboolean(L, false);
        }
        lua_rawseti(L, -2, ++n);
    }
    return 1;
}

} // namespace

void addWorldApi(lua_State* L)
{
    const luaL_Reg functions[] = {{"actors", actors}, {"set_actor", setActor}, {"stairs", stairs},
                                  {"set_stair", setStair}, {"doors", doors}, {nullptr, nullptr}};
    luaL_setfuncs(L, functions, 0);
}

} // namespace quarry::script
