// One run is one step, an error or a stop writes nothing, and scripts see
// only what the sandbox lets them.
#include "ScriptFixture.h"

#include "core/world/AreaCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace quarry::test {
namespace {

TEST(ScriptRun, ARunIsOneNamedStepUndoneByteForByteWhateverItLoads)
{
    DemoDocument demo;
    const std::vector<rom::AreaId> ids = world::catalogueSubmaps();
    demo.document.loadArea(ids[3], false);
    const std::vector<std::uint8_t> before = demo.document.rom().body();
    const std::string source = R"(
        quarry.load(0, 0, 0)
        quarry.set_cell(0, 0, 3)
        quarry.load(1, 0, 0)
        quarry.set_cell(1, 1, 4)
        quarry.set_palette(2, 0x16)
        quarry.set_text(0, "ONE STEP")
    )";
    // Named by the file without its folder, or by quarry.step.
    for (const std::string& naming : {std::string(), std::string("quarry.step('Paint two maps')")}) {
        SCOPED_TRACE(naming);
        demo.steps.clear();
        script::RunOptions options;
        options.chunkName = "/somewhere/paint.lua";
        const script::RunResult result = demo.run(source + naming, options);
        ASSERT_TRUE(result.ok) << result.error;
        ASSERT_EQ(demo.steps.size(), 1u);
        EXPECT_EQ(demo.steps[0].name, naming.empty() ? "paint.lua" : "Paint two maps");
        EXPECT_EQ(result.stepName, demo.steps[0].name);
        // The submap shown before is shown again.
        EXPECT_EQ(demo.document.area()->id, ids[3]);
        demo.document.undo(demo.steps[0]);
        EXPECT_EQ(demo.document.rom().body(), before);
    }
}

TEST(ScriptRun, AnErrorOrAStopWritesNothingFilesIncluded)
{
    const std::vector<std::pair<std::string, std::string>> failures = {
        {"error('on purpose')", "test.lua:5: on purpose"},
        {"local x = nil + 1", "test.lua:5: attempt to perform arithmetic on a nil value"},
        {"while true do end", "test.lua: the script ran longer than 0.3 s and was stopped"},
        // A stop is raised again at every instruction: pcall cannot keep the
        // script going, however deep.
        {"while true do pcall(function() while true do pcall(error) end end) end",
         "test.lua: the script ran longer than 0.3 s and was stopped"},
        {"local t = {} while true do pcall(function() for i = 1, 1e9 do t[i] = ('x'):rep(64) .. i end end) end",
         "test.lua: the script took more than 2 MiB of memory and was stopped"},
        {"local s = 'x' while true do s = s .. s end", "test.lua: the script took more than 2 MiB of memory and was stopped"},
    };
    for (const auto& [failing, message] : failures) {
        SCOPED_TRACE(failing);
        DemoDocument demo;
        const std::vector<std::uint8_t> before = demo.document.rom().body();
        script::RunOptions options;
        options.timeoutSeconds = message.find("memory") != std::string::npos ? 20 : 0.3;
        options.memoryBytes = 2u << 20;
        options.writeFolder = demo.dir.path();
        const script::RunResult result = demo.run("quarry.load(0, 0, 0)\nquarry.set_cell(0, 0, 3)\n"
                                                  "quarry.write_file('" + demo.dir.file("note.txt") + "', 'x')\n"
                                                  "quarry.step('Never')\n" + failing, options);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error.rfind(message, 0), 0u) << result.error;
        EXPECT_EQ(result.stopped, message.find("stopped") != std::string::npos);
        EXPECT_EQ(demo.document.rom().body(), before);
        EXPECT_TRUE(demo.steps.empty());
        EXPECT_FALSE(std::filesystem::exists(demo.dir.file("note.txt")));
        // The loaded submap shows the bytes as they are again.
        EXPECT_EQ(demo.document.area()->map.mapGrid, session::readLoadedArea(demo.document.rom(), {0, 0, 0}, false).map.mapGrid);
    }
}

TEST(ScriptRun, TheSandboxRefusesEverythingOutsideTheApiAndTheSafeLibraries)
{
    DemoDocument demo;
    const std::string inside = demo.dir.path() + "/out";
    std::filesystem::create_directory(inside);
    std::filesystem::create_symlink(demo.dir.file("demo.nes"), inside + "/link.nes");
    ::mkfifo((inside + "/pipe").c_str(), 0600);
    script::RunOptions allowed;
    allowed.writeFolder = inside;

    const std::vector<std::pair<std::string, std::string>> refused = {
        {"dofile('x.lua')", "attempt to call a nil value (global 'dofile')"},
        {"loadfile('x.lua')", "attempt to call a nil value (global 'loadfile')"},
        {"require('os')", "attempt to call a nil value (global 'require')"},
        {"io.open('x')", "attempt to index a nil value (global 'io')"},
        {"os.execute('true')", "attempt to call a nil value (field 'execute')"},
        {"os.remove('x')", "attempt to call a nil value (field 'remove')"},
        {"assert(load(string.dump(function() end)))", "attempt to load a binary chunk"},
        {"quarry.write_file('" + inside + "/../escape.txt', 'x')", "lies outside the folder allowed for writing"},
        {"quarry.write_file('" + inside + "/link.nes', 'x')", "is a link"},
        {"quarry.write_file('" + inside + "/pipe', 'x')", "is no regular file"},
        {"quarry.render('" + inside + "/')", "names no file"},
        {"quarry.read_file('" + inside + "/link.nes')", "is a link"},
        {"quarry.read_file('" + inside + "/pipe')", "is not a regular file"},
    };
    for (const auto& [call, message] : refused) {
        SCOPED_TRACE(call);
        const script::RunResult result = demo.run("quarry.load(0, 0, 0)\n" + call, allowed);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(message), std::string::npos) << result.error;
    }
    // With no folder named, the writing calls refuse anywhere.
    for (const std::string& call : {"quarry.write_file('" + inside + "/a.txt', 'x')", "quarry.render('" + inside + "/a.png')",
                                    "quarry.render_frame(0, '" + inside + "/a.png')"}) {
        SCOPED_TRACE(call);
        const script::RunResult result = demo.run("quarry.load(0, 0, 0)\n" + call);
        EXPECT_NE(result.error.find("no folder was allowed for writing"), std::string::npos) << result.error;
    }

    // What scripts may use works, and files are written once the run ended.
    const script::RunResult safe = demo.run(
        "assert(os.clock() >= 0 and os.time() > 0 and os.date('%Y'))\nassert(load('return 1 + 1')() == 2)");
    EXPECT_TRUE(safe.ok) << safe.error;
    const script::RunResult wrote = demo.run("quarry.load(0, 0, 0)\nquarry.write_file('" + inside
                                                 + "/copy.txt', quarry.read_file('" + demo.dir.file("demo.nes")
                                                 + "'):sub(1, 4))\nquarry.render('" + inside + "/map.png')",
                                             allowed);
    ASSERT_TRUE(wrote.ok) << wrote.error;
    EXPECT_EQ(readFileBytes(inside + "/copy.txt"), (std::vector<std::uint8_t>{'N', 'E', 'S', 0x1A}));
    EXPECT_TRUE(std::filesystem::is_regular_file(inside + "/map.png"));
    EXPECT_FALSE(wrote.changed);
}

} // namespace
} // namespace quarry::test
