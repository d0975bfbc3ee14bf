// quarry.texts, set_text and text_capacity, as the text editor commits them.
#include "script/ScriptContext.h"

#include "core/session/Document.h"
#include "core/text/TextBlock.h"

namespace quarry::script {

namespace {

int texts(lua_State* L)
{
    return guarded(L, [&] {
        const text::Texts all = contextOf(L).document.decodeTexts();
        lua_createtable(L, static_cast<int>(all.size()), 0);
        for (std::size_t i = 0; i < all.size(); ++i) {
            lua_createtable(L, 0, 2);
            setField(L, "n", static_cast<lua_Integer>(i));
            setField(L, "text", all[i]);
            lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
        }
        return 1;
    });
}

int setText(lua_State* L)
{
    const int n = intArg(L, 1, "text", 0, layout::kTextCount - 1);
    const std::string value = luaL_checkstring(L, 2);
    return guarded(L, [&] {
        session::Document& document = contextOf(L).document;
        text::Texts all = document.decodeTexts();
        all[static_cast<std::size_t>(n)] = value;
        document.commitTexts(all);
        return 0;
    });
}

int textCapacity(lua_State* L)
{
    return guarded(L, [&] {
        const session::Document& document = contextOf(L).document;
        const text::TextUsage usage = document.textBlock().usage(document.decodeTexts(), document.sideData().charTable);
        lua_pushinteger(L, static_cast<lua_Integer>(usage.capacity));
        lua_pushinteger(L, static_cast<lua_Integer>(usage.used));
        return 2;
    });
}

} // namespace

void addTextApi(lua_State* L)
{
    const luaL_Reg functions[] = {
        {"texts", texts}, {"set_text", setText}, {"text_capacity", textCapacity}, {nullptr, nullptr}};
    luaL_setfuncs(L, functions, 0);
}

} // namespace quarry::script
