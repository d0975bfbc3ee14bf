#pragma once

#include "script/ScriptContext.h"

namespace quarry::script {

// A Lua state for one run: its allocator keeps to the memory cap, a count
// hook keeps to the time limit, and only the safe libraries are open. A
// limit reached stops the run for good: every later instruction raises the
// stop again, so pcall cannot catch it.
class Sandbox {
public:
    explicit Sandbox(ScriptContext& context);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    lua_State* state() const { return state_; }

private:
    void openLibraries();
    ScriptContext& context_;
    lua_State* state_ = nullptr;
};

} // namespace quarry::script
