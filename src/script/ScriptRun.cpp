#include "script/ScriptRun.h"

#include "core/RomError.h"
#include "core/rom/FileAccess.h"
#include "core/session/BodyReplace.h"
#include "core/session/Document.h"
#include "script/Sandbox.h"

#include <filesystem>

namespace quarry::script {

namespace {

void setArguments(lua_State* L, const RunOptions& options)
{
    lua_createtable(L, static_cast<int>(options.args.size()), 1);
    lua_pushstring(L, options.chunkName.c_str());
    lua_rawseti(L, -2, 0);
    for (std::size_t i = 0; i < options.args.size(); ++i) {
        lua_pushlstring(L, options.args[i].data(), options.args[i].size());
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    lua_setglobal(L, "arg");
}

void openApi(lua_State* L)
{
    lua_newtable(L);
    for (auto add : {addMapApi, addWorldApi, addGraphicsApi, addTextApi, addSpriteApi, addFileApi})
        add(L);
    lua_setglobal(L, "quarry");
}

// Runs the chunk; an empty string when it ended well, else the message.
std::string execute(ScriptContext& context, std::string_view source)
{
    Sandbox sandbox(context);
    lua_State* L = sandbox.state();
    setArguments(L, context.options);
    openApi(L);
    const std::string chunk = "@" + context.options.chunkName;
    int status = luaL_loadbufferx(L, source.data(), source.size(), chunk.c_str(), "t");
    if (status == LUA_OK)
        status = lua_pcall(L, 0, 0, 0);
    if (status == LUA_OK && !context.stopped)
        settleReach(context);
    if (context.stopped)
        return context.options.chunkName + ": " + context.stopReason;
    if (status == LUA_OK)
        return {};
    const char* message = lua_tostring(L, -1);
    return message ? message : "the script raised an error that is no text";
}

// Writes the body back to `before` inside the run's step, which then holds
// no change and is dropped.
void restoreBody(session::Document& document, const std::vector<std::uint8_t>& before)
{
    const auto& now = document.rom().body();
    std::size_t i = 0;
    while (i < before.size()) {
        if (now[i] == before[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < before.size() && now[end] != before[end])
            ++end;
        document.rom().writeBytes(i, std::span<const std::uint8_t>(before.data() + i, end - i));
        i = end;
    }
}

void writeFiles(const std::vector<PendingFile>& files, RunResult& result)
{
    for (const PendingFile& file : files) {
        const rom::SaveResult saved = rom::saveFileBytes(file.path, file.bytes);
        if (saved != rom::SaveResult::Written)
            throw RomError(rom::saveFailureText(saved, file.path));
        result.filesWritten.push_back(file.path);
    }
}

} // namespace

std::string defaultStepName(const std::string& chunkName)
{
    return std::filesystem::path(chunkName).filename().string();
}

RunResult runScript(session::Document& document, ScriptHost& host, std::string_view source,
                    const RunOptions& options)
{
    ScriptContext context{document, host, options, defaultStepName(options.chunkName), {}, nullptr, {}, 0, false, {}, {}, {}, {}};
    context.deadline = std::chrono::steady_clock::now()
                       + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                           std::chrono::duration<double>(options.timeoutSeconds));
    const std::vector<std::uint8_t> before = document.rom().body();
    const session::LoadedArea* loaded = document.area();
    const std::optional<std::pair<rom::AreaId, bool>> shown =
        loaded ? std::optional(std::pair(loaded->id, loaded->night)) : std::nullopt;

    RunResult result;
    std::vector<std::uint8_t> after;
    {
        // Every write of the run lands in this scope; it ends with the body
        // as before, so it leaves no step behind, and a successful run's
        // result then becomes one step under the name the script chose.
        session::Document::EditScope collecting(document, context.stepName, 0);
        try {
            result.error = execute(context, source);
        } catch (const std::exception& error) {
            result.error = options.chunkName + ": " + error.what();
        }
        result.stopped = context.stopped;
        result.ok = result.error.empty();
        result.changed = document.rom().body() != before;
        if (result.ok) {
            try {
                if (options.commit)
                    options.commit(document, result.changed);
                writeFiles(context.files, result);
            } catch (const std::exception& error) {
                result.ok = false;
                result.error = options.chunkName + ": " + error.what();
            }
        }
        after = document.rom().body();
        restoreBody(document, before);
    }
    result.stepName = context.stepName;
    if (result.ok)
        result.reachNotes = context.reachNotes;
    if (result.ok && result.changed)
        session::replaceBody(document, after, context.stepName);
    else
        result.changed = false;
    // The submap shown before is shown again; after a failed run the loaded
    // one is read again from the restored bytes.
    auto target = shown;
    if (!target && !result.ok && document.area())
        target = std::pair(document.area()->id, document.area()->night);
    const session::LoadedArea* now = document.area();
    if (target && (!result.ok || !now || now->id != target->first || now->night != target->second)) {
        try {
            document.loadArea(target->first, target->second);
        } catch (const RomError&) {
            // The submap cannot be read in the image as the script left it;
            // the one the script loaded stays.
        }
    }
    return result;
}

} // namespace quarry::script
