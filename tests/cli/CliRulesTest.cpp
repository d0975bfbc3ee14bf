// What every command shares: usage, exit codes, one message line per
// failure, outputs only where -o says and never over a special file.
#include "RunCli.h"

#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "support/SyntheticText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace quarry;
using namespace quarry::test;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(CliRules, EveryCommandsUsageNamesTheCommand)
{
    const CliResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: quarry-cli [--dat DIR] COMMAND ARGS...", 0), 0u);
    int commands = 0;
    for (const std::string& line : linesOf(help.out)) {
        if (line.rfind("  ", 0) != 0 || line.size() < 3 || line[2] == ' ' || line[2] == '-')
            continue; // not a command line of the list
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        const CliResult commandHelp = runCli({name, "--help"});
        EXPECT_EQ(commandHelp.exitCode, 0) << name;
        EXPECT_EQ(commandHelp.out.rfind("usage: quarry-cli [--dat DIR] " + name + " ", 0), 0u) << commandHelp.out;
        ++commands;
    }
    EXPECT_GT(commands, 15);
    EXPECT_EQ(runCli({}).exitCode, 2);
    EXPECT_EQ(runCli({"no-such-command"}).exitCode, 2);
}

// One refusal of each command family and each file rule: exit code 1 with
// one "quarry-cli: " line, or 2 with that line and the command's usage;
// no output written, an existing one and the input left as they were.
TEST(CliRules, RefusalsSayWhyInOneLineAndWriteNothing)
{
    WorldFile f;
    const std::string rom = f.path, out = f.file("out.nes"), png = f.file("out.png"), pipe = f.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const Bytes original = readFileBytes(rom);
    SyntheticRom shortRom;
    shortRom.resizeBody(0x1000);
    shortRom.writeFile(f.file("short.nes"));
    // A map table entry below $8000, and a map of no screens.
    SyntheticWorld broken;
    broken.rom.putWord(broken.game.mapTableEntry(0, broken.game.submap({0, 0, 0}).mapNumber), 0x1234);
    broken.rom.put(broken.game.mapOf({0, 10, 1}).mapPointer, {0, 3});
    broken.writeFile(f.file("broken.nes"));
    // Patches that change the header, and an IPS record at the last offset it can name.
    Bytes edited = original;
    edited[7] ^= 0x08;
    edited[100] ^= 0xFF;
    writeFileBytes(f.file("header.ips"), patch::makeIps(original, edited));
    writeFileBytes(f.file("header.bps"), patch::makeBps(original, edited));
    writeFileBytes(f.file("far.ips"), {'P', 'A', 'T', 'C', 'H', 0xFF, 0xFF, 0xFF, 0, 2, 1, 2, 'E', 'O', 'F'});
    Bytes longer = original;
    longer.resize(longer.size() + 0x4000);
    writeFileBytes(f.file("longer.nes"), longer);
    writeFileBytes(f.file("old.nes"), {'o', 'l', 'd'});
    Bytes otherHeader = original;
    otherHeader[9] ^= 0x01;
    writeFileBytes(f.file("other-header.nes"), otherHeader);
    fs::create_hard_link(rom, f.file("hard.nes"));

    struct Case {
        std::vector<std::string> command;
        int exitCode;
        std::string said;
        rlim_t fileSizeLimit = RLIM_INFINITY;
    };
    std::vector<Case> cases = {
        {{"info"}, 2, "info takes 1 argument, 0 given"},
        {{"info", rom, "--frobnicate"}, 2, "unknown option --frobnicate"},
        {{"info", f.file("short.nes")}, 1, "too short"},
        {{"info", f.file("missing.nes")}, 1, "cannot read"},
        {{"info", "/dev/zero"}, 1, "not a regular file"},
        {{"info", pipe}, 1, "not a regular file"},
        {{"area", rom, "1", "5", "0"}, 2, "area 5 has no submap 0"},
        {{"render", rom, "0", "0", "0"}, 2, "-o"},
        {{"render", f.file("broken.nes"), "0", "0", "0", "-o", png}, 1, "$1234"},
        {{"render", f.file("broken.nes"), "0", "10", "1", "-o", png}, 1, "the map has no screens"},
        {{"render", rom, "0", "0", "0", "-o", png}, 1, "cannot write", 0},
        {{"render", rom, "0", "10", "1", "-o", pipe}, 1, "not a regular file"},
        {{"set-pointer", rom, "0", "10", "0", "1", "1", "$7FFF", "-o", out}, 1, "$7FFF"},
        {{"set-text", rom, "0", sampleTexts()[0] + "X", "-o", out}, 1, "1 byte over"},
        {{"set-text", rom, "121", "A", "-o", out}, 2, "121"},
        {{"import-texts", rom, "/dev/urandom", "-o", out}, 1, "not a regular file"},
        {{"export-texts", rom, "-o", pipe}, 1, "not a regular file"},
        {{"frame", rom, "256"}, 2, "256"},
        {{"animation", f.file("short.nes"), "0"}, 1, "too short"},
        {{"apply-ips", rom, pipe, "-o", out}, 1, "not a regular file"},
        {{"apply-ips", rom, f.file("header.bps"), "-o", out}, 1, "apply it with apply-bps"},
        {{"apply-bps", f.file("broken.nes"), f.file("header.bps"), "-o", f.file("old.nes")}, 1, "made for another image"},
        {{"apply-ips", rom, f.file("header.ips"), "-o", out}, 1, "changes the image's 16-byte header"},
        {{"apply-bps", rom, f.file("header.bps"), "-o", out}, 1, "changes the image's 16-byte header"},
        {{"apply-ips", rom, f.file("far.ips"), "-o", out}, 1, "record at file offset 0xFFFFFF"},
        {{"apply-ips", rom, f.file("far.ips"), "-o", rom}, 2, rom},
        {{"export-ips", rom, f.file("longer.nes"), "-o", out}, 1, "different sizes"},
        {{"export-ips", rom, rom, "-o", pipe}, 1, "not a regular file"},
        {{"make-demo"}, 2, "-o"},
        {{"make-demo", "-o", pipe}, 1, "not a regular file"},
        {{"make-demo", "-o", out}, 1, "the file size limit was reached", 65536},
        {{"paint", rom, "0", "0", "0", "0", "0", "1", "-o", f.file("hard.nes")}, 2, "another file than the input"},
        {{"paint", rom, "0", "0", "0", "99999", "0", "1", "-o", out}, 1, "outside the map"},
        {{"set-pointer", rom, "0", "0", "0", "0", "99999", "$9000", "-o", out}, 1, "outside the map"},
        {{"export-bps", rom, f.file("other-header.nes"), "-o", out}, 1, "headers"},
    };
    // A character device of our own where we may make one.
    const std::string device = f.file("device");
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        cases.push_back({{"make-demo", "-o", device}, 1, "not a regular file"});

    for (const Case& c : cases) {
        std::string words;
        for (const std::string& word : c.command)
            words += " " + word;
        SCOPED_TRACE(words);
        const CliResult result = runCli(c.command, c.fileSizeLimit);
        EXPECT_EQ(result.exitCode, c.exitCode);
        const std::vector<std::string> lines = linesOf(result.err);
        ASSERT_EQ(lines.size(), c.exitCode == 2 ? 2u : 1u) << result.err;
        EXPECT_EQ(lines[0].rfind("quarry-cli: ", 0), 0u) << result.err;
        EXPECT_NE(lines[0].find(c.said), std::string::npos) << result.err;
        if (c.exitCode == 2) {
            EXPECT_EQ(lines[1].rfind("usage: quarry-cli [--dat DIR] " + c.command[0], 0), 0u) << result.err;
        }
        EXPECT_FALSE(fs::exists(out) || fs::exists(png));
    }
    EXPECT_EQ(readFileBytes(f.file("old.nes")), (Bytes{'o', 'l', 'd'}));
    for (const auto& file : fs::directory_iterator(fs::path(rom).parent_path()))
        EXPECT_NE(file.path().filename().string()[0], '.') << "temporary left behind";
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    EXPECT_EQ(readFileBytes(rom), original);
}
