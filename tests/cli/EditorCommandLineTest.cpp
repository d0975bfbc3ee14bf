// The editor's command line, run as a user runs it: its help and the manual
// page name the same options, and words it does not know are refused.
#include "RunCli.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace quarry::test;

namespace {

std::string editorPath()
{
    const std::string cli = QUARRY_CLI_PATH;
    return cli.substr(0, cli.rfind('/') + 1) + "quarry";
}

} // namespace

TEST(EditorCommandLine, HelpNeedsNoDisplayAndNamesEveryOptionOfTheManualPage)
{
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    const CliResult help = runProgram(editorPath(), {"--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    std::ifstream in(std::string(QUARRY_SOURCE_DIR) + "/data/man/quarry.1");
    std::ostringstream page;
    page << in.rdbuf();
    // Every "--name" of the help; the page writes "--settings" as "\-\-settings".
    int options = 0;
    for (std::size_t at = help.out.find("--"); at != std::string::npos; at = help.out.find("--", at + 2), ++options) {
        std::size_t end = at + 2;
        while (end < help.out.size() && std::islower(static_cast<unsigned char>(help.out[end])))
            ++end;
        const std::string name = help.out.substr(at + 2, end - at - 2);
        EXPECT_NE(page.str().find("\\-\\-" + name), std::string::npos) << name;
    }
    EXPECT_GE(options, 3);

    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--settings"}, {"--bogus"}, {"a.nes", "b.nes"}}) {
        const CliResult refused = runProgram(editorPath(), wrong);
        EXPECT_EQ(refused.exitCode, 2) << wrong[0];
        EXPECT_NE(refused.err.find("usage: quarry [--settings FOLDER]"), std::string::npos) << refused.err;
    }
}
