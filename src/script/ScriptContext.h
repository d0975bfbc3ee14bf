#pragma once

// What every API function of a run reaches: the document, the host, the
// limits and the files waiting to be written. Internal to the module.
#include "script/ScriptRun.h"

#include <lua.hpp>

#include <chrono>
#include <optional>
#include <set>
#include <cstdint>
#include <string>
#include <vector>

namespace quarry::session {
class Document;
struct LoadedArea;
}

namespace quarry::script {

struct PendingFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};

struct ScriptContext {
    session::Document& document;
    ScriptHost& host;
    const RunOptions& options;
    std::string stepName;
    std::vector<PendingFile> files;

    lua_State* state = nullptr;
    std::chrono::steady_clock::time_point deadline;
    std::size_t memoryUsed = 0;
    bool stopped = false;   // a limit was reached: every later instruction raises again
    std::string stopReason;
    // Map writes into the loaded submap not yet looked at for screens shown
    // elsewhere, and the notes of those already looked at.
    std::set<std::size_t> mapWriteBytes;
    std::set<int> mapWritePositions;
    std::vector<std::string> reachNotes;
};

// Keeps what a map edit wrote, for the note said once per submap.
void noteMapWrites(lua_State* L, const std::set<std::size_t>& bodyBytes, const std::set<int>& positions);
// Turns the writes kept for the loaded submap into its note; called before
// another submap loads and when the run ends.
void settleReach(ScriptContext& context);

// The context of the run `L` belongs to.
ScriptContext& contextOf(lua_State* L);

// Raises a Lua error with the caller's file and line before `message`.
[[noreturn]] void raise(lua_State* L, const std::string& message);

// Runs `body` (which returns the number of results) and turns an exception
// of the core into a Lua error carrying the same message. Nothing of ours is
// left on the stack of the C++ exception when the Lua error is raised.
template <typename Body>
int guarded(lua_State* L, Body body)
{
    std::string failure;
    try {
        return body();
    } catch (const std::exception& error) {
        failure = error.what();
    }
    raise(L, failure);
}

// Argument `index` as a whole number within [min, max]; `what` names it in
// the refusal ("metatile 300 is out of range 0 to 255").
int intArg(lua_State* L, int index, const char* what, long min, long max);
// Field `key` of the table at `index` as a whole number, when present.
std::optional<int> intField(lua_State* L, int index, const char* key, long min, long max);
// Sets field `key` of the table on top of the stack.
void setField(lua_State* L, const char* key, lua_Integer value);
void setField(lua_State* L, const char* key, const std::string& value);
void setBoolField(lua_State* L, const char* key, bool value);

// The loaded submap, or a refusal when none is.
const session::LoadedArea& loadedArea(lua_State* L);

// Each family of the API adds its functions to the table on top of the stack.
void addMapApi(lua_State* L);
void addWorldApi(lua_State* L);
void addGraphicsApi(lua_State* L);
void addTextApi(lua_State* L);
void addSpriteApi(lua_State* L);
void addFileApi(lua_State* L);

// `path` when a script may write it: inside the folder the user let scripts
// write to, and no link, device, pipe or folder; refused otherwise.
std::string writablePath(lua_State* L, const std::string& path);
// Keeps `bytes` for the checked `path`, written once the run has succeeded.
void queueFile(lua_State* L, std::string path, std::vector<std::uint8_t> bytes);

} // namespace quarry::script
