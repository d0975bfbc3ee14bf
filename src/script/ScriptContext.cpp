#include "script/ScriptContext.h"

#include "core/session/Document.h"

#include <cmath>
#include <cstring>

namespace quarry::script {

ScriptContext& contextOf(lua_State* L)
{
    ScriptContext* context = nullptr;
    std::memcpy(&context, lua_getextraspace(L), sizeof context);
    return *context;
}

void raise(lua_State* L, const std::string& message)
{
    luaL_where(L, 1);
    lua_pushlstring(L, message.data(), message.size());
    lua_concat(L, 2);
    lua_error(L);
    std::abort(); // lua_error does not return
}

namespace {

std::string rangeText(const char* what, lua_Integer value, long min, long max)
{
    return std::string(what) + " " + std::to_string(value) + " is out of range " + std::to_string(min) + " to "
           + std::to_string(max);
}

lua_Integer wholeNumber(lua_State* L, int index, const char* what)
{
    int isNumber = 0;
    const lua_Integer value = lua_tointegerx(L, index, &isNumber);
    if (!isNumber)
        raise(L, std::string(what) + " must be a whole number, not "
                     + (lua_type(L, index) == LUA_TNUMBER ? std::string("a fraction") : luaL_typename(L, index)));
    return value;
}

} // namespace

int intArg(lua_State* L, int index, const char* what, long min, long max)
{
    const lua_Integer value = wholeNumber(L, index, what);
    if (value < min || value > max)
        raise(L, rangeText(what, value, min, max));
    return static_cast<int>(value);
}

std::optional<int> intField(lua_State* L, int index, const char* key, long min, long max)
{
    lua_getfield(L, index, key);
    if (lua_isnil(L, -1)) {
        lua_pop(L, 1);
        return std::nullopt;
    }
    const int value = intArg(L, -1, key, min, max);
    lua_pop(L, 1);
    return value;
}

void setField(lua_State* L, const char* key, lua_Integer value)
{
    lua_pushinteger(L, value);
    lua_setfield(L, -2, key);
}

void setField(lua_State* L, const char* key, const std::string& value)
{
    lua_pushlstring(L, value.data(), value.size());
    lua_setfield(L, -2, key);
}

void setBoolField(lua_State* L, const char* key, bool value)
{
    lua_pushboolean(L, value);
    lua_setfield(L, -2, key);
}

const session::LoadedArea& loadedArea(lua_State* L)
{
    const session::LoadedArea* area = contextOf(L).document.area();
    if (!area)
        raise(L, "no submap is loaded: call quarry.load(set, area, submap) first");
    return *area;
}

} // namespace quarry::script
