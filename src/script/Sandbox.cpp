#include "script/Sandbox.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace quarry::script {

namespace {

// Instructions between two looks at the clock: often enough to stop within
// a few milliseconds, rare enough to cost nothing measurable.
constexpr int kHookInstructions = 10000;
// Room a stopped run keeps for raising its error and unwinding.
constexpr std::size_t kStopHeadroom = 1u << 20;

std::string megabytes(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

std::string secondsText(double seconds)
{
    std::string text = std::to_string(seconds);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text + " s";
}

void stop(ScriptContext& context, std::string reason);

void hook(lua_State* L, lua_Debug*)
{
    ScriptContext& context = contextOf(L);
    if (!context.stopped && std::chrono::steady_clock::now() >= context.deadline)
        stop(context, "the script ran longer than " + secondsText(context.options.timeoutSeconds)
                          + " and was stopped");
    if (context.stopped) {
        lua_pushstring(L, context.stopReason.c_str());
        lua_error(L);
    }
}

void stop(ScriptContext& context, std::string reason)
{
    if (context.stopped)
        return;
    context.stopped = true;
    context.stopReason = std::move(reason);
    // From now on every instruction raises the stop again.
    lua_sethook(context.state, hook, LUA_MASKCOUNT, 1);
}

void* allocate(void* userData, void* block, std::size_t oldSize, std::size_t newSize)
{
    auto& context = *static_cast<ScriptContext*>(userData);
    // Lua passes the kind of object instead of a size for a new block.
    const std::size_t old = block ? oldSize : 0;
    if (newSize == 0) {
        std::free(block);
        context.memoryUsed -= old;
        return nullptr;
    }
    const std::size_t limit = context.options.memoryBytes + (context.stopped ? kStopHeadroom : 0);
    if (newSize > old && context.memoryUsed - old + newSize > limit) {
        if (context.state)
            stop(context, "the script took more than " + megabytes(context.options.memoryBytes)
                              + " of memory and was stopped");
        return nullptr;
    }
    void* grown = std::realloc(block, newSize);
    if (grown)
        context.memoryUsed = context.memoryUsed - old + newSize;
    return grown;
}

int printLine(lua_State* L)
{
    const int count = lua_gettop(L);
    luaL_Buffer buffer;
    luaL_buffinit(L, &buffer);
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            luaL_addchar(&buffer, '\t');
        luaL_tolstring(L, i, nullptr);
        luaL_addvalue(&buffer);
    }
    luaL_pushresult(&buffer);
    std::size_t size = 0;
    const char* text = lua_tolstring(L, -1, &size);
    const auto& print = contextOf(L).options.print;
    if (print)
        print(std::string_view(text, size));
    return 0;
}

// load() for source text only: compiled chunks could break the sandbox.
int loadText(lua_State* L)
{
    // An environment given as nil is not the same as none given.
    const int count = std::max(lua_gettop(L), 3);
    lua_settop(L, std::min(count, 4));
    lua_pushstring(L, "t");
    lua_replace(L, 3);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

} // namespace

Sandbox::Sandbox(ScriptContext& context) : context_(context)
{
    state_ = lua_newstate(allocate, &context);
    if (!state_)
        throw std::runtime_error("there is not enough memory to start the script");
    ScriptContext* pointer = &context;
    std::memcpy(lua_getextraspace(state_), &pointer, sizeof pointer);
    context.state = state_;
    lua_sethook(state_, hook, LUA_MASKCOUNT, kHookInstructions);
    openLibraries();
}

Sandbox::~Sandbox()
{
    lua_close(state_);
    context_.state = nullptr;
}

void Sandbox::openLibraries()
{
    lua_State* L = state_;
    const luaL_Reg libraries[] = {{LUA_GNAME, luaopen_base},           {LUA_STRLIBNAME, luaopen_string},
                                  {LUA_TABLIBNAME, luaopen_table},     {LUA_MATHLIBNAME, luaopen_math},
                                  {LUA_UTF8LIBNAME, luaopen_utf8},     {LUA_COLIBNAME, luaopen_coroutine}};
    for (const luaL_Reg& library : libraries) {
        luaL_requiref(L, library.name, library.func, 1);
        lua_pop(L, 1);
    }
    for (const char* name : {"dofile", "loadfile", "require"}) {
        lua_pushnil(L);
        lua_setglobal(L, name);
    }
    lua_getglobal(L, "load");
    lua_pushcclosure(L, loadText, 1);
    lua_setglobal(L, "load");
    lua_pushcfunction(L, printLine);
    lua_setglobal(L, "print");

    // Of the os library only the clock and the calendar.
    luaopen_os(L);
    lua_newtable(L);
    for (const char* name : {"clock", "time", "date"}) {
        lua_getfield(L, -2, name);
        lua_setfield(L, -2, name);
    }
    lua_setglobal(L, "os");
    lua_pop(L, 1);
}

} // namespace quarry::script
