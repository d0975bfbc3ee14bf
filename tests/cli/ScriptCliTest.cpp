#include "RunCli.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarry::test;

namespace {

struct DemoFiles {
    TempDir dir;
    std::string image = dir.file("demo.nes");
    std::string out = dir.file("out.nes");
    DemoFiles() { runCli({"make-demo", "-o", image}); }
    std::string script(const std::string& name, const std::string& text) const
    {
        const std::string path = dir.file(name);
        writeFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
        return path;
    }
};

// The tab-separated words of a printed line.
std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> found;
    for (std::size_t at = 0, next; at <= line.size(); at = next + 1) {
        next = std::min(line.find('\t', at), line.size());
        found.push_back(line.substr(at, next - at));
    }
    return found;
}

std::string example(const std::string& name)
{
    return std::string(QUARRY_SOURCE_DIR) + "/examples/scripts/" + name;
}

} // namespace

TEST(ScriptCli, ExitCodesMessagesAndWhatIsWritten)
{
    DemoFiles demo;
    const std::string edit = demo.script("edit.lua", "quarry.load(0, 0, 0)\nquarry.set_cell(0, 0, 3)\nprint(#arg, arg[1], arg[2])\n");

    // Words after ROM are the script's, options among them.
    CliResult run = runCli({"run", "-o", demo.out, edit, demo.image, "one", "-o"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "2\tone\t-o\n");
    EXPECT_NE(readFileBytes(demo.out), readFileBytes(demo.image));
    // The demo's first screen shows in other maps too: said, not asked.
    EXPECT_EQ(run.err.rfind("also changes ", 0), 0u) << run.err;

    // A change with nowhere to go is a failure that writes nothing.
    run = runCli({"run", edit, demo.image});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("also changes"), std::string::npos) << run.err;

    // An error names the script's file and line; OUT is not written.
    std::filesystem::remove(demo.out);
    const std::string failing = demo.script("fail.lua", "quarry.load(0, 0, 0)\nquarry.set_cell(0, 0, 3)\n\nerror('broken')\n");
    run = runCli({"run", "-o", demo.out, failing, demo.image});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "quarry-cli: " + failing + ":4: broken\n");
    EXPECT_FALSE(std::filesystem::exists(demo.out));

    // A long pattern match cannot be interrupted inside Lua: the process
    // ends itself at the limit, writing nothing.
    const std::string pattern = demo.script("pattern.lua", "quarry.load(0, 0, 0)\nquarry.set_cell(0, 0, 3)\n"
                                                           "string.find(string.rep('a', 40), string.rep('a?', 40) .. string.rep('a', 40) .. 'b')\n");
    run = runCli({"run", "--timeout", "1", "-o", demo.out, pattern, demo.image});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("ran longer than 1 s and was stopped; nothing was written"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(demo.out));

    // Usage errors.
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"run", edit}, {"run", "--timeout", "0", edit, demo.image},
          {"run", "--memory", "x", edit, demo.image}, {"run", "-o", demo.image, edit, demo.image}}) {
        run = runCli(words);
        EXPECT_EQ(run.exitCode, 2) << words[1];
    }
}

TEST(ScriptCli, EveryExampleRunsOnTheDemoImage)
{
    DemoFiles demo;
    const std::string folder = demo.dir.file("made");
    std::filesystem::create_directory(folder);
    const std::vector<std::vector<std::string>> runs = {
        {"-o", demo.out, example("replace_metatile.lua"), demo.image, "0", "2", "3"},
        {example("texts_csv.lua"), demo.image},
        {"--allow-write", folder, example("texts_csv.lua"), demo.image, folder + "/texts.csv"},
        {"-o", demo.out, example("shift_actors.lua"), demo.image, "0", "0", "0"},
        {"-o", demo.out, example("recolour_palette.lua"), demo.image, "0x0F", "0x01"},
        {"--allow-write", folder, example("export_animation.lua"), demo.image, "0", folder},
        {example("actors_outside.lua"), demo.image},
    };
    for (const auto& words : runs) {
        std::vector<std::string> arguments{"run"};
        arguments.insert(arguments.end(), words.begin(), words.end());
        std::filesystem::remove(demo.out);
        const CliResult run = runCli(arguments);
        SCOPED_TRACE(words[words[0] == "-o" || words[0] == "--allow-write" ? 2 : 0]);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        if (words[0] == "-o")
            EXPECT_NE(readFileBytes(demo.out), readFileBytes(demo.image)) << "the example changed nothing";
        else
            EXPECT_FALSE(run.out.empty());
    }
    EXPECT_EQ(readFileBytes(folder + "/texts.csv").size() > 100, true);
    EXPECT_TRUE(std::filesystem::exists(folder + "/animation00_00.png"));
}

TEST(ScriptCli, TablesCarryTheKeysAndValuesOfTheJsonCommands)
{
    DemoFiles demo;
    const std::string folder = demo.dir.file("made");
    std::filesystem::create_directory(folder);
    // The first frame with sprites, its first sprite as frame-sprites
    // prints it, and the loaded submap's first actor as area prints it.
    const std::string script = demo.script("keys.lua", R"(
        quarry.load(0, 0, 0)
        for f = 0, 255 do
          local frame = quarry.frame(f)
          if #frame.sprites > 0 then
            local s = frame.sprites[1]
            print(f, frame.address, frame.form, string.format('{"dy": %d, "tile": %d, "attribute": %d, "ownAttribute": %s, "dx": %d}',
              s.dy, s.tile, s.attribute, tostring(s.ownAttribute), s.dx))
            break
          end
        end
        local a = quarry.actors()[1]
        print(a.x // 16, a.y // 16, a.type, a.control)
        quarry.render(")" + folder + R"(/map.png")
    )");
    const CliResult run = runCli({"run", "--allow-write", folder, script, demo.image});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::size_t line = run.out.find('\n');
    const std::vector<std::string> frame = words(run.out.substr(0, line));
    ASSERT_EQ(frame.size(), 4u) << run.out;
    const CliResult json = runCli({"frame-sprites", demo.image, frame[0]});
    EXPECT_NE(json.out.find("\"address\": \"" + frame[1] + "\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"form\": \"" + frame[2] + "\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find(frame[3]), std::string::npos) << frame[3] << "\n" << json.out;

    const CliResult area = runCli({"area", demo.image, "0", "0", "0"});
    std::string actor = run.out.substr(line + 1);
    const std::vector<std::string> values = words(actor.substr(0, actor.find('\n')));
    ASSERT_EQ(values.size(), 4u);
    // The area JSON's actors hold the same values (positions there in
    // record units of 16 pixels).
    const std::string expected = "\"control\": " + values[3] + ",\n            \"type\": " + values[2]
                                 + ",\n            \"x\": " + values[0] + ",\n            \"y\": " + values[1];
    EXPECT_NE(area.out.find(expected), std::string::npos) << expected << "\n" << area.out;
    EXPECT_EQ(readFileBytes(folder + "/map.png").size() > 8, true);
    EXPECT_EQ(readFileBytes(folder + "/map.png")[1], 'P');
}
