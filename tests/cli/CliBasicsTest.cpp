#include "RunCli.h"

#include "core/rom/GameLayout.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarry::test;

TEST(CliBasics, HelpAndUsageErrors)
{
    const CliResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: quarry-cli [--dat DIR] COMMAND ARGS..."), std::string::npos);
    EXPECT_NE(help.out.find("info"), std::string::npos);

    // Every command's usage line names the command.
    std::istringstream lines(help.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  ", 0) != 0 || line.size() < 3 || line[2] == ' ' || line[2] == '-')
            continue; // not a command line of the list
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        const CliResult commandHelp = runCli({name, "--help"});
        EXPECT_EQ(commandHelp.exitCode, 0) << name;
        EXPECT_EQ(commandHelp.out.rfind("usage: quarry-cli [--dat DIR] " + name + " ", 0), 0u) << commandHelp.out;
    }

    EXPECT_EQ(runCli({}).exitCode, 2);
    EXPECT_EQ(runCli({"no-such-command"}).exitCode, 2);
    EXPECT_EQ(runCli({"info"}).exitCode, 2);
    EXPECT_EQ(runCli({"info", "a", "b"}).exitCode, 2);
    const CliResult badOption = runCli({"info", "x.nes", "--frobnicate"});
    EXPECT_EQ(badOption.exitCode, 2);
    EXPECT_NE(badOption.err.find("unknown option --frobnicate"), std::string::npos);
}

TEST(CliBasics, InfoOnGoodAndBrokenImages)
{
    TempDir dir;
    SyntheticRom rom;
    rom.put(0x1CCE9, {0x02, 0x13});
    rom.writeFile(dir.file("game.nes"));
    const CliResult info = runCli({"info", dir.file("game.nes")});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("\"bodySize\": 262144"), std::string::npos);
    EXPECT_NE(info.out.find("\"bgChrBase\": " + std::to_string(0x22000)), std::string::npos);
    EXPECT_NE(info.out.find("\"sprChrBase\": " + std::to_string(0x33000)), std::string::npos);

    SyntheticRom shortRom;
    shortRom.resizeBody(0x1000);
    shortRom.writeFile(dir.file("short.nes"));
    const CliResult tooShort = runCli({"info", dir.file("short.nes")});
    EXPECT_EQ(tooShort.exitCode, 1);
    EXPECT_EQ(tooShort.err.rfind("quarry-cli: ", 0), 0u);
    EXPECT_NE(tooShort.err.find("too short"), std::string::npos);
    EXPECT_TRUE(tooShort.out.empty());

    const CliResult missing = runCli({"info", dir.file("missing.nes")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}
