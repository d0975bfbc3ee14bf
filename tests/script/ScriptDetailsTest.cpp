// The edges of the binding: argument checks, the text-only load, stops
// inside coroutines, and a script's result applied to another document.
#include "ScriptFixture.h"

#include "core/session/BodyReplace.h"
#include "core/session/LoadedArea.h"

#include <gtest/gtest.h>

namespace quarry::test {
namespace {

TEST(ScriptDetails, ArgumentsAreCheckedBeforeAnythingIsWritten)
{
    DemoDocument demo;
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"quarry.set_cell(0, 0, 1.5)", "metatile must be a whole number, not a fraction"},
        {"quarry.set_cell(0, 0, 'x')", "metatile must be a whole number, not string"},
        {"quarry.set_cell(0, -1, 1)", "row -1 is out of range 0 to 65535"},
        {"quarry.load(0, 99, 0)", "area 99 is out of range 0 to 23"},
        {"quarry.load(5, 23, 4)", "has no submap 4 in the area catalogue"},
        {"quarry.set_palette(17, 1)", "entries 16 to 23 are the game's fixed sprite colours"},
        {"quarry.set_palette(0, 64)", "colour 64 is out of range 0 to 63"},
        {"quarry.set_mask({emphasis = 3})", "holds bits other than $20, $40 and $80"},
        {"quarry.tile_pixel(999, 0, 0, 0)", "bank 999 is out of range"},
        {"quarry.stamp(0, 0, {{1, 2}, {3}})", "row 2 of the block has 1 cells, row 1 has 2"},
        {"quarry.set_actor(99, {x = 0})", "there is no actor number 99 in the loaded submap"},
        {"quarry.step('  ')", "the step's name is empty"},
    };
    const std::vector<std::uint8_t> before = demo.document.rom().body();
    for (const auto& [call, message] : refused) {
        SCOPED_TRACE(call);
        const script::RunResult result = demo.run("quarry.load(0, 0, 0)\nquarry.set_cell(1, 1, 2)\n" + call);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error.rfind("test.lua:3: ", 0), 0u) << result.error;
        EXPECT_NE(result.error.find(message), std::string::npos) << result.error;
        EXPECT_EQ(demo.document.rom().body(), before);
    }
    // Before any load, the calls that need a submap say so.
    DemoDocument fresh;
    const script::RunResult unloaded = fresh.run("quarry.cell(0, 0)");
    EXPECT_EQ(unloaded.error, "test.lua:1: no submap is loaded: call quarry.load(set, area, submap) first");
}

TEST(ScriptDetails, LoadTakesTextOnlyAndStopsReachIntoCoroutines)
{
    DemoDocument demo;
    // An environment given is used, one given as nil is no environment,
    // and none given is the script's own.
    const script::RunResult loads = demo.run(R"(
        assert(load("return x", "c", "t", {x = 7})() == 7)
        assert(load("return 1 + 2")() == 3)
        assert(load("return y", "c", "b", {y = 2})() == 2)
        assert(not pcall(load("return print", "c", "t", nil)))
        print("done")
    )");
    EXPECT_TRUE(loads.ok) << loads.error;
    EXPECT_EQ(demo.printed, std::vector<std::string>{"done"});

    script::RunOptions limited;
    limited.timeoutSeconds = 0.3;
    for (const std::string& runaway :
         {std::string("local c = coroutine.wrap(function() while true do pcall(error) end end) c()"),
          std::string("while true do coroutine.resume(coroutine.create(function() while true do end end)) end")}) {
        SCOPED_TRACE(runaway);
        const script::RunResult result = demo.run(runaway, limited);
        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(result.error, "test.lua: the script ran longer than 0.3 s and was stopped");
    }
}

TEST(ScriptDetails, AResultReplacesTheBodyAsOneStepTheViewsHearOfOnce)
{
    DemoDocument scripted, editor;
    ASSERT_TRUE(scripted.run("quarry.load(0, 0, 0)\nquarry.set_cell(0, 0, 3)\nquarry.set_text(1, 'NEW')").ok);
    editor.document.loadArea({1, 0, 0}, false);
    int told = 0;
    editor.document.setChangeListener([&](const session::Change&) { ++told; });
    const std::vector<std::uint8_t> before = editor.document.rom().body();
    session::replaceBody(editor.document, scripted.document.rom().body(), "From a script");
    EXPECT_EQ(told, 1);
    ASSERT_EQ(editor.steps.size(), 1u);
    EXPECT_EQ(editor.steps[0].name, "From a script");
    EXPECT_EQ(editor.document.area()->id, (rom::AreaId{1, 0, 0}));
    editor.document.undo(editor.steps[0]);
    EXPECT_EQ(editor.document.rom().body(), before);
    // A body of another size is refused, changing nothing.
    std::vector<std::uint8_t> shorter = before;
    shorter.pop_back();
    EXPECT_THROW(session::replaceBody(editor.document, shorter, "Short"), std::exception);
    EXPECT_EQ(editor.document.rom().body(), before);
    EXPECT_EQ(editor.steps.size(), 1u);
}

} // namespace
} // namespace quarry::test
